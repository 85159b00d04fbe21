#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>

#include <array>
#include <memory>

#include "ui/controls/address_row.h"
#include "ui/controls/decimal_edit.h"
#include "ui/controls/hex_edit.h"

namespace {

// A field as a dialog sets it up: a hex field with its text limit, or a
// decimal field with its range.
std::unique_ptr<QLineEdit> makeField(const QString& kind, int hexLimit, quint32 minimum, quint32 maximum) {
  if (kind == QLatin1String("hex")) {
    auto field = std::make_unique<CHexEdit>();
    field->setMaxLength(hexLimit);
    return field;
  }
  auto field = std::make_unique<CDecimalEdit>();
  field->SetRange(minimum, maximum);
  return field;
}

bool wholeTextSelected(const QLineEdit& field) {
  return field.hasSelectedText() && field.selectedText() == field.text();
}

// Opens the field's context menu as the Menu key does and picks "&Paste" by
// its accelerator.
void pasteFromContextMenu(QLineEdit& field) {
  QContextMenuEvent open(QContextMenuEvent::Keyboard, field.rect().center(), field.mapToGlobal(field.rect().center()));
  QApplication::sendEvent(&field, &open);
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  QVERIFY(menu != nullptr);
  QTest::keyClick(menu, Qt::Key_P);
}

}  // namespace

class EditControlsTest : public QObject {
  Q_OBJECT

 private slots:
  void hexTyping_data();
  void hexTyping();
  void decimalTyping_data();
  void decimalTyping();
  void editingKeysAreNotRefused_data();
  void editingKeysAreNotRefused();
  void decimalBackspaceLeavesShortValue();
  void decimalSelectionReplacedAfterClamp();
  void decimalRange();
  void paste_data();
  void paste();
  void inputMethodCommit_data();
  void inputMethodCommit();
  void addressRow_data();
  void addressRow();
  void beepCanBeTurnedOff();
  void dropsAreNotTaken();
};

// ------------------------------------------------------------ hex typing

void EditControlsTest::hexTyping_data() {
  QTest::addColumn<int>("limit");
  QTest::addColumn<QString>("keys");
  QTest::addColumn<QString>("text");
  QTest::addColumn<int>("refused");

  QTest::newRow("lower f kept as typed") << 2 << "f" << "f" << 0;
  QTest::newRow("x refused") << 2 << "x" << "" << 1;
  QTest::newRow("every hex digit") << 32 << "0123456789abcdefABCDEF" << "0123456789abcdefABCDEF" << 0;
  QTest::newRow("letters past F refused") << 8 << "gGzZ" << "" << 4;
  QTest::newRow("space dash dot refused") << 8 << " -." << "" << 3;
  QTest::newRow("prefix letter dropped") << 8 << "0x1F" << "01F" << 1;
  QTest::newRow("full byte refuses the third digit") << 2 << "1A2" << "1A" << 1;
}

void EditControlsTest::hexTyping() {
  QFETCH(int, limit);
  QFETCH(QString, keys);
  QFETCH(QString, text);
  QFETCH(int, refused);

  CHexEdit field;
  field.setMaxLength(limit);
  field.show();
  QSignalSpy spy(&field, &CHexEdit::invalidCharacter);
  QTest::keyClicks(&field, keys);
  QCOMPARE(field.text(), text);
  QCOMPARE(spy.count(), refused);
}

// ------------------------------------------------------------ decimal typing

void EditControlsTest::decimalTyping_data() {
  QTest::addColumn<quint32>("minimum");
  QTest::addColumn<quint32>("maximum");
  QTest::addColumn<QString>("keys");
  QTest::addColumn<QString>("text");
  QTest::addColumn<bool>("selected");
  QTest::addColumn<int>("refused");

  QTest::newRow("octet 256 becomes 255") << 0u << 255u << "256" << "255" << true << 0;
  QTest::newRow("octet 25 stays short") << 0u << 255u << "25" << "25" << false << 0;
  QTest::newRow("octet 01 stays") << 0u << 255u << "01" << "01" << false << 0;
  QTest::newRow("octet 0 stays") << 0u << 255u << "0" << "0" << false << 0;
  QTest::newRow("1-10 zero becomes minimum") << 1u << 10u << "0" << "1" << true << 0;
  QTest::newRow("1-10 eleven becomes maximum") << 1u << 10u << "11" << "10" << true << 0;
  QTest::newRow("1-10 ten stays") << 1u << 10u << "10" << "10" << false << 0;
  QTest::newRow("6-40 short 3 stays") << 6u << 40u << "3" << "3" << false << 0;
  QTest::newRow("6-40 fifty becomes maximum") << 6u << 40u << "50" << "40" << true << 0;
  QTest::newRow("6-40 zero then five") << 6u << 40u << "05" << "5" << false << 0;
  QTest::newRow("port five nines") << 0u << 65535u << "99999" << "65535" << true << 0;
  QTest::newRow("port four nines stay") << 0u << 65535u << "9999" << "9999" << false << 0;
  QTest::newRow("widest ten nines") << 0u << 4294967295u << "9999999999" << "4294967295" << true << 0;
  QTest::newRow("letter refused") << 0u << 255u << "a" << "" << false << 1;
  QTest::newRow("space refused") << 0u << 255u << " " << "" << false << 1;
  QTest::newRow("minus refused") << 0u << 255u << "-" << "" << false << 1;
  QTest::newRow("dot refused") << 0u << 255u << "." << "" << false << 1;
  QTest::newRow("refusals leave digits") << 0u << 255u << "1a.2" << "12" << false << 2;
  QTest::newRow("dotted address stops at dot") << 0u << 255u << "10.0" << "100" << false << 1;
}

void EditControlsTest::decimalTyping() {
  QFETCH(quint32, minimum);
  QFETCH(quint32, maximum);
  QFETCH(QString, keys);
  QFETCH(QString, text);
  QFETCH(bool, selected);
  QFETCH(int, refused);

  CDecimalEdit field;
  field.SetRange(minimum, maximum);
  field.show();
  QSignalSpy spy(&field, &CDecimalEdit::invalidCharacter);
  QTest::keyClicks(&field, keys);
  QCOMPARE(field.text(), text);
  QCOMPARE(wholeTextSelected(field), selected);
  QCOMPARE(spy.count(), refused);
}

// ------------------------------------------------------------ editing keys

void EditControlsTest::editingKeysAreNotRefused_data() {
  QTest::addColumn<QString>("kind");
  QTest::addColumn<int>("key");
  QTest::addColumn<int>("modifiers");

  for (const char* kind : {"hex", "decimal"}) {
    const QString k = QLatin1String(kind);
    QTest::addRow("%s backspace", kind) << k << int(Qt::Key_Backspace) << int(Qt::NoModifier);
    QTest::addRow("%s delete", kind) << k << int(Qt::Key_Delete) << int(Qt::NoModifier);
    QTest::addRow("%s left", kind) << k << int(Qt::Key_Left) << int(Qt::NoModifier);
    QTest::addRow("%s home", kind) << k << int(Qt::Key_Home) << int(Qt::NoModifier);
    QTest::addRow("%s select all", kind) << k << int(Qt::Key_A) << int(Qt::ControlModifier);
    QTest::addRow("%s copy", kind) << k << int(Qt::Key_C) << int(Qt::ControlModifier);
    QTest::addRow("%s undo", kind) << k << int(Qt::Key_Z) << int(Qt::ControlModifier);
  }
}

void EditControlsTest::editingKeysAreNotRefused() {
  QFETCH(QString, kind);
  QFETCH(int, key);
  QFETCH(int, modifiers);

  auto field = makeField(kind, 2, 0, 255);
  field->show();
  QTest::keyClicks(field.get(), "12");
  QSignalSpy spy(field.get(), SIGNAL(invalidCharacter()));
  QTest::keyClick(field.get(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
  QCOMPARE(spy.count(), 0);
}

void EditControlsTest::decimalBackspaceLeavesShortValue() {
  CDecimalEdit field;
  field.SetRange(6, 40);
  field.show();
  QTest::keyClicks(&field, "40");
  QTest::keyClick(&field, Qt::Key_Backspace);
  QCOMPARE(field.text(), QString("4"));
  QVERIFY(!field.hasSelectedText());
}

void EditControlsTest::decimalSelectionReplacedAfterClamp() {
  CDecimalEdit field;
  field.SetRange(0, 255);
  field.show();
  QTest::keyClicks(&field, "256");
  QCOMPARE(field.text(), QString("255"));
  QTest::keyClicks(&field, "9");
  QCOMPARE(field.text(), QString("9"));
  QVERIFY(!field.hasSelectedText());
}

void EditControlsTest::decimalRange() {
  CDecimalEdit field;
  QCOMPARE(field.minimum(), 0u);
  QCOMPARE(field.maximum(), 4294967295u);
  QCOMPARE(field.maxDigits(), 10);
  QCOMPARE(field.maxLength(), 10);

  field.SetRange(6, 40);
  QCOMPARE(field.minimum(), 6u);
  QCOMPARE(field.maximum(), 40u);
  QCOMPARE(field.maxDigits(), 2);
  QCOMPARE(field.maxLength(), 2);

  field.SetRange(0, 65535);
  QCOMPARE(field.maxLength(), 5);
  field.show();
  QTest::keyClicks(&field, "123456");
  QCOMPARE(field.text(), QString("12345"));
}

// ------------------------------------------------------------ paste

void EditControlsTest::paste_data() {
  QTest::addColumn<QString>("kind");
  QTest::addColumn<quint32>("minimum");
  QTest::addColumn<quint32>("maximum");
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QString>("clipboard");
  QTest::addColumn<QString>("via");
  QTest::addColumn<QString>("text");
  QTest::addColumn<bool>("selected");
  QTest::addColumn<int>("refused");

  // Decimal: a taken paste is checked like Ctrl+V typed.
  QTest::newRow("decimal short paste stays") << "decimal" << 0u << 255u << "" << "12" << "ctrl+v" << "12" << false << 0;
  QTest::newRow("decimal full paste clamped") << "decimal" << 0u << 255u << "" << "300" << "ctrl+v" << "255" << true << 0;
  QTest::newRow("decimal paste fills field") << "decimal" << 0u << 255u << "30" << "0" << "ctrl+v" << "255" << true << 0;
  QTest::newRow("decimal paste cut at limit") << "decimal" << 0u << 255u << "12" << "999" << "ctrl+v" << "129" << false << 0;
  QTest::newRow("decimal full paste below minimum")
      << "decimal" << 6u << 40u << "" << "03" << "ctrl+v" << "6" << true << 0;
  QTest::newRow("decimal pasted zero is not typed") << "decimal" << 6u << 40u << "" << "0" << "ctrl+v" << "0" << false << 0;
  QTest::newRow("decimal shift+insert") << "decimal" << 0u << 255u << "" << "256" << "shift+insert" << "255" << true << 0;
  QTest::newRow("decimal menu paste clamped") << "decimal" << 0u << 255u << "" << "300" << "menu" << "255" << true << 0;
  // Decimal: the leading digits are taken; a paste that starts with anything else is not.
  QTest::newRow("decimal paste stops at letter") << "decimal" << 0u << 255u << "" << "1a" << "ctrl+v" << "1" << false << 0;
  QTest::newRow("decimal sign refused") << "decimal" << 0u << 255u << "12" << "-3" << "ctrl+v" << "12" << false << 1;
  QTest::newRow("decimal dotted gives first number")
      << "decimal" << 0u << 255u << "" << "10.0" << "ctrl+v" << "10" << false << 0;
  QTest::newRow("decimal trailing newline left") << "decimal" << 0u << 255u << "" << "25\n" << "ctrl+v" << "25" << false << 0;
  QTest::newRow("decimal trailing crlf left, full clamped")
      << "decimal" << 0u << 255u << "" << "300\r\n" << "ctrl+v" << "255" << true << 0;
  QTest::newRow("decimal menu trailing newline left")
      << "decimal" << 0u << 255u << "" << "42\n" << "menu" << "42" << false << 0;
  QTest::newRow("decimal blank refused") << "decimal" << 0u << 255u << "" << " 7" << "ctrl+v" << "" << false << 1;
  QTest::newRow("decimal menu letters refused") << "decimal" << 0u << 255u << "4" << "xy" << "menu" << "4" << false << 1;
  QTest::newRow("decimal full field refuses paste") << "decimal" << 0u << 99u << "12" << "3" << "ctrl+v" << "12" << false << 1;
  // Hex: digits of either case are taken as they are, up to the first other character.
  QTest::newRow("hex pair taken") << "hex" << 0u << 0u << "" << "aB" << "ctrl+v" << "aB" << false << 0;
  QTest::newRow("hex menu pair taken") << "hex" << 0u << 0u << "" << "0F" << "menu" << "0F" << false << 0;
  QTest::newRow("hex mac text gives first byte") << "hex" << 0u << 0u << "" << "00-11" << "ctrl+v" << "00" << false << 0;
  QTest::newRow("hex prefix stops at x") << "hex" << 0u << 0u << "1" << "0x" << "ctrl+v" << "10" << false << 0;
  QTest::newRow("hex full width refused") << "hex" << 0u << 0u << "" << QString::fromUtf8("\uFF21") << "ctrl+v" << ""
                                          << false << 1;
  QTest::newRow("hex menu letters refused") << "hex" << 0u << 0u << "" << "zz" << "menu" << "" << false << 1;
}

void EditControlsTest::paste() {
  QFETCH(QString, kind);
  QFETCH(quint32, minimum);
  QFETCH(quint32, maximum);
  QFETCH(QString, typed);
  QFETCH(QString, clipboard);
  QFETCH(QString, via);
  QFETCH(QString, text);
  QFETCH(bool, selected);
  QFETCH(int, refused);

  auto field = makeField(kind, 2, minimum, maximum);
  field->show();
  field->activateWindow();
  QTest::keyClicks(field.get(), typed);
  QApplication::clipboard()->setText(clipboard);
  QSignalSpy spy(field.get(), SIGNAL(invalidCharacter()));

  if (via == QLatin1String("ctrl+v"))
    QTest::keyClick(field.get(), Qt::Key_V, Qt::ControlModifier);
  else if (via == QLatin1String("shift+insert"))
    QTest::keyClick(field.get(), Qt::Key_Insert, Qt::ShiftModifier);
  else
    pasteFromContextMenu(*field);

  QCOMPARE(field->text(), text);
  QCOMPARE(wholeTextSelected(*field), selected);
  QCOMPARE(spy.count(), refused);
}

// ------------------------------------------------------------ input method

void EditControlsTest::inputMethodCommit_data() {
  QTest::addColumn<QString>("kind");
  QTest::addColumn<quint32>("minimum");
  QTest::addColumn<QString>("commit");
  QTest::addColumn<QString>("text");
  QTest::addColumn<int>("refused");

  QTest::newRow("decimal digit taken") << "decimal" << 0u << "7" << "7" << 0;
  QTest::newRow("decimal zero checked as typed") << "decimal" << 1u << "0" << "1" << 0;
  QTest::newRow("decimal full width refused") << "decimal" << 0u << QString::fromUtf8("\uFF11\uFF12") << "" << 1;
  QTest::newRow("decimal leading digits taken") << "decimal" << 0u << "5a" << "5" << 0;
  QTest::newRow("hex digits taken") << "hex" << 0u << "Ab" << "Ab" << 0;
  QTest::newRow("hex kana refused") << "hex" << 0u << QString::fromUtf8("\u30A2") << "" << 1;
}

void EditControlsTest::inputMethodCommit() {
  QFETCH(QString, kind);
  QFETCH(quint32, minimum);
  QFETCH(QString, commit);
  QFETCH(QString, text);
  QFETCH(int, refused);

  auto field = makeField(kind, 2, minimum, 10);
  field->show();
  QSignalSpy spy(field.get(), SIGNAL(invalidCharacter()));
  QInputMethodEvent composing(commit, {});
  QApplication::sendEvent(field.get(), &composing);
  QInputMethodEvent done;
  done.setCommitString(commit);
  QApplication::sendEvent(field.get(), &done);
  QCOMPARE(field->text(), text);
  QCOMPARE(spy.count(), refused);
}

// ------------------------------------------------------------ address rows

void EditControlsTest::addressRow_data() {
  QTest::addColumn<QString>("kind");
  QTest::addColumn<QStringList>("before");
  QTest::addColumn<int>("box");         // the box the caret is in, at the end of its text
  QTest::addColumn<int>("closed");      // a disabled box, or -1
  QTest::addColumn<QString>("via");     // "type" or "paste"
  QTest::addColumn<QString>("input");
  QTest::addColumn<QStringList>("after");
  QTest::addColumn<int>("focus");
  QTest::addColumn<int>("refused");

  const QStringList noMac{"", "", "", "", "", ""};
  const QStringList noIp{"", "", "", ""};
  const QStringList mac{"00", "11", "22", "33", "44", "55"};
  // Typing runs on from a full box into the next, replacing what it held.
  QTest::newRow("mac typed whole") << "hex" << noMac << 0 << -1 << "type" << "001122334455" << mac << 5 << 0;
  QTest::newRow("mac past last box refused")
      << "hex" << noMac << 0 << -1 << "type" << "001122334455a" << mac << 5 << 1;
  QTest::newRow("full box runs on and replaces")
      << "hex" << mac << 2 << -1 << "type" << "9" << QStringList{"00", "11", "22", "9", "44", "55"} << 3 << 0;
  QTest::newRow("full last box refuses") << "hex" << mac << 5 << -1 << "type" << "9" << mac << 5 << 1;
  QTest::newRow("closed next box refuses")
      << "hex" << noMac << 0 << 1 << "type" << "001" << QStringList{"00", "", "", "", "", ""} << 0 << 1;
  QTest::newRow("refused letter does not move on")
      << "hex" << noMac << 0 << -1 << "type" << "0g0" << QStringList{"00", "", "", "", "", ""} << 0 << 1;
  QTest::newRow("ip typed whole")
      << "decimal" << noIp << 0 << -1 << "type" << "192168000001" << QStringList{"192", "168", "000", "001"} << 3 << 0;
  // A clamped octet is selected, so the next digit replaces it and stays.
  QTest::newRow("clamped octet replaced in place")
      << "decimal" << noIp << 0 << -1 << "type" << "2561" << QStringList{"1", "", "", ""} << 0 << 0;
  QTest::newRow("digits run on into next box")
      << "decimal" << noIp << 0 << -1 << "type" << "10300" << QStringList{"103", "00", "", ""} << 1 << 0;
  // A pasted address fills the row; each box's rules run on its part.
  QTest::newRow("mac pasted with dashes") << "hex" << noMac << 0 << -1 << "paste" << "00-11-22-33-44-55" << mac << 5 << 0;
  QTest::newRow("mac pasted with colons")
      << "hex" << noMac << 0 << -1 << "paste" << "00:11:22:aa:bb:CC\n"
      << QStringList{"00", "11", "22", "aa", "bb", "CC"} << 5 << 0;
  QTest::newRow("mac pasted over old bytes")
      << "hex" << QStringList{"", "ff", "ff", "ff", "ff", "ff"} << 0 << -1 << "paste" << "001122334455" << mac << 5 << 0;
  QTest::newRow("ip pasted") << "decimal" << noIp << 0 << -1 << "paste" << "192.168.0.1"
                             << QStringList{"192", "168", "0", "1"} << 3 << 0;
  QTest::newRow("ip pasted octets clamped")
      << "decimal" << noIp << 0 << -1 << "paste" << "300.1.2.999" << QStringList{"255", "1", "2", "255"} << 3 << 0;
  QTest::newRow("paste into middle box stops at the end")
      << "decimal" << noIp << 2 << -1 << "paste" << "10.0.0.1" << QStringList{"", "", "10", "0"} << 3 << 0;
  QTest::newRow("paste into full box runs on")
      << "decimal" << QStringList{"192", "", "", ""} << 0 << -1 << "paste" << "168"
      << QStringList{"192", "168", "", ""} << 1 << 0;
  QTest::newRow("paste stops at closed box")
      << "hex" << noMac << 0 << 2 << "paste" << "00-11-22-33-44-55" << QStringList{"00", "11", "", "", "", ""} << 1 << 0;
  QTest::newRow("paste into full last box refused") << "hex" << mac << 5 << -1 << "paste" << "66" << mac << 5 << 1;
}

void EditControlsTest::addressRow() {
  QFETCH(QString, kind);
  QFETCH(QStringList, before);
  QFETCH(int, box);
  QFETCH(int, closed);
  QFETCH(QString, via);
  QFETCH(QString, input);
  QFETCH(QStringList, after);
  QFETCH(int, focus);
  QFETCH(int, refused);

  QWidget window;
  std::array<CHexEdit*, 6> mac{};
  std::array<CDecimalEdit*, 4> ip{};
  std::vector<CCheckedEdit*> boxes;
  if (kind == QLatin1String("hex")) {
    for (auto& b : mac) {
      b = new CHexEdit(&window);
      b->setMaxLength(2);
      boxes.push_back(b);
    }
    trennic::ui::chainBoxes(mac);
  } else {
    for (auto& b : ip) {
      b = new CDecimalEdit(&window);
      b->SetRange(0, 255);
      boxes.push_back(b);
    }
    trennic::ui::chainBoxes(ip);
  }
  for (std::size_t k = 0; k < boxes.size(); ++k) boxes[k]->setText(before.value(static_cast<int>(k)));
  if (closed >= 0) boxes[static_cast<std::size_t>(closed)]->setEnabled(false);
  window.show();
  window.activateWindow();
  CCheckedEdit* start = boxes[static_cast<std::size_t>(box)];
  start->setFocus();
  start->end(false);

  int refusals = 0;
  for (CCheckedEdit* b : boxes) connect(b, &CCheckedEdit::invalidCharacter, this, [&] { ++refusals; });
  if (via == QLatin1String("type")) {
    // Keys go where a person's keys go: to the box that has the focus.
    for (QChar c : input) QTest::keyClicks(window.focusWidget(), QString(c));
  } else {
    QApplication::clipboard()->setText(input);
    QTest::keyClick(start, Qt::Key_V, Qt::ControlModifier);
  }

  QStringList texts;
  for (CCheckedEdit* b : boxes) texts << b->text();
  QCOMPARE(texts, after);
  QCOMPARE(window.focusWidget(), static_cast<QWidget*>(boxes[static_cast<std::size_t>(focus)]));
  QCOMPARE(refusals, refused);
}

// ------------------------------------------------------------ notification

void EditControlsTest::beepCanBeTurnedOff() {
  for (const char* kind : {"hex", "decimal"}) {
    auto field = makeField(QLatin1String(kind), 2, 0, 255);
    QCOMPARE(field->property("beepOnInvalid").toBool(), true);
    field->setProperty("beepOnInvalid", false);
    QCOMPARE(field->property("beepOnInvalid").toBool(), false);
    field->show();
    // The window that answers the refusal still hears of it.
    QSignalSpy spy(field.get(), SIGNAL(invalidCharacter()));
    QTest::keyClicks(field.get(), "?");
    QCOMPARE(spy.count(), 1);
    QCOMPARE(field->text(), QString());
  }
}

void EditControlsTest::dropsAreNotTaken() {
  CHexEdit hex;
  CDecimalEdit decimal;
  QVERIFY(!hex.acceptDrops());
  QVERIFY(!decimal.acceptDrops());
}

QTEST_MAIN(EditControlsTest)
#include "edit_controls_test.moc"
