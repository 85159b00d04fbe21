// Configuration and filter-table transfers. Each begins by reading the two
// information blocks that decide the unit's configuration layout, then moves
// the header and the body (or a filter table inside the body) in blocks.
#include <algorithm>
#include <cstring>

#include "core/config/ap_config.h"
#include "core/protocol/operation_driver.h"
#include "core/protocol/sequence.h"

namespace trennic {

namespace {

constexpr std::uint16_t kInfoSize = 112;
constexpr std::uint16_t kExtendedInfoSize = 68;
constexpr std::uint32_t kMacFilterBodyOffset = kMacFilterOffset - kConfigBodyOffset;
constexpr std::uint32_t kProtFilterBodyOffset = kProtocolFilterOffset - kConfigBodyOffset;


class ConfigSequence : public Sequence {
 public:
  explicit ConfigSequence(int op) : op_(op) {}

  bool begin(OperationDriver& d) override {
    set_ = d.context().transferSet ? d.context().transferSet : &ownSet_;
    if (isFilterOp() && !d.context().table) return false;
    presetInfo();
    step_ = Step::Info;
    d.sendRequest(CmdRead, unit_address::kSystemInfo, kInfoSize);
    return true;
  }

  void reply(OperationDriver& d, const PacketHeader& h, std::span<const std::uint8_t> payload) override {
    switch (step_) {
      case Step::Info: return onInfo(d, h, payload);
      case Step::Extended: return onExtended(d, h);
      case Step::Header: return op_ == OpWriteConfig ? onHeaderWritten(d, h) : onHeaderRead(d, h, payload);
      case Step::Body: return op_ == OpWriteConfig ? onBodyWritten(d, h) : onBodyRead(d, h, payload);
      case Step::WriteBack: return onWrittenBack(d, h);
      case Step::Done: return;
    }
  }

 private:
  enum class Step { Info, Extended, Header, Body, WriteBack, Done };

  bool isFilterOp() const { return op_ >= OpReadMacFilter; }
  bool isFilterWrite() const { return op_ == OpWriteMacFilter || op_ == OpWriteProtFilter; }
  bool isMacFilter() const { return op_ == OpReadMacFilter || op_ == OpWriteMacFilter; }
  std::uint32_t infoWord(std::size_t index) const { return readLe32(info_ + 4 * index); }

  void presetInfo() {
    std::memset(info_, 0, sizeof info_);
    writeLe32(info_ + 0, 0x100);
    writeLe32(info_ + 4, 0x100);
    if (op_ != OpWriteConfig) writeLe32(info_ + 108, 0xFFFFFFFE);
  }

  // A reply at an address no step asked for: ignored, except in the
  // configuration write, where it ends the operation.
  void unexpected(OperationDriver& d, const PacketHeader& h) {
    if (op_ == OpWriteConfig) {
      step_ = Step::Done;
      d.fail(failureFor(h.status));
    }
  }

  void onInfo(OperationDriver& d, const PacketHeader& h, std::span<const std::uint8_t> payload) {
    if (h.address != unit_address::kSystemInfo) return unexpected(d, h);
    bool goesOn = op_ == OpWriteConfig || h.status == StatusOk || h.status == StatusEnd;
    if (!goesOn) {
      step_ = Step::Done;
      return d.fail(failureFor(h.status));
    }
    std::memcpy(info_, payload.data(), std::min<std::size_t>(kInfoSize, payload.size()));
    if (isFilterWrite() && infoWord(1) <= 0x200) writeLe16(info_ + 34, 9);
    step_ = Step::Extended;
    d.sendRequest(CmdRead, unit_address::kExtendedInfo, kExtendedInfoSize);
  }

  void onExtended(OperationDriver& d, const PacketHeader& h) {
    if (h.address != unit_address::kExtendedInfo) return unexpected(d, h);
    bool extended = h.status == StatusOk || h.status == 6;
    auto layout = LookupConfigLayout(extended, infoWord(extended ? 1 : 0));
    if (!layout) {
      step_ = Step::Done;
      return d.failOldFirmware();
    }
    layout_ = *layout;
    bodySize_ = static_cast<std::uint32_t>(configBodySize(layout_));
    offset_ = 0;
    if (isFilterOp()) {
      if (layout_ != 5) {
        step_ = Step::Done;
        return d.fail(ResultError);
      }
      if (isFilterWrite()) {
        base_ = unit_address::kConfigBody;
        total_ = bodySize_;
      } else {
        base_ = unit_address::kConfigBody + (isMacFilter() ? kMacFilterBodyOffset : kProtFilterBodyOffset);
        total_ = static_cast<std::uint32_t>(isMacFilter() ? kMacFilterSize : kProtocolFilterSize);
        d.context().table->assign(total_, 0);
      }
      d.showProgress(0);
      step_ = Step::Body;
      return requestBlock(d);
    }
    step_ = Step::Header;
    auto image = set_->image(layout_);
    if (op_ == OpWriteConfig) {
      d.sendRequest(CmdWrite, unit_address::kConfigHeader, kConfigHeaderSize,
                    image.subspan(kConfigHeaderOffset, kConfigHeaderSize));
    } else {
      d.sendRequest(CmdRead, unit_address::kConfigHeader, kConfigHeaderSize);
    }
  }

  void onHeaderRead(OperationDriver& d, const PacketHeader& h, std::span<const std::uint8_t> payload) {
    if (h.address != unit_address::kConfigHeader) return;
    if (h.status != StatusOk && h.status != StatusEnd) {
      step_ = Step::Done;
      return d.fail(failureFor(h.status));
    }
    auto image = set_->image(layout_);
    std::memcpy(image.data() + kConfigHeaderOffset, payload.data(),
                std::min<std::size_t>(kConfigHeaderSize, payload.size()));
    startBody(d);
  }

  void onHeaderWritten(OperationDriver& d, const PacketHeader& h) {
    if (h.address != unit_address::kConfigHeader) return unexpected(d, h);
    if (h.status != StatusOk || h.length < kConfigHeaderSize) {
      step_ = Step::Done;
      return d.fail(failureFor(h.status));
    }
    startBody(d);
  }

  void startBody(OperationDriver& d) {
    base_ = unit_address::kConfigBody;
    total_ = bodySize_;
    offset_ = 0;
    d.showProgress(0);
    step_ = Step::Body;
    requestBlock(d);
  }

  std::uint16_t nextChunk() const { return static_cast<std::uint16_t>(std::min<std::uint32_t>(total_ - offset_, kMaxPayload)); }

  // Where the bytes of the block being moved live.
  std::uint8_t* target() {
    if (isFilterOp() && !isFilterWrite()) return tableBuffer_->data();
    return set_->image(isFilterWrite() ? 5 : layout_).data() + kConfigBodyOffset;
  }

  void requestBlock(OperationDriver& d) {
    chunk_ = nextChunk();
    if (isFilterOp() && !isFilterWrite()) tableBuffer_ = d.context().table;
    if (op_ == OpWriteConfig || step_ == Step::WriteBack) {
      d.sendRequest(CmdWrite, base_ + offset_, chunk_, std::span<const std::uint8_t>(target() + offset_, chunk_));
    } else {
      d.sendRequest(CmdRead, base_ + offset_, chunk_);
    }
  }

  int readProgress() const {
    if (isFilterWrite()) return static_cast<int>(std::uint64_t(offset_) * 100 / (2ull * total_));
    if (isFilterOp()) return static_cast<int>(std::uint64_t(offset_) * 100 / total_);
    return static_cast<int>(std::uint64_t(offset_) * 100 / (total_ + kConfigHeaderSize));
  }

  void onBodyRead(OperationDriver& d, const PacketHeader& h, std::span<const std::uint8_t> payload) {
    if (h.status == StatusDenied) {
      step_ = Step::Done;
      return d.fail(ResultDenied);
    }
    if (h.address != base_ + offset_) return;
    if (h.status != StatusOk && h.status != StatusEnd) {
      step_ = Step::Done;
      return d.fail(ResultError);
    }
    bool end = h.status == StatusEnd;
    std::uint32_t n = h.length;
    if (n > chunk_) {
      n = chunk_;
      end = true;
    }
    // A reply that claims more than it carries is not taken at its word.
    if (n > payload.size()) return;
    if (n == 0 && !end) {
      // A unit that answers nothing without saying the area has ended
      // would be asked for the same block for ever.
      step_ = Step::Done;
      return d.fail(ResultError);
    }
    std::memcpy(target() + offset_, payload.data(), n);
    offset_ += n;
    d.showProgress(readProgress());
    if (!end && offset_ < total_) return requestBlock(d);
    complete(d);
  }

  void complete(OperationDriver& d) {
    if (isFilterOp() && !isFilterWrite()) {
      step_ = Step::Done;
      return d.succeed();
    }
    if (layout_ == 5) {
      ProjectLegacy(*set_);
    } else {
      ImportLegacy(layout_, *set_);
    }
    if (!isFilterWrite()) {
      step_ = Step::Done;
      return d.succeed();
    }
    // The whole body goes back; if the unit delivered less of it than its
    // layout holds, the rest would be written over with defaults.
    if (offset_ < total_) {
      step_ = Step::Done;
      return d.fail(ResultError);
    }
    const auto& table = *d.context().table;
    std::size_t at = isMacFilter() ? kMacFilterOffset : kProtocolFilterOffset;
    std::size_t size = isMacFilter() ? kMacFilterSize : kProtocolFilterSize;
    std::memset(set_->record.bytes.data() + at, 0, size);
    std::memcpy(set_->record.bytes.data() + at, table.data(), std::min(size, table.size()));
    ProjectLegacy(*set_);
    offset_ = 0;
    step_ = Step::WriteBack;
    d.showProgress(50);
    requestBlock(d);
  }

  void onBodyWritten(OperationDriver& d, const PacketHeader& h) {
    if (h.address != base_ + offset_) return unexpected(d, h);
    if (h.status != StatusOk || h.length < chunk_) {
      step_ = Step::Done;
      return d.fail(failureFor(h.status));
    }
    offset_ += chunk_;
    d.showProgress(static_cast<int>(std::uint64_t(offset_) * 100 / (total_ + kConfigHeaderSize)));
    if (offset_ >= total_) {
      step_ = Step::Done;
      return d.succeed();
    }
    requestBlock(d);
  }

  void onWrittenBack(OperationDriver& d, const PacketHeader& h) {
    if (h.address != base_ + offset_ || h.status != StatusOk || h.length < chunk_) {
      step_ = Step::Done;
      return d.fail(failureFor(h.status));
    }
    offset_ += chunk_;
    d.showProgress(static_cast<int>((std::uint64_t(offset_) + total_) * 100 / (2ull * total_)));
    if (offset_ >= total_) {
      step_ = Step::Done;
      return d.succeed();
    }
    requestBlock(d);
  }

  int op_;
  Step step_ = Step::Info;
  ConfigSet* set_ = nullptr;
  ConfigSet ownSet_;
  std::vector<std::uint8_t>* tableBuffer_ = nullptr;
  std::uint8_t info_[kInfoSize] = {};
  int layout_ = 0;
  std::uint32_t bodySize_ = 0, base_ = 0, total_ = 0, offset_ = 0;
  std::uint16_t chunk_ = 0;
};

}  // namespace

std::unique_ptr<Sequence> makeConfigSequence(int op) { return std::make_unique<ConfigSequence>(op); }

}  // namespace trennic
