#include "core/config/base_rules.h"
