#include <algorithm>

#include "ui/app/system_menu.h"

namespace trennic::ui::sysmenu {

bool needsExtending(std::span<const unsigned> commands) {
  return std::find(commands.begin(), commands.end(), unsigned{kUsualDisplay}) == commands.end();
}

}  // namespace trennic::ui::sysmenu
