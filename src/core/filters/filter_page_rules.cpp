#include "core/filters/filter_page_rules.h"
