#include "core/config/wireless_rules.h"
