#pragma once
// The boxes of one address (the six bytes of a MAC address, the four octets
// of an IP address) are chained so that they work as one field: typing runs
// on from a full box into the next, and a whole address pasted into the first
// box fills them all. Every window builds its address rows with this, so
// they all behave alike, and are heard alike: the caption before the row
// names each box with its position ("IP Address, byte 1 of 4").
#include <QLabel>
#include <array>
#include <cstddef>

#include "ui/controls/accessible_name.h"
#include "ui/controls/checked_edit.h"

namespace trennic::ui {

template <typename Box, std::size_t N>
void chainBoxes(const std::array<Box*, N>& boxes) {
  for (std::size_t k = 0; k + 1 < N; ++k) boxes[k]->setNextBox(boxes[k + 1]);
}

// The row with the caption that names it: a checkable caption, or a label
// that is linked to the first box as well.
template <typename Box, std::size_t N>
void chainBoxes(const std::array<Box*, N>& boxes, const QString& caption) {
  chainBoxes(boxes);
  for (std::size_t k = 0; k < N; ++k)
    nameAddressBox(boxes[k], caption, static_cast<int>(k + 1), static_cast<int>(N));
}

template <typename Box, std::size_t N>
void chainBoxes(const std::array<Box*, N>& boxes, QLabel* caption) {
  chainBoxes(boxes, caption->text());
  linkCaption(caption, boxes[0]);
}

}  // namespace trennic::ui
