#include "widgets/about_box.h"

#include <algorithm>
#include <iterator>
#include <memory>

#include "widgets/drawing.h"
#include "widgets/help.h"

namespace widgets {
namespace {

constexpr int kFrameWidth = 340;
constexpr int kFrameHeight = 332;
constexpr COLORREF kLinkColor = RGB(0, 0, 255);
constexpr COLORREF kNavy = RGB(0, 0, 128);

// The four links are drawn by the box itself: underlined, blue, with a hand cursor.
constexpr DWORD kLink = SS_OWNERDRAW;
constexpr const char* kLinks[] = {"Homepage", "Mail1", "Mail2", "Mail3"};

// clang-format off
constexpr ControlSpec kControls[] = {
    // name          kind          place (96-DPI px)       caption
    {"Logo",        Kind::Image,  {12, 12, 64, 64},       ""},
    {"ProductName", Kind::Label,  {88, 12, 240, 30},      "Vireo"},
    {"Version",     Kind::Label,  {90, 42, 238, 15},      "Version 1.5"},
    {"Licence",     Kind::Label,  {90, 58, 238, 28},      "Freeware: free to use and to pass on unchanged."},
    {"Bevel1",      Kind::Label,  {12, 88, 316, 2},       "", "", nullptr, SS_ETCHEDHORZ},
    {"Contact",     Kind::Label,  {12, 96, 316, 15},      "Lumoworks contact info:"},
    {"Label1",      Kind::Label,  {24, 114, 64, 15},      "Homepage:"},
    {"Homepage",    Kind::Label,  {92, 114, 236, 15},     TAboutBox::kHomepage, "", nullptr, kLink},
    {"Label2",      Kind::Label,  {24, 132, 64, 15},      "E-mail:"},
    {"Mail1",       Kind::Label,  {92, 132, 236, 15},     TAboutBox::kMail1, "", nullptr, kLink},
    {"Mail2",       Kind::Label,  {92, 148, 236, 15},     TAboutBox::kMail2, "", nullptr, kLink},
    {"Mail3",       Kind::Label,  {92, 164, 236, 15},     TAboutBox::kMail3, "", nullptr, kLink},
    {"Label6",      Kind::Label,  {12, 188, 316, 15},     "Special thanks to:"},
    {"Label7",      Kind::Label,  {24, 206, 304, 15},     "Everyone who tested the early versions."},
    {"Label8",      Kind::Label,  {24, 222, 304, 15},     "The translators and everyone who spread the word."},
    {"Bevel2",      Kind::Label,  {12, 244, 316, 2},      "", "", nullptr, SS_ETCHEDHORZ},
    {"Label3",      Kind::Label,  {12, 252, 316, 42},     "Lumoworks may not be accused in any way if this program affects "
                                                          "your computer in any negative way. Use at your own risk!"},
    {"OkButton",    Kind::Button, {132, 298, 75, 25},     "OK", "", nullptr, BS_DEFPUSHBUTTON},
};

constexpr TextSpec kFinnish[] = {
    {"",        "Tietoa"},
    {"Version", "Versio 1.5"},
    {"Licence", "Ilmaisohjelma: vapaa käyttää ja jakaa muuttamattomana."},
    {"Contact", "Lumoworks:n yhteystiedot:"},
    {"Label1",  "Kotisivu:"},
    {"Label6",  "Erityiset kiitokset:"},
    {"Label7",  "Kaikille ensimmäisten versioiden testaajille."},
    {"Label8",  "Kääntäjille ja kaikille Vireon suosittelijoille."},
    {"Label3",  "Lumoworks:a ei voida syyttää mistään jos tämä ohjelma vaikuttaa tietokoneeseesi jollain "
                "negatiivisella tavalla. Käytä omalla vastuulla!"},
};
// clang-format on

// The box's emblem: a small bird in flight on a blue tile, drawn on 64 x 64.
std::shared_ptr<const Bitmap> Emblem() {
    return std::make_shared<Bitmap>(64, 64, [](HDC dc) {
        {
            // The tile's rounded corners stay transparent.
            HRGN round = CreateRoundRectRgn(0, 0, 65, 65, 14, 14);
            SelectClipRgn(dc, round);
            VerticalGradient(dc, RECT{0, 0, 64, 64}, RGB(16, 40, 120), RGB(80, 140, 220));
            SelectClipRgn(dc, nullptr);
            DeleteObject(round);
        }
        Pen outline(CreatePen(PS_SOLID, 1, RGB(30, 50, 20)));
        Brush olive(CreateSolidBrush(RGB(128, 160, 70)));
        Brush cream(CreateSolidBrush(RGB(240, 236, 190)));
        Brush dark(CreateSolidBrush(RGB(20, 20, 20)));
        SelectScope pen(dc, outline.Get());
        {
            SelectScope brush(dc, olive.Get());
            const POINT upperWing[] = {{24, 32}, {14, 10}, {30, 14}, {38, 30}};
            Polygon(dc, upperWing, 4);
            const POINT tail[] = {{20, 38}, {6, 46}, {9, 50}, {24, 43}};
            Polygon(dc, tail, 4);
            Ellipse(dc, 17, 30, 47, 46);  // body
            Ellipse(dc, 40, 24, 54, 38);  // head
        }
        {
            SelectScope brush(dc, cream.Get());
            Chord(dc, 19, 34, 45, 46, 19, 40, 45, 40);  // pale underside
            const POINT bill[] = {{53, 29}, {60, 32}, {53, 34}};
            Polygon(dc, bill, 3);
        }
        {
            SelectScope brush(dc, olive.Get());
            const POINT lowerWing[] = {{28, 36}, {40, 36}, {36, 54}, {30, 52}};
            Polygon(dc, lowerWing, 4);
        }
        SelectScope brush(dc, dark.Get());
        Ellipse(dc, 47, 28, 50, 31);
    });
}

}  // namespace

const std::span<const TextSpec> kAboutBoxFinnish{kFinnish};

TAboutBox::TAboutBox() : OpenLink([](const std::string& target) { ShellOpen(target); }) {
    Create({"About", kFrameWidth, kFrameHeight, FrameStyle::Dialog});
    CreateControls(kControls);
    SetPicture("Logo", Emblem());
    SetFont("ProductName", {"Arial", 26, true, false});
    SetTextColor("ProductName", kNavy);
    SetFont("Version", {"", 0, true, false});
    SetFont("Contact", {"", 0, true, false});
    SetFont("Label6", {"", 0, true, false});
    SetTextColor("Label3", RGB(128, 0, 0));
    FitLinks();
    OnClick("Homepage", [this] { OpenLink(kHomepage); });
    OnClick("Mail1", [this] { OpenLink(std::string("mailto:") + kMail1); });
    OnClick("Mail2", [this] { OpenLink(std::string("mailto:") + kMail2); });
    OnClick("Mail3", [this] { OpenLink(std::string("mailto:") + kMail3); });
    OnClick("OkButton", [this] { OkClick(); });
    SetDefaultButton("OkButton");
    SetEscapeCloses(true);
}

void TAboutBox::OkClick() {
    SetModalResult(mrOk);
}

bool TAboutBox::IsLink(HWND control) const {
    return control && std::any_of(std::begin(kLinks), std::end(kLinks),
                                  [&](const char* name) { return Control(name) == control; });
}

Font TAboutBox::LinkFont() const {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    LOGFONTW face = metrics.lfMessageFont;
    const UINT systemDpi = GetDpiForSystem();
    face.lfHeight = MulDiv(face.lfHeight, static_cast<int>(Dpi()), static_cast<int>(systemDpi ? systemDpi : 96));
    return Font(CreateFontIndirectW(&face));
}

// A link answers only over its text, not over the empty rest of its row.
void TAboutBox::FitLinks() {
    const Font font = LinkFont();
    HDC dc = GetDC(Frame());
    SelectScope select(dc, font.Get());
    for (const char* name : kLinks) {
        HWND link = Control(name);
        wchar_t text[256] = {};
        const int length = GetWindowTextW(link, text, static_cast<int>(std::size(text)));
        SIZE size{};
        GetTextExtentPoint32W(dc, text, length, &size);
        RECT r{};
        GetClientRect(link, &r);
        SetWindowPos(link, nullptr, 0, 0, std::min<int>(r.right, size.cx + Scale(2)), r.bottom,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ReleaseDC(Frame(), dc);
}

void TAboutBox::DrawLink(const DRAWITEMSTRUCT& item) const {
    HDC dc = item.hDC;
    FillRect(dc, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
    const Font font = LinkFont();
    SelectScope select(dc, font.Get());
    ::SetTextColor(dc, kLinkColor);
    SetBkMode(dc, TRANSPARENT);
    wchar_t text[256] = {};
    GetWindowTextW(item.hwndItem, text, static_cast<int>(std::size(text)));
    RECT r = item.rcItem;
    DrawTextW(dc, text, -1, &r, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    // The underline is drawn here rather than by the font, so it ends where the text ends.
    SIZE size{};
    GetTextExtentPoint32W(dc, text, lstrlenW(text), &size);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const int thickness = std::max(1, Scale(1));
    const RECT line{r.left, r.top + metrics.tmAscent + thickness, r.left + std::min<int>(size.cx, r.right - r.left),
                    r.top + metrics.tmAscent + 2 * thickness};
    Brush blue(CreateSolidBrush(kLinkColor));
    FillRect(dc, &line, blue.Get());
}

bool TAboutBox::Intercept(const Message& message, LRESULT& result) {
    switch (message.id) {
        case WM_SETCURSOR:
            if (IsLink(reinterpret_cast<HWND>(message.wParam)) && LOWORD(message.lParam) == HTCLIENT) {
                SetCursor(LoadCursorW(nullptr, IDC_HAND));
                result = TRUE;
                return true;
            }
            return false;
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(message.lParam);
            if (!IsLink(item.hwndItem))
                return false;
            DrawLink(item);
            result = TRUE;
            return true;
        }
        default:
            return false;
    }
}

}  // namespace widgets
