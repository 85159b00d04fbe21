#include "core/filters/filter_page_rules.h"

#include "core/app/display_text.h"

#include <cstdio>

#include "core/filters/filter_files.h"

namespace trennic {

namespace {

using namespace protoflag;

std::string hex4(std::uint16_t v) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "0x%04X", static_cast<unsigned>(v));
  return buf;
}

std::string hexRange(std::uint16_t low, std::uint16_t high) { return hex4(low) + "-" + hex4(high); }

std::string decimalRange(std::uint16_t low, std::uint16_t high) {
  return std::to_string(low) + "-" + std::to_string(high);
}

bool overlaps(std::uint16_t lowA, std::uint16_t highA, std::uint16_t lowB, std::uint16_t highB) {
  return lowA <= highB && lowB <= highA;
}

// Index of a named value in its table, which is also its place in the
// editor's combo.
std::optional<int> namedIndex(std::span<const NamedFilterValue> table, std::uint16_t value) {
  for (std::size_t i = 0; i < table.size(); ++i)
    if (table[i].value == value) return static_cast<int>(i);
  return std::nullopt;
}

constexpr std::string_view kAll = SHOWN("All");
constexpr std::string_view kUserDefined = SHOWN("User Defined");

constexpr std::string_view kEtherChoices[] = {SHOWN("<=1500 (802.3)"), SHOWN("0x0800 (IP)"), SHOWN("0x0806 (ARP)"), SHOWN("0x8035 (RARP)"),
                                              kUserDefined};
constexpr std::string_view kProtocolChoices[] = {SHOWN("1 (ICMP)"), SHOWN("6 (TCP)"), SHOWN("17 (UDP)"), kAll, kUserDefined};
constexpr std::string_view kPortChoices[] = {kAll, kUserDefined};
constexpr std::string_view kInterfaceChoices[] = {SHOWN("Ethernet"), SHOWN("Wireless"), kAll};
constexpr std::string_view kAccessChoices[] = {SHOWN("Disabled"), SHOWN("Permission"), SHOWN("Refusal")};

// The first end of the user's Ethernet types: the largest frame length + 1.
constexpr std::uint16_t kFirstUserEtherType = kMaxFrameLength + 1;

}  // namespace

// ------------------------------------------------------------------- page

bool macFilterSwitchAvailable(const ApConfig& c) {
  return c.u16(cfg::ModeSw) != 0 || (c.u16(cfg::NetworkMode) != 0 && c.u16(cfg::UnitType) != 1);
}

std::string filterNumberText(std::size_t count, std::size_t capacity) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%4u/%4u", static_cast<unsigned>(count), static_cast<unsigned>(capacity));
  return buf;
}

std::string_view interfaceText(std::uint16_t iface) {
  if (iface == InterfaceEthernet) return kInterfaceChoices[ChoiceEthernet];
  if (iface == InterfaceWireless) return kInterfaceChoices[ChoiceWireless];
  return kAll;
}

std::string portSideText(unsigned side) {
  constexpr std::string_view kSource = SHOWN("Source"), kDestination = SHOWN("Destination");
  if (side == PortSource) return std::string(kSource);
  if (side == PortDestination) return std::string(kDestination);
  return std::string(kSource) + "+" + std::string(kDestination);
}

std::vector<std::string> macFilterCells(const MacFilterEntry& e, std::size_t number, int displayLevel) {
  std::vector<std::string> cells = {std::to_string(number), formatMac(e.address1),
                                    e.isRange() ? formatMac(e.address2) : std::string()};
  if (displayLevel >= kFilterDetailLevel) cells.emplace_back(accessText(e.access()));
  return cells;
}

std::vector<std::string> protocolFilterCells(const ProtocolFilterEntry& e, std::size_t number, int displayLevel) {
  std::string ether;
  if (e.is8023())
    ether = kEtherChoices[Ether8023];
  else if (e.flags & EtherRange)
    ether = hexRange(e.etherLow, e.etherHigh);
  else if (auto i = namedIndex(etherTypeNames(), e.etherLow); i && *i != Ether8023)
    ether = kEtherChoices[*i];
  else
    ether = hex4(e.etherLow);

  std::string protocol;
  if (e.ipProtocolApplies()) {
    if (e.flags & ProtoRange)
      protocol = decimalRange(e.protoLow, e.protoHigh);
    else if (auto i = namedIndex(ipProtocolNames(), e.protoLow))
      protocol = kProtocolChoices[*i];
    else if (!(e.flags & AllProtocols))
      protocol = std::to_string(e.protoLow);
  }

  std::string port;
  if (e.portApplies()) {
    if (e.flags & PortRange)
      port = decimalRange(e.portLow, e.portHigh);
    else if (!(e.flags & AllPorts))
      port = std::to_string(e.portLow);
  }

  std::vector<std::string> cells = {std::to_string(number), ether, protocol, port};
  if (displayLevel >= kFilterDetailLevel) {
    cells.push_back(port.empty() ? std::string() : portSideText(e.portSide()));
    cells.emplace_back(interfaceText(e.iface));
    cells.emplace_back(accessText(e.access()));
  }
  return cells;
}

// -------------------------------------------------------------- conflicts

bool protocolEntriesConflict(const ProtocolFilterEntry& c, const ProtocolFilterEntry& o) {
  const bool etherOverlap = (c.is8023() || o.is8023()) ? (c.is8023() && o.is8023())
                                                       : overlaps(c.etherLow, c.etherHigh, o.etherLow, o.etherHigh);
  if (!etherOverlap) return false;
  const bool interfacesDisjoint = (c.iface == InterfaceEthernet && o.iface == InterfaceWireless) ||
                                  (c.iface == InterfaceWireless && o.iface == InterfaceEthernet);
  if (interfacesDisjoint) return false;
  if (!c.ipProtocolApplies()) return true;
  if ((c.flags | o.flags) & AllProtocols) return true;
  if (!overlaps(c.protoLow, c.protoHigh, o.protoLow, o.protoHigh)) return false;
  const unsigned sc = c.portSide(), so = o.portSide();
  if ((sc == PortSource && so == PortDestination) || (sc == PortDestination && so == PortSource)) return false;
  if (!coversTcpOrUdp(c.protoLow, c.protoHigh)) return true;
  if ((c.flags | o.flags) & AllPorts) return true;
  return overlaps(c.portLow, c.portHigh, o.portLow, o.portHigh);
}

bool protocolEntryConflicts(ConstProtocolFilterBlock block, const ProtocolFilterEntry& candidate, std::size_t index) {
  for (std::size_t i = 0, n = block.usedCount(); i < n; ++i)
    if (i != index && protocolEntriesConflict(candidate, block.entry(i))) return true;
  return false;
}

// -------------------------------------------------------------- MAC editor

std::span<const std::string_view> accessChoices() { return kAccessChoices; }

MacFilterEntry macEditorRangeClicked(const MacFilterEntry& shown, const MacAddress& address1,
                                     const MacAddress& address2, bool range) {
  MacFilterEntry e = shown;
  e.address1 = address1;
  if (range) {
    e.flags = static_cast<std::uint16_t>(e.flags | kMacEntryRange);
    e.address2 = address2;
  } else {
    e.flags = 0;
    e.address2 = address1;
  }
  return e;
}

MacFilterEntry macEditorEntry(const MacFilterEntry& shown, const MacAddress& address1, const MacAddress& address2,
                              bool range, int access, int displayLevel) {
  MacFilterEntry e =
      MacFilterEntry::make(address1, address2, range, displayLevel >= kFilterDetailLevel ? access : AccessPermit);
  e.reserved = shown.reserved;
  return e;
}

// --------------------------------------------------------- protocol editor

std::span<const std::string_view> etherTypeChoices() { return kEtherChoices; }
std::span<const std::string_view> ipProtocolChoices() { return kProtocolChoices; }
std::span<const std::string_view> portChoices() { return kPortChoices; }
std::span<const std::string_view> interfaceChoices() { return kInterfaceChoices; }

ProtocolEditorView protocolEditorView(const ProtocolFilterEntry& e) {
  ProtocolEditorView v;

  const bool etherRange = (e.flags & EtherRange) != 0;
  v.ether.enabled = true;
  if (etherRange) {
    v.ether.choice = EtherUserDefined;
    v.ether.text = hexRange(e.etherLow, e.etherHigh);
  } else if (auto i = namedIndex(etherTypeNames(), e.etherLow); i && !(e.flags & EtherNumber)) {
    v.ether.choice = *i;
  } else {
    v.ether.choice = EtherUserDefined;
    v.ether.text = hex4(e.etherLow);
  }
  v.ether.textEnabled = v.ether.choice == EtherUserDefined;

  v.protocol.enabled = !etherRange && e.ipProtocolApplies();
  const bool protocolRange = (e.flags & ProtoRange) != 0;
  if (protocolRange) {
    v.protocol.choice = ProtocolUserDefined;
    v.protocol.text = decimalRange(e.protoLow, e.protoHigh);
  } else if (auto i = namedIndex(ipProtocolNames(), e.protoLow)) {
    v.protocol.choice = *i;
  } else if (e.flags & ProtoNumber) {
    v.protocol.choice = ProtocolUserDefined;
    v.protocol.text = std::to_string(e.protoLow);
  } else {
    v.protocol.choice = ProtocolAll;
  }
  v.protocol.textEnabled = v.protocol.enabled && v.protocol.choice == ProtocolUserDefined;

  v.port.enabled =
      v.protocol.enabled && !protocolRange && (e.protoLow == kIpProtocolTcp || e.protoLow == kIpProtocolUdp);
  if (e.flags & PortRange) {
    v.port.choice = PortUserDefined;
    v.port.text = decimalRange(e.portLow, e.portHigh);
  } else if (e.flags & PortGiven) {
    v.port.choice = PortUserDefined;
    v.port.text = std::to_string(e.portLow);
  } else {
    v.port.choice = PortAll;
  }
  v.port.textEnabled = v.port.enabled && v.port.choice == PortUserDefined;

  v.sidesEnabled = v.port.textEnabled;
  v.source = (e.portSide() & PortSource) != 0;
  v.destination = (e.portSide() & PortDestination) != 0;
  v.interfaceChoice = e.iface == InterfaceEthernet   ? ChoiceEthernet
                      : e.iface == InterfaceWireless ? ChoiceWireless
                                                     : ChoiceAllInterfaces;
  v.access = e.access();
  return v;
}

std::optional<ProtocolFilterEntry> collectProtocolEntry(const ProtocolFilterEntry& shown,
                                                        const ProtocolEditorInput& in, int displayLevel) {
  ProtocolFilterEntry e;
  e.reserved = shown.reserved;

  if (in.ether >= Ether8023 && in.ether < EtherUserDefined) {
    e.etherLow = e.etherHigh = etherTypeNames()[static_cast<std::size_t>(in.ether)].value;
  } else if (in.ether == EtherUserDefined) {
    auto r = ParseNumberRange(in.etherText);
    if (!r || !userEtherTypeAcceptable(r->low, r->high)) return std::nullopt;
    e.etherLow = r->low;
    e.etherHigh = r->high;
    e.flags |= EtherNumber | (r->isRange() ? EtherRange : 0);
  } else {
    return std::nullopt;
  }

  if (in.protocolEnabled) {
    if (in.protocol >= ProtocolIcmp && in.protocol < ProtocolAll) {
      e.protoLow = e.protoHigh = ipProtocolNames()[static_cast<std::size_t>(in.protocol)].value;
    } else if (in.protocol == ProtocolAll) {
      e.flags |= AllProtocols;
    } else if (in.protocol == ProtocolUserDefined) {
      auto r = ParseNumberRange(in.protocolText);
      if (!r) return std::nullopt;
      e.protoLow = r->low;
      e.protoHigh = r->high;
      e.flags |= ProtoNumber | (r->isRange() ? ProtoRange : 0);
    } else {
      return std::nullopt;
    }
  } else if (e.ipProtocolApplies()) {
    e.flags |= AllProtocols;
  }

  if (in.portEnabled) {
    if (in.port == PortAll) {
      e.flags |= AllPorts;
    } else if (in.port == PortUserDefined) {
      auto r = ParseNumberRange(in.portText);
      if (!r) return std::nullopt;
      e.portLow = r->low;
      e.portHigh = r->high;
      e.flags |= PortGiven | (r->isRange() ? PortRange : 0);
    } else {
      return std::nullopt;
    }
  } else if (e.portApplies()) {
    e.flags |= AllPorts;
  }

  const bool detail = displayLevel >= kFilterDetailLevel;
  if (e.portApplies())
    e.setPortSide(detail ? (in.source ? PortSource : 0u) | (in.destination ? PortDestination : 0u) : PortEither);
  if (!detail)
    e.iface = InterfaceAll;
  else
    e.iface = in.interfaceChoice == ChoiceEthernet   ? InterfaceEthernet
              : in.interfaceChoice == ChoiceWireless ? InterfaceWireless
                                                     : InterfaceAll;
  e.setAccess(detail ? in.access : AccessPermit);
  return e;
}

std::string userDefinedStartText(int field) {
  return field == FieldEtherType ? hex4(kFirstUserEtherType) : std::string("0");
}

unsigned portSideAfterClick(unsigned side, unsigned bit, bool checked) {
  const unsigned next = checked ? (side | bit) : (side & ~bit);
  return (next & PortEither) == 0 ? bit : next;
}

}  // namespace trennic
