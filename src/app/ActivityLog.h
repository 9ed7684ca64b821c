#pragma once
// The activity log: the 200 newest lines, newest first, each "[date time] message".
// The core keeps it as a list model; the server window's list only shows it. Every
// line also goes to standard output so a headless Quaverly can be followed.
#include <QAbstractListModel>
#include <QDateTime>
#include <QStringList>

class ActivityLog : public QAbstractListModel {
  Q_OBJECT
 public:
  static constexpr int kMaxLines = 200;

  using QAbstractListModel::QAbstractListModel;

  // Appends one line: the message trimmed, behind a time stamp.
  void Status(const QString& message);

  // The lines, newest first.
  const QStringList& lines() const { return lines_; }
  void clear();

  // Standard output echo; tests switch it off to keep their output readable.
  void setEcho(bool on) { echo_ = on; }

  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

 signals:
  void lineAdded(const QString& line);

 private:
  QStringList lines_;
  int numevents = 0;
  QDateTime statusDate;
  bool echo_ = true;
};

// The one log of the process.
ActivityLog& activityLog();

// "[" + short date + " " + short time + "] ": the prefix of every log line.
QString logStamp(const QDateTime& when);
// The time-of-day text of log lines, also used by the page greeting.
QString logTimeText(const QDateTime& when);

// Adds a line to the activity log.
void Status(const QString& message);
// As Status. With yieldNow the caller is about to start background work; that work is
// scheduled on the event loop, so the line is already shown when it begins. Pending
// events are never processed here: that would re-enter request and button handlers.
void status(const QString& message, bool yieldNow);
