// The single-request operations: reboot, password change and clear.
#include "core/protocol/operation_driver.h"
#include "core/protocol/sequence.h"

namespace trennic {

namespace {

class RebootSequence : public Sequence {
 public:
  bool begin(OperationDriver& d) override {
    d.sendRequest(CmdReboot, 0, 0);
    return true;
  }
  void reply(OperationDriver& d, const PacketHeader& h, std::span<const std::uint8_t>) override {
    if (h.status == StatusOk) return d.succeed();
    d.fail(h.status == StatusDenied ? ResultDenied : ResultError);
  }
};

class SetPasswordSequence : public Sequence {
 public:
  bool begin(OperationDriver& d) override {
    // Bytes 0..7 stay zero; 8..15 hold the new password and its terminating zero.
    std::uint8_t block[16] = {};
    const PasswordField& pw = d.context().newPassword;
    for (std::size_t i = 0; i < kMaxPasswordChars && pw[i] != 0; ++i) block[8 + i] = pw[i];
    d.sendRequest(CmdWrite, unit_address::kPassword, sizeof block, block);
    return true;
  }
  void reply(OperationDriver& d, const PacketHeader& h, std::span<const std::uint8_t>) override {
    if (h.status == StatusDenied) return d.fail(ResultDenied);
    if (h.address != unit_address::kPassword) return;
    if (h.status == StatusOk) return d.succeed();
    d.fail(ResultError);
  }
};

class ClearSequence : public Sequence {
 public:
  bool begin(OperationDriver& d) override {
    std::uint8_t mask[4];
    writeLe32(mask, d.context().clearMask);
    d.sendRequest(CmdWrite, unit_address::kClearMask, sizeof mask, mask);
    return true;
  }
  void reply(OperationDriver& d, const PacketHeader& h, std::span<const std::uint8_t>) override {
    if (h.status == StatusDenied) return d.fail(ResultDenied);
    if (h.address != unit_address::kClearMask) return;
    if (h.status == StatusOk) return d.succeed();
    d.fail(h.status == StatusEnd ? ResultNotSupported : ResultError);
  }
};

}  // namespace

std::unique_ptr<Sequence> makeSimpleSequence(int op) {
  switch (op) {
    case OpReboot: return std::make_unique<RebootSequence>();
    case OpSetPassword: return std::make_unique<SetPasswordSequence>();
    default: return std::make_unique<ClearSequence>();
  }
}

}  // namespace trennic
