#pragma once
#include <string>

namespace trennic::platform {

// The current local time in the debug log's 24-character form.
std::string localTimeText();

}  // namespace trennic::platform
