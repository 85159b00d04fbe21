#include <QCoreApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
  // Whatever the caller's environment, these tests reach units through the
  // loopback interface only.
  qputenv("TRENNIC_INTERFACES", "lo");
  QCoreApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
