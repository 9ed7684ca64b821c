#pragma once
// The preferences store: moves the persisted settings of modMain between
// "Quaverly.plist" (legacy name "Lanternfold.plist") in the preferences folder and the
// fields. All of it runs on the event loop.
#include <QString>
#include <functional>
#include <optional>

inline constexpr const char* kPrefsFileName = "Quaverly.plist";
inline constexpr const char* kLegacyPrefsFileName = "Lanternfold.plist";

// The 24 settings of SetPrefs, in the order of its arguments.
struct PrefsArgs {
  QString listenIPAddress;  // 1
  int listenPort = 0;
  bool fancyStyle = false;
  bool autoStart = false;
  bool plainStyle = false;  // 5
  bool textOnlyStyle = false;
  bool autoPlay = false;
  QString password;
  bool displayArt = false;
  bool simpleHTMLStyle = false;  // 10
  bool xmlStyle = false;
  QString iTunesFile;
  bool useDB = false;
  bool autoLoadDB = false;
  bool pageResults = false;  // 15
  int resultsPerPage = 0;
  bool pdaStyle = false;
  bool autoIPUpdate = false;
  bool hideIT = false;
  bool hideQV = false;  // 20
  bool autoLoadPL = false;
  bool noQVSR = false;
  bool polling = false;
  QString browseMode;  // 24
};

// Reads the preferences into modMain (migrating "Lanternfold.plist", writing the
// first-run values when there is no file). Always false; callers ignore it.
bool GetPrefs();

// Writes all 24 settings into "Lanternfold.plist" (re-opened, or "Quaverly.plist" when it
// does not exist, so no other key is lost), then calls the SetPrefsHTML hook. Does not
// change modMain's setting fields. Always false; callers ignore it.
bool SetPrefs(const PrefsArgs& settings);
bool SetPrefs(const QString& listenIPAddress, int listenPort, bool fancyStyle, bool autoStart,
              bool plainStyle, bool textOnlyStyle, bool autoPlay, const QString& password,
              bool displayArt, bool simpleHTMLStyle, bool xmlStyle, const QString& iTunesFile,
              bool useDB, bool autoLoadDB, bool pageResults, int resultsPerPage, bool pdaStyle,
              bool autoIPUpdate, bool hideIT, bool hideQV, bool autoLoadPL, bool noQVSR,
              bool polling, const QString& browseMode);

// Stores modMain.ipaddress into "Lanternfold.plist" when that file exists. False only
// when the preferences folder or the file cannot be reached.
bool UpdateIP();

// The file half of the web settings route: re-opens the document as SetPrefs
// does, writes the eight web-facing keys from modMain, saves, then calls the SetPrefsHTML
// hook. True when the file was saved (a failed save is also logged as an error line).
bool WebSetPrefs();

// The web preferences form rebuild (SetPrefsHTML) lives in a higher layer,
// which installs it here. Empty: nothing is called.
void setSetPrefsHTMLHook(std::function<void()> hook);

// Address detection used by a first run; tests replace it. Null restores the real one.
void setMachineAddressSource(std::function<std::optional<QString>()> source);

// The preferences files, in the preferences folder (created when missing).
QString prefsFilePath();
QString legacyPrefsFilePath();
