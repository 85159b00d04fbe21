// Exits 0 when the display has a notification area that takes icons, 1 when
// not. with_desktop.sh polls it before starting a test: the program asks Qt
// the same question once, at start-up, and shows no icon if the answer is no.
#include <QApplication>
#include <QSystemTrayIcon>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  return QSystemTrayIcon::isSystemTrayAvailable() ? 0 : 1;
}
