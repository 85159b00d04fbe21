#pragma once
// The file and folder choices the task windows share.
#include <QString>
#include <optional>

class QWidget;

namespace trennic::ui {

// The system's open or save dialog with fileName proposed and filter as the
// type list ("Node List File (nodelist.txt);;All Files (*)"). For opening, a
// chosen file that cannot be read counts as no choice; for saving, a file
// that does not exist yet is fine, one that exists is asked about first.
std::optional<QString> chooseFile(QWidget* parent, bool forOpening, const QString& fileName, const QString& filter);

// A folder, with the trailing separator the per-unit file names are joined to.
std::optional<QString> chooseFolder(QWidget* parent);

}  // namespace trennic::ui
