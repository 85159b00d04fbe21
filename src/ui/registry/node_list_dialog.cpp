#include "ui/registry/node_list_dialog.h"

#include <QContextMenuEvent>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "core/registry/node_editor.h"
#include "ui/app/file_choice.h"
#include "ui/app/unreadable_file.h"
#include "ui/controls/accessible_name.h"
#include "ui/protocol/progress_dialog.h"
#include "ui/protocol/result_message.h"
#include "ui/registry/node_edit_dialog.h"
#include "ui/registry/node_rows_view.h"

namespace trennic::ui {

namespace {

std::string localPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace

CNodeListDlg::CNodeListDlg(NodeTable& nodes, CProgressDlg& progress, QWidget* parent)
    : CTaskDlg(parent), nodes_(nodes), progress_(progress) {
  setWindowTitle(tr("Access Point List"));
  chooseFile = [this](bool forOpening, const QString& proposedName) {
    const QString filter = tr("Node List File (%1);;All Files (*)").arg(proposedName);
    return ui::chooseFile(this, forOpening, proposedName, filter).value_or(QString());
  };

  auto* menuBar = new QMenuBar(this);
  QMenu* file = menuBar->addMenu(tr("File(&F)"));
  file->addAction(tr("Open(&O)"), this, &CNodeListDlg::openFile);
  file->addAction(tr("Save(&A)"), this, &CNodeListDlg::saveFile);

  auto* listLabel = new QLabel(tr("Access Point List:"), this);
  list_ = new CNodeRowsView(this);
  linkCaption(listLabel, list_);
  connect(list_->header(), &QHeaderView::sectionClicked, this, &CNodeListDlg::sortByColumn);
  connect(list_, &QTreeWidget::itemDoubleClicked, this, [this] { editNode(); });
  connect(list_, &QWidget::customContextMenuRequested, this, &CNodeListDlg::showListMenu);

  auto* numberCaption = new QLabel(tr("Number:"), this);
  number_ = new QLabel(this);
  number_->setText(QString::fromLatin1(nodes_.NumberText().c_str()));
  list_->setNumberLabel(number_);
  auto* numberRow = new QHBoxLayout;
  numberRow->addWidget(numberCaption);
  numberRow->addWidget(number_);
  numberRow->addStretch();

  auto* left = new QVBoxLayout;
  left->addWidget(listLabel);
  left->addWidget(list_, 1);
  left->addLayout(numberRow);

  auto* right = new QVBoxLayout;
  // The labels sit level with the list, below its caption.
  right->addSpacing(listLabel->sizeHint().height() + left->spacing());
  addListCommands(this, right,
                  {{tr("Search"), [this] { search(); }},
                   {tr("Clear"), [this] { clearList(); }},
                   {tr("New"), [this] { newNode(); }},
                   {tr("Delete"), [this] { deleteNodes(); }},
                   {tr("Exit"), nullptr}},
                  buttons_);

  auto* body = new QHBoxLayout;
  body->addLayout(left, 1);
  body->addLayout(right);
  auto* layout = new QVBoxLayout(this);
  layout->setMenuBar(menuBar);
  layout->addLayout(body);
}

QPushButton* CNodeListDlg::button(const QString& text) const { return buttonNamed(buttons_, text); }

// ---------------------------------------------------------------- commands

void CNodeListDlg::search() {
  list_->clearSelection();
  OperationArgs a;
  a.operation = OpSearch;
  a.primary = kMulticastGroup;
  a.alternate = kMulticastGroup;
  a.unitMac = MacAddress::broadcast();
  a.password = {};
  a.line1 = QT_TRANSLATE_NOOP("trennic", "Searching...");
  a.line2 = "";
  OperationContext c;
  c.nodes = &nodes_;
  c.rows = list_;
  {
    // Every answer rewrites a key; the file is replaced once at the end.
    NodeTable::Batch batch(nodes_);
    progress_.run(a, c);
  }
  if (const std::size_t lost = nodes_.unkeptAnswers())
    showErrorMessage(this, tr("%1 of the units that answered could not be listed: the list holds at most %2 units.")
                               .arg(lost)
                               .arg(kMaxNodes));
  reportSettingsWriteFailure(this, nodes_);
  list_->setFocus();
}

void CNodeListDlg::clearList() {
  nodes_.EraseNodeEntries();
  nodes_.ClearNodes();
  list_->removeAllRows();
  nodes_.listedCount = 0;
  list_->setNumberText(nodes_.NumberText());
  reportSettingsWriteFailure(this, nodes_);
  list_->setFocus();
}

void CNodeListDlg::newNode() {
  nodes_.current.clear();
  if (nodes_.usedCount + 1 > kMaxNodes) {
    showErrorMessage(this, tr("Can't add list"));
  } else {
    CNodeEditDlg editor(nodes_, this);
    if (editor.edit(EditModeNew) == 1 && !nodes_.current.mac.empty() && editor.mode() == EditModeNew)
      CommitNewNode(nodes_, *list_, nodes_.current);
  }
  reportSettingsWriteFailure(this, nodes_);
  list_->setFocus();
}

void CNodeListDlg::editNode() {
  nodes_.current.clear();
  std::vector<std::size_t> selected = list_->selectedRows();
  int slot = -1;
  if (!selected.empty()) {
    nodes_.current = list_->row(selected.front());
    slot = nodes_.FindNodeByMac(nodes_.current.mac);
  }
  CNodeEditDlg editor(nodes_, this);
  if (editor.edit(EditModeChange) == 1 && !nodes_.current.mac.empty() && editor.mode() == EditModeChange &&
      !selected.empty() && slot >= 0)
    CommitEditedNode(nodes_, *list_, selected.front(), slot, nodes_.current);
  reportSettingsWriteFailure(this, nodes_);
  list_->setFocus();
}

void CNodeListDlg::deleteNodes() {
  std::vector<std::size_t> selected = list_->selectedRows();
  if (selected.empty()) {
    showErrorMessage(this, tr("No select."));
  } else {
    NodeTable::Batch batch(nodes_);
    nodes_.EraseNodeEntries();
    for (std::size_t r : selected) nodes_.RemoveNodeByMac(list_->macAt(r));
    for (auto r = selected.rbegin(); r != selected.rend(); ++r) delete list_->takeTopLevelItem(static_cast<int>(*r));
    nodes_.RelistFromRows(*list_);
    list_->setNumberText(nodes_.NumberText());
  }
  reportSettingsWriteFailure(this, nodes_);
  list_->clearSelection();
  list_->setFocus();
}

void CNodeListDlg::selectAllNodes() { list_->selectAllWithMac(); }

void CNodeListDlg::releaseSelection() { list_->clearSelection(); }

void CNodeListDlg::sortByColumn(int column) {
  nodes_.SortAndRelist(*list_, column);
  reportSettingsWriteFailure(this, nodes_);
}

void CNodeListDlg::openFile() {
  const QString path = chooseFile(true, QString::fromLatin1(kNodeListFileName));
  if (path.isEmpty()) return;
  // Only a file that can be read counts as chosen.
  QFile f(path);
  if (!QFileInfo(path).isFile() || !f.open(QIODevice::ReadOnly)) return;
  f.close();
  nodes_.LoadNodeList(localPath(path));
  nodes_.FillRows(*list_);
  nodes_.SaveNodeList(nodes_.settingsPath());
  reportSettingsWriteFailure(this, nodes_);
}

void CNodeListDlg::saveFile() {
  const QString path = chooseFile(false, QString::fromLatin1(kNodeListFileName));
  if (path.isEmpty()) return;
  if (!nodes_.SaveNodeList(localPath(path))) showErrorMessage(this, tr("Error occurred."));
}

// ---------------------------------------------------------------- events

void CNodeListDlg::showListMenu(const QPoint& pos) {
  auto* menu = new QMenu(this);
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->addAction(tr("New(&N)"), this, &CNodeListDlg::newNode);
  menu->addAction(tr("Edit(&E)"), this, &CNodeListDlg::editNode);
  menu->addAction(tr("Delete(&D)"), this, &CNodeListDlg::deleteNodes);
  menu->addAction(tr("All(&A)"), this, &CNodeListDlg::selectAllNodes);
  menu->addAction(tr("Release(&C)"), this, &CNodeListDlg::releaseSelection);
  menu->popup(list_->viewport()->mapToGlobal(pos));
}

void CNodeListDlg::opening() {
  // Each opening starts from the table as it is now, with every column
  // sorting ascending on its first click.
  nodes_.FillRows(*list_);
  const QString settings = QFile::decodeName(QByteArray::fromStdString(nodes_.settingsPath()));
  tellUnreadableFile(this, nodes_.settingsPath(), tr("The settings file %1").arg(settings),
                     tr("The list shows none of the units kept in it, and changes to the list are not kept."));
}

}  // namespace trennic::ui
