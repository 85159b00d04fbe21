#include "core/config/snmp_stp_rules.h"
