#include "ui/protocol/password_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QVBoxLayout>

#include "core/protocol/operations.h"
#include "core/registry/node_table.h"
#include "ui/controls/byte_text_field.h"
#include "ui/protocol/progress_dialog.h"
#include "ui/protocol/result_message.h"

namespace trennic::ui {

namespace {

// A password is bytes of the user's code page like any other text the unit
// keeps, and its six are bytes too: a double-byte character takes two.
QLineEdit* maskedField(QWidget* parent, const QString& name) {
  auto* e = new QLineEdit(parent);
  e->setEchoMode(QLineEdit::Password);
  new CByteTextField(e, kMaxPasswordChars, name);
  return e;
}

PasswordField fieldOf(const QLineEdit* e) {
  const auto* text = e->findChild<const CByteTextField*>(QString(), Qt::FindDirectChildrenOnly);
  return makePasswordField(text ? text->bytes() : std::string());
}

}  // namespace

CPasswordDlg::CPasswordDlg(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QString());
  label_ = new QLabel(this);
  password_ = maskedField(this, tr("Password"));
  useSame_ = new QCheckBox(tr("Use same password"), this);
  auto* form = new QFormLayout;
  form->addRow(tr("Access Point:"), label_);
  form->addRow(tr("Password:"), password_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(useSame_);
  layout->addWidget(buttons);
}

int CPasswordDlg::ask(const QString& unitLabel, int* useSame, PasswordField* password) {
  label_->setText(unitLabel);
  password_->clear();
  useSame_->setChecked(false);
  useSame_->setVisible(useSame && *useSame != 0);
  password_->setFocus();
  if (exec() != Accepted) return 2;
  if (useSame) *useSame = useSame_->isChecked() ? 1 : 0;
  if (password) *password = fieldOf(password_);
  return 1;
}

CPasswordChangeDlg::CPasswordChangeDlg(CProgressDlg& progress, QWidget* parent)
    : QDialog(parent), progress_(progress) {
  setWindowTitle(QString());
  label_ = new QLabel(this);
  current_ = maskedField(this, tr("Current Password"));
  new_ = maskedField(this, tr("New Password"));
  verify_ = maskedField(this, tr("Verify Password"));
  auto* form = new QFormLayout;
  form->addRow(tr("Acceess Point:"), label_);
  form->addRow(tr("Current Password:"), current_);
  form->addRow(tr("New Password:"), new_);
  form->addRow(tr("Verify Password:"), verify_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &CPasswordChangeDlg::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
}

void CPasswordChangeDlg::ask(Ipv4 primary, Ipv4 alternate, const MacAddress& unitMac, const QString& unitLabel,
                             NodeTable* nodes) {
  primary_ = primary;
  alternate_ = alternate;
  mac_ = unitMac;
  nodes_ = nodes;
  label_->setText(unitLabel);
  current_->clear();
  new_->clear();
  verify_->clear();
  current_->setFocus();
  exec();
}

void CPasswordChangeDlg::accept() {
  if (new_->text() != verify_->text()) {
    showErrorMessage(this, tr("Invalid password."));
    return;
  }
  OperationArgs a;
  a.operation = OpSetPassword;
  a.primary = primary_;
  a.alternate = alternate_;
  a.unitMac = mac_;
  a.password = fieldOf(current_);
  a.line1 = QT_TRANSLATE_NOOP("trennic", "Writing...");
  OperationContext c;
  c.nodes = nodes_;
  c.newPassword = fieldOf(new_);
  progress_.run(a, c);
  QDialog::accept();
}

}  // namespace trennic::ui
