// The shared settings cases against the fake profile store: the fake must
// leave the same file texts as the real profile functions do under Wine
// (tests/e2e/settings_probe.cpp runs the same table there).
#include "tests/fake/fake_desktop.h"
#include "tests/shared/settings_cases.h"

#include <gtest/gtest.h>

namespace {

TEST(SettingsFileCases, FakeProfileStoreWritesWhatTheRealOneWrites) {
  const settings_cases::Files files{&fake::fileExists, &fake::fileText, &fake::setFileText};
  int index = 0;
  for (const settings_cases::Case& c : settings_cases::AllCases()) {
    fake::reset();
    const std::string directory = "C:\\Plugins\\case" + std::to_string(++index);
    const std::vector<std::string> failures = settings_cases::Run(c, directory, files);
    for (const std::string& failure : failures) ADD_FAILURE() << c.name << ": " << failure;
  }
  EXPECT_GE(index, 8);
}

}  // namespace
