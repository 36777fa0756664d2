#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/win/window_driver.h"
#include "widgets/about_box.h"
#include "widgets/help.h"

namespace {

using widgets::TAboutBox;

void Click(HWND control) {
    SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
}

}  // namespace

TEST(AboutBox, EnglishCaptionsAndTheFinnishTable) {
    TAboutBox box;
    EXPECT_EQ(box.Caption(), "About");
    EXPECT_EQ(box.Text("ProductName"), "Vireo");
    EXPECT_EQ(box.Text("Version"), "Version 1.5");
    EXPECT_EQ(box.Text("Contact"), "Lumoworks contact info:");
    EXPECT_EQ(box.Text("Label1"), "Homepage:");
    EXPECT_EQ(box.Text("Label2"), "E-mail:");
    EXPECT_EQ(box.Text("Label3"),
              "Lumoworks may not be accused in any way if this program affects your computer in any negative way. "
              "Use at your own risk!");
    EXPECT_EQ(box.Text("Label6"), "Special thanks to:");
    EXPECT_EQ(box.Text("Homepage"), "https://www.example.com/vireo/");
    EXPECT_EQ(box.Text("Mail1"), "vireo@example.com");
    EXPECT_EQ(box.Text("OkButton"), "OK");
    EXPECT_EQ(TAboutBox::kHelpTopic, 101);
    const std::string licence = box.Text("Licence");
    const std::string thanks1 = box.Text("Label7");
    const std::string thanks2 = box.Text("Label8");
    EXPECT_FALSE(licence.empty());
    EXPECT_FALSE(thanks1.empty());
    EXPECT_FALSE(thanks2.empty());

    for (const auto& text : widgets::kAboutBoxFinnish) {
        if (*text.name) {
            EXPECT_TRUE(box.HasControl(text.name)) << text.name;
        }
    }
    box.ApplyTexts(widgets::kAboutBoxFinnish);
    EXPECT_EQ(box.Caption(), "Tietoa");
    EXPECT_EQ(box.Text("Version"), "Versio 1.5");
    EXPECT_EQ(box.Text("Contact"), "Lumoworks:n yhteystiedot:");
    EXPECT_EQ(box.Text("Label1"), "Kotisivu:");
    EXPECT_EQ(box.Text("Label3"),
              "Lumoworks:a ei voida syyttää mistään jos tämä ohjelma vaikuttaa tietokoneeseesi jollain "
              "negatiivisella tavalla. Käytä omalla vastuulla!");
    EXPECT_EQ(box.Text("Label6"), "Erityiset kiitokset:");
    EXPECT_NE(box.Text("Licence"), licence);
    EXPECT_NE(box.Text("Label7"), thanks1);
    EXPECT_NE(box.Text("Label8"), thanks2);
    // The product name, the e-mail caption, the links and OK stay as they are.
    EXPECT_EQ(box.Text("ProductName"), "Vireo");
    EXPECT_EQ(box.Text("Label2"), "E-mail:");
    EXPECT_EQ(box.Text("Homepage"), "https://www.example.com/vireo/");
    EXPECT_EQ(box.Text("Mail3"), "lumoworks@example.com");
    EXPECT_EQ(box.Text("OkButton"), "OK");
}

TEST(AboutBox, EachLinkOpensItsTargetAndOtherLabelsOpenNothing) {
    TAboutBox box;
    std::vector<std::string> opened;
    box.OpenLink = [&](const std::string& target) { opened.push_back(target); };
    box.Show();
    for (const char* name : {"Homepage", "Mail1", "Mail2", "Mail3", "Label1", "Label2", "ProductName", "Logo"})
        Click(box.Control(name));
    box.Hide();
    const std::vector<std::string> expected = {"https://www.example.com/vireo/", "mailto:vireo@example.com",
                                               "mailto:support@example.com", "mailto:lumoworks@example.com"};
    EXPECT_EQ(opened, expected);
}

TEST(AboutBox, LinksShowTheHandCursorAndAreDrawnUnderlinedInBlue) {
    TAboutBox box;
    box.Show();
    SetForegroundWindow(box.Handle());
    testing_support::Pump(100);

    const HCURSOR hand = LoadCursorW(nullptr, IDC_HAND);
    const HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
    SetCursor(arrow);
    HWND label = box.Control("Label1");
    SendMessageW(label, WM_SETCURSOR, reinterpret_cast<WPARAM>(label), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_NE(GetCursor(), hand) << "a plain label";
    HWND link = box.Control("Mail2");
    SendMessageW(link, WM_SETCURSOR, reinterpret_cast<WPARAM>(link), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), hand);

    // Blue text with an underline: a row of the link that is blue across most of the text's width.
    RECT r{};
    GetClientRect(link, &r);
    HDC dc = GetDC(link);
    int bluePixels = 0;
    int longestBlueRow = 0;
    for (int y = 0; y < r.bottom; ++y) {
        int row = 0;
        for (int x = 0; x < r.right; ++x) {
            if (GetPixel(dc, x, y) == RGB(0, 0, 255))
                ++row;
        }
        bluePixels += row;
        longestBlueRow = std::max(longestBlueRow, row);
    }
    SIZE textSize{};
    const std::wstring text = L"support@example.com";
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(link, WM_GETFONT, 0, 0));
    HGDIOBJ old = SelectObject(dc, font);
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &textSize);
    SelectObject(dc, old);
    ReleaseDC(link, dc);
    EXPECT_GT(bluePixels, 40);
    EXPECT_GE(longestBlueRow, textSize.cx * 8 / 10) << "no underline";

    // A plain label is not blue.
    dc = GetDC(label);
    GetClientRect(label, &r);
    int labelBlue = 0;
    for (int y = 0; y < r.bottom; ++y) {
        for (int x = 0; x < r.right; ++x)
            labelBlue += GetPixel(dc, x, y) == RGB(0, 0, 255);
    }
    ReleaseDC(label, dc);
    EXPECT_EQ(labelBlue, 0);
    box.Hide();
}

TEST(AboutBox, OkClosesTheModalBoxWithOkAndEscapeCancels) {
    TAboutBox box;
    box.StartTimer(50, false, [&] { SendMessageW(box.Control("OkButton"), BM_CLICK, 0, 0); });
    EXPECT_EQ(box.ShowModal(), widgets::mrOk);
    EXPECT_FALSE(box.Visible());

    // Enter on the focused OK button, then Escape, as a user at the keyboard would.
    box.StartTimer(50, false, [&] {
        HWND ok = box.Control("OkButton");
        SetFocus(ok);
        PostMessageW(ok, WM_KEYDOWN, VK_RETURN, 0);
    });
    EXPECT_EQ(box.ShowModal(), widgets::mrOk);
    box.StartTimer(50, false, [&] { PostMessageW(box.Control("OkButton"), WM_KEYDOWN, VK_ESCAPE, 0); });
    EXPECT_EQ(box.ShowModal(), widgets::mrCancel);
    EXPECT_FALSE(box.Visible());
}

TEST(HelpTopics, F1OpensTheHelpFileAtTheTopicsAnchor) {
    std::vector<std::string> opened;
    widgets::SetHelpOpener([&](const std::string& url) { opened.push_back(url); });
    widgets::OpenHelpTopic("C:\\Program Files\\Vireo\\VireoE.htm", TAboutBox::kHelpTopic);
    widgets::OpenHelpTopic("C:\\Työkalut\\Vireo\\VireoS.htm", 110);
    widgets::SetHelpOpener(nullptr);
    const std::vector<std::string> expected = {"file:///C:/Program%20Files/Vireo/VireoE.htm#topic101",
                                               "file:///C:/Ty%C3%B6kalut/Vireo/VireoS.htm#topic110"};
    EXPECT_EQ(opened, expected);
}
