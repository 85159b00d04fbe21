#include "core/protocol/operation_driver.h"

#include "core/protocol/sequence.h"
#include "core/registry/node_table.h"

namespace trennic {

namespace {

std::unique_ptr<Sequence> makeSequence(int op) {
  switch (op) {
    case OpSearch:
    case OpGetVersionAll:
    case OpGetVersion: return makeSearchSequence(op);
    case OpReboot:
    case OpSetPassword:
    case OpClear: return makeSimpleSequence(op);
    case OpReadConfig:
    case OpWriteConfig:
    case OpReadMacFilter:
    case OpWriteMacFilter:
    case OpReadProtFilter:
    case OpWriteProtFilter: return makeConfigSequence(op);
    case OpReadFirmware:
    case OpWriteFirmware:
    case OpReadLoader:
    case OpWriteLoader: return makeImageSequence(op);
    case OpWriteWlFirmware: return makeWirelessSequence();
    default: return nullptr;
  }
}

}  // namespace

OperationDriver::OperationDriver(EngineLink& link, DriverHost& host) : link_(link), host_(host) {}

OperationDriver::~OperationDriver() {
  if (running_ && link_.claimKind() == ClaimKind::Progress) link_.release();
}

void OperationDriver::open(const OperationArgs& args, const OperationContext& context) {
  args_ = args;
  context_ = context;
  result_ = ResultError;
  fallbackUsed_ = false;
  anyReply_ = false;
  awaitingReply_ = false;
  tickCount_ = collectTicks_ = 0;
  request_.clear();
  retire();
  running_ = false;
}

void OperationDriver::retire() {
  // A sequence may still be on the stack when the operation ends from its
  // own reply handler; it is destroyed only when the next run replaces it.
  if (sequence_) retired_ = std::move(sequence_);
}

void OperationDriver::start() {
  if (running_) return;
  startRun();
}

void OperationDriver::startRun() {
  if (fallbackUsed_ || args_.primary == args_.alternate) {
    fallbackUsed_ = true;
    destination_ = args_.alternate;
  } else {
    destination_ = args_.primary;
  }
  host_.progress(0);
  running_ = true;
  link_.claim(ClaimKind::Progress, this);
  awaitingReply_ = false;
  anyReply_ = false;
  tickCount_ = collectTicks_ = 0;
  request_.clear();
  retire();
  firstRefused_ = false;
  sequence_ = makeSequence(args_.operation);
  if (!sequence_ || !sequence_->begin(*this)) return finishWith(result_);
  // Nothing can answer a request that never left, and waiting out the
  // retransmissions would only turn a local fault into "No response".
  if (firstRefused_) finishWith(ResultError);
}

void OperationDriver::sendRequest(std::uint8_t command, std::uint32_t address, std::uint16_t length,
                                  std::span<const std::uint8_t> payload) {
  const bool first = request_.empty();
  bool sent = true;
  request_ = link_.sendRequest(destination_, command, address, length, payload, args_.password, args_.unitMac,
                               &sent);
  // A later request that cannot leave is kept and sent again on the tick,
  // as if it had been lost on the way.
  if (!sent && first) firstRefused_ = true;
  tickCount_ = 0;
  awaitingReply_ = true;
}

void OperationDriver::retransmit() {
  if (!request_.empty()) link_.retransmit(destination_, request_);
}

void OperationDriver::onReply(std::span<const std::uint8_t> datagram) {
  if (!running_ || !sequence_) return;
  auto h = PacketHeader::decode(datagram);
  if (!h) return;
  if (args_.operation != OpSearch) anyReply_ = true;
  sequence_->reply(*this, *h, datagram.subspan(kHeaderSize));
}

void OperationDriver::onTick() {
  if (!running_) return;
  switch (tickClassOf(args_.operation)) {
    case TickClass::Collect:
      if (collectTicks_ <= 5) host_.progress(static_cast<int>(collectTicks_ * 100 / 5));
      ++collectTicks_;
      if (collectTicks_ > 5) {
        finishWith(ResultOk);
      } else if (collectTicks_ % 3 == 0) {
        retransmit();
      }
      return;
    case TickClass::Standard:
      if (!awaitingReply_) return;
      ++tickCount_;
      if (tickCount_ > 10) return finishWith(ResultNoResponse);
      if (tickCount_ % 3 == 0) retransmit();
      return;
    case TickClass::Transfer:
      if (!awaitingReply_) return;
      ++tickCount_;
      if (tickCount_ > 15) return finishWith(ResultNoResponse);
      if (tickCount_ % 5 == 0) retransmit();
      return;
    case TickClass::Short:
      if (!awaitingReply_) return;
      ++tickCount_;
      host_.progress(static_cast<int>(std::min<std::uint32_t>(tickCount_ * 100 / 10, 100)));
      if (tickCount_ > 10) return finishWith(ResultNoResponse);
      if (tickCount_ % 3 == 0) retransmit();
      return;
  }
}

void OperationDriver::cancel() {
  if (!running_) return;
  if (sequence_ && isTransferOperation(args_.operation)) {
    if (auto closing = sequence_->closingRequest())
      link_.sendRequest(destination_, closing->command, closing->address, 0, {}, args_.password, args_.unitMac);
  }
  finishWith(ResultAborted);
}

void OperationDriver::failOldFirmware() {
  // Nothing may move while the message is up: the engine keeps its claim
  // until the end that follows, so stop waiting first.
  awaitingReply_ = false;
  running_ = false;
  host_.showResult(ResultOldFirmware);
  running_ = true;
  finishWith(ResultAborted);
}

void OperationDriver::finishWith(int result) {
  if (!running_) return;
  result_ = result;
  host_.progress(100);
  request_.clear();
  awaitingReply_ = false;
  bool replied = anyReply_;
  tickCount_ = collectTicks_ = 0;
  link_.release();
  if (sequence_) sequence_->end(result);
  running_ = false;

  if (result == ResultOk) {
    if (args_.operation != OpSearch && args_.operation != OpGetVersionAll && context_.nodes)
      context_.nodes->SetNodeRoute(args_.unitMac, destination_ == kMulticastGroup ? RouteMulticast : RouteUnicast);
    host_.finished(true);
    return;
  }
  if (result == ResultNoResponse && !fallbackUsed_ && !replied) {
    fallbackUsed_ = true;
    host_.restarting(args_.alternate);
    startRun();
    return;
  }
  if (result == ResultAborted && args_.operation == OpSearch) result_ = ResultSearchAborted;
  if (result_ != ResultAborted) host_.showResult(result_);
  host_.finished(false);
}

}  // namespace trennic
