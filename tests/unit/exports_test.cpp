#include "plugin_fixture.h"

#include <gmock/gmock.h>

#include <array>
#include <string>

namespace {

using ::testing::ElementsAre;

class ExportsTest : public PluginTest {};

std::string Answer(const char* key, std::int32_t limit = 256, std::int32_t* result = nullptr) {
  std::array<char, 256> buffer;
  buffer.fill('#');
  const std::int32_t answered = PluginFunc_GetStrVal(key, buffer.data(), limit);
  if (result != nullptr) *result = answered;
  return answered == 1 ? std::string(buffer.data()) : std::string("<unanswered>");
}

TEST_F(ExportsTest, AnswersEveryKnownKeyWithItsText) {
  struct Case {
    const char* key;
    const char* text;
  };
  const Case cases[] = {
      {"displayname", "VeskMultiMonitor"},
      {"updateurl", ""},
      {"shortdescription", "Display VESK on active monitor and/or center VESK main window."},
      {"longdescription",
       "Adds support for multiple monitors by displaying the VESK main window on the currently "
       "active monitor and/or allows centering the VESK main window on the screen."},
      {"advconfigstring", "Advanced Options"},
      {"readmestring", "View Help File"},
      {"iconfilename", "multimonitor.ico"},
      {"regexstr", ""},
      {"regexfilterstr", ""},
      {"keywordstr", ""},
      {"scorestr", ""},
      {"aliasstr", "multimonitor"},
  };
  for (const Case& c : cases) EXPECT_EQ(Answer(c.key), c.text) << c.key;
  EXPECT_EQ(Answer("longdescription").size(), 161u);
}

TEST_F(ExportsTest, AuthorCarriesAHandleInParenthesesAndHomepageIsAWebAddress) {
  const std::string author = Answer("author");
  EXPECT_THAT(author, ::testing::MatchesRegex(".+ \\(.+\\)"));
  EXPECT_THAT(Answer("homepageurl"), ::testing::StartsWith("https://"));
}

TEST_F(ExportsTest, VersionTextsWithoutAVersionResource) {
  EXPECT_EQ(Answer("versionstring"), "0.0.0");
  EXPECT_EQ(Answer("releasedatestring"), "");
}

TEST_F(ExportsTest, VersionTextsAreReadFromTheLibraryOnEveryQuery) {
  fake::setVersionResource(kLibraryPath,
                           {{"\\StringFileInfo\\000004b0\\FileVersion", "1.1.0"},
                            {"\\StringFileInfo\\000004b0\\SpecialBuild", "10. May 2009"}});
  EXPECT_EQ(Answer("versionstring"), "1.1.0");
  EXPECT_EQ(Answer("releasedatestring"), "10. May 2009");
  fake::setVersionResource(kLibraryPath, {{"\\StringFileInfo\\000004b0\\FileVersion", "2, 5"}});
  EXPECT_EQ(Answer("versionstring"), "2.5.0");
  EXPECT_EQ(Answer("releasedatestring"), "");
}

TEST_F(ExportsTest, CutsAnswersToTheLimitAndTerminatesThem) {
  std::int32_t result = 0;
  EXPECT_EQ(Answer("displayname", 5, &result), "Vesk");
  EXPECT_EQ(result, 1);
  EXPECT_EQ(Answer("displayname", 1, &result), "");
  EXPECT_EQ(result, 1);
  EXPECT_EQ(Answer("displayname", 16, &result), "VeskMultiMonito");
  EXPECT_EQ(Answer("displayname", 17, &result), "VeskMultiMonitor");
}

TEST_F(ExportsTest, UnknownKeysLeaveTheBufferUntouched) {
  for (const char* key : {"DisplayName", "", "displayname ", "nosuchkey"}) {
    std::array<char, 8> buffer;
    buffer.fill('#');
    EXPECT_EQ(PluginFunc_GetStrVal(key, buffer.data(), 8), 0) << '"' << key << '"';
    EXPECT_EQ(std::string(buffer.data(), 8), "########");
  }
}

TEST_F(ExportsTest, RefusesNullPointersAndLimitsBelowOne) {
  std::array<char, 4> buffer;
  buffer.fill('#');
  EXPECT_EQ(PluginFunc_GetStrVal("displayname", buffer.data(), 0), 0);
  EXPECT_EQ(PluginFunc_GetStrVal("displayname", buffer.data(), -5), 0);
  EXPECT_EQ(std::string(buffer.data(), 4), "####");
  EXPECT_EQ(PluginFunc_GetStrVal(nullptr, buffer.data(), 4), 0);
  EXPECT_EQ(PluginFunc_GetStrVal("displayname", nullptr, 4), 0);
  EXPECT_EQ(PluginFunc_SupportCheck(nullptr), 0);
  EXPECT_EQ(PluginFunc_SetStrVal(nullptr, nullptr), 0);
  EXPECT_EQ(PluginFunc_Request_TextResultCharp(nullptr), 0);
}

TEST_F(ExportsTest, SupportsOnlyItsOwnApiFamily) {
  EXPECT_EQ(PluginFunc_SupportCheck("veskapi"), 1);
  EXPECT_EQ(PluginFunc_SupportCheck("VESKAPI"), 0);
  EXPECT_EQ(PluginFunc_SupportCheck("veskapi "), 0);
  EXPECT_EQ(PluginFunc_SupportCheck(""), 0);
}

TEST_F(ExportsTest, FixedSearchAnswers) {
  EXPECT_EQ(PluginFunc_SetState(1), 1);
  EXPECT_EQ(PluginFunc_Ask_WantFeature(0), 0);
  EXPECT_EQ(PluginFunc_Ask_WantFeature(12345), 0);
  EXPECT_EQ(PluginFunc_Ask_SearchState(), 0);
  EXPECT_EQ(PluginFunc_Ask_IsAnyResultAvailable(), 0);
  EXPECT_EQ(PluginFunc_Ask_HowManyItemResultsAreReady(), 0);
  EXPECT_EQ(PluginFunc_Inform_SearchBegins(), 0);
  EXPECT_EQ(PluginFunc_Inform_RegexSearchMatch(), 0);
  EXPECT_EQ(PluginFunc_Allow_ProcessTrigger(), 0);
  EXPECT_EQ(PluginFunc_Do_AdjustResultScore(), 0);
  const char* text = "not cleared";
  EXPECT_EQ(PluginFunc_Request_TextResultCharp(&text), 0);
  EXPECT_EQ(text, nullptr);
}

struct Notification {
  std::int32_t pluginId;
  std::int32_t zero;
  std::int32_t state;
};
std::vector<Notification> notifications;

std::int32_t VMM_CDECL RecordNotification(std::int32_t pluginId, std::int32_t zero,
                                          std::int32_t state) {
  notifications.push_back(Notification{pluginId, zero, state});
  return 42;
}

TEST_F(ExportsTest, NotifiesTheHostWhenASearchEndsOrResultsAreUnlocked) {
  notifications.clear();
  EXPECT_EQ(PluginFunc_Inform_SearchEnds(), 0) << "no callback registered yet";
  EXPECT_EQ(
      PluginFunc_SetStrVal("NotifySearchCallback", reinterpret_cast<void*>(&RecordNotification)),
      0);
  EXPECT_EQ(PluginFunc_Inform_SearchEnds(), 0) << "a key differing in case stores nothing";

  EXPECT_EQ(
      PluginFunc_SetStrVal("notifysearchcallback", reinterpret_cast<void*>(&RecordNotification)),
      0);
  EXPECT_EQ(PluginFunc_Inform_SearchEnds(), 42);
  ASSERT_EQ(notifications.size(), 1u);
  EXPECT_EQ(notifications[0].pluginId, 0) << "before initialisation the id is 0";
  EXPECT_EQ(notifications[0].zero, 0);
  EXPECT_EQ(notifications[0].state, 0);

  EXPECT_EQ(PluginFunc_Request_LockResults(1), 1);
  EXPECT_EQ(notifications.size(), 1u) << "locking changes nothing";
  EXPECT_EQ(PluginFunc_Request_LockResults(0), 1);
  EXPECT_EQ(notifications.size(), 2u);
}

TEST_F(ExportsTest, ItemResultsAreFixedAndCopiedWithinTheLimit) {
  PluginFunc_DoInit("C:\\x\\VeskMultiMonitor.dll", 3, nullptr, nullptr, nullptr, nullptr);
  std::array<char, 32> path, title, empty, folder;
  path.fill('#');
  title.fill('#');
  empty.fill('#');
  folder.fill('#');
  std::int32_t n6 = -1, n8 = -1, n10 = -1;
  EXPECT_EQ(PluginFunc_Request_ItemResultByIndex(5, path.data(), title.data(), empty.data(),
                                                 folder.data(), &n6, 20, &n8, nullptr, &n10),
            1);
  EXPECT_EQ(std::string(path.data()), "replacewith_path");
  EXPECT_EQ(std::string(path.data() + 16, 4), std::string(4, '\0')) << "padded with zeros";
  EXPECT_EQ(path[20], '#') << "nothing beyond the limit";
  EXPECT_EQ(std::string(title.data()), "replacewith_title");
  EXPECT_EQ(empty[0], '\0');
  EXPECT_EQ(empty[1], '#');
  EXPECT_EQ(std::string(folder.data()), "C:\\x\\");
  EXPECT_EQ(n6, 0);
  EXPECT_EQ(n8, 2);
  EXPECT_EQ(n10, 1);

  // A text as long as the limit fills it without a terminator.
  path.fill('#');
  PluginFunc_Request_ItemResultByIndex(0, path.data(), title.data(), empty.data(), folder.data(),
                                       &n6, 16, &n8, nullptr, &n10);
  EXPECT_EQ(std::string(path.data(), 17), "replacewith_path#");

  // Limits below 1 write no text at all beyond the single empty one.
  path.fill('#');
  title.fill('#');
  EXPECT_EQ(PluginFunc_Request_ItemResultByIndex(0, path.data(), title.data(), empty.data(),
                                                 folder.data(), &n6, -3, &n8, nullptr, &n10),
            1);
  EXPECT_EQ(path[0], '#');
  EXPECT_EQ(title[0], '#');

  // A null address anywhere: nothing written, not reported as done.
  n6 = -1;
  path.fill('#');
  EXPECT_EQ(PluginFunc_Request_ItemResultByIndex(0, path.data(), title.data(), empty.data(),
                                                 folder.data(), &n6, 20, nullptr, nullptr, &n10),
            0);
  EXPECT_EQ(n6, -1);
  EXPECT_EQ(path[0], '#');
}

TEST_F(ExportsTest, ReadmeOpensBesideTheHostGivenPath) {
  PluginFunc_DoInit("C:\\x\\VeskMultiMonitor.dll", 3, nullptr, nullptr, nullptr, nullptr);
  EXPECT_EQ(PluginFunc_DoShowReadMe(), 1);
  EXPECT_THAT(fake::shellOpened(), ElementsAre("C:\\x\\readme.txt"));
}

TEST_F(ExportsTest, ReadmeBeyondThePathLimitIsNotOpened) {
  const std::string folder = "C:\\" + std::string(246, 'f') + "\\";  // 250 characters
  const std::string library = folder + "VeskMultiMonitor.dll";
  PluginFunc_DoInit(library.c_str(), 3, nullptr, nullptr, nullptr, nullptr);
  EXPECT_EQ(pluginState.pluginFolder.HostText(), folder);
  EXPECT_EQ(PluginFunc_DoShowReadMe(), 1);
  EXPECT_TRUE(fake::shellOpened().empty());

  const std::string fits = "C:\\" + std::string(245, 'f') + "\\";  // 249: 259 with readme.txt
  PluginFunc_DoInit((fits + "x.dll").c_str(), 3, nullptr, nullptr, nullptr, nullptr);
  PluginFunc_DoShowReadMe();
  EXPECT_THAT(fake::shellOpened(), ElementsAre(fits + "readme.txt"));
}

TEST_F(ExportsTest, PluginFolderKeepsItsBackslashAndIsCutToThePathLimit) {
  struct Case {
    std::string path;
    std::string folder;
  };
  const Case cases[] = {
      {"C:\\Apps\\Plugins\\MultiMonitor\\VeskMultiMonitor.dll",
       "C:\\Apps\\Plugins\\MultiMonitor\\"},
      {"VeskMultiMonitor.dll", "VeskMultiMonitor.dll"},
      {"D:\\plugin.dll", "D:\\"},
      {"", ""},
      // Cut to 259 characters first, then after the last backslash left in it.
      {"C:\\" + std::string(300, 'a') + "\\x.dll", "C:\\"},
      {"C:\\" + std::string(250, 'a') + "\\" + std::string(20, 'b'),
       "C:\\" + std::string(250, 'a') + "\\"},
  };
  for (const Case& c : cases) {
    PluginFunc_DoInit(c.path.c_str(), 1, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(pluginState.pluginFolder.HostText(), c.folder) << c.path;
  }
  PluginFunc_DoInit(nullptr, 1, nullptr, nullptr, nullptr, nullptr);
  EXPECT_EQ(pluginState.pluginFolder.HostText(), "");
}

}  // namespace
