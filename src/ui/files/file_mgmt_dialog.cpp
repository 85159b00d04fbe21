#include "platform/app/language.h"
#include "ui/files/file_mgmt_dialog.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/config/config_file.h"
#include "core/files/image_file.h"
#include "core/filters/filter_files.h"
#include "core/filters/filter_tables.h"
#include "core/protocol/operations.h"
#include "core/registry/node_table.h"
#include "core/registry/unit_operation.h"
#include "core/registry/unit_run.h"
#include "platform/app/codepage.h"
#include "ui/app/about_dialog.h"
#include "ui/app/file_choice.h"
#include "ui/app/unreadable_file.h"
#include "ui/controls/accessible_name.h"
#include "ui/controls/byte_text_field.h"
#include "ui/protocol/password_dialog.h"
#include "ui/protocol/progress_dialog.h"
#include "ui/protocol/result_message.h"
#include "ui/registry/node_rows_view.h"

namespace trennic::ui {

namespace {

constexpr std::size_t kMaxPath = 260;

QString shown(const std::string& bytes) { return platform::decodeText(bytes); }

std::string localPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

struct BrowseChoice {
  const char* proposed;
  const char* filter;
};
// By kind: what the open dialog proposes and the types it lists.
constexpr BrowseChoice kBrowse[kFileKindCount] = {
    {"firmware.bin", QT_TRANSLATE_NOOP("trennic", "Firmware File (%1);;All Files (*)")},
    {"", ""},
    {"*.hex", QT_TRANSLATE_NOOP("trennic", "Wireless Firmware File (%1);;All Files (*)")},
    {"loader.bin", QT_TRANSLATE_NOOP("trennic", "Loader Program (%1);;All Files (*)")},
    {"logflist", QT_TRANSLATE_NOOP("trennic", "MAC Address Filter File (%1);;All Files (*)")},
    {"prtflist", QT_TRANSLATE_NOOP("trennic", "Protocol Filter File (%1);;All Files (*)")},
};

}  // namespace

CFileMgmtDlg::CFileMgmtDlg(CUtilityApp& app, NodeTable& nodes, CProgressDlg& progress, QWidget* parent)
    : CTaskDlg(parent), app_(app), nodes_(nodes), progress_(progress) {
  setWindowTitle(tr("Firmware"));

  chooseFile = [this](int kind, const QString& proposed) -> QString {
    if (kind == FileKindConfig) return ui::chooseFolder(this).value_or(QString());
    const QString filter = platform::shownText(kBrowse[kind].filter).arg(proposed);
    return ui::chooseFile(this, true, proposed, filter).value_or(QString());
  };

  types_ = new QComboBox(this);
  auto* typeCaption = new QLabel(tr("Type:"), this);
  typeCaption->setBuddy(types_);
  nameLabel_ = new QLabel(this);
  name_ = new QLineEdit(this);
  // The settings file keeps the name in the user's code page.
  nameText_ = new CByteTextField(name_, kMaxPath - 1, tr("File Name"));
  nameLabel_->setBuddy(name_);
  auto* browse = new QPushButton(tr("Browse"), this);
  browse->setAutoDefault(false);
  connect(browse, &QPushButton::clicked, this, &CFileMgmtDlg::browse);
  buttons_.push_back(browse);
  // The kind rides with each entry: the entries read in the user's language.
  connect(types_, &QComboBox::activated, this, [this](int index) {
    takeNameField();
    kind_ = types_->itemData(index).toInt();
    app_.settings.fileType = static_cast<unsigned>(kind_);
    showKind();
  });

  auto* listLabel = new QLabel(tr("Access Point List:"), this);
  list_ = new CNodeRowsView(this);
  linkCaption(listLabel, list_);
  auto* numberCaption = new QLabel(tr("Number:"), this);
  number_ = new QLabel(this);
  list_->setNumberLabel(number_);
  connect(list_->header(), &QHeaderView::sectionClicked, this,
          [this](int column) {
            nodes_.SortAndRelist(*list_, column);
            reportSettingsWriteFailure(this, nodes_);
          });
  connect(list_, &QWidget::customContextMenuRequested, this, &CFileMgmtDlg::showListMenu);

  auto* form = new QGridLayout;
  form->addWidget(typeCaption, 0, 0);
  form->addWidget(types_, 0, 1);
  form->addWidget(nameLabel_, 1, 0);
  form->addWidget(name_, 1, 1);
  form->addWidget(browse, 1, 2);
  form->setColumnStretch(1, 1);
  auto* numberRow = new QHBoxLayout;
  numberRow->addWidget(numberCaption);
  numberRow->addWidget(number_);
  numberRow->addStretch();
  auto* left = new QVBoxLayout;
  left->addLayout(form);
  left->addWidget(listLabel);
  left->addWidget(list_, 1);
  left->addLayout(numberRow);

  auto* right = new QVBoxLayout;
  right->addSpacing(types_->sizeHint().height() * 2 + left->spacing() * 2);
  addListCommands(this, right,
                  {{tr("Get Version"), [this] { getVersion(); }},
                   {tr("Read"), [this] { readOrWrite(false); }},
                   {tr("Write"), [this] { readOrWrite(true); }},
                   {tr("Reboot"), [this] { reboot(); }},
                   {tr("Exit"), nullptr}},
                  buttons_);
  auto* body = new QHBoxLayout(this);
  body->addLayout(left, 1);
  body->addLayout(right);
}

CFileMgmtDlg::~CFileMgmtDlg() = default;

QPushButton* CFileMgmtDlg::button(const QString& text) const { return buttonNamed(buttons_, text); }

void CFileMgmtDlg::opening() {
  const int saved = static_cast<int>(app_.settings.fileType);
  types_->clear();
  for (int k : offeredFileKinds(app_.settings.displayLevel, saved)) types_->addItem(platform::shownText(fileKindName(k)), k);
  kind_ = saved;
  types_->setCurrentIndex(types_->findData(kind_));
  // The defaults a configuration file is read over, with config.def of the
  // current folder, as for the Configuration window.
  defaults_ = std::make_unique<ConfigSet>();
  ConfigFileOptions options;
  options.defaultChannel = DefaultChannel();
  options.displayLevel = app_.settings.displayLevel;
  options.encoding = app_.settings.textEncoding;
  BuildDefaultConfig(*defaults_, options.defaultChannel);
  tellUnreadableFile(this, kConfigDefaultsFileName, QString::fromLatin1(kConfigDefaultsFileName),
                     tr("The built-in defaults are used."));
  ApplyConfigDefaults(*defaults_, kConfigDefaultsFileName, options);
  showKind();
  nodes_.FillRows(*list_);
}

void CFileMgmtDlg::done(int result) {
  takeNameField();
  CTaskDlg::done(result);
}

void CFileMgmtDlg::showKind() {
  nameLabel_->setText(kind_ == FileKindConfig ? tr("Directory Name:") : tr("File Name:"));
  nameText_->setFieldName(kind_ == FileKindConfig ? tr("Directory Name") : tr("File Name"));
  nameText_->show(fileNameSetting(app_.settings, kind_));
  if (QPushButton* read = button(tr("Read"))) read->setEnabled(kind_ != FileKindWirelessFirmware);
}

void CFileMgmtDlg::takeNameField() {
  std::string text = nameText_->bytes();
  if (kind_ == FileKindConfig && !text.empty()) {
    // A folder always ends in a separator: the unit's file name follows it.
    text = app_.settings.textEncoding.withTrailingSeparator(text, kPathSeparator);
    nameText_->show(text);
  }
  fileNameSetting(app_.settings, kind_) = text;
  fullPath_.clear();
  if (text.empty()) return;
  // The file is opened by the name the file system gives it; the limit is
  // the code page's, in which the name is kept.
  const QString absolute = QDir::current().absoluteFilePath(name_->text());
  std::string full = localPath(absolute);
  std::size_t length = platform::encodedLength(absolute);
  const bool endsInSeparator = absolute.endsWith(QLatin1Char('/')) || absolute.endsWith(QLatin1Char(kPathSeparator));
  if (kind_ == FileKindConfig && !endsInSeparator) {
    full += kPathSeparator;
    ++length;
  }
  if (length < kMaxPath) fullPath_ = full;
}

void CFileMgmtDlg::browse() {
  takeNameField();
  const QString chosen = chooseFile(kind_, QString::fromLatin1(kBrowse[kind_].proposed));
  // A name the code page cannot store could never be kept in the settings.
  if (chosen.isEmpty() || !nameText_->offer(chosen)) return;
  takeNameField();
}

void CFileMgmtDlg::showListMenu(const QPoint& pos) {
  auto* menu = new QMenu(this);
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->addAction(tr("Read(&R)"), this, [this] { readOrWrite(false); })->setEnabled(kind_ != FileKindWirelessFirmware);
  menu->addAction(tr("Write(&W)"), this, [this] { readOrWrite(true); });
  menu->addAction(tr("Reboot(&B)"), this, &CFileMgmtDlg::reboot);
  menu->addAction(tr("All(&A)"), this, [this] { list_->selectAllWithMac(); });
  menu->addAction(tr("Release(&C)"), this, [this] { list_->clearSelection(); });
  menu->popup(list_->viewport()->mapToGlobal(pos));
}

bool CFileMgmtDlg::askPassword(std::size_t row, bool offerUseSame, bool& useSame, PasswordField& password) {
  CPasswordDlg ask(this);
  int same = offerUseSame ? 1 : 0;
  if (ask.ask(shown(nodes_.ResolveNode(*list_, row).label), &same, &password) != 1) return false;
  useSame = offerUseSame && same != 0;
  return true;
}

std::string CFileMgmtDlg::countedLabel(std::size_t row, int i, int n) const {
  return nodes_.ResolveNode(*list_, row).label + "  (" + std::to_string(i) + "/" + std::to_string(n) + ")";
}

void CFileMgmtDlg::readOrWrite(bool write) {
  takeNameField();
  if (fullPath_.empty()) return showResultMessage(this, ResultFileNotFound);
  std::vector<std::size_t> rows = list_->selectedRows();
  if (rows.empty()) {
    showErrorMessage(this, tr("No select."));
    list_->clearSelection();
    return;
  }
  const QString path = QFile::decodeName(QByteArray::fromStdString(fullPath_));
  if (kind_ == FileKindConfig) {
    QString folder = path;
    if (folder.size() > 3 && (folder.endsWith('/') || folder.endsWith('\\'))) folder.chop(1);
    if (!QFileInfo(folder).isDir()) return showResultMessage(this, write ? ResultFileNotFound : ResultBadFileName);
  } else if (write) {
    if (!QFileInfo(path).isFile()) return showResultMessage(this, ResultFileNotFound);
    // Checked once, before the first unit: a wrong file must not reach any.
    if (kind_ == FileKindFirmware || kind_ == FileKindLoader) {
      switch (checkImageFile(fullPath_, kind_ == FileKindFirmware)) {
        case ImageProblem::None:
          break;
        case ImageProblem::Missing:
          return showResultMessage(this, ResultFileNotFound);
        case ImageProblem::Empty:
        case ImageProblem::TooLarge:
          return showResultMessage(this, ResultBadFile);
        case ImageProblem::BadHeader:
          if (!askYesNo(this, tr("The file is not a valid firmware image. Write it anyway?"))) return;
          break;
      }
    }
  } else if (QFileInfo(path).isDir()) {
    return showResultMessage(this, ResultBadFileName);
  }
  UnitRunOptions options;
  options.oneUnitOnly = !write && kind_ != FileKindConfig;
  PasswordField password{};
  UnitRunHooks hooks;
  hooks.askPassword = [&](std::size_t row, bool offer, bool& same) { return askPassword(row, offer, same, password); };
  hooks.runUnit = [&](std::size_t row, int i, int n) {
    return runUnit(row, i, n, write, options.oneUnitOnly, password);
  };
  hooks.deselect = [this](std::size_t row) { list_->deselectRow(row); };
  runOverSelectedUnits(rows, options, hooks);
  list_->setFocus();
}

bool CFileMgmtDlg::runUnit(std::size_t row, int i, int n, bool write, bool single, const PasswordField& password) {
  ResolvedNode r = nodes_.ResolveNode(*list_, row);
  OperationArgs a = operationArgsFor(0, r, password, write ? QT_TRANSLATE_NOOP("trennic", "Writing...") : QT_TRANSLATE_NOOP("trennic", "Reading..."),
                                     single ? r.label : countedLabel(row, i, n));
  OperationContext c;
  c.nodes = &nodes_;
  c.rows = list_;
  ConfigFileOptions fileOptions;
  fileOptions.defaultChannel = DefaultChannel();
  fileOptions.displayLevel = app_.settings.displayLevel;
  fileOptions.encoding = app_.settings.textEncoding;
  const bool mac = kind_ == FileKindMacFilter;
  std::vector<std::uint8_t> table(mac ? kMacFilterSize : kProtocolFilterSize, 0);
  switch (kind_) {
    case FileKindFirmware:
    case FileKindLoader: {
      const bool firmware = kind_ == FileKindFirmware;
      a.operation = write ? (firmware ? OpWriteFirmware : OpWriteLoader) : (firmware ? OpReadFirmware : OpReadLoader);
      a.fileName = fullPath_;
      return progress_.run(a, c) == 1;
    }
    case FileKindConfig: {
      const std::string file = fullPath_ + unitConfigFileName(r.mac);
      ConfigSet set;
      c.transferSet = &set;
      if (write) {
        if (!QFileInfo(QFile::decodeName(QByteArray::fromStdString(file))).isFile()) {
          showResultMessage(this, ResultFileNotFound);
          return false;
        }
        if (ReadConfigFile(*defaults_, set, r.mac, file, fileOptions) != 1) {
          showResultMessage(this, ResultBadFile);
          return false;
        }
        a.operation = OpWriteConfig;
        return progress_.run(a, c) == 1;
      }
      ResetToDefaults(*defaults_, set, r.mac);
      a.operation = OpReadConfig;
      if (progress_.run(a, c) != 1) return false;
      if (!WriteConfigFile(set.record, file, fileOptions)) {
        showResultMessage(this, ResultError);
        return false;
      }
      return true;
    }
    case FileKindWirelessFirmware:
      if (!write) {
        showResultMessage(this, ResultNotSupported);
        return false;
      }
      a.operation = OpWriteWlFirmware;
      a.fileName = fullPath_;
      c.wirelessImage = &wireless_;
      c.pdaFolder = "PDA";
      c.wirelessDumpPath = app_.settings.wlFirmTmpFileName;
      return progress_.run(a, c) == 1;
    default: {
      c.table = &table;
      if (write) {
        // A missing file leaves the table as the defaults; nothing is said.
        if (mac)
          ReadMacFilterSection(fullPath_, *MacFilterBlock::over(table), fileOptions.displayLevel, fileOptions.encoding);
        else
          ReadProtocolFilterSection(fullPath_, *ProtocolFilterBlock::over(table), fileOptions.displayLevel,
                                    fileOptions.encoding);
        a.operation = mac ? OpWriteMacFilter : OpWriteProtFilter;
        return progress_.run(a, c) == 1;
      }
      a.operation = mac ? OpReadMacFilter : OpReadProtFilter;
      if (progress_.run(a, c) != 1) return false;
      const int written =
          mac ? WriteMacFilterSection(fullPath_, *ConstMacFilterBlock::over(table), true, fileOptions.displayLevel,
                                  fileOptions.encoding)
              : WriteProtocolFilterSection(fullPath_, *ConstProtocolFilterBlock::over(table), true,
                                           fileOptions.displayLevel, fileOptions.encoding);
      if (!written) {
        showResultMessage(this, ResultError);
        return false;
      }
      return true;
    }
  }
}

void CFileMgmtDlg::reboot() {
  std::vector<std::size_t> rows = list_->selectedRows();
  if (rows.empty()) return showErrorMessage(this, tr("No select."));
  CConfirmDlg confirm(this);
  if (confirm.ask(tr("Reboot ?")) != 1) return;
  PasswordField password{};
  UnitRunHooks hooks;
  hooks.askPassword = [&](std::size_t row, bool offer, bool& same) { return askPassword(row, offer, same, password); };
  hooks.runUnit = [&](std::size_t row, int i, int n) {
    OperationArgs a =
        operationArgsFor(OpReboot, nodes_.ResolveNode(*list_, row), password, QT_TRANSLATE_NOOP("trennic", "Rebooting..."), countedLabel(row, i, n));
    OperationContext c;
    c.nodes = &nodes_;
    return progress_.run(a, c) == 1;
  };
  hooks.deselect = [this](std::size_t row) { list_->deselectRow(row); };
  runOverSelectedUnits(rows, {}, hooks);
  list_->setFocus();
}

void CFileMgmtDlg::getVersion() {
  std::vector<std::size_t> rows = list_->selectedRows();
  OperationContext c;
  c.nodes = &nodes_;
  c.rows = list_;
  if (rows.empty()) {
    OperationArgs a;
    a.operation = OpGetVersionAll;
    a.primary = a.alternate = kMulticastGroup;
    a.unitMac = MacAddress::broadcast();
    a.line1 = QT_TRANSLATE_NOOP("trennic", "Searching...");
    {
      NodeTable::Batch batch(nodes_);
      progress_.run(a, c);
    }
    reportSettingsWriteFailure(this, nodes_);
    return;
  }
  UnitRunOptions options;
  options.needsPassword = false;
  UnitRunHooks hooks;
  hooks.runUnit = [&](std::size_t row, int i, int n) {
    OperationArgs a =
        operationArgsFor(OpGetVersion, nodes_.ResolveNode(*list_, row), PasswordField{}, QT_TRANSLATE_NOOP("trennic", "Reading..."), countedLabel(row, i, n));
    return progress_.run(a, c) == 1;
  };
  hooks.deselect = [this](std::size_t row) { list_->deselectRow(row); };
  runOverSelectedUnits(rows, options, hooks);
  list_->setFocus();
}

}  // namespace trennic::ui
