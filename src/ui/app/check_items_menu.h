#pragma once
// A menu whose checkable items a screen reader hears as such. Qt tells the
// Linux accessibility bus only that such an item is checked: it has no role
// for a check menu item there and drops the checkable state, so an item
// that is off sounds like a plain command. This menu presents each
// checkable item as a check box with its state, on every platform, and
// every other item as the menu item it is.
#include <QMenu>

namespace trennic::ui {

class CheckItemsMenu : public QMenu {
  Q_OBJECT
 public:
  explicit CheckItemsMenu(QWidget* parent = nullptr);
};

}  // namespace trennic::ui
