#pragma once
// Helpers shared by every test binary: the event loop, temporary folders, free ports.
#include <QByteArray>
#include <QString>
#include <functional>

namespace qvtest {

// The folder that XDG_CONFIG_HOME, XDG_DATA_HOME, XDG_RUNTIME_DIR, TMPDIR and HOME
// point into for the whole test run; removed when the run ends.
QString sandboxRoot();

// Runs the event loop until pred() holds or timeoutMs passes; returns pred().
bool waitUntil(const std::function<bool()>& pred, int timeoutMs = 5000);

// Runs the event loop for about ms milliseconds.
void spin(int ms);

// A TCP port on 127.0.0.1 that nothing listens on right now.
quint16 freePort();

// Writes text to path (creating folders), with the given permissions when executable.
void writeFile(const QString& path, const QByteArray& content, bool executable = false);
QByteArray readFile(const QString& path);

// Sends raw bytes to 127.0.0.1:port and returns everything the server sends back
// until it closes the connection (or timeoutMs passes), running the event loop meanwhile.
QByteArray exchange(quint16 port, const QByteArray& request, int timeoutMs = 5000);

// The real-world sample files beside the project.
QString sharedFixture(const QString& relativePath);

}  // namespace qvtest
