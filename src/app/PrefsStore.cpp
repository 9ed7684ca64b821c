#include "app/PrefsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "app/ActivityLog.h"
#include "app/MachineAddress.h"
#include "app/ModMain.h"
#include "app/Paths.h"
#include "plist/Plist.h"

namespace {

std::function<void()>& prefsHTMLHook() {
  static std::function<void()> hook;
  return hook;
}

void callPrefsHTML() {
  if (prefsHTMLHook()) prefsHTMLHook()();
}

// The store's setters replace a key that the file holds with another type (a hand edit),
// where the model's setter alone would refuse it and freeze the setting.
void putString(plistDict& d, const QString& key, const QString& value) {
  if (d.CheckType(key, "string") == 0) d.Remove(key);
  d.SetString(key, value);
}

void putInteger(plistDict& d, const QString& key, int value) {
  if (d.CheckType(key, "integer") == 0) d.Remove(key);
  d.SetInteger(key, value);
}

void putBoolean(plistDict& d, const QString& key, bool value) {
  if (d.CheckType(key, "boolean") == 0) d.Remove(key);
  d.SetBoolean(key, value);
}

// Saves modMain.Prefs; a failure is logged as an error line, never reported as saved.
bool savePrefs() {
  plist& prefs = *modMain.Prefs;
  QDir().mkpath(QFileInfo(prefs.savePath).absolutePath());
  if (prefs.Save()) return true;
  Status("Error: could not save the preferences to " + prefs.savePath + " (" +
         prefs.errorMessage + ")");
  return false;
}

// Step 1 of SetPrefs: the document saved into is "Lanternfold.plist", read from that file,
// else from "Quaverly.plist" (so a save never drops the keys it does not set), else new
// and empty, and then saved at once.
void reopenForSaving() {
  const QString legacy = legacyPrefsFilePath();
  const QString current = prefsFilePath();
  const bool existed = QFileInfo::exists(legacy) || QFileInfo::exists(current);
  modMain.Prefs = std::make_shared<plist>(legacy, current);
  if (!existed) savePrefs();
}

void writeFirstRunValues(plistDict& d) {
  putString(d, "ListenIPAddress", machineAddress().value_or("127.0.0.1"));
  putInteger(d, "ListenPort", 8080);
  putBoolean(d, "FancyStyle", false);
  putBoolean(d, "PlainStyle", true);
  putBoolean(d, "TextOnlyStyle", false);
  putBoolean(d, "SimpleHTMLStyle", false);
  putBoolean(d, "PDAStyle", false);
  putBoolean(d, "XMLStyle", false);
  putBoolean(d, "AutoStart", false);
  putBoolean(d, "AutoPlay", false);
  putString(d, "Password", QString());
  putBoolean(d, "DisplayArt", false);
  putBoolean(d, "UseDB", true);
  putBoolean(d, "AutoLoadDB", false);
  putBoolean(d, "AutoLoadPL", false);
  putBoolean(d, "PageResults", true);
  putInteger(d, "ResultsPerPage", 20);
  putBoolean(d, "AutoIPUpdate", false);
  putBoolean(d, "NoQVSR", false);
  putBoolean(d, "Polling", false);
  putString(d, "iTunesFile", paths::defaultLibraryPath());
  putString(d, "BrowseMode", "genre");
}

}  // namespace

QString prefsFilePath() { return paths::preferencesFolder() + "/" + kPrefsFileName; }

QString legacyPrefsFilePath() { return paths::preferencesFolder() + "/" + kLegacyPrefsFileName; }

void setSetPrefsHTMLHook(std::function<void()> hook) { prefsHTMLHook() = std::move(hook); }

bool GetPrefs() {
  const QString defaultLibrary = paths::defaultLibraryPath();
  const QString current = prefsFilePath();
  const QString legacy = legacyPrefsFilePath();

  // Migration: the old name becomes the new one; when a file of the new name is in the
  // way, the old file is read under its old name.
  QString use = current;
  if (QFileInfo::exists(legacy)) use = QFile::rename(legacy, current) ? current : legacy;

  if (QFileInfo::exists(use)) {
    modMain.Prefs = std::make_shared<plist>(use);
  } else {
    modMain.Prefs = std::make_shared<plist>(current);
    writeFirstRunValues(modMain.Prefs->root());
    savePrefs();
  }

  plistDict& d = modMain.Prefs->root();
  modMain.ipaddress = d.GetString("ListenIPAddress");
  modMain.listenport = d.GetInteger("ListenPort");
  modMain.itunesfile = d.GetString("iTunesFile");
  if (modMain.itunesfile.isEmpty()) modMain.itunesfile = defaultLibrary;
  modMain.blfancy = d.GetBoolean("FancyStyle");
  modMain.blTextOnly = d.GetBoolean("TextOnlyStyle");
  modMain.blPlain = d.GetBoolean("PlainStyle");
  modMain.blSimpleHTML = d.GetBoolean("SimpleHTMLStyle");
  modMain.blXML = d.GetBoolean("XMLStyle");
  modMain.autostart = d.GetBoolean("AutoStart");
  modMain.blautoplay = d.GetBoolean("AutoPlay");
  modMain.blDisplayArt = d.GetBoolean("DisplayArt");
  modMain.password = d.GetString("Password");
  modMain.blUseDB = d.GetBoolean("UseDB");
  modMain.blAutoLoadDB = d.GetBoolean("AutoLoadDB");
  modMain.blPageResults = d.GetBoolean("PageResults");
  modMain.intResultsPerPage = d.GetInteger("ResultsPerPage");
  if (modMain.intResultsPerPage == 0) modMain.intResultsPerPage = 10;
  modMain.blPDA = d.GetBoolean("PDAStyle");
  modMain.blAutoIPUpdate = d.GetBoolean("AutoIPUpdate");
  modMain.blHideIT = d.GetBoolean("HideIT");
  modMain.blHideQV = d.GetBoolean("HideQV");
  modMain.blAutoLoadPL = d.GetBoolean("AutoLoadPL");
  modMain.blNoQVSR = d.GetBoolean("NoQVSR");
  modMain.blPolling = d.GetBoolean("Polling");
  modMain.browseMode = d.GetString("BrowseMode");
  return false;
}

bool SetPrefs(const PrefsArgs& s) {
  reopenForSaving();
  plistDict& d = modMain.Prefs->root();
  putString(d, "ListenIPAddress", s.listenIPAddress);
  putInteger(d, "ListenPort", s.listenPort);
  putBoolean(d, "FancyStyle", s.fancyStyle);
  putBoolean(d, "AutoStart", s.autoStart);
  putBoolean(d, "PlainStyle", s.plainStyle);
  putBoolean(d, "PDAStyle", s.pdaStyle);
  putBoolean(d, "TextOnlyStyle", s.textOnlyStyle);
  putBoolean(d, "SimpleHTMLStyle", s.simpleHTMLStyle);
  putBoolean(d, "XMLStyle", s.xmlStyle);
  putBoolean(d, "AutoPlay", s.autoPlay);
  putString(d, "Password", s.password);
  putBoolean(d, "DisplayArt", s.displayArt);
  putString(d, "iTunesFile", s.iTunesFile);
  putBoolean(d, "AutoLoadDB", s.autoLoadDB);
  putBoolean(d, "AutoLoadPL", s.autoLoadPL);
  putBoolean(d, "UseDB", s.useDB);
  putBoolean(d, "PageResults", s.pageResults);
  putInteger(d, "ResultsPerPage", s.resultsPerPage);
  putBoolean(d, "AutoIPUpdate", s.autoIPUpdate);
  putBoolean(d, "HideQV", s.hideQV);
  putBoolean(d, "HideIT", s.hideIT);
  putBoolean(d, "NoQVSR", s.noQVSR);
  putBoolean(d, "Polling", s.polling);
  putString(d, "BrowseMode", s.browseMode);
  savePrefs();
  callPrefsHTML();
  return false;
}

bool SetPrefs(const QString& listenIPAddress, int listenPort, bool fancyStyle, bool autoStart,
              bool plainStyle, bool textOnlyStyle, bool autoPlay, const QString& password,
              bool displayArt, bool simpleHTMLStyle, bool xmlStyle, const QString& iTunesFile,
              bool useDB, bool autoLoadDB, bool pageResults, int resultsPerPage, bool pdaStyle,
              bool autoIPUpdate, bool hideIT, bool hideQV, bool autoLoadPL, bool noQVSR,
              bool polling, const QString& browseMode) {
  return SetPrefs(PrefsArgs{listenIPAddress, listenPort, fancyStyle, autoStart, plainStyle,
                            textOnlyStyle, autoPlay, password, displayArt, simpleHTMLStyle,
                            xmlStyle, iTunesFile, useDB, autoLoadDB, pageResults,
                            resultsPerPage, pdaStyle, autoIPUpdate, hideIT, hideQV, autoLoadPL,
                            noQVSR, polling, browseMode});
}

bool UpdateIP() {
  if (!QFileInfo(paths::preferencesFolder()).isDir()) return false;
  const QString legacy = legacyPrefsFilePath();
  if (!QFileInfo::exists(legacy)) return true;  // the address lives in modMain for this run
  if (!QFileInfo(legacy).isFile()) return false;
  modMain.Prefs = std::make_shared<plist>(legacy);
  putString(modMain.Prefs->root(), "ListenIPAddress", modMain.ipaddress);
  savePrefs();  // a failed save is logged; it still counts as an update
  return true;
}

bool WebSetPrefs() {
  reopenForSaving();
  plistDict& d = modMain.Prefs->root();
  putBoolean(d, "FancyStyle", modMain.blfancy);
  putBoolean(d, "PlainStyle", modMain.blPlain);
  putBoolean(d, "PDAStyle", modMain.blPDA);
  putBoolean(d, "DisplayArt", modMain.blDisplayArt);
  putBoolean(d, "UseDB", modMain.blUseDB);
  putBoolean(d, "PageResults", modMain.blPageResults);
  putInteger(d, "ResultsPerPage", modMain.intResultsPerPage);
  putString(d, "BrowseMode", modMain.browseMode);
  const bool saved = savePrefs();
  callPrefsHTML();
  return saved;
}
