#include "platform/app/local_time.h"

#include <ctime>

#include "core/app/debug_log.h"

namespace trennic::platform {

std::string localTimeText() {
  std::time_t now = std::time(nullptr);
  std::tm t{};
#ifdef _WIN32
  if (localtime_s(&t, &now) != 0) return {};
#else
  if (!localtime_r(&now, &t)) return {};
#endif
  return ctimeText(t);
}

}  // namespace trennic::platform
