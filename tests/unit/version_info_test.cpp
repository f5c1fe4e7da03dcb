#include "plugin/version_info.h"

#include "plugin_fixture.h"
#include "settings/settings_file.h"

#include <string>

#include <gtest/gtest.h>

namespace {

constexpr const char* kFileVersion = "\\StringFileInfo\\000004b0\\FileVersion";
constexpr const char* kSpecialBuild = "\\StringFileInfo\\000004b0\\SpecialBuild";

TEST(VersionInfo, TakesFileVersionApartAtCommasAndFullStops) {
  struct Case {
    const char* fileVersion;
    std::uint32_t major, minor, build, revision;
    const char* text;
  };
  const Case cases[] = {
      {"1.1.0", 1, 1, 0, 0, "1.1.0"},
      {"1, 1, 0, 0", 1, 1, 0, 0, "1.1.0"},
      {"2", 2, 0, 0, 0, "2.0.0"},
      {"2.5", 2, 5, 0, 0, "2.5.0"},
      {"1.2.3.4.5", 1, 2, 3, 4, "1.2.3"},
      {"1..2", 1, 2, 0, 0, "1.2.0"},
      {".3.4.", 3, 4, 0, 0, "3.4.0"},
      {"beta.2.3", 0, 2, 3, 0, "0.2.3"},
      {"3rc1.0.7", 3, 0, 7, 0, "3.0.7"},
      {"1.01.0", 1, 1, 0, 0, "1.1.0"},
      {"4294967296.1", 0, 1, 0, 0, "0.1.0"},
      {"4294967295.1", 4294967295u, 1, 0, 0, "4294967295.1.0"},
      {"-1.2", 0, 2, 0, 0, "0.2.0"},
      {"", 0, 0, 0, 0, "0.0.0"},
      {",.,", 0, 0, 0, 0, "0.0.0"},
  };
  for (const Case& c : cases) {
    VersionInfo info;
    info.setFileVersion(c.fileVersion);
    EXPECT_EQ(info.major, c.major) << c.fileVersion;
    EXPECT_EQ(info.minor, c.minor) << c.fileVersion;
    EXPECT_EQ(info.build, c.build) << c.fileVersion;
    EXPECT_EQ(info.revision, c.revision) << c.fileVersion;
    EXPECT_EQ(info.versionText(), c.text) << c.fileVersion;
  }
}

class VersionInfoLoadTest : public PluginTest {};

TEST_F(VersionInfoLoadTest, ReadsOnlyTheNeutralUnicodeBlockOfTheOwnLibrary) {
  struct Case {
    const char* name;
    std::map<std::string, std::string> values;
    const char* version;
    const char* releaseDate;
  };
  const Case cases[] = {
      {"both", {{kFileVersion, "1.1.0"}, {kSpecialBuild, "10. May 2009"}}, "1.1.0", "10. May 2009"},
      {"no special build", {{kFileVersion, "1.1.0"}}, "1.1.0", ""},
      {"no file version", {{kSpecialBuild, "10. May 2009"}}, "0.0.0", "10. May 2009"},
      {"US English block",
       {{"\\StringFileInfo\\040904b0\\FileVersion", "1.1.0"},
        {"\\StringFileInfo\\040904b0\\SpecialBuild", "10. May 2009"}},
       "0.0.0",
       ""},
  };
  for (const Case& c : cases) {
    fake::setVersionResource(kLibraryPath, c.values);
    const VersionInfo info = VersionInfo::load(kPluginModule);
    EXPECT_EQ(info.versionText(), c.version) << c.name;
    EXPECT_EQ(info.releaseDate, c.releaseDate) << c.name;
  }
  fake::setVersionResource("C:\\Host\\vesk.exe", {{kFileVersion, "9.9.9"}});
  fake::setVersionResource(kLibraryPath, {});
  EXPECT_EQ(VersionInfo::load(kPluginModule).versionText(), "0.0.0");
}

// A module path that does not fit is cut to one character less than the
// buffer, which keeps the terminator (Windows since Vista; the fake does the
// same): each reader asks for the buffer its limit needs. The limits count
// characters, whatever the folder's script takes in UTF-8; the
// settings file is read and written at exactly the path found.
TEST_F(VersionInfoLoadTest, ModulePathsAtTheBuffersLengthStayInsideIt) {
  struct Script {
    const char* name;
    const char* folderLetter;  // one character each
    const char* fileLetter;
  };
  const Script scripts[] = {
      {"Latin", "p", "f"},
      {"Cyrillic", "\xD0\x9F", "\xD1\x84"},     // П ф
      {"CJK", "\xE6\x8F\x92", "\xE4\xBB\xB6"},  // 插 件
  };
  // Written in Latin: 'p' and 'f' stand for the script's letters.
  const std::string latinFolder = "C:\\" + std::string(200, 'p');
  for (const Script& script : scripts) {
    const auto inScript = [&](const std::string& latin) {
      std::string text;
      for (const char c : latin) {
        text += c == 'p' ? script.folderLetter : c == 'f' ? script.fileLetter : std::string(1, c);
      }
      return text;
    };
    const std::string folder = inScript(latinFolder);
    const std::string settingsPath = folder + "\\VESK_MultiMonitor.ini";
    for (const std::size_t length : {210u, 257u, 258u, 259u, 260u, 400u}) {
      SCOPED_TRACE(testing::Message() << script.name << ", " << length << " characters");
      const std::string latinPath =
          latinFolder + "\\" + std::string(length - latinFolder.size() - 1, 'f');
      ASSERT_EQ(latinPath.size(), length);
      fake::reset();
      fake::setModuleFileName(kPluginModule, inScript(latinPath));
      // The version texts read up to 258 characters of it, the settings up to 259.
      fake::setVersionResource(inScript(latinPath.substr(0, 258)), {{kFileVersion, "2.3.4"}});
      EXPECT_EQ(VersionInfo::load(kPluginModule).versionText(), "2.3.4");
      EXPECT_EQ(PluginDirectoryOf(kPluginModule).Utf8(), folder);

      const SettingsFile settings(PluginDirectoryOf(kPluginModule));
      EXPECT_EQ(settings.Path(), settingsPath);
      settings.WriteInt(kKeyResizePercentValueH, 50);
      EXPECT_EQ(fake::fileText(settingsPath), "[Options]\r\nResizePercentValueH=50\r\n");
      fake::setFileText(settingsPath, "[Options]\r\nCenter=1\r\nResizePercentValue=30\r\n");
      PluginOptions options;
      options.Load(settings);
      EXPECT_TRUE(options.center);
      EXPECT_EQ(options.resizePercentValue, 30);
    }
  }

  // A character beyond the basic plane takes two of the 258: one cut in half
  // comes back as U+FFFD, as the conversion from UTF-16 gives it.
  const std::string letter = "\xF0\x9D\x94\xA3";  // 𝔣
  std::string name = "a";
  for (int i = 0; i < 30; ++i) name += letter;
  const std::string path = latinFolder + "\\" + name;  // 204 + 1 + 60 characters
  std::string cut = latinFolder + "\\a";
  for (int i = 0; i < 26; ++i) cut += letter;
  fake::reset();
  fake::setModuleFileName(kPluginModule, path);
  fake::setVersionResource(cut + "\xEF\xBF\xBD", {{kFileVersion, "2.3.4"}});
  EXPECT_EQ(VersionInfo::load(kPluginModule).versionText(), "2.3.4");
}

}  // namespace
