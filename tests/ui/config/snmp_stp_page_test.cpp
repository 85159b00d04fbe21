#include <QtTest>

#include "support/config_window_fixture.h"

using namespace trennic;

class SnmpStpPageTest : public QObject {
  Q_OBJECT

 private slots:
  void opens() {
    testing::ConfigWindowFixture f;
    QVERIFY(f.open().isVisible());
  }
};

QTEST_MAIN(SnmpStpPageTest)
#include "snmp_stp_page_test.moc"
