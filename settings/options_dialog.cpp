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
  static std::vector<OptionsDialog*>& pending() {
    thread_local std::vector<OptionsDialog*> dialogs;
    return dialogs;
  }

  static void forget(OptionsDialog* dialog) {
    auto& dialogs = pending();
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
        auto& dialogs = pending();
        if (dialogs.empty()) return 0;
        dialog = dialogs.back();
        dialogs.pop_back();
        dialog->dialog_ = window;
        platform::setDialogUserData(window, reinterpret_cast<platform::LongParam>(dialog));
      }
      platform::LongResult result = 0;
      const bool handled = dialog->handleMessage(message, wParam, result);
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

platform::LongResult OptionsDialog::run(platform::ModuleHandle module,
                                        platform::WindowHandle owner) {
  try {
    DialogBinding::pending().push_back(this);
  } catch (const std::bad_alloc&) {
    platform::setLastError(platform::kErrorOutOfMemory);
    return 0;
  }
  const platform::LongResult result =
      platform::dialogBox(module, IDD_OPTIONS, owner, &DialogBinding::Procedure);
  // Still pending if the dialog never got a window.
  DialogBinding::forget(this);
  return result;
}

bool OptionsDialog::handleMessage(std::uint32_t message, platform::WordParam wParam,
                                  platform::LongResult& result) {
  switch (message) {
    case platform::kMessageInitDialog:
      initialise();
      // 0: the dialog manager leaves the keyboard focus where it is.
      result = 0;
      return true;
    case platform::kMessageCommand: {
      const auto command = static_cast<int>(wParam & 0xFFFF);
      if (command == platform::kIdOk) {
        saveAndClose();
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

void OptionsDialog::initialise() {
  for (std::size_t i = 0; i < kDialogControlCount; ++i) {
    const OptionEntry& entry = kOptionTable[kDialogControls[i].option];
    platform::WindowHandle& control = controls_[i];
    control = platform::getDlgItem(dialog_, kDialogControls[i].controlId);
    if (entry.flag != nullptr) {
      const bool checked = settingsFile_.readBool(entry.key, entry.defaultValue != 0);
      platform::sendMessage(control, platform::kButtonSetCheck, checked ? 1 : 0, 0);
    } else {
      const std::int32_t value = settingsFile_.readInt(entry.key, entry.defaultValue);
      platform::setWindowText(control, numbers::formatInt32(value).c_str());
    }
  }
}

void OptionsDialog::saveAndClose() {
  for (std::size_t i = 0; i < kDialogControlCount; ++i) {
    const OptionEntry& entry = kOptionTable[kDialogControls[i].option];
    const platform::WindowHandle control = controls_[i];
    if (entry.flag != nullptr) {
      const bool ticked =
          platform::sendMessage(control, platform::kButtonGetCheck, 0, 0) == kButtonChecked;
      settingsFile_.writeBool(entry.key, ticked);
      saved_.*entry.flag = ticked;
    } else {
      const std::int32_t percent = PercentOfEditText(
          platform::getWindowText(control, kEditTextSize), kLowestPercent, kHighestPercent);
      settingsFile_.writeInt(entry.key, percent);
      saved_.*entry.number = percent;
    }
  }
  platform::endDialog(dialog_, platform::kIdOk);
}

void OptionsDialog::applySavedTo(PluginOptions& options) const {
  for (const DialogControl& shown : kDialogControls) {
    const OptionEntry& entry = kOptionTable[shown.option];
    if (entry.flag != nullptr) options.*entry.flag = saved_.*entry.flag;
    if (entry.number != nullptr) options.*entry.number = saved_.*entry.number;
  }
}

std::int32_t PercentOfEditText(std::string_view text, std::int32_t lower, std::int32_t upper) {
  const std::int32_t value = numbers::parseInt32Saturating(text, kDefaultPercent);
  if (value < lower) return lower;
  if (value > upper) return upper;
  return value;
}
