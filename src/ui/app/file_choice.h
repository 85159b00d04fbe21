#pragma once
// The file and folder choices the task windows share.
#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace trennic::ui {

// The system's open or save dialog with fileName proposed and filter as the
// type list ("Node List File (nodelist.txt);;All Files (*)"). The chosen
// name comes back as chosen: whether the file opens is for the window to
// find out and report, each in its own words. For saving, a file that does
// not exist yet is fine, one that exists is asked about first.
std::optional<QString> chooseFile(QWidget* parent, bool forOpening, const QString& fileName, const QString& filter);

// Stands in for the system's file dialog (window tests): given what the
// dialog would show, it returns the name the user picks, or an empty text
// for Cancel. Nothing set: the real dialog.
using FileDialogAnswer = std::function<QString(bool forOpening, const QString& fileName, const QString& filter)>;
void setFileDialogInterceptor(FileDialogAnswer answer);

// A folder, with the trailing separator the per-unit file names are joined to.
std::optional<QString> chooseFolder(QWidget* parent);

}  // namespace trennic::ui
