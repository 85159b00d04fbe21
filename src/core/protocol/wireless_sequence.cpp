// The wireless card's firmware load: the two information blocks tell the
// card kind, the card's own PDA block is kept and stored, the S-record file
// becomes the card image, and the image goes to the unit block by block
// after a zero-length write that opens the load.
#include <algorithm>
#include <cstring>
#include <memory>

#include "core/files/image_file.h"
#include "core/files/wireless_image.h"
#include "core/protocol/operation_driver.h"
#include "core/protocol/sequence.h"

namespace trennic {

namespace {

constexpr std::uint16_t kInfoSize = 112;
constexpr std::uint16_t kOldInfoSize = 108;
constexpr std::uint16_t kInfo2Size = 216;
constexpr std::uint16_t kOldInfo2Size = 152;
constexpr std::size_t kCardKindOffset = 192;


class WirelessSequence : public Sequence {
 public:
  bool begin(OperationDriver& d) override {
    image_ = d.context().wirelessImage ? d.context().wirelessImage : &ownImage_;
    std::memset(info_, 0, sizeof info_);
    std::memset(info2_, 0, sizeof info2_);
    step_ = Step::Info;
    d.sendRequest(CmdRead, unit_address::kSystemInfo, kInfoSize);
    return true;
  }

  void reply(OperationDriver& d, const PacketHeader& h, std::span<const std::uint8_t> payload) override {
    switch (step_) {
      case Step::Info: return onInfo(d, h, payload);
      case Step::Info2: return onInfo2(d, h, payload);
      case Step::CardInfo: return onCardInfo(d, h, payload);
      case Step::Opened: return onOpened(d, h);
      case Step::Blocks: return onBlock(d, h);
      case Step::Done: return;
    }
  }

  std::optional<Closing> closingRequest() const override {
    if (moved_ == 0) return std::nullopt;
    return Closing{CmdWrite, unit_address::kCardFirmware};
  }

  void end(int) override { step_ = Step::Done; }

 private:
  enum class Step { Info, Info2, CardInfo, Opened, Blocks, Done };

  void finish(OperationDriver& d, int result) {
    step_ = Step::Done;
    if (result == ResultOk) return d.succeed();
    d.fail(result);
  }

  // Status 0 with the whole block, or an older unit's status 2 with exactly
  // its shorter block; anything else ends the load.
  static bool infoTaken(const PacketHeader& h, std::span<const std::uint8_t> payload, std::uint16_t size,
                        std::uint16_t oldSize, std::uint8_t* into) {
    if (h.status == StatusOk && payload.size() >= size) {
      std::memcpy(into, payload.data(), size);
      return true;
    }
    if (h.status == StatusEnd && payload.size() == oldSize) {
      std::memcpy(into, payload.data(), oldSize);
      return true;
    }
    return false;
  }

  void onInfo(OperationDriver& d, const PacketHeader& h, std::span<const std::uint8_t> payload) {
    if (h.address != unit_address::kSystemInfo) return;
    writeLe32(info_ + 0, 0x100);
    writeLe32(info_ + 4, 0x100);
    if (!infoTaken(h, payload, kInfoSize, kOldInfoSize, info_)) return finish(d, failureFor(h.status));
    step_ = Step::Info2;
    d.sendRequest(CmdRead, unit_address::kSystemInfo2, kInfo2Size);
  }

  void onInfo2(OperationDriver& d, const PacketHeader& h, std::span<const std::uint8_t> payload) {
    if (h.address != unit_address::kSystemInfo2) return;
    if (!infoTaken(h, payload, kInfo2Size, kOldInfo2Size, info2_)) return finish(d, failureFor(h.status));
    step_ = Step::CardInfo;
    d.sendRequest(CmdRead, unit_address::kCardInfo, static_cast<std::uint16_t>(kPdaBlockSize));
  }

  void onCardInfo(OperationDriver& d, const PacketHeader& h, std::span<const std::uint8_t> payload) {
    if (h.address != unit_address::kCardInfo) return;
    if (h.status != StatusOk) return finish(d, failureFor(h.status));
    const auto block = payload.first(std::min<std::size_t>(h.length, payload.size()));
    if (!image_->SavePdaFile(block, d.args().unitMac, d.context().pdaFolder)) return finish(d, ResultError);
    // Units before the card-kind field carry only the first kind of card.
    const int cardKind = readLe32(info_ + 4) > 511 ? info2_[kCardKindOffset] : 0;
    if (cardKind > 1) return finish(d, ResultNotSupported);
    const int prepared = image_->PrepareWirelessImage(d.args().fileName, cardKind, d.context().wirelessDumpPath);
    if (prepared == WirelessOtherCard) return finish(d, ResultNotSupported);
    if (prepared != WirelessReady) return finish(d, ResultError);
    step_ = Step::Opened;
    d.sendRequest(CmdWrite, unit_address::kCardFirmware, 0);
  }

  void onOpened(OperationDriver& d, const PacketHeader& h) {
    if (h.status != StatusOk) return finish(d, failureFor(h.status));
    offset_ = 0;
    moved_ = 0;
    total_ = image_->reportedSize ? image_->reportedSize : kWirelessWindowSize;
    block_ = image_->NextImageBlock(0);
    if (block_.length == 0) return finish(d, ResultError);
    step_ = Step::Blocks;
    send(d);
  }

  void onBlock(OperationDriver& d, const PacketHeader& h) {
    if (h.address != unit_address::kCardFirmware + block_.imageOffset || h.length > kImageBlockSize) return;
    if (h.status != StatusOk) return finish(d, failureFor(h.status));
    if (std::uint64_t(offset_) + h.length > total_) return finish(d, ResultError);
    if (h.length == 0) {
      // Only the closing zero-length write may be answered with nothing; a
      // block of data that the card took none of is no success.
      return finish(d, block_.length == 0 ? ResultOk : ResultError);
    }
    offset_ += h.length;
    d.showProgress(static_cast<int>(std::uint64_t(offset_) * 100 / total_));
    block_ = image_->NextImageBlock(offset_);
    send(d);
  }

  void send(OperationDriver& d) {
    const auto bytes = image_->blockBytes(block_);
    d.sendRequest(CmdWrite, unit_address::kCardFirmware + block_.imageOffset, static_cast<std::uint16_t>(bytes.size()),
                  bytes);
    moved_ += static_cast<std::uint32_t>(bytes.size());
  }

  Step step_ = Step::Info;
  std::uint8_t info_[kInfoSize];
  std::uint8_t info2_[kInfo2Size];
  WirelessImage ownImage_;
  WirelessImage* image_ = nullptr;
  ImageBlock block_;
  std::uint32_t offset_ = 0, moved_ = 0, total_ = 0;
};

}  // namespace

std::unique_ptr<Sequence> makeWirelessSequence() { return std::make_unique<WirelessSequence>(); }

}  // namespace trennic
