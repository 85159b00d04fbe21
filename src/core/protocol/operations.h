#pragma once
// Operation and result codes shared by every window that talks to a unit.
#include <string>

namespace trennic {

enum OpCode : int {
  OpSearch = 1,
  OpReadConfig = 2,
  OpWriteConfig = 3,
  OpGetVersionAll = 4,
  OpGetVersion = 5,
  OpReadFirmware = 6,
  OpWriteFirmware = 7,
  OpWriteWlFirmware = 8,
  OpReadLoader = 9,
  OpWriteLoader = 10,
  OpReboot = 11,
  OpSetPassword = 12,
  OpClear = 13,
  OpReadMacFilter = 14,
  OpWriteMacFilter = 15,
  OpReadProtFilter = 16,
  OpWriteProtFilter = 17,
};

enum ResultCode : int {
  ResultOk = 0,
  ResultNoResponse = 1,
  ResultAborted = 2,
  ResultError = 3,
  ResultFileNotFound = 4,
  ResultBadFileName = 5,
  ResultDenied = 6,
  ResultNoTcpIp = 7,
  ResultNotSupported = 8,
  ResultSearchAborted = 10,
  ResultBadFile = 11,
  ResultOldFirmware = 12,
};

// The message shown for a result; empty for success and unknown codes.
const char* resultMessage(int result);

// How an operation counts the engine's one-second ticks.
enum class TickClass {
  Collect,   // search and the version query of all units: six ticks, always success
  Standard,  // configuration and filter transfers
  Transfer,  // firmware, loader and wireless-card images
  Short,     // single requests: version, reboot, password, clear
};
TickClass tickClassOf(int operation);

bool isTransferOperation(int operation);

}  // namespace trennic
