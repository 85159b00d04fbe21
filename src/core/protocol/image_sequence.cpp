// Firmware and loader images between a file and a unit, 1024 bytes a block.
// The unit ends a read with a zero-length block; the program ends a write
// with a zero-length write.
#include <memory>

#include "core/files/image_file.h"
#include "core/protocol/operation_driver.h"
#include "core/protocol/sequence.h"

namespace trennic {

namespace {


std::uint32_t baseOf(int op) {
  return op == OpReadFirmware || op == OpWriteFirmware ? unit_address::kFirmware : unit_address::kLoader;
}
std::uint32_t areaSizeOf(int op) {
  return op == OpReadFirmware || op == OpWriteFirmware ? unit_address::kFirmwareSize : unit_address::kLoaderSize;
}

class ImageReadSequence : public Sequence {
 public:
  explicit ImageReadSequence(int op) : op_(op), base_(baseOf(op)), total_(areaSizeOf(op)) {}

  bool begin(OperationDriver& d) override {
    sink_ = std::make_unique<ImageSink>(d.args().fileName);
    d.sendRequest(CmdRead, base_, kImageBlockSize);
    return true;
  }

  void reply(OperationDriver& d, const PacketHeader& h, std::span<const std::uint8_t> payload) override {
    if (done_) return;
    if (h.status != StatusOk) return finish(d, failureFor(h.status));
    if (h.address != base_ + offset_ || h.length > kImageBlockSize || h.length > payload.size()) return;
    if (std::uint64_t(offset_) + h.length > total_) return finish(d, ResultError);
    auto block = payload.first(h.length);
    if (offset_ == 0 && op_ == OpReadFirmware) {
      if (block.size() < kImageHeaderSize || !imageHeaderValid(block)) return finish(d, ResultError);
      total_ = imageLength(block);
      // An image longer than the firmware area is no image of this unit.
      if (total_ > areaSizeOf(op_) || h.length > total_) return finish(d, ResultError);
    }
    moved_ += h.length;
    if (!sink_->isOpen() && !sink_->create()) return finish(d, ResultError);
    if (block.empty()) {
      // A firmware image is whole only at the length its header gives; one
      // that ends sooner stays in the partial file, never under the name.
      if (op_ == OpReadFirmware && offset_ != total_) return finish(d, ResultError);
      if (!sink_->commit()) return finish(d, ResultError);
      return finish(d, ResultOk);
    }
    if (!sink_->write(block)) return finish(d, ResultError);
    offset_ += h.length;
    d.sendRequest(CmdRead, base_ + offset_, kImageBlockSize);
    d.showProgress(total_ ? static_cast<int>(std::uint64_t(offset_) * 100 / total_) : 0);
  }

  std::optional<Closing> closingRequest() const override {
    if (moved_ == 0) return std::nullopt;
    return Closing{CmdRead, base_};
  }

  void end(int) override {
    done_ = true;
    if (sink_) sink_->abandon();
  }

 private:
  void finish(OperationDriver& d, int result) {
    done_ = true;
    if (result == ResultOk) return d.succeed();
    d.fail(result);
  }

  int op_;
  std::uint32_t base_, total_;
  std::uint32_t offset_ = 0, moved_ = 0;
  bool done_ = false;
  std::unique_ptr<ImageSink> sink_;
};

class ImageWriteSequence : public Sequence {
 public:
  explicit ImageWriteSequence(int op) : base_(baseOf(op)) {}

  bool begin(OperationDriver& d) override {
    if (!source_.open(d.args().fileName)) return false;
    total_ = source_.size();
    if (!source_.read(0, kImageBlockSize, block_) || block_.empty()) return false;
    send(d);
    return true;
  }

  void reply(OperationDriver& d, const PacketHeader& h, std::span<const std::uint8_t>) override {
    if (done_) return;
    if (h.status != StatusOk) return finish(d, failureFor(h.status));
    if (h.address != base_ + offset_ || h.length > kImageBlockSize) return;
    if (std::uint64_t(offset_) + h.length > total_) return finish(d, ResultError);
    if (h.length == 0) {
      // Only the closing zero-length write may be answered with nothing; a
      // block of data that the unit took none of is no success.
      return finish(d, lastSent_ == 0 ? ResultOk : ResultError);
    }
    offset_ += h.length;
    d.showProgress(static_cast<int>(std::uint64_t(offset_) * 100 / total_));
    if (!source_.read(offset_, kImageBlockSize, block_)) return finish(d, ResultError);
    send(d);
  }

  std::optional<Closing> closingRequest() const override {
    if (moved_ == 0) return std::nullopt;
    return Closing{CmdWrite, base_};
  }

  void end(int) override {
    done_ = true;
    source_.close();
  }

 private:
  void send(OperationDriver& d) {
    lastSent_ = static_cast<std::uint16_t>(block_.size());
    d.sendRequest(CmdWrite, base_ + offset_, lastSent_, block_);
    moved_ += lastSent_;
  }
  void finish(OperationDriver& d, int result) {
    done_ = true;
    if (result == ResultOk) return d.succeed();
    d.fail(result);
  }

  std::uint32_t base_;
  std::uint32_t total_ = 0, offset_ = 0, moved_ = 0;
  std::uint16_t lastSent_ = 0;
  bool done_ = false;
  ImageSource source_;
  std::vector<std::uint8_t> block_;
};

}  // namespace

std::unique_ptr<Sequence> makeImageSequence(int op) {
  if (op == OpReadFirmware || op == OpReadLoader) return std::make_unique<ImageReadSequence>(op);
  return std::make_unique<ImageWriteSequence>(op);
}

}  // namespace trennic
