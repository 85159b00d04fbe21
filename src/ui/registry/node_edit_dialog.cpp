#include "ui/registry/node_edit_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QVBoxLayout>
#include <QValidator>

#include "platform/app/codepage.h"
#include "platform/app/language.h"
#include "ui/controls/address_row.h"
#include "ui/controls/field_width.h"
#include "ui/protocol/result_message.h"

namespace trennic::ui {

// Typing stops at the name limit, counted in bytes of the user's code page.
// What the field shows when it opens is never cut: a longer name from a
// node list stays whole unless the user shortens it.
class NodeNameLimit : public QValidator {
 public:
  explicit NodeNameLimit(QLineEdit* field) : QValidator(field) {
    connect(field, &QLineEdit::textChanged, this, [this](const QString& text) { shown_ = text; });
  }
  // The text the field is about to show, before it shows it.
  void opening(const QString& text) { shown_ = text; }

  State validate(QString& input, int&) const override {
    return nodeNameEditFits(platform::encodedLength(shown_), platform::encodedLength(input)) ? Acceptable : Invalid;
  }

 private:
  QString shown_;
};

CNodeEditDlg::CNodeEditDlg(NodeTable& nodes, QWidget* parent) : QDialog(parent), nodes_(nodes) {
  setWindowTitle(QString());
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  // Labels in one column, fields in the next; each address is a row of its
  // own so its bytes sit close together whatever the other row needs.
  auto* grid = new QGridLayout;
  auto* nameLabel = new QLabel(tr("Name:"), this);
  name_ = new QLineEdit(this);
  nameLimit_ = new NodeNameLimit(name_);
  name_->setValidator(nameLimit_);
  nameLabel->setBuddy(name_);
  grid->addWidget(nameLabel, 0, 0);
  grid->addWidget(name_, 0, 1);

  auto* macLabel = new QLabel(tr("MAC Address:"), this);
  auto* macRow = new QHBoxLayout;
  macRow->setSpacing(2);
  for (int k = 0; k < 6; ++k) {
    auto* f = new CHexEdit(this);
    f->setMaxLength(2);
    f->setAlignment(Qt::AlignCenter);
    f->setFixedWidth(fieldWidth(f, 2));
    connect(f, &QLineEdit::textEdited, this, &CNodeEditDlg::macEdited);
    mac_[static_cast<std::size_t>(k)] = f;
    if (k > 0) macRow->addWidget(separator("-", this));
    macRow->addWidget(f);
  }
  chainBoxes(mac_, macLabel);
  macRow->addStretch();
  grid->addWidget(macLabel, 1, 0);
  grid->addLayout(macRow, 1, 1);

  auto* ipLabel = new QLabel(tr("IP Address:"), this);
  auto* ipRow = new QHBoxLayout;
  ipRow->setSpacing(2);
  for (int k = 0; k < 4; ++k) {
    auto* f = new CDecimalEdit(this);
    f->SetRange(0, 255);
    f->setAlignment(Qt::AlignCenter);
    f->setFixedWidth(fieldWidth(f, 3));
    connect(f, &QLineEdit::textEdited, this, [this] { ipTyped_ = true; });
    ip_[static_cast<std::size_t>(k)] = f;
    if (k > 0) ipRow->addWidget(separator(".", this));
    ipRow->addWidget(f);
  }
  chainBoxes(ip_, ipLabel);
  ipRow->addStretch();
  grid->addWidget(ipLabel, 2, 0);
  grid->addLayout(ipRow, 2, 1);
  grid->setColumnStretch(1, 1);

  ok_ = new QPushButton(tr("OK"), this);
  ok_->setDefault(true);
  cancel_ = new QPushButton(tr("Cancel"), this);
  add_ = new QPushButton(tr("Add"), this);
  add_->hide();
  connect(ok_, &QPushButton::clicked, this, &CNodeEditDlg::accept);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(ok_);
  buttons->addWidget(cancel_);
  buttons->addWidget(add_);
  buttons->addStretch();

  auto* layout = new QHBoxLayout(this);
  layout->addLayout(grid, 1);
  layout->addSpacing(8);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  setTabOrder(name_, mac_[0]);
  for (int k = 1; k < 6; ++k) setTabOrder(mac_[k - 1], mac_[k]);
  setTabOrder(mac_[5], ip_[0]);
  for (int k = 1; k < 4; ++k) setTabOrder(ip_[k - 1], ip_[k]);
  setTabOrder(ip_[3], ok_);
  setTabOrder(ok_, cancel_);
}

int CNodeEditDlg::edit(int mode) {
  mode_ = mode;
  NodeEditorFields f = OpenNodeEditor(nodes_.current, mode);
  openedName_ = platform::decodeText(f.name);
  nameLimit_->opening(openedName_);
  name_->setText(openedName_);
  for (std::size_t k = 0; k < 6; ++k) {
    mac_[k]->setText(QString::fromLatin1(f.mac[k].c_str()));
    mac_[k]->setEnabled(f.macEditable);
  }
  for (std::size_t k = 0; k < 4; ++k) ip_[k]->setText(QString::fromLatin1(f.ip[k].c_str()));
  add_->hide();
  original_ = nodes_.current;
  ipTyped_ = false;
  name_->setFocus();
  name_->selectAll();
  return exec() == Accepted ? 1 : 2;
}

NodeEditorFields CNodeEditDlg::readFields() const {
  NodeEditorFields f;
  const QString typed = name_->text();
  auto name = platform::encodeText(typed);
  f.nameEdited = typed != openedName_;
  f.nameStorable = name.has_value();
  f.name = name.value_or(std::string());
  if (!f.nameStorable) f.unstorableChar = platform::firstUnstorable(typed).toStdString();
  for (std::size_t k = 0; k < 6; ++k) f.mac[k] = mac_[k]->text().toLatin1().toStdString();
  for (std::size_t k = 0; k < 4; ++k) f.ip[k] = ip_[k]->text().toLatin1().toStdString();
  f.macEditable = mode_ != EditModeChange;
  return f;
}

void CNodeEditDlg::macEdited() {
  if (mode_ != EditModeNew || ipTyped_) return;
  NodeEditorFields f = readFields();
  auto ip = defaultIpFields(f.mac);
  for (std::size_t k = 0; k < 4; ++k) ip_[k]->setText(QString::fromLatin1(ip[k].c_str()));
}

void CNodeEditDlg::accept() {
  const NodeEditorFields fields = readFields();
  NodeCheck result = AcceptNodeEditor(nodes_, mode_, fields, original_, nodes_.current);
  if (const char* refusal = nodeCheckMessage(result)) {
    QString message = platform::shownText(refusal);
    if (nodeCheckBlamesName(result, fields)) {
      message += QLatin1Char('\n');
      message += fields.unstorableChar.empty()
                     ? tr("Name: the text cannot be stored in the code page %1.").arg(platform::userCodePage())
                     : tr("Name: the character \"%1\" cannot be stored in the code page %2.")
                           .arg(QString::fromStdString(fields.unstorableChar), platform::userCodePage());
    }
    showErrorMessage(this, message);
    return;
  }
  QDialog::accept();
}

}  // namespace trennic::ui
