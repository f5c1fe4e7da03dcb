#include "settings/options_dialog.h"

#include "common/no_throw.h"
#include "common/numbers.h"
#include "resources/resource_ids.h"
#include "settings/plugin_options.h"

#include <algorithm>
#include <new>
#include <vector>

namespace {

constexpr int kEditTextSize = 1024;
constexpr platform::LongResult kButtonChecked = 1;

// Messages whose handled result is the dialog procedure's own answer rather
// than DWLP_MSGRESULT.
bool AnswersDirectly(std::uint32_t message) {
  constexpr std::uint32_t kCompareItem = 0x0039;
  constexpr std::uint32_t kVKeyToItem = 0x002E;
  constexpr std::uint32_t kCharToItem = 0x002F;
  constexpr std::uint32_t kQueryDragIcon = 0x0037;
  constexpr std::uint32_t kCtlColorMsgBox = 0x0132;
  constexpr std::uint32_t kCtlColorStatic = 0x0138;
  return message == platform::kMessageInitDialog || message == kCompareItem ||
         message == kVKeyToItem || message == kCharToItem || message == kQueryDragIcon ||
         (message >= kCtlColorMsgBox && message <= kCtlColorStatic);
}

}  // namespace

// Hands a dialog window its object: the object waits in a per-thread list of
// pending dialogs until its window's first message arrives, and from then on
// the window carries the object in its DWLP_USER slot.
struct DialogBinding {
  static std::vector<OptionsDialog*>& Pending() {
    thread_local std::vector<OptionsDialog*> dialogs;
    return dialogs;
  }

  static void Forget(OptionsDialog* dialog) {
    auto& dialogs = Pending();
    dialogs.erase(std::remove(dialogs.begin(), dialogs.end(), dialog), dialogs.end());
  }

  static platform::LongResult VMM_STDCALL Procedure(platform::WindowHandle window,
                                                    std::uint32_t message,
                                                    platform::WordParam wParam,
                                                    platform::LongParam lParam) {
    static_cast<void>(lParam);
    return NoThrow<platform::LongResult>(0, [&]() -> platform::LongResult {
      auto* dialog = reinterpret_cast<OptionsDialog*>(platform::getDialogUserData(window));
      if (dialog == nullptr) {
        auto& dialogs = Pending();
        if (dialogs.empty()) return 0;
        dialog = dialogs.back();
        dialogs.pop_back();
        dialog->dialog_ = window;
        platform::setDialogUserData(window, reinterpret_cast<platform::LongParam>(dialog));
      }
      platform::LongResult result = 0;
      const bool handled = dialog->HandleMessage(message, wParam, result);
      if (message == platform::kMessageNcDestroy) {
        platform::setDialogUserData(window, 0);
        dialog->dialog_ = 0;
      }
      if (!handled) return 0;
      if (AnswersDirectly(message)) return result;
      platform::setDialogMessageResult(window, result);
      return 1;
    });
  }
};

platform::LongResult OptionsDialog::Run(platform::ModuleHandle module,
                                        platform::WindowHandle owner) {
  try {
    DialogBinding::Pending().push_back(this);
  } catch (const std::bad_alloc&) {
    platform::setLastError(platform::kErrorOutOfMemory);
    return 0;
  }
  const platform::LongResult result =
      platform::dialogBox(module, IDD_OPTIONS, owner, &DialogBinding::Procedure);
  // Still pending if the dialog never got a window.
  DialogBinding::Forget(this);
  return result;
}

bool OptionsDialog::HandleMessage(std::uint32_t message, platform::WordParam wParam,
                                  platform::LongResult& result) {
  switch (message) {
    case platform::kMessageInitDialog:
      Initialise();
      // 0: the dialog manager leaves the keyboard focus where it is.
      result = 0;
      return true;
    case platform::kMessageCommand: {
      const auto command = static_cast<int>(wParam & 0xFFFF);
      if (command == platform::kIdOk) {
        SaveAndClose();
      } else if (command == platform::kIdCancel) {
        platform::endDialog(dialog_, platform::kIdCancel);
      } else {
        return false;
      }
      result = 0;
      return true;
    }
    default:
      return false;
  }
}

void OptionsDialog::Initialise() {
  for (std::size_t i = 0; i < kOptionCount; ++i) {
    const OptionEntry& row = kOptionTable[i];
    platform::WindowHandle& control = controls_[i];
    control = platform::getDlgItem(dialog_, row.controlId);
    if (row.flag != nullptr) {
      opened_.*row.flag = settingsFile_.ReadBool(row.key, row.defaultValue != 0);
    } else {
      opened_.*row.number = settingsFile_.ReadInt(row.key, row.defaultValue);
    }
    switch (row.control) {
      case OptionControl::kCheckBox:
        platform::sendMessage(control, platform::kButtonSetCheck, opened_.*row.flag ? 1 : 0, 0);
        break;
      case OptionControl::kNumberEdit:
        platform::setWindowText(control, numbers::formatInt32(opened_.*row.number).c_str());
        break;
      case OptionControl::kMonitorChoice:
        // Filled once both of its keys are read.
        break;
    }
  }
  openedMonitorChoice_ = MonitorChoiceOf(opened_.showOnPrimaryMonitor, opened_.showOnMonitorNumber);
  const platform::WindowHandle choice = platform::getDlgItem(dialog_, IDC_SHOW_ON_MONITOR);
  for (int item = 0; item < kMonitorChoiceCount; ++item) {
    platform::addListItem(choice, MonitorChoiceText(item));
  }
  platform::sendMessage(choice, platform::kComboSetSelection,
                        static_cast<platform::WordParam>(openedMonitorChoice_), 0);
}

void OptionsDialog::SaveAndClose() {
  for (std::size_t i = 0; i < kOptionCount; ++i) {
    const OptionEntry& row = kOptionTable[i];
    const platform::WindowHandle control = controls_[i];
    std::int32_t value = 0;
    switch (row.control) {
      case OptionControl::kCheckBox:
        value = platform::sendMessage(control, platform::kButtonGetCheck, 0, 0) == kButtonChecked;
        break;
      case OptionControl::kNumberEdit:
        value = PercentOfEditText(platform::getWindowText(control, kEditTextSize), row.lowest,
                                  row.highest);
        break;
      case OptionControl::kMonitorChoice: {
        const auto item =
            static_cast<int>(platform::sendMessage(control, platform::kComboGetSelection, 0, 0));
        // Left as it opened, the pair keeps what the file held, even a number
        // the list does not offer.
        value = item == openedMonitorChoice_
                    ? (row.flag != nullptr ? opened_.*row.flag : opened_.*row.number)
                    : MonitorChoiceValue(row, item);
        break;
      }
    }
    if (row.flag != nullptr) {
      settingsFile_.WriteBool(row.key, value != 0);
      saved_.*row.flag = value != 0;
    } else {
      settingsFile_.WriteInt(row.key, value);
      saved_.*row.number = value;
    }
  }
  platform::endDialog(dialog_, platform::kIdOk);
}

void OptionsDialog::ApplySavedTo(PluginOptions& options) const {
  for (const OptionEntry& row : kOptionTable) {
    if (row.flag != nullptr) options.*row.flag = saved_.*row.flag;
    if (row.number != nullptr) options.*row.number = saved_.*row.number;
  }
}

const char* MonitorChoiceText(int item) {
  static const char* const kTexts[kMonitorChoiceCount] = {
      "the active monitor", "the primary monitor", "monitor 1", "monitor 2",
      "monitor 3",          "monitor 4",           "monitor 5", "monitor 6",
      "monitor 7",          "monitor 8",           "monitor 9"};
  return item >= 0 && item < kMonitorChoiceCount ? kTexts[item] : "";
}

int MonitorChoiceOf(bool onPrimary, std::int32_t number) {
  if (onPrimary) return 1;
  if (number >= 1 && number <= kHighestChosenMonitor) return 1 + number;
  return 0;
}

std::int32_t MonitorChoiceValue(const OptionEntry& row, int item) {
  if (row.flag != nullptr) return item == 1 ? 1 : 0;
  return item >= 2 && item < kMonitorChoiceCount ? item - 1 : 0;
}

std::int32_t PercentOfEditText(std::string_view text, std::int32_t lower, std::int32_t upper) {
  const std::int32_t value = numbers::parseInt32Saturating(text, kDefaultPercent);
  if (value < lower) return lower;
  if (value > upper) return upper;
  return value;
}
