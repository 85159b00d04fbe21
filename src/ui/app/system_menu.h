#pragma once
// The window's own system menu, where the platform lets a program extend it:
// the version box, "Usual Display" and "Save Display Position" join it, and
// the size and maximise items leave. Elsewhere these functions do nothing and
// the same items are offered in a context menu instead.
#include <cstdint>
#include <span>

namespace trennic::ui::sysmenu {

enum Command : unsigned {
  kVersion = 0x10,
  kUsualDisplay = 306,
  kSaveDisplayPosition = 307,
};

// Whether a system menu holding these command identifiers (in menu order,
// 0 for a separator) still lacks this program's items. A window keeps its
// menu for as long as its native window lives, so opening the window again
// finds the items there already, and adding them again would grow the menu
// on every opening.
bool needsExtending(std::span<const unsigned> commands);

// True where windows have a system menu this program can extend.
bool available();

// Extends the menu of the native window `handle` (a WId) unless it is
// extended already, and sets the check marks.
void extend(std::uintptr_t handle, bool usualDisplay, bool saveDisplayPosition);
void setChecks(std::uintptr_t handle, bool usualDisplay, bool saveDisplayPosition);

// The command of one of the items above when `message` (a native message as
// the platform hands it to an event filter) chooses it; 0 otherwise.
unsigned chosenCommand(const void* message);

}  // namespace trennic::ui::sysmenu
