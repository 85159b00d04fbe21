#pragma once
// The progress window: runs one operation of the engine with its two text
// lines, a progress bar and Cancel, and ends with one message on failure.
// It adds no protocol logic of its own; the core driver does it all.
#include <QDialog>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include "core/protocol/operation_driver.h"

namespace trennic::ui {

class CProgressDlg : public QDialog, public DriverHost {
  Q_OBJECT
 public:
  CProgressDlg(EngineLink& link, QWidget* parent = nullptr);

  // 1 when the operation succeeded, 2 otherwise.
  int run(const OperationArgs& args, const OperationContext& context);

  const OperationDriver& driver() const { return driver_; }
  int value() const { return bar_->value(); }
  // The two lines shown above the bar.
  void setLines(const QString& line1, const QString& line2);

  void progress(int percent) override;
  void showResult(int result) override;
  void finished(bool success) override;

  static constexpr int kStartDelayMs = 50;

  // Cancel, Esc and closing the window; a transfer under way sends its
  // closing request first.
  void reject() override;

 signals:
  void operationStarted();

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  OperationDriver driver_;
  QLabel* line1_;
  QLabel* line2_;
  QProgressBar* bar_;
  QPushButton* cancel_;
  bool startArmed_ = false;
  bool closing_ = false;
};

}  // namespace trennic::ui
