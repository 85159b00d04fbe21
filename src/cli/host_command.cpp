// trennic-cli host: what the program sees of this machine, the same tables
// the debug log describes, and what the socket was granted.
#include <QTextStream>

#include "cli/cli_context.h"
#include "platform/protocol/udp_transport.h"

namespace trennic::cli {

int runHost(CliContext& ctx, Args& args) {
  if (!args.rest().empty()) return fail(ExitUsage, "usage: host");
  platform::UdpTransport transport;
  QStringList unknown;
  transport.setInterfaces(ctx.interfaceNames());
  transport.buildLocalAddressTable(&unknown);
  transport.buildAdapterMacTable();
  if (!unknown.isEmpty()) return fail(ExitUsage, "no such interface: " + unknown.join(", "));
  if (transport.openSocket() != 1) return fail(7, "TCP/IP Protocol not installed.");
  const auto& h = transport.localHost();
  QTextStream out(stdout);
  out << "Host Name: \"" << shown(QString::fromStdString(h.hostName)) << "\"\n";
  out << "IP Address Table (entry=" << h.addresses.size() << ")"
      << (h.restricted ? " restricted to " + shown(ctx.interfaceNames().join(", ")) : "") << "\n";
  for (std::size_t i = 0; i < h.addresses.size(); ++i) out << "  " << i << ": " << formatIpv4(h.addresses[i]).c_str() << "\n";
  out << "MAC Address Table (entry=" << h.adapterMacs.size() << ")\n";
  for (std::size_t i = 0; i < h.adapterMacs.size(); ++i) out << "  " << i << ": " << formatMac(h.adapterMacs[i]).c_str() << "\n";
  out << "Multicast joins: " << transport.report().joins << " (failed " << transport.report().joinFailures << ")\n";
  out << "Receive buffer: " << transport.report().receiveBufferBytes << " bytes\n";
  return ExitOk;
}

}  // namespace trennic::cli
