#include "settings/plugin_options.h"
#include "settings/settings_file.h"
#include "tests/fake/fake_desktop.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <type_traits>
#include <vector>

namespace {

constexpr const char* kDirectory = "D:\\Tools\\MultiMon";
constexpr const char* kPath = "D:\\Tools\\MultiMon\\VESK_MultiMonitor.ini";

// The host's folder text (8-bit, trailing backslash) cannot stand for the
// plugin's own directory (UTF-8, none), nor a bare string for either.
static_assert(!std::is_constructible_v<SettingsFile, PluginFolder>);
static_assert(!std::is_constructible_v<PluginDirectory, PluginFolder>);
static_assert(!std::is_constructible_v<PluginFolder, PluginDirectory>);
static_assert(!std::is_convertible_v<std::string, PluginDirectory>);
static_assert(!std::is_convertible_v<std::string, PluginFolder>);

class SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override { fake::reset(); }
  void TearDown() override { fake::reset(); }
  SettingsFile settings{PluginDirectory(kDirectory)};
};

TEST_F(SettingsTest, PathIsTheDirectoryAndTheFileNameConcatenated) {
  EXPECT_EQ(settings.Path(), kPath);
  EXPECT_EQ(SettingsFile(PluginDirectory("D:\\")).Path(), "D:\\\\VESK_MultiMonitor.ini");
}

TEST_F(SettingsTest, PluginDirectoryIsTheLibraryFolderWithoutItsSeparator) {
  struct Case {
    const char* library;
    const char* directory;
  };
  const Case cases[] = {
      {"D:\\Tools\\MultiMon\\plugin.dll", "D:\\Tools\\MultiMon"},
      {"D:\\plugin.dll", "D:\\"},
      {"\\\\server\\share\\plugin.dll", "\\\\server\\share"},
      {"plugin.dll", ""},
      // Characters beyond the basic plane, two UTF-16 units each.
      {"D:\\\xF0\x9D\x94\xAD\xF0\x9D\x94\xA9\\plugin.dll", "D:\\\xF0\x9D\x94\xAD\xF0\x9D\x94\xA9"},
  };
  for (const Case& c : cases) {
    fake::setModuleFileName(5, c.library);
    EXPECT_EQ(PluginDirectoryOf(5).Utf8(), c.directory) << c.library;
  }
  fake::setModuleFileName(5, "D:\\plugin.dll");
  EXPECT_EQ(SettingsFile(PluginDirectoryOf(5)).Path(), "D:\\\\VESK_MultiMonitor.ini");
}

// Each field starts away from its row's default, so that the load must
// assign every one of them.
TEST_F(SettingsTest, LoadWithoutAFileGivesEachRowsDefaultAndCreatesNoFile) {
  PluginOptions options;
  for (const OptionEntry& row : kOptionTable) {
    if (row.flag != nullptr) options.*row.flag = row.defaultValue == 0;
    if (row.number != nullptr) options.*row.number = row.defaultValue + 1;
  }
  options.Load(settings);
  for (const OptionEntry& row : kOptionTable) {
    const std::int32_t loaded = row.flag != nullptr ? options.*row.flag : options.*row.number;
    EXPECT_EQ(loaded, row.defaultValue) << row.key;
  }
  EXPECT_FALSE(fake::fileExists(kPath));
}

std::string Trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// readme.txt lists every setting once as "name  [Key]  default", with the
// name the row gives and the row's default ("on" and "off" for flags).
TEST(OptionTableTest, ReadmeListsEveryRowWithItsNameKeyAndDefault) {
  std::ifstream readme(VMM_README_PATH);
  ASSERT_TRUE(readme) << VMM_README_PATH;
  std::vector<std::string> lines;
  for (std::string line; std::getline(readme, line);) lines.push_back(line);
  for (const OptionEntry& row : kOptionTable) {
    const std::string key = std::string("[") + row.key + "]";
    std::vector<std::string> found;
    for (const std::string& line : lines) {
      if (line.find(key) != std::string::npos) found.push_back(line);
    }
    ASSERT_EQ(found.size(), 1u) << key;
    const std::size_t at = found[0].find(key);
    EXPECT_EQ(Trimmed(found[0].substr(0, at)), row.readmeName) << key;
    const std::string fallback = row.flag == nullptr     ? std::to_string(row.defaultValue)
                                 : row.defaultValue != 0 ? "on"
                                                         : "off";
    EXPECT_EQ(Trimmed(found[0].substr(at + key.size())), fallback) << key;
  }
}

TEST_F(SettingsTest, LoadTakesStoredValuesPercentagesInRangeAndDefaultsForTheRest) {
  fake::setFileText(kPath,
                    "[Options]\r\nEnableHotkeys=2\r\nEnableMultiMonitor=0\r\nMoveRelative=true\r\n"
                    "ResizePercentValue=250\r\nResizePercentValueV=0\r\nResizePercentValueH=50\r\n"
                    "CenterAlways=1\r\n");
  PluginOptions options;
  options.Load(settings);
  EXPECT_TRUE(options.enableHotkeys);
  EXPECT_FALSE(options.enableMultiMonitor);
  EXPECT_FALSE(options.moveRelative) << "a word reads as 0";
  EXPECT_TRUE(options.resizeRelative) << "absent: default";
  EXPECT_TRUE(options.centerAlways);
  EXPECT_EQ(options.resizePercentValue, 100) << "the width is never read from the H key";
  EXPECT_EQ(options.resizePercentValueV, 10);
}

TEST_F(SettingsTest, ReadsOnlyTheOptionsSection) {
  fake::setFileText(kPath, "[Other]\r\nCenter=1\r\n[Options]\r\nMoveRelative=0\r\n");
  PluginOptions options;
  options.Load(settings);
  EXPECT_FALSE(options.center);
  EXPECT_FALSE(options.moveRelative);
}

TEST_F(SettingsTest, WritesBooleansAsDigitsAndIntegersAsPlainDecimal) {
  settings.WriteBool("Center", true);
  settings.WriteBool("CenterAlways", false);
  settings.WriteInt("ResizePercentValue", 100);
  settings.WriteInt("ResizePercentValueV", -5);
  EXPECT_EQ(fake::fileText(kPath),
            "[Options]\r\nCenter=1\r\nCenterAlways=0\r\nResizePercentValue=100\r\n"
            "ResizePercentValueV=-5\r\n");
  EXPECT_EQ(settings.ReadInt("ResizePercentValueV"), -5);
  EXPECT_TRUE(settings.ReadBool("Center", false));
  EXPECT_FALSE(settings.ReadBool("CenterAlways", true));
}

TEST_F(SettingsTest, RewritingAKeyChangesOnlyItsValueAndKeepsOtherLines) {
  // Blank lines do not survive a write (the profile functions write the file
  // anew); tests/shared/settings_cases.h pins that down against Wine.
  fake::setFileText(kPath, "; mine\r\n[Options]\r\nA=1\r\nB=2\r\n[Later]\r\nC=3\r\n");
  settings.WriteInt("A", 7);
  settings.WriteInt("New", 9);
  EXPECT_EQ(fake::fileText(kPath),
            "; mine\r\n[Options]\r\nA=7\r\nB=2\r\nNew=9\r\n[Later]\r\nC=3\r\n");
}

TEST_F(SettingsTest, AFailedWriteIsNotNoticed) {
  fake::setFileReadOnly(kPath, true);
  settings.WriteInt("ResizePercentValue", 50);
  EXPECT_FALSE(fake::fileExists(kPath));
  EXPECT_EQ(settings.ReadInt("ResizePercentValue"), 80);
}

}  // namespace
