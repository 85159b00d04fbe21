#pragma once
// The password prompt before an operation that needs one, and the password
// change window with its own operation.
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>

#include "core/protocol/packet.h"

namespace trennic {
class NodeTable;
}

namespace trennic::ui {

class CProgressDlg;

class CPasswordDlg : public QDialog {
  Q_OBJECT
 public:
  explicit CPasswordDlg(QWidget* parent = nullptr);

  // 1 for OK, 2 for Cancel. useSame: on entry nonzero offers the "Use same
  // password" box; on OK receives its state. password receives the text on
  // OK; Cancel leaves both untouched.
  int ask(const QString& unitLabel, int* useSame, PasswordField* password);

  QLineEdit* passwordEdit() const { return password_; }
  QCheckBox* useSameBox() const { return useSame_; }

 private:
  QLabel* label_;
  QLineEdit* password_;
  QCheckBox* useSame_;
};

class CPasswordChangeDlg : public QDialog {
  Q_OBJECT
 public:
  CPasswordChangeDlg(CProgressDlg& progress, QWidget* parent = nullptr);

  // Runs the change on OK; the window closes whatever the outcome, which the
  // progress window has already reported.
  void ask(Ipv4 primary, Ipv4 alternate, const MacAddress& unitMac, const QString& unitLabel,
           NodeTable* nodes = nullptr);

  QLineEdit* currentEdit() const { return current_; }
  QLineEdit* newEdit() const { return new_; }
  QLineEdit* verifyEdit() const { return verify_; }

 protected:
  void accept() override;

 private:
  CProgressDlg& progress_;
  QLabel* label_;
  QLineEdit* current_;
  QLineEdit* new_;
  QLineEdit* verify_;
  Ipv4 primary_ = 0, alternate_ = 0;
  MacAddress mac_{};
  NodeTable* nodes_ = nullptr;
};

}  // namespace trennic::ui
