#pragma once

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "widgets/window.h"

namespace widgets {

// Typed views over a control of a window's table: cheap to make, holding only the window and the name.
class ControlView {
  public:
    ControlView(Window& window, std::string_view name) : window_(&window), name_(name) {}
    HWND Handle() const { return window_->Control(name_); }
    const std::string& Name() const { return name_; }

  protected:
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    Window* window_;
    std::string name_;
};

// Panels are numbered from 0; their widths are in design pixels, the last one may be -1 to reach the end.
class StatusBar : public ControlView {
  public:
    using ControlView::ControlView;
    void SetPanels(std::initializer_list<int> designWidths);
    int PanelCount() const;
    std::string PanelText(int panel) const;
    void SetPanelText(int panel, std::string_view text);
    // Several panels from the first one on, shown as one change.
    void SetPanelTexts(int first, std::span<const std::string> texts);
    // The panel's rectangle in the frame's pixels, where a control can be put over it (Window::PlaceOver).
    RECT PanelRect(int panel) const;
};

class ProgressBar : public ControlView {
  public:
    using ControlView::ControlView;
    void SetRange(int minimum, int maximum);
    int Maximum() const;
    int Position() const;
    void SetPosition(int position);
};

// The items of a list box or combo box, each with a number of the owner's beside its text.
class ItemList : public ControlView {
  public:
    ItemList(Window& window, std::string_view name, bool combo) : ControlView(window, name), combo_(combo) {}
    int Count() const;
    std::string Item(int index) const;
    LPARAM Data(int index) const;
    int Add(std::string_view text, LPARAM data = 0);  // returns the new item's index
    void Delete(int index);
    void Clear();
    int ItemIndex() const;  // -1 when none is selected
    void SetItemIndex(int index);
    // Runs when the user changes the selection (not when the program does).
    void OnSelectionChange(std::function<void()> handler);
    // Suspends and resumes drawing for a run of changes.
    void BeginUpdate();
    void EndUpdate();

  private:
    UINT Message(UINT listMessage, UINT comboMessage) const { return combo_ ? comboMessage : listMessage; }
    bool combo_;
};

class ListBox : public ItemList {
  public:
    ListBox(Window& window, std::string_view name) : ItemList(window, name, false) {}
    void OnDoubleClick(std::function<void()> handler);
    // The item under a point of the list's client area, or -1.
    int ItemAt(POINT point) const;
};

class ComboBox : public ItemList {
  public:
    ComboBox(Window& window, std::string_view name) : ItemList(window, name, true) {}
};

class PictureButton : public ControlView {
  public:
    using ControlView::ControlView;
    std::string Caption() const { return window_->Text(name_); }
    void SetCaption(std::string_view caption) { window_->SetText(name_, caption); }
    std::shared_ptr<const Bitmap> Picture() const { return window_->Picture(name_); }
    void SetPicture(std::shared_ptr<const Bitmap> picture) { window_->SetPicture(name_, std::move(picture)); }
};

}  // namespace widgets
