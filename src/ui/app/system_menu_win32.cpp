// The Windows system menu. Plain Win32: the Qt side hands over window handles
// and native messages.
#include <windows.h>

#include <vector>

#include "ui/app/system_menu.h"

namespace trennic::ui::sysmenu {

namespace {

HMENU menuOf(std::uintptr_t handle) { return GetSystemMenu(reinterpret_cast<HWND>(handle), FALSE); }

void check(HMENU menu, unsigned command, bool on) {
  CheckMenuItem(menu, command, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
}

}  // namespace

bool available() { return true; }

void extend(std::uintptr_t handle, bool usualDisplay, bool saveDisplayPosition) {
  HMENU menu = menuOf(handle);
  if (!menu) return;
  std::vector<unsigned> commands;
  for (int i = 0, n = GetMenuItemCount(menu); i < n; ++i) commands.push_back(GetMenuItemID(menu, i));
  if (needsExtending(commands)) {
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, kVersion, L"Version(&A)...");
    InsertMenuW(menu, 5, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
    InsertMenuW(menu, 6, MF_BYPOSITION | MF_STRING, kUsualDisplay, L"Usual Display");
    InsertMenuW(menu, 7, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
    InsertMenuW(menu, 8, MF_BYPOSITION | MF_STRING, kSaveDisplayPosition, L"Save Display Position");
    // By command, not by place: the windows keep their size.
    RemoveMenu(menu, SC_SIZE, MF_BYCOMMAND);
    RemoveMenu(menu, SC_MAXIMIZE, MF_BYCOMMAND);
  }
  setChecks(handle, usualDisplay, saveDisplayPosition);
}

void setChecks(std::uintptr_t handle, bool usualDisplay, bool saveDisplayPosition) {
  HMENU menu = menuOf(handle);
  if (!menu) return;
  check(menu, kUsualDisplay, usualDisplay);
  check(menu, kSaveDisplayPosition, saveDisplayPosition);
}

unsigned chosenCommand(const void* message) {
  const MSG* msg = static_cast<const MSG*>(message);
  if (msg->message != WM_SYSCOMMAND) return 0;
  // Our own items are compared whole: the low bits the system keeps for
  // itself belong only to its own commands.
  switch (msg->wParam) {
    case kVersion:
    case kUsualDisplay:
    case kSaveDisplayPosition:
      return static_cast<unsigned>(msg->wParam);
    default:
      return 0;
  }
}

}  // namespace trennic::ui::sysmenu
