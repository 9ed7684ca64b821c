#include "app/ActivityLog.h"

#include <QLocale>
#include <cstdio>

void ActivityLog::Status(const QString& message) {
  statusDate = QDateTime::currentDateTime();
  if (lines_.size() >= kMaxLines || numevents >= kMaxLines) {
    if (lines_.size() > kMaxLines - 1) {
      beginRemoveRows({}, kMaxLines - 1, kMaxLines - 1);
      lines_.removeAt(kMaxLines - 1);
      endRemoveRows();
    }
    numevents = 0;
  }
  const QString line = logStamp(statusDate) + message.trimmed();
  beginInsertRows({}, 0, 0);
  lines_.prepend(line);
  endInsertRows();
  ++numevents;
  if (echo_) {
    const QByteArray out = line.toUtf8() + '\n';
    std::fwrite(out.constData(), 1, size_t(out.size()), stdout);
    std::fflush(stdout);
  }
  emit lineAdded(line);
}

void ActivityLog::clear() {
  beginResetModel();
  lines_.clear();
  numevents = 0;
  endResetModel();
}

int ActivityLog::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : int(lines_.size());
}

QVariant ActivityLog::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= lines_.size()) return {};
  if (role == Qt::DisplayRole || role == Qt::ToolTipRole) return lines_.at(index.row());
  return {};
}

ActivityLog& activityLog() {
  static ActivityLog log;
  return log;
}

namespace {

const QLocale& systemLocale() {
  static const QLocale locale = QLocale::system();
  return locale;
}

}  // namespace

QString logTimeText(const QDateTime& when) {
  return systemLocale().toString(when.time(), QLocale::ShortFormat);
}

QString logStamp(const QDateTime& when) {
  // Every request logs several lines within the same second: format each second once.
  static qint64 lastSecond = -1;
  static QString lastStamp;
  const qint64 second = when.toSecsSinceEpoch();
  if (second != lastSecond) {
    lastStamp = "[" + systemLocale().toString(when.date(), QLocale::ShortFormat) + " " +
                logTimeText(when) + "] ";
    lastSecond = second;
  }
  return lastStamp;
}

void Status(const QString& message) { activityLog().Status(message); }

void status(const QString& message, bool /*yieldNow*/) { activityLog().Status(message); }
