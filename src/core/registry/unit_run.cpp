#include "core/registry/unit_run.h"

namespace trennic {

int runOverSelectedUnits(const std::vector<std::size_t>& rows, const UnitRunOptions& options,
                         const UnitRunHooks& hooks) {
  const int n = options.oneUnitOnly ? 1 : static_cast<int>(rows.size());
  int i = 1;
  bool goOn = true;
  bool useSame = false;
  for (std::size_t row : rows) {
    if (!goOn || i > n) {
      hooks.deselect(row);
      continue;
    }
    if (options.needsPassword && !useSame) {
      bool same = false;
      if (!hooks.askPassword(row, n > 1, same)) continue;  // skipped; the row stays selected
      useSame = same;
    }
    if (hooks.runUnit(row, i, n)) {
      ++i;
    } else {
      hooks.deselect(row);
      goOn = false;
    }
  }
  return i - 1;
}

}  // namespace trennic
