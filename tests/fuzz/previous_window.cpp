// The host's answer to "resolve:%LASTHWND%": HostBridge::previousWindow with
// a host that writes the input's bytes (at most the 16 of the answer buffer).
// The expected handle comes from a classic-locale stream read of an int32.
#include "common/host_bridge.h"
#include "tests/fuzz/fuzz_input.h"

#include <cstring>
#include <locale>
#include <sstream>
#include <string>

namespace {

constexpr std::int32_t kAnswerSize = 16;

std::string hostAnswer;

std::int32_t VMM_CDECL Host(std::int32_t pluginId, const char* request, void* answer,
                            std::int32_t answerSize) {
  FUZZ_CHECK(pluginId == 9);
  FUZZ_CHECK(std::strcmp(request, "resolve:%LASTHWND%") == 0);
  FUZZ_CHECK(answerSize == kAnswerSize);
  std::memcpy(answer, hostAnswer.data(), hostAnswer.size());
  return 1;
}

platform::WindowHandle Expected(const std::string& written) {
  // The buffer starts zeroed: the text ends at the first zero or its end.
  std::istringstream stream(written.substr(0, written.find('\0')));
  stream.imbue(std::locale::classic());
  std::int32_t value = 0;
  if (!(stream >> value)) return 0;
  return static_cast<platform::WindowHandle>(value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > kAnswerSize) return -1;
  hostAnswer.assign(reinterpret_cast<const char*>(data), size);
  const platform::WindowHandle window = HostBridge(9, &Host).previousWindow();
  FUZZ_CHECK(window == Expected(hostAnswer));
  return 0;
}
