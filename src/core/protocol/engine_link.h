#pragma once
// The engine state the main window owns for the program's whole life: the
// request counters, the last destination, the local adapter table for the
// acceptance rule, and the one claim that says which window gets accepted
// replies and ticks. No sockets and no clocks: datagrams come in through
// receive(), time through tick(), and requests leave through a sink.
#include <cstdint>
#include <span>
#include <vector>

#include "core/protocol/addresses.h"
#include "core/protocol/packet.h"

namespace trennic {

class DatagramSink {
 public:
  virtual ~DatagramSink() = default;
  // False when the datagram could not leave this host (the socket refused
  // it, or there is no socket); a datagram lost on the way is no failure.
  virtual bool sendDatagram(Ipv4 ip, std::uint16_t port, std::span<const std::uint8_t> bytes) = 0;
};

enum class DumpKind { Transmit = 0, Retransmit = 1, Receive = 2 };

// Sees every datagram the engine sends and every one it receives, before
// the acceptance rule: the debug log.
class TrafficObserver {
 public:
  virtual ~TrafficObserver() = default;
  // number counts from 1 in each direction.
  virtual void traffic(DumpKind kind, std::uint32_t number, Ipv4 peer, std::uint16_t port,
                       std::span<const std::uint8_t> bytes) = 0;
};

class EngineClient {
 public:
  virtual ~EngineClient() = default;
  virtual void onReply(std::span<const std::uint8_t> datagram) = 0;
  virtual void onTick() = 0;
};

enum class ClaimKind { None = 0, Progress = 1, Status = 2 };

class EngineLink {
 public:
  explicit EngineLink(DatagramSink& sink) : sink_(sink) {}

  void setAdapterMacs(std::vector<MacAddress> macs) { adapterMacs_ = std::move(macs); }
  void setObserver(TrafficObserver* observer) { observer_ = observer; }
  // Units listen on 20487; tests move them to a port of their own.
  void setUnitPort(std::uint16_t port) { unitPort_ = port; }
  std::uint16_t unitPort() const { return unitPort_; }

  // As the main window initialises: no claim, counters and counts at 0.
  void reset();

  // Builds a new request (raising both counters) and sends it; the bytes
  // are returned for retransmission, also when they could not leave, and
  // `sent` (when given) tells whether they did.
  std::vector<std::uint8_t> sendRequest(Ipv4 destination, std::uint8_t command, std::uint32_t address,
                                        std::uint16_t length, std::span<const std::uint8_t> payload,
                                        const PasswordField& password, const MacAddress& unitMac,
                                        bool* sent = nullptr);
  // Sends stored bytes again, unchanged; false when they could not leave.
  bool retransmit(Ipv4 destination, std::span<const std::uint8_t> bytes);

  void claim(ClaimKind kind, EngineClient* client);
  void release();
  ClaimKind claimKind() const { return claimKind_; }

  // A datagram read from the socket: logged, counted, tested, routed.
  void receive(std::span<const std::uint8_t> datagram, Ipv4 source, std::uint16_t sourcePort);
  // The one-second engine tick; a tick that arrives while one is being
  // handled is dropped.
  void tick();

  std::uint32_t sentCount() const { return sentCount_; }
  std::uint32_t receivedCount() const { return receivedCount_; }
  const RequestBuilder& builder() const { return builder_; }
  RequestBuilder& builder() { return builder_; }
  Ipv4 lastDestination() const { return lastDestination_; }

 private:
  bool send(DumpKind kind, Ipv4 destination, std::span<const std::uint8_t> bytes);

  DatagramSink& sink_;
  TrafficObserver* observer_ = nullptr;
  std::vector<MacAddress> adapterMacs_;
  RequestBuilder builder_;
  std::uint16_t unitPort_ = kUnitPort;
  Ipv4 lastDestination_ = 0;
  std::uint32_t sentCount_ = 0;
  std::uint32_t receivedCount_ = 0;
  ClaimKind claimKind_ = ClaimKind::None;
  EngineClient* client_ = nullptr;
  bool inTick_ = false;
};

}  // namespace trennic
