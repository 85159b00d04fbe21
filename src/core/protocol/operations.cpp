#include "core/protocol/operations.h"
#include "core/app/display_text.h"

namespace trennic {

const char* resultMessage(int result) {
  switch (result) {
    case ResultNoResponse: return SHOWN("No response from node.");
    case ResultAborted: return SHOWN("User aborted.");
    case ResultError: return SHOWN("Error occurred.");
    case ResultFileNotFound: return SHOWN("File not found.");
    case ResultBadFileName: return SHOWN("Invalid file name.");
    case ResultDenied: return SHOWN("Access denied.");
    case ResultNoTcpIp: return SHOWN("TCP/IP Protocol not installed.");
    case ResultNotSupported: return SHOWN("Not supported.");
    case ResultSearchAborted: return SHOWN("Search aborted.");
    case ResultBadFile: return SHOWN("Invalid file.");
    case ResultOldFirmware:
      return SHOWN("The firmware version that does not support it. Please update new utility software and firmware.\n\n ");
    default: return "";
  }
}

TickClass tickClassOf(int op) {
  switch (op) {
    case OpSearch:
    case OpGetVersionAll: return TickClass::Collect;
    case OpReadFirmware:
    case OpWriteFirmware:
    case OpWriteWlFirmware:
    case OpReadLoader:
    case OpWriteLoader: return TickClass::Transfer;
    case OpGetVersion:
    case OpReboot:
    case OpSetPassword:
    case OpClear: return TickClass::Short;
    default: return TickClass::Standard;
  }
}

bool isTransferOperation(int op) { return tickClassOf(op) == TickClass::Transfer; }

}  // namespace trennic
