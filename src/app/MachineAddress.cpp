#include "app/MachineAddress.h"

#include <QNetworkInterface>

std::optional<QString> detectMachineAddress() {
  const auto interfaces = QNetworkInterface::allInterfaces();
  for (const QNetworkInterface& iface : interfaces) {
    const auto flags = iface.flags();
    if (!flags.testFlag(QNetworkInterface::IsUp) || !flags.testFlag(QNetworkInterface::IsRunning) ||
        flags.testFlag(QNetworkInterface::IsLoopBack))
      continue;
    for (const QNetworkAddressEntry& entry : iface.addressEntries()) {
      const QHostAddress ip = entry.ip();
      if (ip.protocol() == QAbstractSocket::IPv4Protocol && !ip.isLoopback()) return ip.toString();
    }
  }
  return std::nullopt;
}

namespace {
std::function<std::optional<QString>()>& addressSource() {
  static std::function<std::optional<QString>()> source = detectMachineAddress;
  return source;
}
}  // namespace

std::optional<QString> machineAddress() { return addressSource()(); }

void setMachineAddressSource(std::function<std::optional<QString>()> source) {
  addressSource() = source ? std::move(source) : detectMachineAddress;
}
