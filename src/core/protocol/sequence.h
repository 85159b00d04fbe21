#pragma once
// The request sequences of the operations. Each run of an operation gets a
// fresh sequence object, so a fallback run starts from a clean state.
#include <cstdint>
#include <memory>
#include <optional>
#include <span>

#include "core/protocol/operations.h"
#include "core/protocol/packet.h"

namespace trennic {

class OperationDriver;

class Sequence {
 public:
  virtual ~Sequence() = default;
  // Sends the first request; false when it cannot be built (the operation
  // then ends at once).
  virtual bool begin(OperationDriver& d) = 0;
  virtual void reply(OperationDriver& d, const PacketHeader& h, std::span<const std::uint8_t> payload) = 0;
  // The closing zero-length request that Cancel sends once bytes have moved:
  // its command and address.
  struct Closing {
    std::uint8_t command;
    std::uint32_t address;
  };
  virtual std::optional<Closing> closingRequest() const { return std::nullopt; }
  // Called on every ending; result 0 for success.
  virtual void end(int /*result*/) {}
};

// The result a refusing reply ends an operation with: status 1 is the
// password, anything else an error.
inline int failureFor(std::uint16_t status) { return status == StatusDenied ? ResultDenied : ResultError; }

std::unique_ptr<Sequence> makeSearchSequence(int operation);
std::unique_ptr<Sequence> makeSimpleSequence(int operation);
std::unique_ptr<Sequence> makeConfigSequence(int operation);
std::unique_ptr<Sequence> makeImageSequence(int operation);
std::unique_ptr<Sequence> makeWirelessSequence();

}  // namespace trennic
