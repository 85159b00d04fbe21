#include "platform/app/settings_location.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "core/app/settings.h"
#include "platform/app/codepage.h"

namespace trennic::platform {

std::string defaultSettingsPath() {
  QString dir = QCoreApplication::applicationDirPath();
#ifdef _WIN32
  QString program = dir + "/trennic.exe";
#else
  QString program = dir + "/trennic";
#endif
  std::string path = settingsPathFor(QDir::toNativeSeparators(program).toStdString(),
                                     QDir::currentPath().toStdString(), userTextEncoding());
  QFileInfo folder(dir);
  // An installed program never writes beside itself, not even when run by
  // someone who may (root writing into /usr/bin); a build writes beside
  // itself as the units' tool always did.
  const bool installed = QDir(dir) == QDir(QStringLiteral(TRENNIC_INSTALL_BINDIR));
  if (folder.isWritable() && !installed) return path;
  QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/trennic";
  QDir().mkpath(config);
  return QDir::toNativeSeparators(config + "/" + QFileInfo(QString::fromStdString(path)).fileName()).toStdString();
}

}  // namespace trennic::platform
