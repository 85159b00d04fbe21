#include "ui/app/file_choice.h"

#include <QDir>
#include <QFileDialog>

#include "core/app/settings.h"
#include "platform/app/codepage.h"

namespace trennic::ui {

namespace {

FileDialogAnswer& fileDialogInterceptor() {
  static FileDialogAnswer answer;
  return answer;
}

}  // namespace

void setFileDialogInterceptor(FileDialogAnswer answer) { fileDialogInterceptor() = std::move(answer); }

std::optional<QString> chooseFile(QWidget* parent, bool forOpening, const QString& fileName, const QString& filter) {
  QString path;
  if (fileDialogInterceptor())
    path = fileDialogInterceptor()(forOpening, fileName, filter);
  else
    path = forOpening ? QFileDialog::getOpenFileName(parent, QString(), fileName, filter)
                      : QFileDialog::getSaveFileName(parent, QString(), fileName, filter);
  if (path.isEmpty()) return std::nullopt;
  // A file that cannot be opened is still the user's choice: dropping it
  // here would leave the window unable to say what went wrong.
  return QDir::toNativeSeparators(path);
}

std::optional<QString> chooseFolder(QWidget* parent) {
  QString dir = QFileDialog::getExistingDirectory(parent);
  if (dir.isEmpty()) return std::nullopt;
  auto bytes = platform::encodeText(QDir::toNativeSeparators(dir));
  if (!bytes) return QDir::toNativeSeparators(dir) + QDir::separator();
  return platform::decodeText(platform::userTextEncoding().withTrailingSeparator(*bytes, kPathSeparator));
}

}  // namespace trennic::ui
