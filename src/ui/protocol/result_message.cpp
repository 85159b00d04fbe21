#include "ui/protocol/result_message.h"

#include <QFile>
#include <QMessageBox>

#include "core/protocol/operations.h"
#include "core/registry/node_table.h"
#include "platform/app/language.h"

namespace trennic::ui {

namespace {
std::function<void(const QString&)>& interceptor() {
  static std::function<void(const QString&)> f;
  return f;
}
std::function<bool(const QString&)>& questionInterceptor() {
  static std::function<bool(const QString&)> f;
  return f;
}
}  // namespace

void setMessageInterceptor(std::function<void(const QString&)> f) { interceptor() = std::move(f); }
void setQuestionInterceptor(std::function<bool(const QString&)> f) { questionInterceptor() = std::move(f); }

void showErrorMessage(QWidget* parent, const QString& text) {
  if (interceptor()) return interceptor()(text);
  QMessageBox box(QMessageBox::Critical, QString(), text, QMessageBox::Ok, parent);
  box.setWindowFlag(Qt::WindowStaysOnTopHint);
  box.exec();
}

void showResultMessage(QWidget* parent, int result) {
  showErrorMessage(parent, platform::shownText(resultMessage(result)));
}

bool reportSettingsWriteFailure(QWidget* parent, NodeTable& nodes) {
  if (!nodes.takeWriteFailure()) return false;
  showErrorMessage(parent, platform::shownText(resultMessage(ResultError)) + QStringLiteral("\n\n") +
                               QMessageBox::tr("The settings file %1 could not be written.")
                                   .arg(QFile::decodeName(QByteArray::fromStdString(nodes.settingsPath()))));
  return true;
}

bool askYesNo(QWidget* parent, const QString& text) {
  if (questionInterceptor()) return questionInterceptor()(text);
  QMessageBox box(QMessageBox::Warning, QString(), text, QMessageBox::Yes | QMessageBox::No, parent);
  box.setDefaultButton(QMessageBox::No);
  box.setEscapeButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

}  // namespace trennic::ui
