#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "chart_fixture.h"
#include "chart_probes.h"
#include "settings/keys.h"
#include "settings/settings_file.h"
#include "support/win/temp_folder.h"
#include "support/win/window_driver.h"
#include "usage/chart_window.h"
#include "widgets/control_views.h"
#include "widgets/dialogs.h"

namespace {

using chart_window_test::ChartWindow;
using chart_window_test::TextsOf;
using testing_support::Click;
using testing_support::Pump;
using usage::TKaavioIkkuna;

TEST_F(ChartWindow, ShowsTheFolderSortedWithOneSlicePerEntryAndItsTotals) {
    Open();
    ASSERT_EQ(LineCount(), 3);
    EXPECT_EQ(Line(0), "30000   big.bin");
    EXPECT_EQ(Line(1), "10000   \\sub");
    EXPECT_EQ(Line(2), "100   small.txt");
    ASSERT_EQ(window->Kaavio().SliceCount(), 3);
    double sum = 0;
    for (int i = 0; i < 3; ++i)
        sum += window->Kaavio().Slice(i).value;
    EXPECT_EQ(sum, 40100);
    EXPECT_EQ(window->Kaavio().Slice(0).color, RGB(255, 255, 255));
    EXPECT_EQ(window->Kaavio().Slice(1).color, RGB(0, 255, 255));
    EXPECT_TRUE(window->Caption().starts_with("Space usage - "));
    EXPECT_NE(window->Caption().find("data"), std::string::npos);
    widgets::StatusBar status(*window, "StatusBar");
    EXPECT_TRUE(status.PanelText(0).starts_with("Bytes: 40"));
    EXPECT_EQ(status.PanelText(1), "Files: 3");
    EXPECT_FALSE(window->Enabled("BitBtnUp"));
    EXPECT_FALSE(window->Enabled("BitBtnCancel"));
    EXPECT_TRUE(window->Enabled("PrintBtn"));
    EXPECT_EQ(window->Text("lblMaxFileNameLength").rfind("Max path: ", 0), 0u);
}

TEST_F(ChartWindow, DoubleClickStepsIntoAFolderAndUpComesBack) {
    Open();
    const int sub = LineOf("\\sub");
    ASSERT_GE(sub, 0);
    DoubleClickLine(sub);
    ASSERT_EQ(LineCount(), 2);
    EXPECT_EQ(Line(0), "10000   inner.txt");
    EXPECT_EQ(Line(1), "0   ..");
    EXPECT_TRUE(window->Enabled("BitBtnUp"));
    EXPECT_NE(window->Caption().find("sub"), std::string::npos);

    // A click names the entry in the list's hint.
    widgets::ListBox(*window, "ListBox1").SetItemIndex(0);
    Notify("ListBox1", LBN_SELCHANGE);
    EXPECT_EQ(window->Hint("ListBox1"), "inner.txt");

    Click(*window, "BitBtnUp");
    ASSERT_EQ(LineCount(), 3);
    EXPECT_EQ(Line(0), "30000   big.bin");
    EXPECT_FALSE(window->Enabled("BitBtnUp"));

    // Double-clicking a file at the top has nowhere to go.
    DoubleClickLine(LineOf("big.bin"));
    EXPECT_EQ(LineCount(), 3);

    // Double-clicking a file in a subfolder shows the folder above it.
    DoubleClickLine(LineOf("\\sub"));
    ASSERT_EQ(LineCount(), 2);
    DoubleClickLine(LineOf("inner.txt"));
    ASSERT_EQ(LineCount(), 3);
    EXPECT_EQ(Line(0), "30000   big.bin");
}

TEST_F(ChartWindow, UnitsBoxShowsKilobytesAndTheKeysAreWrittenInOrderAtTheEnd) {
    Open();
    widgets::ComboBox(*window, "cbxUnits").SetItemIndex(1);
    Notify("cbxUnits", CBN_SELCHANGE);
    EXPECT_EQ(Line(0), "29.3   big.bin");
    EXPECT_EQ(Line(2), "0.1   small.txt");
    window.reset();

    const settings::SettingsFile file(ini);
    EXPECT_TRUE(file.ReadFlag(settings::keys::kKB, false));
    EXPECT_FALSE(file.ReadFlag(settings::keys::kBytes, true));
    EXPECT_FALSE(file.ReadFlag(settings::keys::kMB, true));
    std::string text;
    ASSERT_TRUE(testing_support::ReadFile(ini, text));
    size_t last = 0;
    for (const char* key : {"\nCompressed=", "\nUnCompressed=", "\nDisabled=", "\nBytes=", "\nKB=", "\nMB=", "\nCount=",
                            "\nDisplayFreeDiskSpace="}) {
        const size_t at = text.find(key);
        ASSERT_NE(at, std::string::npos) << key;
        EXPECT_GT(at, last) << key;
        last = at;
    }
    // Keys only read are never written.
    EXPECT_EQ(text.find("RepeatInterval"), std::string::npos);
}

TEST_F(ChartWindow, SettingsChooseTheUnitAtCreation) {
    testing_support::WriteFile(ini, "[Chart]\r\nBytes=0\r\nMB=1\r\n");
    Open();
    EXPECT_EQ(widgets::ComboBox(*window, "cbxUnits").ItemIndex(), 2);
    EXPECT_EQ(Line(0), "0.029   big.bin");
}

TEST_F(ChartWindow, SettingsWithNoMeasureOrNoUnitShowNominalBytes) {
    testing_support::WriteFile(
        ini, "[Chart]\r\nActual=0\r\nAllocated=0\r\nSlack=0\r\nBytes=0\r\nKB=0\r\nMB=0\r\nCount=0\r\n");
    Open();
    EXPECT_EQ(widgets::ComboBox(*window, "cbxUnits").ItemIndex(), 0);
    EXPECT_EQ(widgets::ComboBox(*window, "cbxDisplay").ItemIndex(), 0);
    EXPECT_EQ(Line(0), "30000   big.bin");
    EXPECT_TRUE(widgets::StatusBar(*window, "StatusBar").PanelText(0).starts_with("Bytes: 40"));
    window.reset();
    std::string written;
    ASSERT_TRUE(testing_support::ReadFile(ini, written));
    EXPECT_NE(written.find("Bytes=1"), std::string::npos) << "the unit shown is kept";
}

TEST_F(ChartWindow, StartedForAnUnattendedRunTheWindowMeasuresOnlyWhenOpened) {
    window = std::make_unique<TKaavioIkkuna>(ini, data, TKaavioIkkuna::FirstMeasurement::WhenOpened);
    Pump(400);
    EXPECT_FALSE(window->Scanning());
    EXPECT_EQ(window->CurrentList(), nullptr) << "nothing measured at start";
    EXPECT_EQ(window->FolderPath, data);
    window->Show();
    WaitForIdle();
    EXPECT_EQ(window->CurrentList()->Path, data + "\\");
    EXPECT_EQ(LineCount(), 3);
}

TEST_F(ChartWindow, TheSliceLabelFontComesFromTheSettingsAndKeepsWhatIsNotGiven) {
    testing_support::WriteFile(ini,
                               "[]\r\nPieChartFont.Name=Tahoma\r\nPieChartFont.Size=11\r\nPieChartFont.Bold=1\r\n");
    Open();
    const widgets::PieLabelFont& font = window->Kaavio().LabelFont();
    EXPECT_EQ(font.name, "Tahoma");
    EXPECT_EQ(font.size, 11);
    EXPECT_TRUE(font.bold);
    EXPECT_FALSE(font.italic);
    EXPECT_EQ(font.color, RGB(0, 0, 0));
}

TEST_F(ChartWindow, SaveWritesABitmapAndRefusesAnUnknownExtension) {
    Open();
    widgets::ScriptedDialogs dialogs;
    widgets::ScopedDialogs scoped(dialogs);
    const std::string bmp = temp / "chart.BMP";
    dialogs.fileAnswers.push_back(widgets::FileDialogResult{bmp, 1});
    Click(*window, "TallennaKaavio");
    ASSERT_EQ(dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(dialogs.fileRequests[0].title, "Save chart");
    EXPECT_EQ(dialogs.fileRequests[0].defaultExtension, "bmp");
    EXPECT_EQ(dialogs.fileRequests[0].extensionOfType, (std::vector<std::string>{"bmp", "emf", "wmf", "bmp"}));
    EXPECT_TRUE(dialogs.fileRequests[0].filter.starts_with("Bitmaps (*.bmp)|*.bmp|Enhanced Metafiles"));
    std::string bytes;
    ASSERT_TRUE(testing_support::ReadFile(bmp, bytes));
    ASSERT_GT(bytes.size(), 54u);
    EXPECT_EQ(bytes.substr(0, 2), "BM");
    EXPECT_TRUE(dialogs.asked.empty());

    const std::string gif = temp / "chart.gif";
    dialogs.fileAnswers.push_back(widgets::FileDialogResult{gif, 4});
    Click(*window, "TallennaKaavio");
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].text, "Invalid file format. Save is not done!");
    EXPECT_FALSE(testing_support::FileExists(gif));

    // A cancelled dialog writes nothing and says nothing.
    Click(*window, "TallennaKaavio");
    EXPECT_EQ(dialogs.asked.size(), 1u);
}

TEST_F(ChartWindow, PrintPutsTheFolderInTheTitleOfThePageAndPutsTheTitleBack) {
    Open();
    widgets::ScriptedDialogs dialogs;
    widgets::ScopedDialogs scoped(dialogs);
    Click(*window, "PrintBtn");
    EXPECT_EQ(dialogs.printerRequests, 1);
    EXPECT_EQ(window->Kaavio().Title(), "Space usage");

    std::wstring printed;
    dialogs.printerConfirmed = true;
    dialogs.printed = [&](HENHMETAFILE metafile) { printed = TextsOf(metafile); };
    Click(*window, "PrintBtn");
    EXPECT_EQ(dialogs.printerRequests, 2);
    EXPECT_NE(printed.find(L"Space usage on "), std::wstring::npos) << printed.size();
    EXPECT_NE(printed.find(L" by Lumoworks Vireo"), std::wstring::npos);
    EXPECT_NE(printed.find(L"big.bin 75%"), std::wstring::npos);
    EXPECT_EQ(window->Kaavio().Title(), "Space usage");
}

bool ClassesKeyExists(const wchar_t* path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

TEST_F(ChartWindow, CreationTakesTheExplorerEntriesOffTheContextMenus) {
    for (const wchar_t* path : {L"Folder\\shell\\Usage Pie Chart\\command", L"Directory\\shell\\UsagePieChart\\command",
                                L"Drive\\shell\\UsagePieChart\\command"}) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        RegCloseKey(key);
    }
    window = std::make_unique<TKaavioIkkuna>(ini, data);
    EXPECT_FALSE(ClassesKeyExists(L"Folder\\shell\\Usage Pie Chart"));
    EXPECT_FALSE(ClassesKeyExists(L"Directory\\shell\\UsagePieChart"));
    EXPECT_FALSE(ClassesKeyExists(L"Drive\\shell\\UsagePieChart"));
    EXPECT_TRUE(ClassesKeyExists(L"Directory\\shell"));
    WaitForIdle();
}

TEST_F(ChartWindow, StopDuringAScanEndsItAndGivesTheControlsBack) {
    Open();
    // The click waits in the queue until the run's first yield, when the button is enabled.
    PostMessageW(window->Control("BitBtnCancel"), BM_CLICK, 0, 0);
    window->Scan_tree();
    EXPECT_FALSE(window->Scanning());
    ASSERT_NE(window->CurrentList(), nullptr);
    EXPECT_LT(window->CurrentList()->FileCount, 3);
    EXPECT_FALSE(window->Enabled("BitBtnCancel"));
    EXPECT_TRUE(window->Enabled("Asema"));
    EXPECT_TRUE(window->Enabled("Hakemisto"));
    EXPECT_TRUE(window->Enabled("TallennaKaavio"));
    EXPECT_FALSE(window->StopRequested);
}

}  // namespace
