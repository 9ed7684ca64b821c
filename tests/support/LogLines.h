#pragma once
// The activity log's messages without their time stamps, oldest first, for comparing
// whole lines in tests.
#include <QStringList>

#include "app/ActivityLog.h"

namespace qvtest {

inline QStringList logMessages() {
  QStringList out;
  const QStringList& lines = activityLog().lines();
  for (auto it = lines.crbegin(); it != lines.crend(); ++it) {
    const qsizetype end = it->indexOf(QLatin1String("] "));
    out << (end >= 0 ? it->mid(end + 2) : *it);
  }
  return out;
}

inline void clearLog() {
  activityLog().setEcho(false);
  activityLog().clear();
}

}  // namespace qvtest
