// Real property-list files written by other programs (../shared/fixtures/plist).
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "PlistTestUtil.h"
#include "plist/Plist.h"
#include "support/TestSupport.h"

namespace {

QString fixture(const QString& name) { return qvtest::sharedFixture("plist/" + name); }

std::unique_ptr<plist> readFixture(const QString& name) {
  auto doc = std::make_unique<plist>(fixture(name));
  EXPECT_FALSE(doc->error) << name.toStdString() << ": " << doc->errorMessage.toStdString();
  return doc;
}

// Counts the entries of a tree, nested ones included.
int entries(plistDict& node) {
  int n = node.count();
  for (const QString& key : node.keys())
    if (plistDict* c = node.child(key); c && (node.GetType(key) == "dict" || node.GetType(key) == "array"))
      n += entries(*c);
  return n;
}

TEST(PlistFixtures, EveryFixtureReadsWithoutErrorAndCountsItsEntries) {
  // Entries = <key> lines + array elements, counted by hand from the files.
  const struct {
    const char* name;
    int topLevel;
  } rows[] = {
      {"ipodupdater_CodeResources.plist", 2}, {"iterm2_prefs_a.plist", 51},
      {"itunes_app_Info.plist", 27},           {"itunes_media_preferences.plist", 2},
      {"pubsub_Clients.plist", 3},             {"terminal_profile_Glass.terminal.plist", 17},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    auto doc = readFixture(r.name);
    EXPECT_EQ(doc->root().count(), r.topLevel);
    EXPECT_EQ(doc->headers.size(), 4);
    EXPECT_GT(entries(doc->root()), 0);
  }
}

TEST(PlistFixtures, ValuesOfTheSmallFiles) {
  auto media = readFixture("itunes_media_preferences.plist");
  EXPECT_EQ(media->root().keys(), QStringList({"GUID", "Layout Version"}));
  EXPECT_EQ(media->root().GetType("GUID"), "string");
  EXPECT_EQ(media->root().GetString("GUID"), "AEFC393DAD821ECC1A0091044F62AB6D");
  EXPECT_EQ(media->root().GetType("Layout Version"), "integer");
  EXPECT_EQ(media->root().GetInteger("Layout Version"), 1);

  auto pubsub = readFixture("pubsub_Clients.plist");
  EXPECT_EQ(pubsub->root().keys(), QStringList({"Clients", "Feeds", "Subscriptions"}));
  for (const QString& key : pubsub->root().keys()) {
    EXPECT_EQ(pubsub->root().GetType(key), "dict");
    ASSERT_NE(pubsub->root().child(key), nullptr);
    EXPECT_EQ(pubsub->root().child(key)->count(), 0);
  }
}

TEST(PlistFixtures, CodeResourcesNestedDictsAndData) {
  auto doc = readFixture("ipodupdater_CodeResources.plist");
  plistDict* files = doc->root().child("files");
  ASSERT_NE(files, nullptr);
  EXPECT_EQ(files->GetType("Resources/Customization.plist"), "data");
  EXPECT_EQ(files->GetData("Resources/Customization.plist"), "TdAn3gzDpn8q7pry9dBM9JPwnsE=");
  plistDict* strings = files->child("Resources/English.lproj/InfoPlist.strings");
  ASSERT_NE(strings, nullptr);
  EXPECT_EQ(strings->GetData("hash"), "HdRqP7MQ773GS14/DWu3jRt3oA8=");
  EXPECT_TRUE(strings->GetBoolean("optional"));
  plistDict* rules = doc->root().child("rules");
  ASSERT_NE(rules, nullptr);
  EXPECT_TRUE(rules->GetBoolean("^version.plist$"));
}

TEST(PlistFixtures, ITermPreferences) {
  auto doc = readFixture("iterm2_prefs_a.plist");
  plistDict& r = doc->root();
  EXPECT_EQ(r.GetInteger("AppleAntiAliasingThreshold"), 1);
  EXPECT_EQ(r.GetString("AppleWindowTabbingMode"), "manual");
  EXPECT_EQ(r.GetString("iTerm Version"), "3.1.5");
  EXPECT_EQ(r.keys().last(), "iTerm Version");
  EXPECT_EQ(r.GetType("SULastCheckTime"), "date");
  EXPECT_EQ(r.GetDate("SULastCheckTime"), QDateTime(QDate(2018, 6, 29), QTime(21, 24, 9)));
  EXPECT_TRUE(r.GetBoolean("SUHasLaunchedBefore"));
  EXPECT_EQ(r.GetString("NSRepeatCountBinding"), "");
  plistDict* blue = r.child("Custom Color Presets");
  ASSERT_NE(blue, nullptr);
  blue = blue->child("solarized");
  ASSERT_NE(blue, nullptr);
  blue = blue->child("Ansi 0 Color");
  ASSERT_NE(blue, nullptr);
  EXPECT_EQ(blue->GetType("Blue Component"), "real");
  EXPECT_EQ(blue->GetString("Blue Component"), "0.19370138645172119");
  EXPECT_DOUBLE_EQ(blue->GetDouble("Blue Component"), 0.19370138645172119);
  // Ten lines of Base64 joined without separators.
  const QString data = r.GetData("NSTableView Columns v2 KeyBingingTable");
  EXPECT_TRUE(data.startsWith("YnBsaXN0MDDUAQIDBAUGNjdYJHZlcnNpb25YJG9iamVjdHNZJGFyY2hpdmVyVCR0b3ASAAGGoK4H"));
  EXPECT_TRUE(data.endsWith("AAAAAAAAADoAAAAAAAAAAAAAAAAAAAFM"));
  EXPECT_FALSE(data.contains('\r'));
  EXPECT_FALSE(data.contains('\t'));
}

TEST(PlistFixtures, ITunesInfoArraysOfDicts) {
  auto doc = readFixture("itunes_app_Info.plist");
  plistDict& r = doc->root();
  EXPECT_EQ(r.GetString("CFBundleDevelopmentRegion"), "English");
  EXPECT_EQ(r.GetString("CFBundleExecutable"), "iTunes");
  EXPECT_EQ(r.GetString("CFBundleGetInfoString"),
            QString::fromUtf8("iTunes 10.0.1, \xc2\xa9 2000-2010 Apple Inc. All rights reserved."));
  plistDict* types = r.child("CFBundleDocumentTypes");
  ASSERT_NE(types, nullptr);
  EXPECT_TRUE(types->isArray());
  plistDict* first = types->index(0);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->name(), "0");
  plistDict* os = first->child("CFBundleTypeOSTypes");
  ASSERT_NE(os, nullptr);
  EXPECT_EQ(os->keys(), QStringList({"0", "1", "2"}));
  EXPECT_EQ(os->GetString("0"), "****");
  EXPECT_EQ(os->GetString("2"), "disk");
  EXPECT_EQ(first->GetString("CFBundleTypeRole"), "Viewer");
  EXPECT_EQ(types->index(1)->child("CFBundleTypeExtensions")->GetString("1"), "itl");
}

TEST(PlistFixtures, TerminalProfileData) {
  auto doc = readFixture("terminal_profile_Glass.terminal.plist");
  plistDict& r = doc->root();
  EXPECT_EQ(r.GetType("BackgroundAlphaInactive"), "real");
  EXPECT_DOUBLE_EQ(r.GetDouble("BackgroundAlphaInactive"), 0.40317919075144509);
  const QString color = r.GetData("BackgroundColor");
  EXPECT_TRUE(color.startsWith("YnBsaXN0MDDUAQIDBAUGHyBYJHZlcnNpb25YJG9iamVjdHNZJGFyY2hpdmVyVCR0b3ASAAGG"));
  EXPECT_TRUE(color.endsWith("AAAAAAEF"));
  EXPECT_EQ(color.size(), 7 * 68 + 8);
  EXPECT_TRUE(r.GetBoolean("BackgroundSettingsForInactiveWindows"));
}

// Files without multi-line data come back byte for byte: same header, same layout.
TEST(PlistFixtures, SavedAgainByteForByte) {
  QTemporaryDir dir;
  for (const char* name : {"ipodupdater_CodeResources.plist", "itunes_app_Info.plist",
                           "itunes_media_preferences.plist", "pubsub_Clients.plist"}) {
    SCOPED_TRACE(name);
    plist doc(fixture(name));
    doc.savePath = dir.filePath(name);
    ASSERT_TRUE(doc.Save());
    EXPECT_EQ(plisttest::readAll(doc.savePath), plisttest::readAll(fixture(name)));
  }
}

// Every fixture survives a write and a read with the same tree.
TEST(PlistFixtures, RoundTripKeepsTheTree) {
  QTemporaryDir dir;
  for (const char* name : {"ipodupdater_CodeResources.plist", "iterm2_prefs_a.plist",
                           "itunes_app_Info.plist", "itunes_media_preferences.plist",
                           "pubsub_Clients.plist", "terminal_profile_Glass.terminal.plist"}) {
    SCOPED_TRACE(name);
    plist doc(fixture(name));
    doc.savePath = dir.filePath(name);
    ASSERT_TRUE(doc.Save());
    plist back(doc.savePath);
    EXPECT_FALSE(back.error);
    plisttest::expectSameTree(doc.root(), back.root());
  }
}

// The same files in other layouts fail as the reader defines, without a crash.
TEST(PlistFixtures, OtherLayoutsFailAsSpecified) {
  for (const char* name : {"iterm2_prefs_a.plist", "itunes_app_Info.plist", "pubsub_Clients.plist"}) {
    SCOPED_TRACE(name);
    const QByteArray original = plisttest::readAll(fixture(name));
    // All on one line (whitespace between elements removed): no "<dict>" line.
    QByteArray oneLine = original;
    oneLine.replace("\n", "").replace("\t", "");
    plist a;
    a.LoadText(oneLine);
    EXPECT_EQ(a.errorMessage, "Not a plist file");
    EXPECT_EQ(a.root().count(), 0);
    // Indented with spaces: the "<dict>" line has leading white space.
    QByteArray spaced = original;
    spaced.replace("\n<dict>", "\n  <dict>");
    plist b;
    b.LoadText(spaced);
    EXPECT_EQ(b.errorMessage, "Not a plist file");
    // Root content on the "<dict>" line's successor in one line: read as far as it goes.
    QByteArray squeezed = original;
    const int at = squeezed.indexOf("<dict>\n") + 7;
    QByteArray rest = squeezed.mid(at);
    rest.replace("\n", "").replace("\t", "");
    plist c;
    c.LoadText(squeezed.left(at) + rest);
    EXPECT_FALSE(c.error);
    EXPECT_LE(c.root().count(), 1);
  }
}

}  // namespace
