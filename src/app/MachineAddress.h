#pragma once
// The machine's address for the web server (spec Part 1.5 step 4).
#include <QString>
#include <optional>

// The first IPv4 address of an interface that is up, running and not loopback, or
// nothing when there is none. Callers fall back to "127.0.0.1" (first run) or keep the
// stored address (automatic address update).
std::optional<QString> detectMachineAddress();
