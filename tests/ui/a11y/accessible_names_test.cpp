// Every control the keyboard reaches is heard with a name of its own, as a
// screen reader reads it through Qt's accessibility interface: the caption
// a sighted user reads beside it (its own text, a linked label, or an
// accessible name). Not a name at all: nothing, only the title of a group
// box around it, only the value it shows, a bare number, or a name another
// control of the same window (or the same page) is heard with too.
#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QtTest>
#include <functional>
#include <map>
#include <memory>

#include "platform/app/language.h"
#include "support/every_window.h"


using namespace trennic;

namespace {

// A name as a listener compares names: without the colon of a caption,
// the & of an access key or the blanks around it.
QString plain(QString s) {
  s.remove(QRegularExpression(QStringLiteral("\\(&.\\)")));
  s.replace(QStringLiteral("&&"), QStringLiteral("\x01")).remove(QLatin1Char('&')).replace(QChar(1), QLatin1Char('&'));
  s = s.trimmed();
  while (s.endsWith(QLatin1Char(':'))) s.chop(1);
  return s.trimmed();
}

QStringList groupTitles(const QWidget* w) {
  QStringList titles;
  for (const QWidget* p = w->parentWidget(); p && !p->isWindow(); p = p->parentWidget())
    if (auto* g = qobject_cast<const QGroupBox*>(p)) titles << plain(g->title());
  return titles;
}

// What a screen reader says the control is: its name, or, where that is
// empty or only its value (a combo box on Linux is named by its choice),
// the label linked to it. Empty when neither is a name of its own; `why`
// then says what was heard instead.
QString heardName(QWidget* w, QString& why) {
  QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
  if (!a) {
    why = QStringLiteral("has no accessibility interface");
    return {};
  }
  // An item view gives its name for every text, its value too.
  const QString value = qobject_cast<QAbstractItemView*>(w) ? QString() : plain(a->text(QAccessible::Value));
  const QStringList groups = groupTitles(w);
  QStringList labels;
  for (const auto& [label, relation] : a->relations(QAccessible::Label))
    if (label && !qobject_cast<QGroupBox*>(label->object())) labels << plain(label->text(QAccessible::Name));
  const QStringList heard = QStringList{plain(a->text(QAccessible::Name))} + labels;
  // A group's title counts only where a caption of the same text is linked
  // to the control; otherwise it is Qt's stand-in for a missing name.
  static const QRegularExpression letter(QStringLiteral("\\p{L}"));
  for (const QString& n : heard)
    if (!n.isEmpty() && n != value && (!groups.contains(n) || labels.contains(n)) && n.contains(letter)) return n;
  const QString& name = heard.front();
  if (name.isEmpty())
    why = QStringLiteral("has no name");
  else if (groups.contains(name))
    why = QStringLiteral("is named only by its group \"%1\"").arg(name);
  else if (name == value)
    why = QStringLiteral("is named only by its value \"%1\"").arg(name);
  else
    why = QStringLiteral("is named only by the number \"%1\"").arg(name);
  return {};
}

// The control as a tester finds it on the screen: its place in Tab order.
QString described(QWidget* w, int position) {
  QString d = QStringLiteral("%1 (Tab stop %2)").arg(QString::fromLatin1(w->metaObject()->className())).arg(position);
  if (QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w); a && !qobject_cast<QAbstractItemView*>(w)) {
    const QString value = a->text(QAccessible::Value);
    if (!value.isEmpty()) d += QStringLiteral(" showing \"%1\"").arg(value);
  }
  const QStringList groups = groupTitles(w);
  if (!groups.isEmpty()) d += QStringLiteral(" in \"%1\"").arg(groups.front());
  return d;
}

bool takesFocus(const QWidget* w) {
  return (w->focusPolicy() & Qt::TabFocus) && w->isVisible() && (!w->focusProxy() || w->focusProxy() == w);
}

// What a walk found: each fault, and each name heard ("where: name").
struct Heard {
  QStringList faults, names;
};

// The controls Tab walks in the window as it shows now, each checked, and
// their names compared with each other.
void checkShown(QWidget* window, const QString& where, Heard& heard) {
  QStringList& faults = heard.faults;
  std::map<QString, QStringList> byName;
  int position = 0;
  for (QWidget* w = window->nextInFocusChain(); w != window; w = w->nextInFocusChain()) {
    if (!takesFocus(w) || !window->isAncestorOf(w)) continue;
    ++position;
    QString why;
    const QString name = heardName(w, why);
    if (name.isEmpty())
      faults << QStringLiteral("%1: %2 %3").arg(where, described(w, position), why);
    else
      byName[name] << described(w, position);
    if (!name.isEmpty()) heard.names << QStringLiteral("%1: %2").arg(where, name);
  }
  for (const auto& [name, controls] : byName)
    if (controls.size() > 1)
      faults << QStringLiteral("%1: \"%2\" names %3 controls: %4").arg(where, name).arg(controls.size()).arg(controls.join(", "));
}

// The window, and each page of each of its tab strips in turn.
Heard walk(QWidget* window, const QString& name) {
  Heard heard;
  const QList<QTabWidget*> strips = window->findChildren<QTabWidget*>();
  if (strips.isEmpty()) checkShown(window, name, heard);
  for (QTabWidget* strip : strips)
    for (int i = 0; i < strip->count(); ++i) {
      strip->setCurrentIndex(i);
      QCoreApplication::processEvents();
      checkShown(window, QStringLiteral("%1 / %2").arg(name, plain(strip->tabText(i))), heard);
    }
  heard.faults.removeDuplicates();
  return heard;
}

}  // namespace

class AccessibleNamesTest : public QObject {
  Q_OBJECT

  std::unique_ptr<testing::EveryWindow> every;

 private slots:
  void initTestCase() { every = std::make_unique<testing::EveryWindow>(); }

  Heard walkAll() {
    Heard all;
    QStringList walked;
    for (const auto& [name, open] : every->windows()) {
      open([&, name = name](QWidget* w) {
        walked << name;
        const Heard h = walk(w, name);
        all.faults << h.faults;
        all.names << h.names;
      });
      if (QTest::currentTestFailed()) return all;
    }
    [&] { QCOMPARE(walked.size(), int(every->windows().size())); }();
    return all;
  }

  void everyControlHasANameOfItsOwn() {
    const Heard heard = walkAll();
    for (const QString& f : heard.faults) qInfo().noquote() << f;
    QVERIFY2(heard.faults.isEmpty(),
             qPrintable(QStringLiteral("%1 controls without a name of their own").arg(heard.faults.size())));
  }

  // The names are the captions: an address box by its row and place, a
  // field of a table by its row and column, a list by the label above it.
  void theCaptionsAreHeard() {
    const QStringList expected = {
        "Configuration / Base: IP Address, byte 1 of 4",
        "Configuration / Base: Default Gateway, byte 4 of 4",
        "Configuration / Base: Network Mode",
        "Configuration / Base: Transmit Rate",
        "Configuration / Base: Channel 14",
        "Configuration / Base: Static Node Address, byte 6 of 6",
        "Configuration / Wireless: Scramble Key, byte 10 of 10",
        "Configuration / Wireless: Key 4, value",
        "Configuration / Wireless: Access Point List",
        "Configuration / Filter: MAC Address List",
        "Configuration / Filter: New, Protocol Filter",
        "Configuration / SNMP: IP Address, byte 4 of 4",
        "node editor: MAC Address, byte 6 of 6",
        "login priority editor: Wireless Mac Address, byte 1 of 6",
        "MAC filter editor: Wireless MAC Address 2, byte 6 of 6",
        "protocol filter editor: IP Port Protocol, value",
        "Access Point List: Access Point List",
        "File Management: Access Point List",
        "Status Information / Interfaces: MTU, Ethernet",
        "Status Information / Interfaces: Transmit Errors, Wireless",
        "Status Information / Status: POWER",
        "Status Information / Status: SW4, OFF",
        "Status Information / Status: Chip Type",
        "Status Information / Wireless Node: Wireless Node List",
    };
    const Heard heard = walkAll();
    QStringList missing;
    for (const QString& name : expected)
      if (!heard.names.contains(name)) missing << name;
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join("; ")));
  }

  // The walk itself tells each kind of fault, so a pass means something.
  void theWalkFindsEachKindOfFault() {
    QWidget window;
    auto* group = new QGroupBox(QStringLiteral("IP Parameters"), &window);
    auto* layout = new QVBoxLayout(group);
    auto* nameless = new QLineEdit(QStringLiteral("0"), group);
    auto* caption = new QLabel(QStringLiteral("Age Time:"), group);
    auto* named = new QLineEdit(group);
    caption->setBuddy(named);
    auto* sameCaption = new QLabel(QStringLiteral("IP Parameters:"), group);
    auto* sameAsGroup = new QLineEdit(group);
    sameCaption->setBuddy(sameAsGroup);
    auto* number = new QCheckBox(QStringLiteral("1"), group);
    auto* choice = new QComboBox(group);
    choice->addItem(QStringLiteral("Station"));
    auto* first = new QLineEdit(group);
    auto* second = new QLineEdit(group);
    first->setAccessibleName(QStringLiteral("Key"));
    second->setAccessibleName(QStringLiteral("Key"));
    for (QWidget* w : std::initializer_list<QWidget*>{nameless, caption, named, sameCaption, sameAsGroup, number, choice, first, second}) layout->addWidget(w);
    new QVBoxLayout(&window);
    window.layout()->addWidget(group);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QString faults = walk(&window, "sample").faults.join('\n');
    QVERIFY2(faults.contains("named only by its group \"IP Parameters\""), qPrintable(faults));
    QVERIFY2(faults.contains("named only by the number \"1\""), qPrintable(faults));
    QVERIFY2(faults.contains("named only by its value \"Station\""), qPrintable(faults));
    QVERIFY2(faults.contains("\"Key\" names 2 controls"), qPrintable(faults));
    QVERIFY2(!faults.contains("Age Time"), qPrintable(faults));
    QCOMPARE(faults.count('\n'), 3);
  }

  // The same in Japanese: no translation may give two controls one name,
  // or leave one named only by its group. Last, as the language stays.
  void everyControlHasANameOfItsOwnInJapanese() {
    platform::installLanguage(platform::Language::Japanese);
    const Heard heard = walkAll();
    for (const QString& f : heard.faults) qInfo().noquote() << f;
    QVERIFY2(heard.faults.isEmpty(),
             qPrintable(QStringLiteral("%1 controls without a name of their own").arg(heard.faults.size())));
  }
};

QTEST_MAIN(AccessibleNamesTest)
#include "accessible_names_test.moc"
