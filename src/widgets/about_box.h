#pragma once

#include <windows.h>

#include <functional>
#include <span>
#include <string>

#include "widgets/window.h"

namespace widgets {

// The about box: product, version, licence, contact links, thanks and the disclaimer; OK closes it.
class TAboutBox : public Window {
  public:
    static constexpr int kHelpTopic = 101;
    static constexpr char kHomepage[] = "https://www.example.com/vireo/";
    static constexpr char kMail1[] = "vireo@example.com";
    static constexpr char kMail2[] = "support@example.com";
    static constexpr char kMail3[] = "lumoworks@example.com";

    TAboutBox();

    // Opens a link's target; the shell's default handler unless a test puts something else here.
    std::function<void(const std::string& target)> OpenLink;

    void OkClick();

  protected:
    bool Intercept(const Message& message, LRESULT& result) override;

  private:
    bool IsLink(HWND control) const;
    Font LinkFont() const;
    void FitLinks();
    void DrawLink(const DRAWITEMSTRUCT& item) const;
};

// The about box's Finnish texts, for DoSuomi.
extern const std::span<const TextSpec> kAboutBoxFinnish;

}  // namespace widgets
