// Configuration files from anywhere: any file reads into a configuration or
// is refused, and a configuration that was read, written and read again is
// the configuration that was read first, filter tables included.
//
// Input: a byte of choices (byte rule, display level, default channel), the
// last byte of the unit's MAC address, then the file.
#include <memory>

#include "core/config/config_file.h"
#include "core/filters/filter_tables.h"
#include "fuzz/fuzz_support.h"

using namespace trennic;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Input in(data, size);
  const std::uint8_t choices = in.byte();
  ConfigFileOptions options;
  options.encoding = fuzz::encodingFrom(choices);
  options.displayLevel = (choices >> 1) % 4;
  options.defaultChannel = (choices & 0x08) ? 14 : 1;
  const MacAddress mac{{0x00, 0x80, 0x92, 0x00, 0x00, in.byte()}};
  const std::string path = fuzz::scratchFile("config.txt");
  const std::string copy = fuzz::scratchFile("config-copy.txt");
  fuzz::writeFile(path, in.rest());

  static auto defaults = std::make_unique<ConfigSet>();
  static auto first = std::make_unique<ConfigSet>();
  static auto second = std::make_unique<ConfigSet>();
  BuildDefaultConfig(*defaults, options.defaultChannel);
  if (choices & 0x10) {
    // The file as "config.def": the defaults it leaves are the ones read.
    ApplyConfigDefaults(*defaults, path, options);
  }
  if (ReadConfigFile(*defaults, *first, mac, path, options) != 1) return 0;
  // Below the detail level the filter sections hold no access, port side or
  // interface, and the page applies its fixed values: the tables that can
  // come back are the ones with those values.
  MacFilterBlock(first->record).normalizeForLevel(options.displayLevel);
  ProtocolFilterBlock(first->record).normalizeForLevel(options.displayLevel);

  fuzz::check(WriteConfigFile(first->record, copy, options) == 1, "a configuration that was read is written");
  fuzz::check(ReadConfigFile(*defaults, *second, mac, copy, options) == 1, "a written configuration reads");
  fuzz::check(second->record.bytes == first->record.bytes, "read, write, read gives the first read");
  return 0;
}
