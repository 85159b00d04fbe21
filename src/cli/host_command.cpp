// trennic-cli host: what the program sees of this machine, the same tables
// the debug log describes, and what the socket was granted.
#include <QTextStream>

#include "cli/cli_context.h"
#include "core/protocol/operations.h"
#include "platform/protocol/udp_transport.h"

namespace trennic::cli {

int runHost(CliContext& ctx, Args& args) {
  if (!args.rest().empty()) return fail(ExitUsage, QCoreApplication::translate("cli", "usage: %1").arg("host"));
  platform::UdpTransport transport;
  QStringList unknown;
  transport.setInterfaces(ctx.interfaceNames());
  transport.buildLocalAddressTable(&unknown);
  transport.buildAdapterMacTable();
  if (!unknown.isEmpty())
    return fail(ExitUsage, QCoreApplication::translate("cli", "no such interface: %1").arg(unknown.join(", ")));
  if (transport.openSocket() != 1) return fail(ResultNoTcpIp, resultText(ResultNoTcpIp));
  const auto& h = transport.localHost();
  QTextStream out(stdout);
  out << QCoreApplication::translate("cli", "Host Name: \"%1\"").arg(shown(QString::fromStdString(h.hostName))) << "\n";
  const QString count = QString::number(h.addresses.size());
  out << (h.restricted ? QCoreApplication::translate("cli", "IP Address Table (entry=%1) restricted to %2")
                             .arg(count, shown(ctx.interfaceNames().join(", ")))
                       : QCoreApplication::translate("cli", "IP Address Table (entry=%1)").arg(count))
      << "\n";
  for (std::size_t i = 0; i < h.addresses.size(); ++i) out << "  " << i << ": " << formatIpv4(h.addresses[i]).c_str() << "\n";
  out << QCoreApplication::translate("cli", "MAC Address Table (entry=%1)").arg(h.adapterMacs.size()) << "\n";
  for (std::size_t i = 0; i < h.adapterMacs.size(); ++i) out << "  " << i << ": " << formatMac(h.adapterMacs[i]).c_str() << "\n";
  out << QCoreApplication::translate("cli", "Multicast joins: %1 (failed %2)")
             .arg(transport.report().joins)
             .arg(transport.report().joinFailures)
      << "\n";
  out << QCoreApplication::translate("cli", "Receive buffer: %1 bytes").arg(transport.report().receiveBufferBytes)
      << "\n";
  return ExitOk;
}

}  // namespace trennic::cli
