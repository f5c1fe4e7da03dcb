// Runs the shared settings cases against the real profile functions: under
// Wine, SettingsFile and PluginOptions read and write through
// GetPrivateProfileIntW / WritePrivateProfileStringW, as the plugin does, and
// the files they leave are compared byte for byte with the table, which
// holds what the 8-bit functions write.
//
//   settings_probe.exe [--dump]      --dump also prints every file text
#include "tests/shared/settings_cases.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

namespace {

bool FileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteText(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
}

// A fresh directory of our own under the temporary folder.
std::string MakeScratchDirectory() {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  std::string base =
      std::string(temp) + "vmm_settings_probe_" + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(base.c_str(), nullptr);
  return base;
}

}  // namespace

int main(int argc, char** argv) {
  const bool dump = argc > 1 && std::strcmp(argv[1], "--dump") == 0;
  const std::string base = MakeScratchDirectory();
  const settings_cases::Files files{&FileExists, &ReadText, &WriteText};

  int passed = 0;
  int failed = 0;
  int index = 0;
  for (const settings_cases::Case& c : settings_cases::AllCases()) {
    // Each case gets a directory of its own, so no profile cache or earlier
    // file can leak into it.
    const std::string directory = base + "\\case" + std::to_string(++index);
    CreateDirectoryA(directory.c_str(), nullptr);
    const std::vector<std::string> failures = settings_cases::Run(c, directory, files);
    if (failures.empty()) {
      ++passed;
      std::printf("ok   %s\n", c.name);
    } else {
      ++failed;
      std::printf("FAIL %s\n", c.name);
      for (const std::string& failure : failures) std::printf("       %s\n", failure.c_str());
    }
    const std::string path = SettingsFile(PluginDirectory(directory)).Path();
    if (dump && FileExists(path)) {
      std::printf("       text: \"%s\"\n", settings_cases::Visible(ReadText(path)).c_str());
    }
    DeleteFileA(path.c_str());
    RemoveDirectoryA(directory.c_str());
  }
  RemoveDirectoryA(base.c_str());
  std::printf("settings_probe: %d passed, %d failed\n", passed, failed);
  return failed < 100 ? failed : 100;
}
