#include <QCoreApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
  // Whatever the caller's environment, these tests reach units through the
  // loopback interface only.
  qputenv("TRENNIC_INTERFACES", "lo");
  // The command line speaks the locale's language and these tests read its
  // English; the language tests set a locale of their own.
  qputenv("LC_ALL", "C.UTF-8");
  qunsetenv("LANGUAGE");
  QCoreApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
