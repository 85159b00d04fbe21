#pragma once
// One operation applied to the selected rows of a unit list, one unit after
// another: the password asked once per unit, or once for all with "Use
// same password"; a Cancel skips that unit; a failure ends the run. After a
// run the rows still selected are the units that succeeded, and any whose
// password prompt was cancelled.
#include <cstddef>
#include <functional>
#include <vector>

namespace trennic {

struct UnitRunHooks {
  // Asks for the unit's password; offerUseSame shows the "Use same
  // password" box, and useSame receives its state. False for Cancel.
  std::function<bool(std::size_t row, bool offerUseSame, bool& useSame)> askPassword;
  // Runs the operation on one unit, i of n; true on success.
  std::function<bool(std::size_t row, int i, int n)> runUnit;
  std::function<void(std::size_t row)> deselect;
};

struct UnitRunOptions {
  bool needsPassword = true;
  // Reads into one file take the first unit only; the rest are deselected.
  bool oneUnitOnly = false;
};

// Returns the number of units that succeeded.
int runOverSelectedUnits(const std::vector<std::size_t>& selectedRows, const UnitRunOptions& options,
                         const UnitRunHooks& hooks);

}  // namespace trennic
