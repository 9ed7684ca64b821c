// The preferences store, with the faults it mends.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHostAddress>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

#include "app/ActivityLog.h"
#include "app/MachineAddress.h"
#include "app/ModMain.h"
#include "app/Paths.h"
#include "app/PrefsStore.h"
#include "plist/Plist.h"
#include "plist/PlistTestUtil.h"
#include "support/TestSupport.h"

namespace {

using plisttest::kFooter;
using plisttest::kHeader;


const QStringList kFirstRunKeys = {
    "ListenIPAddress", "ListenPort", "FancyStyle", "PlainStyle", "TextOnlyStyle",
    "SimpleHTMLStyle", "PDAStyle", "XMLStyle", "AutoStart", "AutoPlay", "Password",
    "DisplayArt", "UseDB", "AutoLoadDB", "AutoLoadPL", "PageResults", "ResultsPerPage",
    "AutoIPUpdate", "NoQVSR", "Polling", "iTunesFile", "BrowseMode"};

const QStringList kSetPrefsKeys = {
    "ListenIPAddress", "ListenPort", "FancyStyle", "AutoStart", "PlainStyle", "PDAStyle",
    "TextOnlyStyle", "SimpleHTMLStyle", "XMLStyle", "AutoPlay", "Password", "DisplayArt",
    "iTunesFile", "AutoLoadDB", "AutoLoadPL", "UseDB", "PageResults", "ResultsPerPage",
    "AutoIPUpdate", "HideQV", "HideIT", "NoQVSR", "Polling", "BrowseMode"};

const QStringList kWebKeys = {"FancyStyle", "PlainStyle", "PDAStyle", "DisplayArt",
                              "UseDB", "PageResults", "ResultsPerPage", "BrowseMode"};

QString current() { return paths::preferencesFolder() + "/Quaverly.plist"; }
QString legacy() { return paths::preferencesFolder() + "/Lanternfold.plist"; }

QByteArray entry(const QString& key, const QByteArray& element) {
  return "\t<key>" + key.toUtf8() + "</key>\n\t" + element + "\n";
}

void writePrefs(const QString& path, const QByteArray& entries) {
  qvtest::writeFile(path, kHeader + entries + kFooter);
}

// Keys of a file as the reader sees them.
QStringList keysOf(const QString& path) {
  plist doc(path);
  return doc.root().keys();
}

PrefsArgs sampleArgs() {
  PrefsArgs a;
  a.listenIPAddress = "10.1.2.3";
  a.listenPort = 9090;
  a.fancyStyle = true;
  a.autoStart = true;
  a.plainStyle = false;
  a.textOnlyStyle = true;
  a.autoPlay = true;
  a.password = "s3cret";
  a.displayArt = true;
  a.simpleHTMLStyle = true;
  a.xmlStyle = true;
  a.iTunesFile = "/music/lib.xml";
  a.useDB = false;
  a.autoLoadDB = true;
  a.pageResults = false;
  a.resultsPerPage = 50;
  a.pdaStyle = true;
  a.autoIPUpdate = true;
  a.hideIT = true;
  a.hideQV = true;
  a.autoLoadPL = true;
  a.noQVSR = true;
  a.polling = true;
  a.browseMode = "artist";
  return a;
}

class PrefsStore : public ::testing::Test {
 protected:
  void SetUp() override {
    QDir(paths::preferencesFolder()).removeRecursively();
    resetModMain();
    activityLog().setEcho(false);
    activityLog().clear();
    setMachineAddressSource([] { return std::optional<QString>("192.0.2.7"); });
    hookCalls = 0;
    setSetPrefsHTMLHook([this] { ++hookCalls; });
  }
  void TearDown() override {
    setMachineAddressSource(nullptr);
    setSetPrefsHTMLHook(nullptr);
  }
  int hookCalls = 0;
};

TEST_F(PrefsStore, FirstRunWritesTheTwentyTwoKeysInOrder) {
  EXPECT_FALSE(GetPrefs());
  ASSERT_TRUE(QFileInfo::exists(current()));
  EXPECT_FALSE(QFileInfo::exists(legacy()));
  const QByteArray lib = paths::defaultLibraryPath().toUtf8();
  const QByteArray expected =
      kHeader + entry("ListenIPAddress", "<string>192.0.2.7</string>") +
      entry("ListenPort", "<integer>8080</integer>") + entry("FancyStyle", "<false/>") +
      entry("PlainStyle", "<true/>") + entry("TextOnlyStyle", "<false/>") +
      entry("SimpleHTMLStyle", "<false/>") + entry("PDAStyle", "<false/>") +
      entry("XMLStyle", "<false/>") + entry("AutoStart", "<false/>") +
      entry("AutoPlay", "<false/>") + entry("Password", "<string></string>") +
      entry("DisplayArt", "<false/>") + entry("UseDB", "<true/>") +
      entry("AutoLoadDB", "<false/>") + entry("AutoLoadPL", "<false/>") +
      entry("PageResults", "<true/>") + entry("ResultsPerPage", "<integer>20</integer>") +
      entry("AutoIPUpdate", "<false/>") + entry("NoQVSR", "<false/>") +
      entry("Polling", "<false/>") + entry("iTunesFile", "<string>" + lib + "</string>") +
      entry("BrowseMode", "<string>genre</string>") + kFooter;
  EXPECT_EQ(qvtest::readFile(current()), expected);
  EXPECT_EQ(keysOf(current()), kFirstRunKeys);

  EXPECT_EQ(modMain.ipaddress, "192.0.2.7");
  EXPECT_EQ(modMain.listenport, 8080);
  EXPECT_TRUE(modMain.blPlain);
  EXPECT_FALSE(modMain.blfancy);
  EXPECT_TRUE(modMain.blUseDB);
  EXPECT_TRUE(modMain.blPageResults);
  EXPECT_EQ(modMain.intResultsPerPage, 20);
  EXPECT_FALSE(modMain.blHideIT);
  EXPECT_FALSE(modMain.blHideQV);
  EXPECT_EQ(modMain.browseMode, "genre");
  EXPECT_EQ(modMain.password, "");
  EXPECT_EQ(modMain.itunesfile, paths::defaultLibraryPath());
  EXPECT_TRUE(modMain.itunesfile.endsWith("/Music/iTunes/iTunes Music Library.xml"));
  ASSERT_TRUE(modMain.Prefs);
  EXPECT_EQ(modMain.Prefs->savePath, current());
}

TEST_F(PrefsStore, FirstRunWithoutAnAddressStoresLoopback) {
  setMachineAddressSource([] { return std::optional<QString>(); });
  GetPrefs();
  EXPECT_EQ(modMain.ipaddress, "127.0.0.1");
  plist doc(current());
  EXPECT_EQ(doc.root().GetString("ListenIPAddress"), "127.0.0.1");
}

TEST_F(PrefsStore, MachineAddressIsIPv4WhenThereIsOne) {
  const auto address = detectMachineAddress();
  if (address) {
    QHostAddress ip;
    EXPECT_TRUE(ip.setAddress(*address));
    EXPECT_EQ(ip.protocol(), QAbstractSocket::IPv4Protocol);
    EXPECT_FALSE(ip.isLoopback());
  }
}

TEST_F(PrefsStore, PreferencesFolderIsCreatedWhenMissing) {
  const QString folder = qEnvironmentVariable("XDG_CONFIG_HOME") + "/Quaverly";
  QDir(folder).removeRecursively();
  ASSERT_FALSE(QFileInfo::exists(folder));
  GetPrefs();
  EXPECT_TRUE(QFileInfo::exists(folder + "/Quaverly.plist"));
  EXPECT_EQ(modMain.listenport, 8080);
}

TEST_F(PrefsStore, SavedFilesAreOwnerOnly) {
  GetPrefs();
  struct stat st {};
  ASSERT_EQ(::stat(QFile::encodeName(current()).constData(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  SetPrefs(sampleArgs());
  ASSERT_EQ(::stat(QFile::encodeName(legacy()).constData(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST_F(PrefsStore, MigrationWithOnlyTheLegacyFile) {
  writePrefs(legacy(), entry("ListenIPAddress", "<string>10.0.0.9</string>") +
                           entry("ListenPort", "<integer>81</integer>") +
                           entry("UseDB", "<true/>"));
  GetPrefs();
  EXPECT_FALSE(QFileInfo::exists(legacy()));
  EXPECT_TRUE(QFileInfo::exists(current()));
  EXPECT_EQ(modMain.ipaddress, "10.0.0.9");
  EXPECT_EQ(modMain.listenport, 81);
  EXPECT_TRUE(modMain.blUseDB);
  EXPECT_EQ(modMain.Prefs->savePath, current());
  EXPECT_EQ(keysOf(current()), QStringList({"ListenIPAddress", "ListenPort", "UseDB"}));
}

TEST_F(PrefsStore, MigrationWithBothFilesReadsTheLegacyOne) {
  writePrefs(current(), entry("ListenPort", "<integer>1111</integer>"));
  writePrefs(legacy(), entry("ListenPort", "<integer>2222</integer>"));
  GetPrefs();
  EXPECT_EQ(modMain.listenport, 2222);
  EXPECT_TRUE(QFileInfo::exists(current()));
  EXPECT_TRUE(QFileInfo::exists(legacy()));
}

TEST_F(PrefsStore, ReadingRulesAndTheTwoFallbacks) {
  const struct {
    const char* what;
    QByteArray entries;
    std::function<void()> check;
  } rows[] = {
      {"ResultsPerPage 0 reads as 10", entry("ResultsPerPage", "<integer>0</integer>"),
       [] { EXPECT_EQ(modMain.intResultsPerPage, 10); }},
      {"ResultsPerPage absent reads as 10", "", [] { EXPECT_EQ(modMain.intResultsPerPage, 10); }},
      {"ResultsPerPage kept", entry("ResultsPerPage", "<integer>250</integer>"),
       [] { EXPECT_EQ(modMain.intResultsPerPage, 250); }},
      {"ResultsPerPage as digits in a string", entry("ResultsPerPage", "<string>50</string>"),
       [] { EXPECT_EQ(modMain.intResultsPerPage, 50); }},
      {"iTunesFile empty reads as the default", entry("iTunesFile", "<string></string>"),
       [] { EXPECT_EQ(modMain.itunesfile, paths::defaultLibraryPath()); }},
      {"iTunesFile absent reads as the default", "",
       [] { EXPECT_EQ(modMain.itunesfile, paths::defaultLibraryPath()); }},
      {"iTunesFile kept", entry("iTunesFile", "<string>/x/y.xml</string>"),
       [] { EXPECT_EQ(modMain.itunesfile, "/x/y.xml"); }},
      {"UseDB absent reads false", "", [] { EXPECT_FALSE(modMain.blUseDB); }},
      {"BrowseMode absent reads empty", "", [] { EXPECT_EQ(modMain.browseMode, ""); }},
      {"a boolean stored as a string reads false", entry("UseDB", "<string>true</string>"),
       [] { EXPECT_FALSE(modMain.blUseDB); }},
      {"HideIT and HideQV read when present",
       entry("HideIT", "<true/>") + entry("HideQV", "<true/>"),
       [] { EXPECT_TRUE(modMain.blHideIT && modMain.blHideQV); }},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.what);
    QDir(paths::preferencesFolder()).removeRecursively();
    resetModMain();
    writePrefs(current(), r.entries);
    GetPrefs();
    r.check();
  }
}

TEST_F(PrefsStore, NotAPlistFileReadsNeutralValuesAndSavesNothing) {
  const QByteArray garbage = "this is not\na property list\n";
  qvtest::writeFile(current(), garbage);
  GetPrefs();
  EXPECT_EQ(modMain.Prefs->root().count(), 0);
  EXPECT_EQ(modMain.Prefs->headers, QStringList({"this is not", "a property list"}));
  EXPECT_EQ(modMain.ipaddress, "");
  EXPECT_EQ(modMain.listenport, 0);
  EXPECT_FALSE(modMain.blPlain);
  EXPECT_EQ(modMain.itunesfile, paths::defaultLibraryPath());
  EXPECT_EQ(modMain.intResultsPerPage, 10);
  EXPECT_EQ(qvtest::readFile(current()), garbage);
  EXPECT_FALSE(QFileInfo::exists(legacy()));
}

// The design wrote the foreign lines back as the header, so the saved settings could
// never be read again.
TEST_F(PrefsStore, SettingsSavedOverANotAPlistFilePersist) {
  qvtest::writeFile(current(), "garbage\n");
  GetPrefs();
  SetPrefs(sampleArgs());
  EXPECT_TRUE(qvtest::readFile(legacy()).startsWith(kHeader));
  resetModMain();
  GetPrefs();
  EXPECT_FALSE(modMain.Prefs->error);
  EXPECT_EQ(modMain.ipaddress, "10.1.2.3");
  EXPECT_EQ(modMain.listenport, 9090);
}

TEST_F(PrefsStore, SetPrefsWritesAll24KeysAndLeavesTheFieldsAlone) {
  SetPrefs(sampleArgs());  // neither file exists: a new "Lanternfold.plist"
  EXPECT_EQ(hookCalls, 1);
  EXPECT_EQ(keysOf(legacy()), kSetPrefsKeys);
  EXPECT_EQ(modMain.listenport, 0);  // SetPrefs does not change modMain's settings
  GetPrefs();
  const PrefsArgs a = sampleArgs();
  EXPECT_EQ(modMain.ipaddress, a.listenIPAddress);
  EXPECT_EQ(modMain.listenport, 9090);
  EXPECT_TRUE(modMain.blfancy);
  EXPECT_TRUE(modMain.autostart);
  EXPECT_FALSE(modMain.blPlain);
  EXPECT_TRUE(modMain.blTextOnly);
  EXPECT_TRUE(modMain.blautoplay);
  EXPECT_EQ(modMain.password, "s3cret");
  EXPECT_TRUE(modMain.blDisplayArt);
  EXPECT_TRUE(modMain.blSimpleHTML);
  EXPECT_TRUE(modMain.blXML);
  EXPECT_EQ(modMain.itunesfile, "/music/lib.xml");
  EXPECT_FALSE(modMain.blUseDB);
  EXPECT_TRUE(modMain.blAutoLoadDB);
  EXPECT_FALSE(modMain.blPageResults);
  EXPECT_EQ(modMain.intResultsPerPage, 50);
  EXPECT_TRUE(modMain.blPDA);
  EXPECT_TRUE(modMain.blAutoIPUpdate);
  EXPECT_TRUE(modMain.blHideIT);
  EXPECT_TRUE(modMain.blHideQV);
  EXPECT_TRUE(modMain.blAutoLoadPL);
  EXPECT_TRUE(modMain.blNoQVSR);
  EXPECT_TRUE(modMain.blPolling);
  EXPECT_EQ(modMain.browseMode, "artist");
}

TEST_F(PrefsStore, SetPrefsPositionalFormKeepsTheArgumentOrder) {
  SetPrefs("10.9.8.7", 7000, false, false, true, false, false, "pw", false, false, false,
           "/lib.xml", true, false, true, 100, false, false, false, true, false, false, false,
           "genre");
  plist doc(legacy());
  EXPECT_EQ(doc.root().GetString("ListenIPAddress"), "10.9.8.7");
  EXPECT_EQ(doc.root().GetInteger("ListenPort"), 7000);
  EXPECT_TRUE(doc.root().GetBoolean("PlainStyle"));
  EXPECT_EQ(doc.root().GetString("Password"), "pw");
  EXPECT_EQ(doc.root().GetString("iTunesFile"), "/lib.xml");
  EXPECT_TRUE(doc.root().GetBoolean("UseDB"));
  EXPECT_TRUE(doc.root().GetBoolean("PageResults"));
  EXPECT_EQ(doc.root().GetInteger("ResultsPerPage"), 100);
  EXPECT_TRUE(doc.root().GetBoolean("HideQV"));
  EXPECT_FALSE(doc.root().GetBoolean("HideIT"));
  EXPECT_EQ(doc.root().GetString("BrowseMode"), "genre");
}

// The design started from an empty document: the next start read eight keys and came up
// with no address, no port and no password.
TEST_F(PrefsStore, WebSetPrefsKeepsTheOtherSettings) {
  GetPrefs();  // first run: "Quaverly.plist" only
  modMain.blfancy = true;
  modMain.blPlain = false;
  modMain.blPDA = true;
  modMain.blDisplayArt = true;
  modMain.blUseDB = false;
  modMain.blPageResults = true;
  modMain.intResultsPerPage = 500;
  modMain.browseMode = "artist";
  EXPECT_TRUE(WebSetPrefs());
  EXPECT_EQ(hookCalls, 1);
  ASSERT_TRUE(QFileInfo::exists(legacy()));
  resetModMain();
  GetPrefs();
  EXPECT_EQ(modMain.ipaddress, "192.0.2.7");
  EXPECT_EQ(modMain.listenport, 8080);
  EXPECT_EQ(modMain.itunesfile, paths::defaultLibraryPath());
  EXPECT_TRUE(modMain.blfancy);
  EXPECT_FALSE(modMain.blPlain);
  EXPECT_TRUE(modMain.blPDA);
  EXPECT_TRUE(modMain.blDisplayArt);
  EXPECT_FALSE(modMain.blUseDB);
  EXPECT_EQ(modMain.intResultsPerPage, 500);
  EXPECT_EQ(modMain.browseMode, "artist");
  // A second change re-opens "Lanternfold.plist" itself.
  modMain.browseMode = "genre";
  WebSetPrefs();
  plist doc(legacy());
  EXPECT_EQ(doc.root().GetString("BrowseMode"), "genre");
  EXPECT_EQ(doc.root().GetString("ListenIPAddress"), "192.0.2.7");
}

TEST_F(PrefsStore, SetPrefsKeepsKeysItDoesNotWrite) {
  writePrefs(current(), entry("Custom", "<string>kept</string>"));
  SetPrefs(sampleArgs());
  plist doc(legacy());
  EXPECT_EQ(doc.root().GetString("Custom"), "kept");
  EXPECT_EQ(doc.root().count(), 25);
}

TEST_F(PrefsStore, WebSetPrefsWithNoFileWritesOnlyItsEightKeys) {
  modMain.browseMode = "genre";
  EXPECT_TRUE(WebSetPrefs());
  EXPECT_EQ(keysOf(legacy()), kWebKeys);
  EXPECT_FALSE(QFileInfo::exists(current()));
}

// A hand-edited file held a key with another type: the setter refused it, and the
// setting could never be changed again.
TEST_F(PrefsStore, AKeyOfAnotherTypeIsReplacedOnSave) {
  writePrefs(legacy(), entry("UseDB", "<string>yes</string>") +
                           entry("ResultsPerPage", "<string>7</string>") +
                           entry("BrowseMode", "<true/>") +
                           entry("ListenPort", "<dict/>"));
  modMain.blUseDB = true;
  modMain.intResultsPerPage = 20;
  modMain.browseMode = "artist";
  WebSetPrefs();
  {
    plist doc(legacy());
    EXPECT_EQ(doc.root().GetType("UseDB"), "boolean");
    EXPECT_TRUE(doc.root().GetBoolean("UseDB"));
    EXPECT_EQ(doc.root().GetType("ResultsPerPage"), "integer");
    EXPECT_EQ(doc.root().GetInteger("ResultsPerPage"), 20);
    EXPECT_EQ(doc.root().GetString("BrowseMode"), "artist");
  }
  SetPrefs(sampleArgs());
  plist doc(legacy());
  EXPECT_EQ(doc.root().GetType("ListenPort"), "integer");
  EXPECT_EQ(doc.root().GetInteger("ListenPort"), 9090);
  EXPECT_EQ(doc.root().child("ListenPort"), nullptr);
  modMain.ipaddress = "10.10.10.10";
  writePrefs(legacy(), entry("ListenIPAddress", "<integer>1</integer>"));
  UpdateIP();
  plist updated(legacy());
  EXPECT_EQ(updated.root().GetString("ListenIPAddress"), "10.10.10.10");
}

TEST_F(PrefsStore, UpdateIPWithoutTheLegacyFileStoresNothing) {
  GetPrefs();
  const QByteArray before = qvtest::readFile(current());
  modMain.ipaddress = "10.20.30.40";
  EXPECT_TRUE(UpdateIP());
  EXPECT_FALSE(QFileInfo::exists(legacy()));
  EXPECT_EQ(qvtest::readFile(current()), before);
  EXPECT_EQ(modMain.ipaddress, "10.20.30.40");
}

TEST_F(PrefsStore, UpdateIPStoresTheAddressInTheLegacyFile) {
  writePrefs(legacy(), entry("ListenIPAddress", "<string>1.1.1.1</string>") +
                           entry("ListenPort", "<integer>8081</integer>"));
  modMain.ipaddress = "10.20.30.40";
  EXPECT_TRUE(UpdateIP());
  plist doc(legacy());
  EXPECT_EQ(doc.root().GetString("ListenIPAddress"), "10.20.30.40");
  EXPECT_EQ(doc.root().GetInteger("ListenPort"), 8081);
  EXPECT_EQ(modMain.Prefs->savePath, legacy());
}

TEST_F(PrefsStore, UpdateIPFailsWhenTheFileCannotBeReached) {
  QDir().mkpath(legacy());  // a folder where the file should be
  modMain.ipaddress = "10.20.30.40";
  EXPECT_FALSE(UpdateIP());
}

// Runs f with the file-size limit at `bytes`, as a full disk would behave.
template <typename F>
auto withFileSizeLimit(rlim_t bytes, F f) {
  struct rlimit saved {};
  ::getrlimit(RLIMIT_FSIZE, &saved);
  auto previous = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit tight = saved;
  tight.rlim_cur = bytes;
  ::setrlimit(RLIMIT_FSIZE, &tight);
  auto result = f();
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previous);
  return result;
}

// The design reported "saved" whatever happened to the file.
TEST_F(PrefsStore, AFailedSaveIsLoggedAndChangesNothingOnDisk) {
  GetPrefs();
  SetPrefs(sampleArgs());
  const QByteArray before = qvtest::readFile(legacy());
  activityLog().clear();
  modMain.browseMode = "genre";
  const bool saved = withFileSizeLimit(64, [] { return WebSetPrefs(); });
  EXPECT_FALSE(saved);
  EXPECT_EQ(modMain.Prefs->errorMessage, "Could not open file for saving");
  EXPECT_EQ(qvtest::readFile(legacy()), before);
  ASSERT_EQ(activityLog().lines().size(), 1);
  EXPECT_TRUE(activityLog().lines().first().contains("Error: could not save the preferences"));
  EXPECT_TRUE(activityLog().lines().first().contains("Lanternfold.plist"));
  EXPECT_EQ(hookCalls, 2);  // the form is rebuilt regardless

  activityLog().clear();
  modMain.ipaddress = "10.0.0.1";
  EXPECT_TRUE(withFileSizeLimit(64, [] { return UpdateIP(); }));  // still an update
  EXPECT_EQ(activityLog().lines().size(), 1);
  EXPECT_EQ(qvtest::readFile(legacy()), before);
  QStringList files = QDir(paths::preferencesFolder()).entryList(QDir::Files | QDir::Hidden);
  files.sort();
  EXPECT_EQ(files, QStringList({"Lanternfold.plist", "Quaverly.plist"}));
}

TEST_F(PrefsStore, ASuccessfulSaveLogsNothing) {
  GetPrefs();
  EXPECT_TRUE(WebSetPrefs());
  EXPECT_TRUE(activityLog().lines().isEmpty());
}

}  // namespace
