// Search, the version query of all units and the version query of one unit:
// one read of the identity block, merged into the node table per answer.
#include "core/protocol/operation_driver.h"
#include "core/protocol/sequence.h"
#include "core/protocol/unit_identity.h"
#include "core/registry/node_table.h"

namespace trennic {

namespace {

class SearchSequence : public Sequence {
 public:
  explicit SearchSequence(int op) : op_(op) {}

  bool begin(OperationDriver& d) override {
    // What is told after this run is what this run could not keep.
    if (OperationContext& c = d.context(); c.nodes) c.nodes->resetUnkeptAnswers();
    d.sendRequest(CmdRead, unit_address::kIdentity, kIdentitySize);
    return true;
  }

  void reply(OperationDriver& d, const PacketHeader&, std::span<const std::uint8_t> payload) override {
    // Answers too short for the block or from units of another type are
    // ignored; the operation keeps waiting.
    auto id = UnitIdentity::decode(payload);
    if (!id) return;
    OperationContext& c = d.context();
    if (c.nodes && c.rows) c.nodes->MergeFoundNode(*c.rows, *id);
    d.host().unitAnswered(*id);
    if (op_ == OpGetVersion) d.succeed();
  }

 private:
  int op_;
};

}  // namespace

std::unique_ptr<Sequence> makeSearchSequence(int op) { return std::make_unique<SearchSequence>(op); }

}  // namespace trennic
