#pragma once
// The player-control scripts. Each call runs <resources>/scripts/<name> with the
// arguments in order (integers as decimal text), waits for it, and returns its standard
// output without one trailing line end. A script that cannot start, crashes or runs
// longer than kScriptTimeoutMs gives an empty reply and one log line naming it.
#include <QString>
#include <QVariantList>

inline constexpr int kScriptTimeoutMs = 10'000;

QString runScript(const QString& name, const QVariantList& args);

// Playback, now playing, playlists and search.
QString itunes(const QVariantList& args);
// The search-results playlist.
QString qvresults(const QVariantList& args);
// Shuffle and repeat.
QString plcontrol(const QVariantList& args);
