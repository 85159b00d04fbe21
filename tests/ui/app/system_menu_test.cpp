// A window's system menu gets the program's items once, however often the
// window opens.
#include <QtTest>
#include <vector>

#include "ui/app/system_menu.h"

using namespace trennic::ui;

namespace {
// The commands of a dialog's standard system menu: restore, move, size,
// minimise, maximise, a separator, close.
const std::vector<unsigned> kStandard = {0xF120, 0xF010, 0xF000, 0xF020, 0xF030, 0, 0xF060};
// The same menu once extended: size and maximise gone, the display items
// before close and the version box at the end.
const std::vector<unsigned> kExtended = {0xF120, 0xF010, 0xF020, 0,
                                         sysmenu::kUsualDisplay, 0, sysmenu::kSaveDisplayPosition, 0xF060,
                                         0, sysmenu::kVersion};
}  // namespace

class SystemMenuTest : public QObject {
  Q_OBJECT
 private slots:
  void extendedOnlyOnce_data() {
    QTest::addColumn<std::vector<unsigned>>("commands");
    QTest::addColumn<bool>("needed");
    QTest::newRow("the standard menu of a new window") << kStandard << true;
    QTest::newRow("a menu with nothing in it") << std::vector<unsigned>{} << true;
    QTest::newRow("the menu of a window opened before") << kExtended << false;
    QTest::newRow("extended, with the version item missing") << std::vector<unsigned>(kExtended.begin(), kExtended.end() - 2) << false;
  }
  void extendedOnlyOnce() {
    QFETCH(std::vector<unsigned>, commands);
    QFETCH(bool, needed);
    QCOMPARE(sysmenu::needsExtending(commands), needed);
  }
};

QTEST_APPLESS_MAIN(SystemMenuTest)
#include "system_menu_test.moc"
