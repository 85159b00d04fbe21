#include "ui/protocol/progress_dialog.h"

#include <QTimer>
#include <algorithm>
#include <QVBoxLayout>

#include "platform/app/codepage.h"
#include "platform/app/language.h"
#include "core/registry/node_table.h"
#include "ui/protocol/result_message.h"

namespace trennic::ui {

CProgressDlg::CProgressDlg(EngineLink& link, QWidget* parent) : QDialog(parent), driver_(link, *this) {
  setWindowTitle(QStringLiteral("Trennic"));
  setModal(true);
  line1_ = new QLabel(this);
  line2_ = new QLabel(this);
  bar_ = new QProgressBar(this);
  bar_->setRange(0, 100);
  bar_->setTextVisible(false);
  cancel_ = new QPushButton(tr("Cancel"), this);
  connect(cancel_, &QPushButton::clicked, this, &CProgressDlg::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(line1_);
  layout->addWidget(line2_);
  layout->addWidget(bar_);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(cancel_);
  layout->addLayout(buttons);
  setMinimumWidth(360);
}

void CProgressDlg::setLines(const QString& line1, const QString& line2) {
  line1_->setText(line1);
  line2_->setText(line2);
}

int CProgressDlg::run(const OperationArgs& args, const OperationContext& context) {
  setLines(platform::shownText(args.line1), platform::decodeText(args.line2));
  bar_->setValue(0);
  closing_ = false;
  startArmed_ = false;
  driver_.open(args, context);
  exec();
  // A route learnt or a version read is written as the operation goes; a
  // batch around the run reports for itself when it ends.
  if (context.nodes && !context.nodes->inBatch()) reportSettingsWriteFailure(parentWidget(), *context.nodes);
  return driver_.runResult();
}

void CProgressDlg::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  // The first datagram goes out only once the window can be seen.
  if (startArmed_) return;
  startArmed_ = true;
  QTimer::singleShot(kStartDelayMs, this, [this] {
    if (closing_ || !isVisible()) return;
    driver_.start();
    emit operationStarted();
  });
}

void CProgressDlg::progress(int percent) { bar_->setValue(std::clamp(percent, 0, 100)); }

void CProgressDlg::showResult(int result) { showResultMessage(this, result); }

void CProgressDlg::finished(bool success) {
  closing_ = true;
  done(success ? Accepted : Rejected);
}

void CProgressDlg::reject() {
  if (closing_) return QDialog::reject();
  if (driver_.running()) return driver_.cancel();  // ends through finished()
  closing_ = true;
  QDialog::reject();
}

}  // namespace trennic::ui
