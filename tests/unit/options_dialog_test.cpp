#include "settings/options_dialog.h"

#include "resources/resource_ids.h"
#include "tracking_fixture.h"

#include <gmock/gmock.h>

#include <string>

namespace {

using ::testing::ElementsAre;

class OptionsDialogTest : public TrackingTest {
 protected:
  // Opens the dialog through the export with `user` at the controls.
  void openWith(fake::DialogUser user) {
    fake::setDialogUser(std::move(user));
    EXPECT_EQ(PluginFunc_DoAdvConfig(), 1);
  }
};

struct CheckState {
  int id;
  bool checked;
};

TEST_F(OptionsDialogTest, WithoutAFileShowsTheDefaultsAndCancelWritesNothing) {
  init();
  fake::setActiveWindow(host);
  bool seen = false;
  openWith([&](platform::WindowHandle dialog) {
    seen = true;
    const CheckState expected[] = {
        {IDC_ENABLE_MULTI_MONITOR, true},  {IDC_RESIZE_RELATIVE, true},
        {IDC_MOVE_RELATIVE, true},         {IDC_CENTER, false},
        {IDC_CENTER_ALWAYS, false},        {IDC_SHOW_ON_MONITOR_WITH_MOUSE, false},
        {IDC_ENABLE_HOTKEYS, true},        {IDC_RESIZE_PERCENT, false},
        {IDC_RESIZE_PERCENT_V, false},     {IDC_USE_WORK_AREA, false},
        {IDC_USE_BOTH_AXES, false},        {IDC_KEEP_ON_SCREEN, false},
        {IDC_REMEMBER_PER_MONITOR, false},
    };
    for (const CheckState& box : expected) {
      EXPECT_EQ(fake::isChecked(dialog, box.id), box.checked) << box.id;
    }
    EXPECT_EQ(fake::controlText(dialog, IDC_RESIZE_PERCENT_VALUE), "80");
    EXPECT_EQ(fake::controlText(dialog, IDC_RESIZE_PERCENT_VALUE_V), "80");
    EXPECT_THAT(fake::listItems(dialog, IDC_SHOW_ON_MONITOR),
                ElementsAre("the active monitor", "the primary monitor", "monitor 1", "monitor 2",
                            "monitor 3", "monitor 4", "monitor 5", "monitor 6", "monitor 7",
                            "monitor 8", "monitor 9"));
    EXPECT_EQ(fake::selectedItem(dialog, IDC_SHOW_ON_MONITOR), "the active monitor");
    fake::setChecked(dialog, IDC_CENTER, true);
    fake::pressButton(dialog, platform::kIdCancel);
  });
  EXPECT_TRUE(seen);
  ASSERT_EQ(fake::dialogRuns().size(), 1u);
  EXPECT_EQ(fake::dialogRuns()[0].templateId, IDD_OPTIONS);
  EXPECT_EQ(fake::dialogRuns()[0].module, kPluginModule);
  EXPECT_EQ(fake::dialogRuns()[0].owner, host);
  EXPECT_FALSE(fake::dialogRuns()[0].focusMovedToFirstControl);
  EXPECT_FALSE(fake::fileExists(kSettingsPath));
  EXPECT_FALSE(controller().options.center);
}

TEST_F(OptionsDialogTest, OkAtOnceWritesEveryKeyInItsOrder) {
  init();
  openWith([](platform::WindowHandle dialog) { fake::pressButton(dialog, platform::kIdOk); });
  EXPECT_EQ(fake::fileText(kSettingsPath),
            "[Options]\r\n"
            "EnableMultiMonitor=1\r\nMoveRelative=1\r\nResizeRelative=1\r\n"
            "ShowOnMonitorWithMouse=0\r\nCenter=0\r\nCenterAlways=0\r\nEnableHotkeys=1\r\n"
            "ResizePercent=0\r\nResizePercentV=0\r\nResizePercentValue=80\r\n"
            "ResizePercentValueV=80\r\nUseWorkArea=0\r\nUseBothAxes=0\r\nKeepOnScreen=0\r\n"
            "RememberPerMonitor=0\r\n"
            "ShowOnPrimaryMonitor=0\r\nShowOnMonitorNumber=0\r\n");
}

// What a row's control shows, and the user setting it, in the row's terms:
// a flag 0 or 1, a number.
std::int32_t Shown(platform::WindowHandle dialog, const OptionEntry& row) {
  switch (row.control) {
    case OptionControl::kCheckBox:
      return fake::isChecked(dialog, row.controlId) ? 1 : 0;
    case OptionControl::kNumberEdit:
      return std::stoi(fake::controlText(dialog, row.controlId));
    case OptionControl::kMonitorChoice: {
      const std::string item = fake::selectedItem(dialog, row.controlId);
      if (row.flag != nullptr) return item == "the primary monitor" ? 1 : 0;
      return item.rfind("monitor ", 0) == 0 ? std::stoi(item.substr(8)) : 0;
    }
  }
  return -1;
}

void SetShown(platform::WindowHandle dialog, const OptionEntry& row, std::int32_t value) {
  switch (row.control) {
    case OptionControl::kCheckBox:
      fake::setChecked(dialog, row.controlId, value != 0);
      break;
    case OptionControl::kNumberEdit:
      fake::setControlText(dialog, row.controlId, std::to_string(value));
      break;
    case OptionControl::kMonitorChoice:
      fake::selectItem(
          dialog, row.controlId,
          row.flag != nullptr ? "the primary monitor" : "monitor " + std::to_string(value));
      break;
  }
}

// A value of the row other than its default, within what its control offers.
std::int32_t OtherThanDefault(const OptionEntry& row) {
  if (row.flag != nullptr) return row.defaultValue == 0 ? 1 : 0;
  return row.defaultValue == row.highest ? row.lowest : row.highest - 1;
}

class OptionRowTest : public OptionsDialogTest,
                      public ::testing::WithParamInterface<std::size_t> {};

// Each row of the options table: its control set away from the default is
// written under its key by OK and reaches the live options; the next dialog
// shows it there and every other row at its default.
TEST_P(OptionRowTest, OkWritesTheControlUnderItsKeyAndTheNextDialogShowsIt) {
  const OptionEntry& row = kOptionTable[GetParam()];
  const std::int32_t value = OtherThanDefault(row);
  init();
  openWith([&](platform::WindowHandle dialog) {
    EXPECT_EQ(Shown(dialog, row), row.defaultValue) << "without a file";
    SetShown(dialog, row, value);
    fake::pressButton(dialog, platform::kIdOk);
  });
  const SettingsFile settings{PluginDirectory(kPluginDirectory)};
  EXPECT_EQ(settings.ReadInt(row.key, -99), value);
  const PluginOptions& live = controller().options;
  EXPECT_EQ(row.flag != nullptr ? live.*row.flag : live.*row.number, value);
  openWith([&](platform::WindowHandle dialog) {
    for (const OptionEntry& other : kOptionTable) {
      EXPECT_EQ(Shown(dialog, other), &other == &row ? value : other.defaultValue) << other.key;
    }
  });
}

INSTANTIATE_TEST_SUITE_P(EveryRow, OptionRowTest, ::testing::Range<std::size_t>(0, kOptionCount),
                         [](const ::testing::TestParamInfo<std::size_t>& param) {
                           return std::string(kOptionTable[param.param].key);
                         });

// The monitor choice over the two keys behind it.
struct MonitorChoiceRow {
  const char* name;
  const char* file;    // the [Options] lines before the dialog opens
  const char* shown;   // the item selected when it opens
  const char* chosen;  // what the user selects; nullptr: nothing
  std::int32_t primarySaved;
  std::int32_t numberSaved;
};

const MonitorChoiceRow kMonitorChoiceRows[] = {
    {"NoKeys", "", "the active monitor", nullptr, 0, 0},
    {"Number3", "ShowOnMonitorNumber=3\r\n", "monitor 3", nullptr, 0, 3},
    {"PrimaryBeforeTheNumber", "ShowOnPrimaryMonitor=1\r\nShowOnMonitorNumber=2\r\n",
     "the primary monitor", nullptr, 1, 2},
    {"OutOfRangeKeptWhenUntouched", "ShowOnMonitorNumber=12\r\n", "the active monitor", nullptr, 0,
     12},
    {"OutOfRangeKeptWhenTheSameItemIsChosen", "ShowOnMonitorNumber=12\r\n", "the active monitor",
     "the active monitor", 0, 12},
    {"OutOfRangeReplacedByAChoice", "ShowOnMonitorNumber=12\r\n", "the active monitor", "monitor 2",
     0, 2},
    {"PrimaryChosen", "ShowOnMonitorNumber=3\r\n", "monitor 3", "the primary monitor", 1, 0},
    {"ActiveChosenOverBoth", "ShowOnPrimaryMonitor=1\r\nShowOnMonitorNumber=2\r\n",
     "the primary monitor", "the active monitor", 0, 0},
};

class MonitorChoiceTest : public OptionsDialogTest,
                          public ::testing::WithParamInterface<MonitorChoiceRow> {};

TEST_P(MonitorChoiceTest, ShowsThePairAndOkWritesTheChoice) {
  const MonitorChoiceRow& row = GetParam();
  fake::setFileText(kSettingsPath, std::string("[Options]\r\n") + row.file);
  init();
  openWith([&](platform::WindowHandle dialog) {
    EXPECT_EQ(fake::selectedItem(dialog, IDC_SHOW_ON_MONITOR), row.shown);
    if (row.chosen != nullptr) fake::selectItem(dialog, IDC_SHOW_ON_MONITOR, row.chosen);
    fake::pressButton(dialog, platform::kIdOk);
  });
  const SettingsFile settings{PluginDirectory(kPluginDirectory)};
  EXPECT_EQ(settings.ReadInt("ShowOnPrimaryMonitor", -99), row.primarySaved);
  EXPECT_EQ(settings.ReadInt("ShowOnMonitorNumber", -99), row.numberSaved);
  EXPECT_EQ(controller().options.showOnMonitorNumber, row.numberSaved);
}

INSTANTIATE_TEST_SUITE_P(Files, MonitorChoiceTest, ::testing::ValuesIn(kMonitorChoiceRows),
                         [](const ::testing::TestParamInfo<MonitorChoiceRow>& param) {
                           return std::string(param.param.name);
                         });

TEST_F(OptionsDialogTest, ShowsTheFileNotTheLiveOptions) {
  setOption("Center", 1);
  setOption("ResizePercentValue", 250);
  setOption("ResizePercentValueV", 0);
  init();
  controller().options.center = false;
  openWith([](platform::WindowHandle dialog) {
    EXPECT_TRUE(fake::isChecked(dialog, IDC_CENTER));
    EXPECT_EQ(fake::controlText(dialog, IDC_RESIZE_PERCENT_VALUE), "250") << "unclamped";
    EXPECT_EQ(fake::controlText(dialog, IDC_RESIZE_PERCENT_VALUE_V), "0");
    fake::pressButton(dialog, platform::kIdOk);
  });
  EXPECT_TRUE(controller().options.center) << "reloaded after OK";
  EXPECT_EQ(controller().options.resizePercentValue, 100);
  EXPECT_EQ(controller().options.resizePercentValueV, 10);
}

TEST_F(OptionsDialogTest, OkSavesTheControlsAndReloadsTheLiveOptions) {
  init();
  show(onM2);
  const platform::Rect centred = controller().lastCenteredRect;
  openWith([](platform::WindowHandle dialog) {
    fake::setChecked(dialog, IDC_ENABLE_HOTKEYS, false);
    fake::setChecked(dialog, IDC_CENTER, true);
    fake::setChecked(dialog, IDC_RESIZE_PERCENT, true);
    fake::setControlText(dialog, IDC_RESIZE_PERCENT_VALUE, "+50");
    fake::setControlText(dialog, IDC_RESIZE_PERCENT_VALUE_V, " 42abc");
    fake::pressButton(dialog, platform::kIdOk);
  });
  const PluginOptions& options = controller().options;
  EXPECT_FALSE(options.enableHotkeys);
  EXPECT_TRUE(options.center);
  EXPECT_TRUE(options.resizePercent);
  EXPECT_EQ(options.resizePercentValue, 50);
  EXPECT_EQ(options.resizePercentValueV, 42);
  EXPECT_TRUE(controller().shown) << "a reload keeps the rest";
  EXPECT_EQ(controller().lastCenteredRect, centred);
  EXPECT_EQ(hostRect(), kHostOnM2) << "nothing moves at OK";
}

TEST_F(OptionsDialogTest, AfterAWidthHotkeyTheDialogShowsAndKeepsTheStoredWidth) {
  init();
  show(onM1);
  fake::setKeyDown(platform::kKeyLeftWindows, true);
  fake::setKeyDown(platform::kKeyControl, true);
  fake::keyDown('5');
  fake::keyUp('5');
  fake::pumpSentMessages();
  openWith([](platform::WindowHandle dialog) {
    EXPECT_EQ(fake::controlText(dialog, IDC_RESIZE_PERCENT_VALUE), "50");
    fake::pressButton(dialog, platform::kIdOk);
  });
  EXPECT_EQ(controller().options.resizePercentValue, 50);
}

TEST_F(OptionsDialogTest, WithoutAControllerTheFileBesideTheLibraryIsEdited) {
  fakeHost().answerMainWindow = false;
  PluginFunc_DoInit(kLibraryPath, 1, nullptr, nullptr, &FakeHostCallback, nullptr);
  ASSERT_EQ(pluginState.controller, nullptr);
  openWith([](platform::WindowHandle dialog) {
    fake::setChecked(dialog, IDC_CENTER, true);
    fake::pressButton(dialog, platform::kIdOk);
  });
  SettingsFile settings{PluginDirectory(kPluginDirectory)};
  EXPECT_TRUE(settings.ReadBool("Center", false));
}

TEST_F(OptionsDialogTest, AFailedDialogLoadsNothing) {
  init();
  fake::setDialogCreationFails(true);
  setOption("Center", 1);
  EXPECT_EQ(PluginFunc_DoAdvConfig(), 1);
  EXPECT_FALSE(controller().options.center);
  fake::setDialogCreationFails(false);
  // The failed run left no dialog object behind for the next one to find.
  openWith([](platform::WindowHandle dialog) { fake::pressButton(dialog, platform::kIdOk); });
  EXPECT_TRUE(controller().options.center);
}

// A tray "Exit" while the options are open: the host shuts the plugin down
// from inside the modal loop, and the user presses OK afterwards.
TEST_F(OptionsDialogTest, AShutDownInsideTheDialogLeavesOkWorking) {
  for (const bool initAgain : {false, true}) {
    SCOPED_TRACE(initAgain ? "started again inside the dialog" : "shut down inside the dialog");
    init();
    openWith([&](platform::WindowHandle dialog) {
      EXPECT_EQ(PluginFunc_DoShutDown(), 1);
      if (initAgain) init();
      fake::setChecked(dialog, IDC_CENTER, true);
      fake::pressButton(dialog, platform::kIdOk);
    });
    EXPECT_EQ(fake::fileText(kSettingsPath).find("Center=1") != std::string::npos, true);
    EXPECT_EQ(pluginState.controller != nullptr, initAgain);
    if (initAgain) {
      EXPECT_TRUE(controller().options.center) << "the new controller reloads";
    }
    init();
    ASSERT_NE(pluginState.controller, nullptr);
    EXPECT_TRUE(controller().options.center);
    PluginFunc_DoShutDown();
    fake::setFileText(kSettingsPath, "");
  }
}

TEST_F(OptionsDialogTest, OnlyOkAndCancelAreHandled) {
  SettingsFile settings{PluginDirectory(kPluginDirectory)};
  OptionsDialog dialog(settings);
  platform::LongResult result = 99;
  EXPECT_FALSE(dialog.HandleMessage(platform::kMessageCommand, IDC_CENTER, result));
  EXPECT_FALSE(dialog.HandleMessage(0x0030, 0, result));
  EXPECT_EQ(result, 99);
}

TEST(PercentOfEditText, ExtractsAndClamps) {
  struct Case {
    const char* text;
    std::int32_t saved;
  };
  const Case cases[] = {
      {"250", 100},
      {"5", 10},
      {"0", 10},
      {"10", 10},
      {"100", 100},
      {"+50", 50},
      {"   42", 42},
      {"42abc", 42},
      {"0x20", 10},
      {"-7", 10},
      {"", 80},
      {"  ", 80},
      {"abc", 80},
      {"99", 99},
      {"11", 11},
      {"99999999999999", 100},
      {"-99999999999999", 10},
      {"\t\n 77", 77},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PercentOfEditText(c.text, 10, 100), c.saved) << '"' << c.text << '"';
  }
}

}  // namespace
