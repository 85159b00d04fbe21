#pragma once
// Files that hold secrets: the debug log dumps the header of every request,
// the unit's password among its bytes. Such a file is its owner's alone
// (mode 0600 where files have modes) and is never written through a
// symbolic link that someone else left in its place.
#include <string>
#include <string_view>

namespace trennic::platform {

// Removes whatever is at path (a file, or a link itself, never what it
// points to) and creates an empty file there that only its owner may read
// and write; false when the file could not be made so.
bool createPrivateFile(const std::string& path);

// Appends text in one write and closes the file again. A file that has
// gone meanwhile is created as createPrivateFile does; a symbolic link in
// its place, or a file of another user's, is refused (false), never
// written through.
bool appendToPrivateFile(const std::string& path, std::string_view text);

}  // namespace trennic::platform
