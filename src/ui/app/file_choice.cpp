#include "ui/app/file_choice.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>

#include "core/app/settings.h"
#include "core/app/sjis.h"
#include "platform/app/codepage.h"

namespace trennic::ui {

std::optional<QString> chooseFile(QWidget* parent, bool forOpening, const QString& fileName, const QString& filter) {
  QString path = forOpening ? QFileDialog::getOpenFileName(parent, QString(), fileName, filter)
                            : QFileDialog::getSaveFileName(parent, QString(), fileName, filter);
  if (path.isEmpty()) return std::nullopt;
  QFile f(path);
  if (forOpening && !f.open(QIODevice::ReadOnly)) return std::nullopt;
  return QDir::toNativeSeparators(path);
}

std::optional<QString> chooseFolder(QWidget* parent) {
  QString dir = QFileDialog::getExistingDirectory(parent);
  if (dir.isEmpty()) return std::nullopt;
  auto bytes = platform::encodeText(QDir::toNativeSeparators(dir));
  if (!bytes) return QDir::toNativeSeparators(dir) + QDir::separator();
  return platform::decodeText(sjis::withTrailingSeparator(*bytes, kPathSeparator));
}

}  // namespace trennic::ui
