#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/error.h"
#include "memory_store.h"
#include "settings/bound_settings.h"

namespace {

using settings::BoundSettings;
using settings::SettingsFile;
namespace keys = settings::keys;

class Bound : public ::testing::Test {
  protected:
    SettingsFile Open(const std::string& path) { return SettingsFile(path, store, codec); }
    settings_test::MemoryStore store;
    settings_test::Latin1Codec codec;
};

// Fields of a window as the unnecessary-files window keeps them.
struct Fields {
    std::string directoryMask = "unset";
    bool ignoreHidden = false;
    bool ignoreZero = false;
    std::string filesToFind;
    std::string edit = "typed";  // stands for an edit box's text
};

BoundSettings Table(Fields& f) {
    BoundSettings table;
    table.Bind(keys::kDirectoryMask, f.directoryMask);
    table.Bind(keys::kIgnoreHiddenFiles, f.ignoreHidden);
    table.Bind(keys::kIgnoreZeroLengthFiles, f.ignoreZero);
    table.BindReadOnly(keys::kFilesToFind, f.filesToFind);
    table.Bind(
        keys::kFileMask, [&f] { return f.edit; }, [&f](std::string text) { f.edit = std::move(text); });
    return table;
}

TEST_F(Bound, ReadsEveryKeyWithItsDefaultAndWritesInTableOrder) {
    store.files["C:\\Options.ini"] = "[Backups, temps deleter]\r\nIgnoreZeroLengthFiles=0\r\n";
    Fields f;
    const auto table = Table(f);
    SettingsFile file = Open("C:\\Options.ini");
    table.ReadAll(file);
    EXPECT_EQ(f.directoryMask, "\\");
    EXPECT_TRUE(f.ignoreHidden);
    EXPECT_FALSE(f.ignoreZero);
    EXPECT_FALSE(f.filesToFind.empty()) << "the mask list's default";
    EXPECT_EQ(f.edit, "*.*");

    f.directoryMask = "\\Temp";
    f.edit = "*.bak";
    table.WriteAll(file, [] { ADD_FAILURE() << "no write fails here"; });
    const std::string& text = store.files["C:\\Options.ini"];
    const size_t mask = text.find("DirectoryMask=\\Temp");
    const size_t hidden = text.find("IgnoreHiddenFiles=1");
    const size_t zero = text.find("IgnoreZeroLengthFiles=0");
    ASSERT_NE(mask, std::string::npos) << text;
    ASSERT_NE(hidden, std::string::npos) << text;
    EXPECT_LT(mask, hidden) << text;
    EXPECT_NE(zero, std::string::npos) << text;
    EXPECT_NE(text.find("FileMask=*.bak"), std::string::npos) << text;
    EXPECT_EQ(text.find("FilesToFind"), std::string::npos) << "a read-only key is never written";
}

TEST_F(Bound, AFailedWriteIsReportedAndTheOtherKeysAndWindowsStillWrite) {
    // The first window's file cannot be written; the second's can.
    store.files["C:\\locked.ini"] = "";
    store.readOnly.insert("C:\\locked.ini");
    Fields first;
    Fields second;
    const auto firstTable = Table(first);
    const auto secondTable = Table(second);
    SettingsFile locked = Open("C:\\locked.ini");
    SettingsFile open = Open("C:\\Options.ini");
    std::vector<std::string> reported;
    const auto hook = [&] {
        try {
            throw;
        } catch (const base::Error& error) {
            reported.push_back(error.what());
        }
    };
    firstTable.WriteAll(locked, hook);
    secondTable.WriteAll(open, hook);
    EXPECT_EQ(reported.size(), 4u) << "each written key of the locked file is reported once";
    EXPECT_EQ(reported.front(), "Unable to write to C:\\locked.ini");
    EXPECT_NE(store.files["C:\\Options.ini"].find("FileMask=typed"), std::string::npos);

    // A hook that throws stops nothing either.
    int calls = 0;
    firstTable.WriteAll(locked, [&] {
        ++calls;
        throw std::runtime_error("hook");
    });
    EXPECT_EQ(calls, 4);
}

}  // namespace
