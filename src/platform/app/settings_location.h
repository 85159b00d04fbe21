#pragma once
// Where the settings file lives: beside the "trennic" program file, shared by
// the window program and the command line, unless --settings names another.
#include <QString>
#include <string>

namespace trennic::platform {

// The settings file of the program installed in the folder of the running
// executable. When that folder cannot be written (an installed program),
// the file lives in the user's configuration folder instead.
std::string defaultSettingsPath();

}  // namespace trennic::platform
