#include <QtTest>

#include "support/config_window_fixture.h"

using namespace trennic;

class WirelessPageTest : public QObject {
  Q_OBJECT

 private slots:
  void opens() {
    testing::ConfigWindowFixture f;
    QVERIFY(f.open().isVisible());
  }
};

QTEST_MAIN(WirelessPageTest)
#include "wireless_page_test.moc"
