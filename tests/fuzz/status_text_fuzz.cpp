// The status pages from arbitrary blocks: whatever bytes a unit puts in its
// status blocks, every page's texts are made and each fits its field.
//
// Input: the display level and /D, the record format and the list counts,
// then the blocks in the order the poll cycle reads them.
#include "fuzz/status_views.h"

using namespace trennic;

namespace {

template <class Block>
void fill(fuzz::Input& in, Block& block) {
  auto bytes = in.take(block.size());
  std::copy(bytes.begin(), bytes.end(), block.begin());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Input in(data, size);
  const std::uint8_t choices = in.byte();
  static StatusSnapshot s;
  s.clear();
  s.nodeRecordFormat = static_cast<std::uint16_t>(1 + in.byte() % 3);  // a cycle sets it before any list
  s.wirelessNodeCount = in.byte() % (kWirelessNodeMax + 1);
  s.macCount = in.u16() % (kMacTableMax + 1);
  s.stpPortCount = in.byte() % (kStpPortMax + 1);
  fill(in, s.unitInfo);
  fill(in, s.unitStatus);
  fill(in, s.ethernet);
  fill(in, s.wireless);
  fill(in, s.wirelessLink);
  fill(in, s.wirelessCounters);
  fill(in, s.stpBridge);
  fill(in, s.stpPorts);
  fill(in, s.wirelessNodes);
  fill(in, s.macTable);
  fuzz::checkStatusPages(s, choices % 4, (choices & 4) != 0);

  // What the pages' Clear buttons leave reads as well.
  clearInterfaceCounters(s);
  clearWirelessCounters(s);
  clearWirelessNodeList(s);
  clearMacTable(s);
  fuzz::checkStatusPages(s, choices % 4, (choices & 4) != 0);
  return 0;
}
