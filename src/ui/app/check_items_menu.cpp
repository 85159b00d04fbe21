#include "ui/app/check_items_menu.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAccessibleObject>
#include <QAccessibleWidget>
#include <QAction>
#include <QPointer>
#include <QRegularExpression>
#include <QWindow>

namespace trennic::ui {

namespace {

// An item's text as it is heard: a mnemonic written after the text in
// brackets, "Restore(&R)", goes whole, other mnemonic marks go alone, and a
// doubled one stands for itself.
QString heardText(QString text) {
  static const QRegularExpression bracketed(QStringLiteral("\\(&[^&]\\)"));
  text.remove(bracketed);
  QString out;
  out.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] == QLatin1Char('&')) {
      if (i + 1 < text.size() && text[i + 1] == QLatin1Char('&')) out += text[++i];
      continue;
    }
    out += text[i];
  }
  return out;
}

class AccessibleMenuItem : public QAccessibleObject, public QAccessibleActionInterface {
 public:
  AccessibleMenuItem(QMenu* menu, QAction* action) : QAccessibleObject(action), menu_(menu) {}

  QAction* action() const { return static_cast<QAction*>(object()); }

  void* interface_cast(QAccessible::InterfaceType t) override {
    if (t == QAccessible::ActionInterface) return static_cast<QAccessibleActionInterface*>(this);
    return nullptr;
  }

  QWindow* window() const override { return menu_ ? menu_->windowHandle() : nullptr; }
  QAccessibleInterface* parent() const override { return menu_ ? QAccessible::queryAccessibleInterface(menu_) : nullptr; }
  QAccessibleInterface* child(int) const override { return nullptr; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }

  QAccessible::Role role() const override {
    if (action()->isSeparator()) return QAccessible::Separator;
    return action()->isCheckable() ? QAccessible::CheckBox : QAccessible::MenuItem;
  }

  QString text(QAccessible::Text t) const override {
    switch (t) {
      case QAccessible::Name:
        return heardText(action()->text());
      case QAccessible::Description:
        return action()->toolTip() == heardText(action()->text()) ? QString() : action()->toolTip();
      case QAccessible::Accelerator: {
        const QKeySequence keys = action()->shortcut();
        return keys.isEmpty() ? QKeySequence::mnemonic(action()->text()).toString(QKeySequence::NativeText)
                              : keys.toString(QKeySequence::NativeText);
      }
      default:
        return QString();
    }
  }

  QRect rect() const override {
    if (!menu_) return QRect();
    const QRect r = menu_->actionGeometry(action());
    return QRect(menu_->mapToGlobal(r.topLeft()), r.size());
  }

  QAccessible::State state() const override {
    QAccessible::State s;
    if (!menu_ || !menu_->isVisible() || !action()->isVisible()) s.invisible = true;
    if (menu_ && menu_->activeAction() == action()) s.focused = true;
    if (action()->isSeparator() || !action()->isEnabled()) s.disabled = true;
    if (action()->isCheckable()) s.checkable = true;
    if (action()->isChecked()) s.checked = true;
    return s;
  }

  QStringList actionNames() const override {
    if (action()->isSeparator() || !action()->isEnabled()) return {};
    return {action()->isCheckable() ? toggleAction() : pressAction()};
  }
  void doAction(const QString& name) override {
    if (!actionNames().contains(name)) return;
    // As choosing it with the keys does: the menu goes, then the item acts.
    if (menu_) menu_->close();
    action()->trigger();
  }
  QStringList keyBindingsForAction(const QString& name) const override {
    if (!actionNames().contains(name)) return {};
    const QString keys = text(QAccessible::Accelerator);
    return keys.isEmpty() ? QStringList() : QStringList{keys};
  }

 private:
  QPointer<QMenu> menu_;
};

class AccessibleCheckItemsMenu : public QAccessibleWidget {
 public:
  explicit AccessibleCheckItemsMenu(QMenu* menu) : QAccessibleWidget(menu, QAccessible::PopupMenu) {}

  QMenu* menu() const { return static_cast<QMenu*>(widget()); }

  int childCount() const override { return static_cast<int>(menu()->actions().size()); }

  QAccessibleInterface* child(int index) const override {
    const QList<QAction*> actions = menu()->actions();
    if (index < 0 || index >= actions.size()) return nullptr;
    QAction* action = actions[index];
    if (QAccessibleInterface* known = QAccessible::queryAccessibleInterface(action)) return known;
    QAccessibleInterface* item = new AccessibleMenuItem(menu(), action);
    // The cache owns it from here and drops it with the action.
    QAccessible::registerAccessibleInterface(item);
    return item;
  }

  int indexOfChild(const QAccessibleInterface* child) const override {
    auto* action = child ? qobject_cast<QAction*>(child->object()) : nullptr;
    return action ? static_cast<int>(menu()->actions().indexOf(action)) : -1;
  }

  QAccessibleInterface* childAt(int x, int y) const override {
    QAction* action = menu()->actionAt(menu()->mapFromGlobal(QPoint(x, y)));
    if (!action || action->isSeparator()) return nullptr;
    return child(static_cast<int>(menu()->actions().indexOf(action)));
  }

  QString text(QAccessible::Text t) const override {
    const QString own = QAccessibleWidget::text(t);
    if (own.isEmpty() && t == QAccessible::Name) return menu()->windowTitle();
    return own;
  }
};

QAccessibleInterface* checkItemsMenuFactory(const QString& className, QObject* object) {
  if (className != QLatin1String(CheckItemsMenu::staticMetaObject.className())) return nullptr;
  auto* menu = qobject_cast<CheckItemsMenu*>(object);
  return menu ? new AccessibleCheckItemsMenu(menu) : nullptr;
}

}  // namespace

CheckItemsMenu::CheckItemsMenu(QWidget* parent) : QMenu(parent) {
  static const bool installed = [] {
    QAccessible::installFactory(checkItemsMenuFactory);
    return true;
  }();
  (void)installed;
}

}  // namespace trennic::ui
