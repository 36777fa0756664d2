#include "platform/locale.h"

#include <windows.h>

#include <algorithm>

#include "platform/keyed_order.h"
#include "platform/win32/unicode.h"

namespace platform {
namespace {

std::string LocaleText(LCTYPE type, const char* fallback) {
    wchar_t buffer[128] = {};
    if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, type, buffer, 128) <= 0)
        return fallback;
    return win32::Narrow(buffer);
}

char FirstChar(const std::string& text, char fallback) {
    // A multi-byte separator cannot stand in the single-character slot; keep the fallback then.
    return text.size() == 1 ? text[0] : fallback;
}

// A text in UTF-16 for one comparison. A sort compares each name many times, so a short plain-ASCII name,
// the common case, is widened in place rather than on the heap.
class WideText {
  public:
    explicit WideText(std::string_view text) {
        const bool plain =
            text.size() <= kInPlace && std::all_of(text.begin(), text.end(), [](char c) { return (c & 0x80) == 0; });
        if (plain) {
            std::copy(text.begin(), text.end(), inPlace_);
            view_ = std::wstring_view(inPlace_, text.size());
        } else {
            heap_ = win32::Widen(text);
            view_ = heap_;
        }
    }
    WideText(const WideText&) = delete;
    WideText& operator=(const WideText&) = delete;

    std::wstring_view View() const { return view_; }

  private:
    static constexpr size_t kInPlace = 128;
    wchar_t inPlace_[kInPlace];
    std::wstring heap_;
    std::wstring_view view_;
};

// The user locale's sort key of a text ignoring case, the same flags as the comparison: its bytes in order
// are the comparison's order.
bool LocaleSortKey(std::string_view text, std::string& key) {
    const WideText wide(text);
    const std::wstring_view w = wide.View();
    if (w.empty()) {
        key.clear();  // the empty text comes first, as the comparison puts it
        return true;
    }
    constexpr DWORD kFlags = LCMAP_SORTKEY | NORM_IGNORECASE;
    key.resize(std::max<size_t>(key.capacity(), 8 * w.size() + 16));
    int size = LCMapStringW(LOCALE_USER_DEFAULT, kFlags, w.data(), static_cast<int>(w.size()),
                            reinterpret_cast<LPWSTR>(key.data()), static_cast<int>(key.size()));
    if (size == 0 && GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
        size = LCMapStringW(LOCALE_USER_DEFAULT, kFlags, w.data(), static_cast<int>(w.size()), nullptr, 0);
        if (size <= 0)
            return false;
        key.resize(static_cast<size_t>(size));
        size = LCMapStringW(LOCALE_USER_DEFAULT, kFlags, w.data(), static_cast<int>(w.size()),
                            reinterpret_cast<LPWSTR>(key.data()), size);
    }
    if (size <= 0)
        return false;
    key.resize(static_cast<size_t>(size));
    return true;
}

int LocaleCompare(std::string_view a, std::string_view b) {
    const WideText textA(a);
    const WideText textB(b);
    const std::wstring_view wa = textA.View();
    const std::wstring_view wb = textB.View();
    const int result = CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, wa.data(), static_cast<int>(wa.size()),
                                      wb.data(), static_cast<int>(wb.size()));
    if (result == 0)  // cannot compare (bad flags or text): fall back to code-unit order
        return wa.compare(wb) < 0 ? -1 : (wa == wb ? 0 : 1);
    return result - CSTR_EQUAL;
}

}  // namespace

base::TextOrder LocaleTextOrder() {
    return WithSortKeys(KeyedTextOrder{LocaleCompare, LocaleSortKey});
}

base::FormatSettings SystemFormatSettings() {
    base::FormatSettings settings;
    settings.dateSeparator = FirstChar(LocaleText(LOCALE_SDATE, "/"), '/');
    settings.timeSeparator = FirstChar(LocaleText(LOCALE_STIME, ":"), ':');
    settings.thousandSeparator = LocaleText(LOCALE_STHOUSAND, ",");
    settings.amText = LocaleText(LOCALE_S1159, "AM");
    settings.pmText = LocaleText(LOCALE_S2359, "PM");
    for (int i = 0; i < 12; ++i) {
        settings.shortMonthNames[i] = LocaleText(LOCALE_SABBREVMONTHNAME1 + i, settings.shortMonthNames[i].c_str());
        settings.longMonthNames[i] = LocaleText(LOCALE_SMONTHNAME1 + i, settings.longMonthNames[i].c_str());
    }
    return settings;
}

}  // namespace platform
