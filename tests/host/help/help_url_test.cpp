#include "base/help_url.h"

#include <gtest/gtest.h>

using base::HelpTopicUrl;

TEST(HelpTopicUrl, ProgramFolderPathsBecomeFileUrlsAtTheTopicAnchor) {
    EXPECT_EQ(HelpTopicUrl("C:\\Vireo\\VireoE.htm", 101), "file:///C:/Vireo/VireoE.htm#topic101");
    EXPECT_EQ(HelpTopicUrl("C:\\Program Files\\Vireo\\VireoS.htm", 110),
              "file:///C:/Program%20Files/Vireo/VireoS.htm#topic110");
    EXPECT_EQ(HelpTopicUrl("D:/Tools/VireoE.htm", 105), "file:///D:/Tools/VireoE.htm#topic105");
    EXPECT_EQ(HelpTopicUrl("C:\\Vireo\\VireoE.htm", 0), "file:///C:/Vireo/VireoE.htm");
}

TEST(HelpTopicUrl, CharactersThatWouldCutOrChangeThePathAreEncoded) {
    // '#' would start the fragment, '?' a query, '%' an escape of its own: each must stay part of the path.
    EXPECT_EQ(HelpTopicUrl("C:\\C# tools\\50% off?\\VireoE.htm", 107),
              "file:///C:/C%23%20tools/50%25%20off%3F/VireoE.htm#topic107");
    EXPECT_EQ(HelpTopicUrl("C:\\a[1]{2}^`|\"<>\\VireoE.htm", 101),
              "file:///C:/a%5B1%5D%7B2%7D%5E%60%7C%22%3C%3E/VireoE.htm#topic101");
    // Characters a path may hold stay readable.
    EXPECT_EQ(HelpTopicUrl("C:\\Tom's (old) tools;+=,!$&*@~_-.\\VireoE.htm", 101),
              "file:///C:/Tom's%20(old)%20tools;+=,!$&*@~_-./VireoE.htm#topic101");
}

TEST(HelpTopicUrl, NonAsciiFoldersAreEncodedAsUtf8Bytes) {
    EXPECT_EQ(HelpTopicUrl("C:\\Ohjelmat\\Työkalut\\VireoS.htm", 108),
              "file:///C:/Ohjelmat/Ty%C3%B6kalut/VireoS.htm#topic108");
    EXPECT_EQ(HelpTopicUrl("C:\\\xE6\x97\xA5\xE6\x9C\xAC\\VireoE.htm", 109),
              "file:///C:/%E6%97%A5%E6%9C%AC/VireoE.htm#topic109");
}

TEST(HelpTopicUrl, LongPathPrefixesAndNetworkShares) {
    EXPECT_EQ(HelpTopicUrl("\\\\?\\C:\\Very\\Deep\\VireoE.htm", 101), "file:///C:/Very/Deep/VireoE.htm#topic101");
    EXPECT_EQ(HelpTopicUrl("\\\\server\\share\\Vireo\\VireoE.htm", 101),
              "file://server/share/Vireo/VireoE.htm#topic101");
    EXPECT_EQ(HelpTopicUrl("\\\\?\\UNC\\server\\share\\VireoS.htm", 105), "file://server/share/VireoS.htm#topic105");
    EXPECT_EQ(HelpTopicUrl("\\\\?\\unc\\server\\my share\\VireoS.htm", 105),
              "file://server/my%20share/VireoS.htm#topic105");
}
