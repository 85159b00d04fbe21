#include "ui/app/system_menu.h"

namespace trennic::ui::sysmenu {

bool available() { return false; }
void extend(std::uintptr_t, bool, bool) {}
void setChecks(std::uintptr_t, bool, bool) {}
unsigned chosenCommand(const void*) { return 0; }

}  // namespace trennic::ui::sysmenu
