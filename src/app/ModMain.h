#pragma once
// The one process-wide record of settings and run-time state. Every subsystem reads and
// writes these fields directly; they are zeroed at process start and filled by the
// preferences store at start-up.
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <memory>

class plist;
class BetterSQLiteDatabase;
namespace sqlite { class Connection; }

struct ModMain {
  // Network and access settings (persisted).
  QString ipaddress;
  int listenport = 0;
  QString password;
  bool blAutoIPUpdate = false;

  // Output-style flags (persisted); several may be on, the response assembly decides.
  bool blPlain = false;
  bool blfancy = false;
  bool blPDA = false;
  bool blSimpleHTML = false;
  bool blTextOnly = false;
  bool blXML = false;
  bool blDisplayArt = false;

  // Start-up behaviour (persisted).
  bool autostart = false;
  bool blautoplay = false;
  bool blHideIT = false;
  bool blHideQV = false;
  bool blPolling = false;

  // Track-database settings (persisted).
  bool blUseDB = false;
  bool blAutoLoadDB = false;
  bool blAutoLoadPL = false;
  bool blPageResults = false;
  int intResultsPerPage = 0;
  bool blNoQVSR = false;
  QString browseMode;
  QString itunesfile;

  // Derived and application state.
  int dbLimit = 0;
  QString ServerStatus;
  bool PrefsVisible = false;
  std::shared_ptr<plist> Prefs;

  // Database state. Shared pointers let this record name the connection types
  // without depending on the database layer.
  bool loadcomplete = false;
  std::shared_ptr<BetterSQLiteDatabase> idb;
  std::shared_ptr<sqlite::Connection> db;
  QString querytype;
  QString queryresult;
  QString queryparm1;
  QString queryparm2;
  QString savegenre;

  // Per-request and search-results state.
  QDateTime dtNow;
  QStringList TrackArray;
  int TrackCount = 0;
  bool blDoPlayList = false;
};

extern ModMain modMain;

// Back to the zeroed state of process start (tests use it between cases).
void resetModMain();
