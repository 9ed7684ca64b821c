#pragma once
// The machine's address for the web server.
#include <QString>
#include <functional>
#include <optional>

// The first IPv4 address of an interface that is up, running and not loopback, or
// nothing when there is none. Callers fall back to "127.0.0.1" (first run) or keep the
// stored address (automatic address update).
std::optional<QString> detectMachineAddress();

// The address from the source in use: detectMachineAddress, unless a test replaced it
// with setMachineAddressSource (PrefsStore.h). The first run and the start-up sequence
// both ask here, so they always agree.
std::optional<QString> machineAddress();
void setMachineAddressSource(std::function<std::optional<QString>()> source);
