#include "ui/app/unreadable_file.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include "core/app/text_file.h"
#include "ui/protocol/result_message.h"

namespace trennic::ui {

QString unreadableFileMessage(const std::string& path, const QString& name, const QString& consequence) {
  const TextFileProblem problem = textFileProblem(path);
  if (problem == TextFileProblem::None || problem == TextFileProblem::Missing) return {};
  return QCoreApplication::translate("trennic", "%1 cannot be read: %2.\n\n%3")
      .arg(name, QCoreApplication::translate("trennic", textFileProblemText(problem)), consequence);
}

void tellUnreadableFile(QWidget* window, const std::string& path, const QString& name, const QString& consequence) {
  const QString message = unreadableFileMessage(path, name, consequence);
  if (message.isEmpty()) return;
  // A window that is opening is not up yet: the box would stand alone.
  QTimer::singleShot(0, window, [w = QPointer<QWidget>(window), message] {
    if (w) showErrorMessage(w, message);
  });
}

}  // namespace trennic::ui
