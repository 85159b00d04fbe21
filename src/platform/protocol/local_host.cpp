#include "platform/protocol/local_host.h"

#include <QHostInfo>
#include <QNetworkInterface>
#include <QRegularExpression>
#include <algorithm>

namespace trennic::platform {

namespace {

void appendDistinct(std::vector<Ipv4>& table, Ipv4 ip) {
  if (table.size() < kMaxLocalEntries && std::find(table.begin(), table.end(), ip) == table.end())
    table.push_back(ip);
}

}  // namespace

QStringList interfaceRestriction(const QStringList& fromOptions) {
  if (!fromOptions.isEmpty()) return fromOptions;
  QString env = qEnvironmentVariable("TRENNIC_INTERFACES");
  return env.split(QRegularExpression("[,\\s]+"), Qt::SkipEmptyParts);
}

void buildLocalAddressTable(LocalHost& host, const QStringList& interfaces, QStringList* unknown) {
  host.addresses.clear();
  host.networks.clear();
  host.hostName = QHostInfo::localHostName().toStdString();
  host.restricted = !interfaces.isEmpty();
  if (host.restricted) {
    for (const QString& name : interfaces) {
      QNetworkInterface iface = QNetworkInterface::interfaceFromName(name);
      if (!iface.isValid()) {
        if (unknown) unknown->append(name);
        continue;
      }
      for (const QNetworkAddressEntry& e : iface.addressEntries()) {
        if (e.ip().protocol() != QAbstractSocket::IPv4Protocol) continue;
        appendDistinct(host.addresses, ipv4FromHostOrder(e.ip().toIPv4Address()));
        host.networks.emplace_back(e.ip().toIPv4Address(), e.prefixLength());
      }
    }
    return;
  }
  if (host.hostName.empty()) return;
  QHostInfo info = QHostInfo::fromName(QString::fromStdString(host.hostName));
  if (info.error() != QHostInfo::NoError) return;
  for (const QHostAddress& a : info.addresses())
    if (a.protocol() == QAbstractSocket::IPv4Protocol) appendDistinct(host.addresses, ipv4FromHostOrder(a.toIPv4Address()));
}

QStringList interfaceNames() {
  QStringList names;
  for (const QNetworkInterface& iface : QNetworkInterface::allInterfaces()) names << iface.name();
  return names;
}

void buildAdapterMacTable(LocalHost& host) {
  host.adapterMacs.clear();
  for (const QNetworkInterface& iface : QNetworkInterface::allInterfaces()) {
    QString hw = iface.hardwareAddress();
    hw.replace(':', '-');
    auto mac = parseMac(hw.toStdString());
    if (!mac || mac->isZero() || hw.count('-') != 5) continue;
    if (std::find(host.adapterMacs.begin(), host.adapterMacs.end(), *mac) != host.adapterMacs.end()) continue;
    if (host.adapterMacs.size() >= kMaxLocalEntries) break;
    host.adapterMacs.push_back(*mac);
  }
}

bool LocalHost::onNamedNetworks(Ipv4 ip) const {
  std::uint32_t h = ipv4ToHostOrder(ip);
  for (const auto& [address, prefix] : networks) {
    std::uint32_t mask = prefix <= 0 ? 0u : prefix >= 32 ? 0xFFFFFFFFu : ~((1u << (32 - prefix)) - 1u);
    if ((h & mask) == (address & mask)) return true;
  }
  return false;
}

}  // namespace trennic::platform
