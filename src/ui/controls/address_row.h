#pragma once
// The boxes of one address (the six bytes of a MAC address, the four octets
// of an IP address) are chained so that they work as one field: typing runs
// on from a full box into the next, and a whole address pasted into the first
// box fills them all. Every window builds its address rows with this, so
// they all behave alike.
#include <array>
#include <cstddef>

#include "ui/controls/checked_edit.h"

namespace trennic::ui {

template <typename Box, std::size_t N>
void chainBoxes(const std::array<Box*, N>& boxes) {
  for (std::size_t k = 0; k + 1 < N; ++k) boxes[k]->setNextBox(boxes[k + 1]);
}

}  // namespace trennic::ui
