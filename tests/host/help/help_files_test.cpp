#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "base/help_url.h"

namespace {

// The help files from the source tree, beside this test's folder.
std::string ReadHelpFile(const std::string& name) {
    std::string folder = __FILE__;
    folder = folder.substr(0, folder.find_last_of("/\\"));  // tests/host/help
    folder = folder.substr(0, folder.find_last_of("/\\"));  // tests/host
    folder = folder.substr(0, folder.find_last_of("/\\"));  // tests
    folder = folder.substr(0, folder.find_last_of("/\\"));  // the source tree
    std::ifstream file(folder + "/help/" + name, std::ios::binary);
    if (!file)
        return {};
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

size_t Count(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

}  // namespace

TEST(HelpFiles, EachHasOneAnchorPerTopicAndSaysItIsUtf8) {
    for (const char* name : {"VireoE.htm", "VireoS.htm"}) {
        const std::string text = ReadHelpFile(name);
        if (text.empty())
            GTEST_SKIP() << "the source tree is not reachable from here (cross-compiled run)";
        EXPECT_EQ(Count(text, "<meta charset=\"utf-8\">"), 1u) << name;
        for (const int topic : {101, 105, 107, 108, 109, 110}) {
            const std::string anchor = "id=\"" + base::HelpTopicAnchor(topic) + "\"";
            EXPECT_EQ(Count(text, anchor), 1u) << name << " " << anchor;
            EXPECT_EQ(Count(text, "<h2 " + anchor + ">"), 1u) << name << " " << anchor;
        }
        // Every in-page link leads to an anchor that exists.
        for (size_t at = text.find("href=\"#"); at != std::string::npos; at = text.find("href=\"#", at + 1)) {
            const size_t start = at + 7;
            const std::string target = text.substr(start, text.find('"', start) - start);
            EXPECT_EQ(Count(text, "id=\"" + target + "\""), 1u) << name << " #" << target;
        }
        EXPECT_NE(text.find("-auto_delete"), std::string::npos) << name;
        EXPECT_NE(text.find("-keep="), std::string::npos) << name;
        EXPECT_NE(text.find("-delete="), std::string::npos) << name;
        EXPECT_NE(text.find(".reg"), std::string::npos) << name;
    }
}
