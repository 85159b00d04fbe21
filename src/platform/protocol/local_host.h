#pragma once
// The two tables that describe the local host: its IPv4 addresses (for the
// multicast joins and sends) and its adapters' MAC addresses (for the
// acceptance rule).
#include <QString>
#include <QStringList>
#include <string>
#include <vector>

#include "core/protocol/addresses.h"

namespace trennic::platform {

constexpr std::size_t kMaxLocalEntries = 16;

struct LocalHost {
  std::string hostName;
  std::vector<Ipv4> addresses;  // network order, distinct, in resolver order
  std::vector<MacAddress> adapterMacs;
  // Set when the administrator named the interfaces to use: the joins and
  // multicast sends then go through exactly these addresses, never through
  // the system's default choice.
  bool restricted = false;
  // The networks of the named interfaces (address in host order, prefix
  // length); a unicast must stay on one of them.
  std::vector<std::pair<std::uint32_t, int>> networks;

  bool onNamedNetworks(Ipv4 ip) const;
};

// The interfaces named by --interface options, else by TRENNIC_INTERFACES
// (names separated by commas or blanks); empty for all interfaces.
QStringList interfaceRestriction(const QStringList& fromOptions);

// From the host name, or, when interfaces are named, from those interfaces.
// Unknown interface names are reported through unknown.
void buildLocalAddressTable(LocalHost& host, const QStringList& interfaces, QStringList* unknown = nullptr);

// The names of this computer's interfaces, for telling the administrator
// which names --interface takes.
QStringList interfaceNames();

// Distinct non-zero hardware addresses of all interfaces, at most 16.
void buildAdapterMacTable(LocalHost& host);


}  // namespace trennic::platform
