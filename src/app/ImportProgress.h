#pragma once
// Progress of a running import or playlist reload, for the server window's progress bar.
#include <QObject>

class ImportProgress : public QObject {
  Q_OBJECT
 public:
  // done of total items read; total 0 while the total is not known yet.
  void report(qint64 done, qint64 total) { emit progressChanged(done, total); }
  void begin() { emit runningChanged(true); }
  void end() { emit runningChanged(false); }

 signals:
  void progressChanged(qint64 done, qint64 total);
  void runningChanged(bool running);
};

ImportProgress& importProgress();
