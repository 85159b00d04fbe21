#include "core/protocol/operations.h"

namespace trennic {

const char* resultMessage(int result) {
  switch (result) {
    case ResultNoResponse: return "No response from node.";
    case ResultAborted: return "User aborted.";
    case ResultError: return "Error occurred.";
    case ResultFileNotFound: return "File not found.";
    case ResultBadFileName: return "Invalid file name.";
    case ResultDenied: return "Access denied.";
    case ResultNoTcpIp: return "TCP/IP Protocol not installed.";
    case ResultNotSupported: return "Not supported.";
    case ResultSearchAborted: return "Search aborted.";
    case ResultBadFile: return "Invalid file.";
    case ResultOldFirmware:
      return "The firmware version that does not support it. Please update new utility software and firmware.\n\n ";
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
