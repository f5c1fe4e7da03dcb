// The reference desktop with the plugin initialised on its main window.
#pragma once

#include "plugin_fixture.h"
#include "reference_desktop.h"
#include "settings/settings_file.h"

#include <string>

using namespace reference_desktop;

class TrackingTest : public PluginTest {
 protected:
  void SetUp() override {
    PluginTest::SetUp();
    fake::addMonitor(kM1, true);
    fake::addMonitor(kM2);
    host = fake::createWindow(kHostStart);
    onM1 = fake::createWindow({100, 100, 500, 400});
    onM2 = fake::createWindow({2000, 100, 2400, 400});
    fake::setDesktopWindow(fake::createWindow({0, 0, 3200, 1080}));
    fake::setCursor({100, 100});
  }

  // Writes the settings before the plugin starts, so the controller loads them.
  void setOption(const char* key, std::int32_t value) {
    SettingsFile(PluginDirectory(kPluginDirectory)).WriteInt(key, value);
  }

  void init() {
    initWith(host);
    fake::setForegroundWindow(host);
  }

  // The host shows its window after the user worked in `previous`.
  void show(platform::WindowHandle previous) { showAnswering(std::to_string(previous)); }
  void showAnswering(const std::string& answer) {
    fakeHost().previousWindowAnswer = answer;
    fake::showWindow(host, true);
  }
  void hide() { fake::showWindow(host, false); }

  MainWindowController& controller() { return *pluginState.controller; }
  platform::Rect hostRect() const { return fake::windowRect(host); }

  platform::WindowHandle host = 0;
  platform::WindowHandle onM1 = 0;
  platform::WindowHandle onM2 = 0;
};

// A fixture run once for each row of a table, every row on a fresh desktop:
// TEST_P on a subclass, rows from INSTANTIATE_TEST_SUITE_P with
// ::testing::ValuesIn and TableRowName<Row>.
template <typename Row, typename Fixture = TrackingTest>
class TrackingTableTest : public Fixture, public ::testing::WithParamInterface<Row> {};

// Each case is named after its row's `name`, which must be an identifier.
template <typename Row>
std::string TableRowName(const ::testing::TestParamInfo<Row>& info) {
  return info.param.name;
}
