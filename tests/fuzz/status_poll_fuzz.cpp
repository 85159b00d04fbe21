// The Status Information window's poll cycle against a unit that answers
// whatever the input says, with the window's timer, Stop, Scan Start and a
// change of selection in between. Once the unit falls silent, a cycle ends
// within the ticks of both addresses, the engine is free again, and the
// snapshot it left makes pages whose texts fit their fields.
//
// Input: a byte of choices, then the unit's script.
#include "core/status/status_poller.h"
#include "fuzz/status_views.h"
#include "fuzz/unit_script.h"

using namespace trennic;

namespace {

class CountingHost : public StatusHost {
 public:
  void refreshPages() override { ++refreshes; }
  void controlsIdle() override {}
  void controlsScanning() override {}
  void showNoSelection() override {}
  void clearButtonsEnabled(bool) override {}
  void progress(int percent) override { fuzz::check(percent >= 0 && percent <= 100, "progress is a percentage"); }
  void intervalShown(std::uint32_t) override {}
  void showResult(int) override {}
  int refreshes = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Input in(data, size);
  const std::uint8_t choices = in.byte();

  fuzz::ScriptSink sink;
  EngineLink link(sink);
  CountingHost host;
  StatusTarget target;
  target.primary = fuzz::kFuzzUnit;
  target.alternate = (choices & 1) ? fuzz::kFuzzUnit : kMulticastGroup;
  target.mac = MacAddress{{0x00, 0x80, 0x92, 0x00, 0x00, 0x01}};
  target.label = "unit";
  bool listed = true;
  StatusPoller poller(link, host, nullptr, [&]() -> std::optional<StatusTarget> {
    if (!listed) return std::nullopt;
    return target;
  });
  poller.setInitialInterval((choices >> 1) % 8);
  poller.scanStart();
  fuzz::playScript(in, link, sink, [&](std::uint8_t b) {
    if (b < 0x80) {
      poller.onSecond(b % 62);
    } else if (b < 0x90) {
      poller.stop();
    } else if (b < 0xA0) {
      poller.scanStart();
    } else if (b < 0xB0) {
      poller.selectionChanged("another unit");
    } else if (b < 0xB8) {
      listed = !listed;
    }
  });
  for (int i = 0; i < 30 && poller.step() != 0; ++i) link.tick();
  fuzz::check(poller.step() == 0, "a poll cycle ends when the unit falls silent");
  fuzz::check(link.claimKind() == ClaimKind::None, "a poller between cycles leaves the engine free");
  fuzz::checkStatusPages(poller.snapshot(), choices % 4, (choices & 0x10) != 0);
  return 0;
}
