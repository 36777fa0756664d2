#include "widgets/help.h"

#include <windows.h>

#include <shellapi.h>
#include <shlwapi.h>

#include "base/help_url.h"
#include "platform/win32/unicode.h"

using platform::win32::Widen;

namespace widgets {
namespace {

HelpOpener& CurrentOpener() {
    static HelpOpener opener;
    return opener;
}

// The browser that opens web pages, or empty when none is registered.
std::wstring WebBrowser() {
    wchar_t exe[MAX_PATH * 2] = {};
    DWORD size = static_cast<DWORD>(std::size(exe));
    if (FAILED(AssocQueryStringW(ASSOCF_NONE, ASSOCSTR_EXECUTABLE, L"http", L"open", exe, &size)))
        return {};
    return exe;
}

// The shell turns a file URL back into a path before it starts the .htm handler, which loses the
// "#topic" anchor; handing the URL to the browser itself keeps it.
void OpenInBrowser(const std::string& url) {
    const std::wstring browser = WebBrowser();
    if (!browser.empty()) {
        const std::wstring argument = L"\"" + Widen(url) + L"\"";
        const auto result = reinterpret_cast<INT_PTR>(
            ShellExecuteW(nullptr, nullptr, browser.c_str(), argument.c_str(), nullptr, SW_SHOW));
        if (result > 32)
            return;
    }
    ShellOpen(url);
}

}  // namespace

bool ShellOpen(const std::string& target) {
    const auto result =
        reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, nullptr, Widen(target).c_str(), nullptr, nullptr, SW_SHOW));
    return result > 32;
}

void OpenHelpTopic(const std::string& helpFile, int topic) {
    const std::string url = base::HelpTopicUrl(helpFile, topic);
    if (const HelpOpener& opener = CurrentOpener())
        opener(url);
    else
        OpenInBrowser(url);
}

void SetHelpOpener(HelpOpener opener) {
    CurrentOpener() = std::move(opener);
}

}  // namespace widgets
