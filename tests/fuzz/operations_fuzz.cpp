// Every operation, from its first request to its one result, against a unit
// that answers whatever the input says. However the unit answers, the
// operation ends once the unit falls silent, within the ticks of both
// addresses, and it ends exactly once.
//
// Input: the operation, a byte of choices, then the unit's script.
#include <memory>

#include "core/config/ap_config.h"
#include "core/files/image_file.h"
#include "core/filters/filter_tables.h"
#include "core/protocol/operation_driver.h"
#include "core/registry/node_table.h"
#include "fuzz/unit_script.h"
#include "support/srecord_file.h"

using namespace trennic;

namespace {

class CountingHost : public DriverHost {
 public:
  void progress(int percent) override { fuzz::check(percent >= 0 && percent <= 100, "progress is a percentage"); }
  void showResult(int) override { ++results; }
  void finished(bool) override { ++finishes; }
  int results = 0;
  int finishes = 0;
};

struct Files {
  std::string firmware, loader, wireless, readTarget, pdaFolder, settings;
};

const Files& files() {
  static const Files f = [] {
    Files out;
    out.firmware = fuzz::scratchFile("firmware.bin");
    out.loader = fuzz::scratchFile("loader.bin");
    out.wireless = fuzz::scratchFile("card.hex");
    out.readTarget = fuzz::scratchFile("read.bin");
    out.pdaFolder = fuzz::scratchFile("PDA");
    out.settings = fuzz::scratchFile("settings.ini");
    // Three blocks and a bit, so a write has a middle and an end.
    std::string image(3 * kImageBlockSize + 100, '\0');
    for (std::size_t i = kImageHeaderSize; i < image.size(); ++i) image[i] = static_cast<char>(i * 7);
    auto* header = reinterpret_cast<std::uint8_t*>(image.data());
    writeLe32(header + kImageLengthOffset, static_cast<std::uint32_t>(image.size()));
    sealImageHeader(std::span<std::uint8_t>(header, kImageHeaderSize));
    fuzz::writeFile(out.firmware, image);
    fuzz::writeFile(out.loader, image);
    fuzz::writeFile(out.wireless, testing::sRecordData(0x3F0000, 2500) + testing::sRecordEnd());
    return out;
  }();
  return f;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Input in(data, size);
  const int operation = in.byte() % 19;  // 0 and 18 are no operation
  const std::uint8_t choices = in.byte();
  const Files& f = files();

  fuzz::ScriptSink sink;
  EngineLink link(sink);
  CountingHost host;
  auto nodes = std::make_unique<NodeTable>(f.settings);
  VectorNodeRows rows;
  auto set = std::make_unique<ConfigSet>();
  BuildDefaultConfig(*set);
  std::vector<std::uint8_t> table;
  if (operation == OpWriteMacFilter) table.assign(kMacFilterSize, 0);
  if (operation == OpWriteProtFilter) table.assign(kProtocolFilterSize, 0);

  OperationArgs args;
  args.operation = operation;
  // One address, or the unit's own and the group to fall back on.
  args.primary = fuzz::kFuzzUnit;
  args.alternate = (choices & 1) ? fuzz::kFuzzUnit : kMulticastGroup;
  args.unitMac = MacAddress{{0x00, 0x80, 0x92, 0x00, 0x00, static_cast<std::uint8_t>(choices >> 4)}};
  args.password = makePasswordField("pw");
  switch (operation) {
    case OpWriteFirmware: args.fileName = f.firmware; break;
    case OpWriteLoader: args.fileName = f.loader; break;
    case OpWriteWlFirmware: args.fileName = f.wireless; break;
    default: args.fileName = f.readTarget; break;
  }
  OperationContext context;
  context.nodes = (choices & 2) ? nodes.get() : nullptr;
  context.rows = &rows;
  context.transferSet = set.get();
  context.table = &table;
  context.clearMask = 0xFFFFFFFF;
  context.newPassword = makePasswordField("new");
  context.pdaFolder = f.pdaFolder;

  OperationDriver driver(link, host);
  driver.open(args, context);
  driver.start();
  fuzz::playScript(in, link, sink, [&](std::uint8_t b) {
    if (b < 0x10) driver.cancel();
  });

  // Silence: two addresses, each given up after at most sixteen ticks.
  for (int i = 0; i < 40 && driver.running(); ++i) link.tick();
  fuzz::check(!driver.running(), "an operation ends when the unit falls silent");
  fuzz::check(host.finishes == 1, "an operation ends exactly once");
  fuzz::check(host.results <= 1, "an operation shows at most one message");
  fuzz::check(link.claimKind() == ClaimKind::None, "an ended operation lets go of the engine");
  return 0;
}
