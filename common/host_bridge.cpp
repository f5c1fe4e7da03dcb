#include "common/host_bridge.h"

#include "common/numbers.h"

#include <string_view>

namespace {

constexpr const char* kPreviousWindowRequest = "resolve:%LASTHWND%";
constexpr std::int32_t kPreviousWindowAnswerSize = 16;

}  // namespace

platform::WindowHandle HostBridge::previousWindow() const {
  char answer[kPreviousWindowAnswerSize] = {};
  if (!ask(kPreviousWindowRequest, answer, kPreviousWindowAnswerSize)) return 0;
  std::size_t length = 0;
  while (length < sizeof answer && answer[length] != '\0') ++length;
  // "  4242xyz" -> 4242; "-2" stands for the handle 0xFFFFFFFE.
  const auto number = numbers::parseInt32(std::string_view(answer, length));
  return number ? static_cast<platform::WindowHandle>(*number) : 0;
}
