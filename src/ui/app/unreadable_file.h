#pragma once
// A file of the program's own (the settings file, config.def) that is there
// but cannot be read would otherwise show as an empty list or as the
// built-in defaults, without a word. The windows say so instead, once each
// time they open.
#include <QString>
#include <string>

class QWidget;

namespace trennic::ui {

// "NAME cannot be read: it is a folder.\n\nCONSEQUENCE"; empty when the file
// reads or is not there at all.
QString unreadableFileMessage(const std::string& path, const QString& name, const QString& consequence);

// Shows that message, if there is one, as soon as the window is up.
void tellUnreadableFile(QWidget* window, const std::string& path, const QString& name, const QString& consequence);

}  // namespace trennic::ui
