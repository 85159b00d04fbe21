#include "core/status/status_poller.h"

#include <algorithm>
#include <cstring>

#include "core/protocol/operations.h"
#include "core/registry/node_table.h"

namespace trennic {

namespace {

// The status area of a unit's memory, step by step.
constexpr std::uint32_t kStepAddress[11] = {0,          0x00120000, 0x00120100, 0x00121000, 0x00122000, 0x00122100,
                                            0x00122200, 0x00126200, 0x00132000, 0x00142000, 0x00142100};
constexpr std::uint16_t kStepLength[11] = {0, 112, 216, 128, 128, 76, 0, 176, 1404, 52, 1404};
constexpr std::uint16_t kListChunk = 1404;  // 39 records of 36 bytes
constexpr std::size_t kLargestChunk = 1422;
constexpr int kResendTicks[] = {3, 6, 9};
constexpr int kGiveUpAfter = 10;

// Fixed blocks: the whole block with status 0, or an older firmware's
// shorter block with status 2. The block was zeroed when the cycle began.
bool takeBlock(std::span<std::uint8_t> block, const PacketHeader& h, std::span<const std::uint8_t> payload,
               std::size_t oldSize) {
  if (h.status == StatusOk && payload.size() >= block.size()) {
    std::memcpy(block.data(), payload.data(), block.size());
    return true;
  }
  if (h.status == StatusEnd && oldSize && payload.size() == oldSize) {
    std::fill(block.begin(), block.end(), 0);
    std::memcpy(block.data(), payload.data(), oldSize);
    return true;
  }
  return false;
}

}  // namespace

void StatusSnapshot::clear() {
  unitInfo.fill(0);
  unitStatus.fill(0);
  ethernet.fill(0);
  wireless.fill(0);
  wirelessLink.fill(0);
  wirelessNodes.fill(0);
  wirelessNodeCount = 0;
  wirelessCounters.fill(0);
  std::fill(macTable.begin(), macTable.end(), 0);
  macCount = 0;
  stpBridge.fill(0);
  stpPorts.fill(0);
  stpPortCount = 0;
  nodeRecordFormat = 0;
  writeLe32(unitInfo.data() + kUnitInfoChannelOffset, static_cast<std::uint32_t>(kChannelUnknown));
}

std::uint32_t StatusSnapshot::firmwareVersion() const { return readLe32(unitInfo.data() + 4); }

std::optional<StatusTarget> resolveStatusTarget(const NodeTable& nodes, std::string_view selection) {
  if (selection.empty()) return std::nullopt;
  ResolvedNode r = nodes.ResolveNode(selection);
  if (!r.found) return std::nullopt;
  return statusTargetFor(r);
}

StatusTarget statusTargetFor(const ResolvedNode& r) {
  StatusTarget t{r.primary, r.alternate, r.mac, r.label};
  // The unit's own address first, whatever route it last answered by.
  if (t.primary == kMulticastGroup && t.alternate != kMulticastGroup) std::swap(t.primary, t.alternate);
  return t;
}

int trackbarPositionFor(std::uint32_t intervalSeconds) {
  return static_cast<int>(std::min<std::uint32_t>(intervalSeconds / 2 + 1, 61));
}

std::uint32_t intervalForTrackbar(int position) {
  return position > 0 ? static_cast<std::uint32_t>(2 * position - 2) : 0;
}

StatusPoller::StatusPoller(EngineLink& link, StatusHost& host, NodeTable* nodes, Resolver resolve)
    : link_(link), host_(host), nodes_(nodes), resolve_(std::move(resolve)) {
  snapshot_.clear();
}

StatusPoller::~StatusPoller() {
  if (link_.claimKind() == ClaimKind::Status) link_.release();
}

bool StatusPoller::scanStart() {
  auto unit = resolve_ ? resolve_() : std::nullopt;
  if (!unit) {
    host_.showNoSelection();
    return false;
  }
  unit_ = *unit;
  host_.controlsScanning();
  host_.progress(100);
  fallback_ = false;
  targetChanged_ = false;
  startCycle();
  return true;
}

void StatusPoller::stop() {
  if (link_.claimKind() == ClaimKind::Status) link_.release();
  host_.controlsIdle();
  request_.clear();
  scanning_ = false;
  step_ = 0;
  targetChanged_ = false;
  countdown_ = 0;
}

bool StatusPoller::nextCycle() {
  if (step_ != 0) return false;
  auto unit = resolve_ ? resolve_() : std::nullopt;
  if (!unit) {
    host_.showNoSelection();
    return false;
  }
  unit_ = *unit;
  startCycle();
  return true;
}

void StatusPoller::selectionChanged(const std::string& label) {
  if (scanning_ && label != unit_.label) targetChanged_ = true;
}

void StatusPoller::startCycle() {
  if (!fallback_ && unit_.primary != unit_.alternate) {
    target_ = unit_.primary;
  } else {
    fallback_ = true;
    target_ = unit_.alternate;
  }
  result_ = ResultError;
  retryTicks_ = 0;
  listOffset_ = 0;
  snapshot_.clear();
  host_.clearButtonsEnabled(false);
  link_.claim(ClaimKind::Status, this);
  step_ = 1;
  // A first request that cannot leave ends the cycle with the error it
  // started with; a later one is sent again on the tick like a lost one.
  if (!send(kStepAddress[1], kStepLength[1])) return endCycle();
  countdown_ = interval_;
  if (interval_ != 0) scanning_ = true;
}

bool StatusPoller::send(std::uint32_t address, std::uint16_t length) {
  // Status reads need no password; the field stays empty.
  bool sent = false;
  request_ = link_.sendRequest(target_, CmdRead, address, length, {}, PasswordField{}, unit_.mac, &sent);
  retryTicks_ = 0;
  return sent;
}

void StatusPoller::onTick() {
  if (step_ == 0) return;
  ++retryTicks_;
  if (std::find(std::begin(kResendTicks), std::end(kResendTicks), retryTicks_) != std::end(kResendTicks) &&
      !request_.empty())
    link_.retransmit(target_, request_);
  if (retryTicks_ > kGiveUpAfter) {
    result_ = ResultNoResponse;
    endCycle();
  }
}

void StatusPoller::onReply(std::span<const std::uint8_t> datagram) {
  if (step_ == 0) return;
  auto h = PacketHeader::decode(datagram);
  if (!h) return;
  auto payload = datagram.subspan(kHeaderSize);
  if (step_ == 6 || step_ == 8 || step_ == 10) {
    if (takeList(*h, payload)) return;  // more of the list to come
  } else {
    takeFixed(*h, payload);
  }
  nextStep(step_ + 1);
}

void StatusPoller::takeFixed(const PacketHeader& h, std::span<const std::uint8_t> payload) {
  const bool here = h.address == kStepAddress[step_];
  StatusSnapshot& s = snapshot_;
  switch (step_) {
    case 1:
      if (here && takeBlock(s.unitInfo, h, payload, 108) && h.status == StatusEnd)
        writeLe32(s.unitInfo.data() + kUnitInfoChannelOffset, static_cast<std::uint32_t>(kChannelUnknown));
      // Firmware before 2.01 knows one model only.
      if (s.firmwareVersion() < 0x0201) writeLe16(s.unitInfo.data() + kUnitInfoModelOffset, 9);
      break;
    case 2:
      if (here) takeBlock(s.unitStatus, h, payload, 152);
      break;
    case 3:
      if (here) takeBlock(s.ethernet, h, payload, 68);
      break;
    case 4: {
      if (here) takeBlock(s.wireless, h, payload, 68);
      s.nodeRecordFormat = 1;
      const bool answered = h.status == StatusOk || h.status == 6 || (h.status == StatusEnd && payload.size() == 68);
      if (here && answered) {
        const std::uint32_t version = s.firmwareVersion();
        if (version >= 0x0128)
          s.nodeRecordFormat = 3;
        else if (version > 0x010A)
          s.nodeRecordFormat = 2;
      }
      break;
    }
    case 5:
      if (!here) break;
      if ((h.status == StatusOk && payload.size() >= kWirelessLinkSize) ||
          (h.status == StatusEnd && payload.size() == kWirelessLinkSize))
        std::memcpy(s.wirelessLink.data(), payload.data(), kWirelessLinkSize);
      else if (h.status == StatusEnd && payload.size() == 12)
        std::memcpy(s.wirelessLink.data(), payload.data(), 12);
      break;
    case 7:
      if (here && payload.size() >= kWirelessCounterSize)
        std::memcpy(s.wirelessCounters.data(), payload.data(), kWirelessCounterSize);
      break;
    case 9:
      if (here && h.status == StatusOk && payload.size() >= kStpBridgeSize)
        std::memcpy(s.stpBridge.data(), payload.data(), kStpBridgeSize);
      break;
    default: break;
  }
}

bool StatusPoller::takeList(const PacketHeader& h, std::span<const std::uint8_t> payload) {
  StatusSnapshot& s = snapshot_;
  std::uint8_t* storage = nullptr;
  std::size_t recordSize = kMacTableRecord, slotSize = kMacTableRecord, cap = 0;
  std::uint32_t* count = nullptr;
  switch (step_) {
    case 6:
      storage = s.wirelessNodes.data();
      recordSize = nodeRecordSize_;
      slotSize = kWirelessNodeSlot;
      cap = kWirelessNodeMax;
      count = &s.wirelessNodeCount;
      break;
    case 8:
      storage = s.macTable.data();
      cap = kMacTableMax;
      count = &s.macCount;
      break;
    default:
      storage = s.stpPorts.data();
      cap = kStpPortMax;
      count = &s.stpPortCount;
      break;
  }
  const std::uint32_t base = kStepAddress[step_];
  std::size_t n = 0;
  if (h.address == base + listOffset_) {
    // Never more records than the datagram carries, nor past the cap.
    n = std::min<std::size_t>(h.length, payload.size()) / recordSize;
    n = std::min<std::size_t>(n, cap - *count);
    for (std::size_t i = 0; i < n; ++i)
      std::memcpy(storage + (*count + i) * slotSize, payload.data() + i * recordSize, recordSize);
    *count += static_cast<std::uint32_t>(n);
    listOffset_ += static_cast<std::uint32_t>(n * recordSize);
  }
  if (h.status == StatusOk && n > 0 && *count < cap) {
    send(base + listOffset_, chunk_);
    return true;
  }
  return false;
}

void StatusPoller::nextStep(int step) {
  switch (step) {
    case 6:
      nodeRecordSize_ = snapshot_.nodeRecordFormat >= 2 ? 64 : 20;
      chunk_ = static_cast<std::uint16_t>(kLargestChunk / nodeRecordSize_ * nodeRecordSize_);
      listOffset_ = 0;
      step_ = 6;
      send(kStepAddress[6], chunk_);
      return;
    case 8:
    case 10:
      listOffset_ = 0;
      chunk_ = kListChunk;
      step_ = step;
      send(kStepAddress[step], chunk_);
      return;
    case 11:
      step_ = 0;
      result_ = ResultOk;
      return endCycle();
    default:
      step_ = step;
      send(kStepAddress[step], kStepLength[step]);
      return;
  }
}

void StatusPoller::endCycle() {
  if (link_.claimKind() == ClaimKind::Status) link_.release();
  request_.clear();
  retryTicks_ = 0;
  step_ = 0;
  if (result_ == ResultOk) {
    if (nodes_ && nodes_->SetNodeRoute(unit_.mac, target_ == kMulticastGroup ? 1 : 2)) {
      fallback_ = unit_.alternate == target_;
    }
    host_.refreshPages();
    countdown_ = interval_;
    if (interval_ == 0) {
      host_.controlsIdle();
      scanning_ = false;
      targetChanged_ = false;
    }
    return;
  }
  if (result_ == ResultNoResponse && !fallback_ && !targetChanged_) {
    fallback_ = true;
    return startCycle();
  }
  host_.controlsIdle();
  scanning_ = false;
  targetChanged_ = false;
  host_.showResult(result_);
}

void StatusPoller::onSecond(int trackbarPosition) {
  if (trackbarPosition > 0 && intervalForTrackbar(trackbarPosition) != interval_) {
    interval_ = intervalForTrackbar(trackbarPosition);
    host_.intervalShown(interval_);
    countdown_ = interval_;
    host_.progress(0);
    if (interval_ == 0) stop();
  }
  if (!scanning_ || step_ != 0 || countdown_ == 0 || interval_ == 0) return;
  --countdown_;
  host_.progress(static_cast<int>((interval_ - countdown_) * 100 / interval_));
  if (countdown_ > 0) return;
  if (targetChanged_) {
    targetChanged_ = false;
    fallback_ = false;
  }
  auto unit = resolve_ ? resolve_() : std::nullopt;
  if (!unit) {
    // The unit was taken out of the list while the scan waited.
    stop();
    host_.showNoSelection();
    return;
  }
  unit_ = *unit;
  startCycle();
}

}  // namespace trennic
