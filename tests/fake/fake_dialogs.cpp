// Modal dialogs, their controls, and the scripted user who works them.
#include "tests/fake/fake_desktop.h"

#include "tests/fake/fake_state.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace fake {
namespace {

constexpr int kDialogControlIds[] = {platform::kIdOk,
                                     platform::kIdCancel,
                                     3000,
                                     3001,
                                     3002,
                                     3003,
                                     3004,
                                     3006,
                                     3007,
                                     3008,
                                     3009,
                                     3010,
                                     3011,
                                     3012,
                                     3013,
                                     3014,
                                     3015,
                                     3016};

Window* controlOf(platform::WindowHandle dialog, int controlId) {
  for (auto& [handle, window] : desktop().windows) {
    if (window.parent == dialog && window.controlId == controlId) return &window;
  }
  return nullptr;
}

Window& requireControl(platform::WindowHandle dialog, int controlId) {
  Window* control = controlOf(dialog, controlId);
  if (control == nullptr) throw std::logic_error("no such control");
  return *control;
}

platform::LongResult dialogCall(platform::WindowHandle dialog, std::uint32_t message,
                                platform::WordParam wParam, platform::LongParam lParam) {
  const platform::DialogProc proc = desktop().windows[dialog].dialogProc;
  const CountedAllocations dialogProcedure;
  return proc(dialog, message, wParam, lParam);
}

}  // namespace

void setDialogUser(DialogUser user) { desktop().dialogUser = std::move(user); }
void setDialogCreationFails(bool fails) { desktop().dialogCreationFails = fails; }
const std::vector<DialogRun>& dialogRuns() { return desktop().dialogRuns; }

bool isChecked(platform::WindowHandle dialog, int controlId) {
  return requireControl(dialog, controlId).checked;
}

void setChecked(platform::WindowHandle dialog, int controlId, bool checked) {
  requireControl(dialog, controlId).checked = checked;
}

std::string controlText(platform::WindowHandle dialog, int controlId) {
  return requireControl(dialog, controlId).text;
}

void setControlText(platform::WindowHandle dialog, int controlId, const std::string& text) {
  requireControl(dialog, controlId).text = text;
}

const std::vector<std::string>& listItems(platform::WindowHandle dialog, int controlId) {
  return requireControl(dialog, controlId).listItems;
}

std::string selectedItem(platform::WindowHandle dialog, int controlId) {
  const Window& list = requireControl(dialog, controlId);
  const auto item = static_cast<std::size_t>(list.selectedItem);
  return item < list.listItems.size() ? list.listItems[item] : std::string();
}

void selectItem(platform::WindowHandle dialog, int controlId, const std::string& text) {
  Window& list = requireControl(dialog, controlId);
  const auto found = std::find(list.listItems.begin(), list.listItems.end(), text);
  if (found == list.listItems.end()) throw std::logic_error("no such item");
  list.selectedItem = static_cast<int>(found - list.listItems.begin());
}

void pressButton(platform::WindowHandle dialog, int controlId) {
  const platform::WordParam clicked = 0;  // BN_CLICKED in the high word
  dialogCall(dialog, platform::kMessageCommand,
             static_cast<platform::WordParam>(controlId) | (clicked << 16), 0);
}

}  // namespace fake

namespace platform {

using fake::desktop;

LongResult dialogBox(ModuleHandle module, int templateId, WindowHandle owner, DialogProc proc) {
  // The dialog manager's own work and the scripted user's are not the plugin's.
  const fake::UncountedAllocations bookkeeping;
  if (desktop().dialogCreationFails) return -1;
  const WindowHandle dialog = fake::createWindow({0, 0, 414, 374});
  desktop().windows[dialog].dialogProc = proc;
  for (int id : fake::kDialogControlIds) {
    const WindowHandle control = fake::createWindow({});
    desktop().windows[control].parent = dialog;
    desktop().windows[control].controlId = id;
  }
  desktop().dialogRuns.push_back(fake::DialogRun{module, templateId, owner, false});
  const std::size_t run = desktop().dialogRuns.size() - 1;

  constexpr std::uint32_t kSetFont = 0x0030;
  fake::dialogCall(dialog, kSetFont, 0, 0);
  // A non-zero answer asks the dialog manager to focus the first control.
  if (fake::dialogCall(dialog, kMessageInitDialog, 0, 0) != 0) {
    desktop().dialogRuns[run].focusMovedToFirstControl = true;
  }
  if (desktop().dialogUser) desktop().dialogUser(dialog);
  if (!desktop().windows[dialog].dialogEnded) fake::pressButton(dialog, kIdCancel);
  fake::dialogCall(dialog, kMessageNcDestroy, 0, 0);
  return desktop().windows[dialog].dialogResult;
}

void endDialog(WindowHandle dialog, LongResult result) {
  desktop().windows[dialog].dialogEnded = true;
  desktop().windows[dialog].dialogResult = result;
}

WindowHandle getDlgItem(WindowHandle dialog, int controlId) {
  for (const auto& [handle, window] : desktop().windows) {
    if (window.parent == dialog && window.controlId == controlId) return handle;
  }
  return 0;
}

LongResult sendMessage(WindowHandle window, std::uint32_t message, WordParam wParam, LongParam) {
  auto it = desktop().windows.find(window);
  if (it == desktop().windows.end()) return 0;
  if (message == kButtonSetCheck) it->second.checked = wParam == 1;
  if (message == kButtonGetCheck) return it->second.checked ? 1 : 0;
  if (message == kComboGetSelection) return it->second.selectedItem;
  if (message == kComboSetSelection) {
    // As the real list: an index past its items selects nothing.
    const bool inList = wParam < it->second.listItems.size();
    it->second.selectedItem = inList ? static_cast<int>(wParam) : -1;
    return inList ? static_cast<LongResult>(wParam) : -1;
  }
  return 0;
}

void addListItem(WindowHandle comboBox, const char* text) {
  const fake::UncountedAllocations bookkeeping;
  if (desktop().windows.count(comboBox) != 0) desktop().windows[comboBox].listItems.push_back(text);
}

void setWindowText(WindowHandle window, const char* text) {
  const fake::UncountedAllocations bookkeeping;
  if (desktop().windows.count(window) != 0) desktop().windows[window].text = text;
}

std::string getWindowText(WindowHandle window, int size) {
  const auto it = desktop().windows.find(window);
  if (it == desktop().windows.end() || size <= 0) return std::string();
  // A buffer of `size` first, as the platform's implementation allocates it.
  std::string text(static_cast<std::size_t>(size), '\0');
  const std::size_t length = std::min(it->second.text.size(), static_cast<std::size_t>(size - 1));
  it->second.text.copy(&text[0], length);
  text.resize(length);
  return text;
}

void setDialogUserData(WindowHandle dialog, LongParam value) {
  desktop().windows[dialog].userData = value;
}

LongParam getDialogUserData(WindowHandle dialog) { return desktop().windows[dialog].userData; }

void setDialogMessageResult(WindowHandle dialog, LongResult result) {
  desktop().windows[dialog].messageResult = result;
}

}  // namespace platform
