// The reader and writer: exact layout, round trips, odd inputs, saving.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QTemporaryDir>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

#include "PlistTestUtil.h"
#include "plist/Plist.h"

using plisttest::kHeader;
using plisttest::readAll;
using plisttest::writeTemp;

namespace {


// Reads a document from file text (any header given).
std::unique_ptr<plist> fromText(const QByteArray& text) {
  auto doc = std::make_unique<plist>();
  doc->LoadText(text);
  return doc;
}

void buildSample(plistDict& r) {
  r.SetString("Name", "Quaverly & <friends>");
  r.SetInteger("Port", 8080);
  r.SetBoolean("On", true);
  r.SetBoolean("Off", false);
  r.SetDouble("Ratio", 0.5);
  r.SetData("Blob", "QUJD");
  r.SetDate("When", QDateTime(QDate(2004, 3, 5), QTime(7, 8, 9)));
  r.AddChild("Empty");
  r.AddChild("Nested");
  r.child("Nested")->SetString("Inner", "x");
  r.child("Nested")->AddChild("Deeper");
  r.child("Nested")->child("Deeper")->SetInteger("Leaf", 1);
  r.SetString("Blank", "");
  r.AddArray("List");
  plistDict* list = r.child("List");
  list->AppendString("a");
  list->AppendInteger(2);
  list->AppendDict();
  list->index(2)->SetBoolean("k", true);
  list->AppendArray();
  list->AppendData("QQ==");
  r.AddArray("None");
}

const QByteArray kSampleText = kHeader +
    "\t<key>Name</key>\n"
    "\t<string>Quaverly & <friends></string>\n"
    "\t<key>Port</key>\n"
    "\t<integer>8080</integer>\n"
    "\t<key>On</key>\n"
    "\t<true/>\n"
    "\t<key>Off</key>\n"
    "\t<false/>\n"
    "\t<key>Ratio</key>\n"
    "\t<double>0.5</double>\n"
    "\t<key>Blob</key>\n"
    "\t<data>\n"
    "\tQUJD\n"
    "\t</data>\n"
    "\t<key>When</key>\n"
    "\t<date>2004-03-05T07:08:09Z</date>\n"
    "\t<key>Empty</key>\n"
    "\t<dict/>\n"
    "\t<key>Nested</key>\n"
    "\t<dict>\n"
    "\t\t<key>Inner</key>\n"
    "\t\t<string>x</string>\n"
    "\t\t<key>Deeper</key>\n"
    "\t\t<dict>\n"
    "\t\t\t<key>Leaf</key>\n"
    "\t\t\t<integer>1</integer>\n"
    "\t\t</dict>\n"
    "\t</dict>\n"
    "\t<key>Blank</key>\n"
    "\t<string></string>\n"
    "\t<key>List</key>\n"
    "\t<array>\n"
    "\t\t<string>a</string>\n"
    "\t\t<integer>2</integer>\n"
    "\t\t<dict>\n"
    "\t\t\t<key>k</key>\n"
    "\t\t\t<true/>\n"
    "\t\t</dict>\n"
    "\t\t<array/>\n"
    "\t\t<data>\n"
    "\t\tQQ==\n"
    "\t\t</data>\n"
    "\t</array>\n"
    "\t<key>None</key>\n"
    "\t<array/>\n"
    "</dict>\n"
    "</plist>\n";

TEST(PlistReadWrite, WritesTheExactLayoutAndReadsItBack) {
  QTemporaryDir dir;
  const QString path = dir.filePath("sample.plist");
  plist doc(path);
  EXPECT_TRUE(doc.error);  // the file does not exist yet
  buildSample(doc.root());
  ASSERT_TRUE(doc.Save());
  EXPECT_EQ(readAll(path), kSampleText);

  plist back(path);
  EXPECT_FALSE(back.error) << back.errorMessage.toStdString();
  plisttest::expectSameTree(doc.root(), back.root());
  EXPECT_EQ(back.root().GetString("Name"), "Quaverly & <friends>");
  EXPECT_EQ(back.root().child("List")->index(2)->GetBoolean("k"), true);
  EXPECT_EQ(back.root().child("Empty")->count(), 0);
  EXPECT_TRUE(back.root().child("None")->isArray());
  // Saved again: the same bytes.
  ASSERT_TRUE(back.Save());
  EXPECT_EQ(readAll(path), kSampleText);
}

TEST(PlistReadWrite, AcceptsCrLfAndCrLineEnds) {
  QByteArray lf = kSampleText;
  for (const QByteArray& end : {QByteArray("\r\n"), QByteArray("\r")}) {
    SCOPED_TRACE(end == "\r" ? "CR" : "CR LF");
    QByteArray text = lf;
    text.replace("\n", end);
    auto doc = fromText(text);
    auto ref = fromText(lf);
    EXPECT_FALSE(doc->error);
    plisttest::expectSameTree(ref->root(), doc->root());
    EXPECT_EQ(doc->text(), ref->text());
  }
}

struct ReadCase {
  const char* what;
  QByteArray body;  // the lines after the header
  std::function<void(plist&)> check;
};

TEST(PlistReadWrite, ReadsTheEdgeCasesOfPart14) {
  const std::vector<ReadCase> cases = {
      {"empty string element", "\t<key>a</key>\n\t<string></string>\n</dict>\n",
       [](plist& d) {
         EXPECT_EQ(d.root().GetType("a"), "string");
         EXPECT_EQ(d.root().GetString("a"), "");
       }},
      {"string over two lines", "\t<key>a</key>\n\t<string>first\nsecond</string>\n</dict>\n",
       [](plist& d) { EXPECT_EQ(d.root().GetString("a"), "first\rsecond\r"); }},
      {"string over three lines, closing tag alone",
       "\t<key>a</key>\n\t<string>one\n\ttwo\n\t</string>\n\t<key>b</key>\n\t<true/>\n</dict>\n",
       [](plist& d) {
         EXPECT_EQ(d.root().GetString("a"), "one\rtwo\r");
         EXPECT_TRUE(d.root().GetBoolean("b"));
       }},
      {"data over three lines",
       "\t<key>d</key>\n\t<data>\n\tQUJD\n\tREVG\n\t</data>\n\t<key>n</key>\n\t<integer>3</integer>\n</dict>\n",
       [](plist& d) {
         EXPECT_EQ(d.root().GetData("d"), "QUJDREVG");
         EXPECT_EQ(d.root().GetInteger("n"), 3);
       }},
      {"raw markup characters", "\t<key>a</key>\n\t<string>x < y & z</string>\n</dict>\n",
       [](plist& d) { EXPECT_EQ(d.root().GetString("a"), "x < y & z"); }},
      {"self-closing string (mend)",
       "\t<key>a</key>\n\t<string/>\n\t<key>b</key>\n\t<integer>5</integer>\n\t<key>c</key>\n\t<true/>\n</dict>\n",
       [](plist& d) {
         EXPECT_EQ(d.root().GetType("a"), "string");
         EXPECT_EQ(d.root().GetString("a"), "");
         EXPECT_EQ(d.root().GetInteger("b"), 5);
         EXPECT_TRUE(d.root().GetBoolean("c"));
         EXPECT_EQ(d.root().count(), 3);
       }},
      {"self-closing integer (mend)",
       "\t<key>a</key>\n\t<integer/>\n\t<key>b</key>\n\t<string>x</string>\n</dict>\n",
       [](plist& d) {
         EXPECT_EQ(d.root().GetInteger("a"), 0);
         EXPECT_EQ(d.root().GetString("b"), "x");
       }},
      {"array of data then string numbered 0 and 1",
       "\t<key>a</key>\n\t<array>\n\t\t<data>\n\t\tQQ==\n\t\t</data>\n\t\t<string>s</string>\n\t</array>\n</dict>\n",
       [](plist& d) {
         plistDict* a = d.root().child("a");
         ASSERT_NE(a, nullptr);
         EXPECT_EQ(a->keys(), QStringList({"0", "1"}));
         EXPECT_EQ(a->GetType("0"), "data");
         EXPECT_EQ(a->GetString("1"), "s");
         EXPECT_EQ(a->indexOf(), 1);
         a->AppendInteger(9);  // continues at the entry count
         EXPECT_EQ(a->GetInteger("2"), 9);
       }},
      {"nested containers in an array",
       "\t<key>a</key>\n\t<array>\n\t\t<dict>\n\t\t\t<key>x</key>\n\t\t\t<string>1</string>\n"
       "\t\t</dict>\n\t\t<array>\n\t\t\t<string>y</string>\n\t\t</array>\n\t\t<dict/>\n\t</array>\n</dict>\n",
       [](plist& d) {
         plistDict* a = d.root().child("a");
         ASSERT_NE(a, nullptr);
         EXPECT_EQ(a->count(), 3);
         EXPECT_EQ(a->index(0)->GetString("x"), "1");
         EXPECT_EQ(a->index(1)->GetString("0"), "y");
         EXPECT_EQ(a->index(2)->count(), 0);
       }},
      {"blank lines and lines without > are skipped",
       "\n\t<key>a</key>\n   \n\tnoise\n\t<integer>4</integer>\n</dict>\n",
       [](plist& d) { EXPECT_EQ(d.root().GetInteger("a"), 4); }},
      {"content after the root end is not read",
       "\t<key>a</key>\n\t<true/>\n</dict>\n</plist>\n\t<key>b</key>\n\t<true/>\n",
       [](plist& d) {
         EXPECT_EQ(d.root().keys(), QStringList({"a"}));
         EXPECT_TRUE(d.text().endsWith("\t<true/>\n</dict>\n</plist>\n"));
       }},
      {"truncated file keeps what was read",
       "\t<key>a</key>\n\t<integer>1</integer>\n\t<key>b</key>\n\t<dict>\n\t\t<key>c</key>\n\t\t<string>z",
       [](plist& d) {
         EXPECT_FALSE(d.error);
         EXPECT_EQ(d.root().GetInteger("a"), 1);
         EXPECT_EQ(d.root().child("b")->GetType("c"), "string");
       }},
      {"real element is a plain scalar", "\t<key>r</key>\n\t<real>0.25</real>\n</dict>\n",
       [](plist& d) {
         EXPECT_EQ(d.root().GetType("r"), "real");
         EXPECT_DOUBLE_EQ(d.root().GetDouble("r"), 0.25);
       }},
      {"key line without closing tag", "\t<key>open\n\t<string>v</string>\n</dict>\n",
       [](plist& d) { EXPECT_EQ(d.root().GetString("open"), "v"); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    auto doc = fromText(kHeader + c.body);
    EXPECT_FALSE(doc->error) << doc->errorMessage.toStdString();
    c.check(*doc);
  }
}

TEST(PlistReadWrite, MultiLineStringsRoundTrip) {
  plist doc;
  doc.root().SetString("m", "first\rsecond\r");
  doc.root().SetString("after", "z");
  auto back = fromText(doc.text().toUtf8());
  EXPECT_EQ(back->root().GetString("m"), "first\rsecond\r");
  EXPECT_EQ(back->root().GetString("after"), "z");
}

TEST(PlistReadWrite, NotAPlistFile) {
  const struct {
    const char* what;
    QByteArray text;
  } rows[] = {
      {"no dict line", "<?xml version=\"1.0\"?>\n<plist version=\"1.0\">\n</plist>\n"},
      {"indented dict line", "<?xml version=\"1.0\"?>\n<plist>\n  <dict>\n\t<key>a</key>\n</dict>\n"},
      {"one-line layout",
       "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>a</key><true/></dict></plist>"},
      {"empty file", ""},
      {"binary", QByteArray("bplist00\xd1\x01\x02\x00\xff", 13)},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.what);
    auto doc = fromText(r.text);
    EXPECT_TRUE(doc->error);
    EXPECT_EQ(doc->errorMessage, "Not a plist file");
    EXPECT_EQ(doc->root().count(), 0);
  }
  // The header lines read are retained.
  auto doc = fromText("line one\nline two\n");
  EXPECT_EQ(doc->headers, QStringList({"line one", "line two"}));
}

TEST(PlistReadWrite, NotAPlistFileGetsTheStandardHeaderBackWhenSaved) {
  QTemporaryDir dir;
  const QString path = writeTemp(dir, "broken.plist", "garbage\nmore garbage\n");
  plist doc(path);
  EXPECT_EQ(doc.errorMessage, "Not a plist file");
  doc.root().SetInteger("ListenPort", 8080);
  ASSERT_TRUE(doc.Save());
  EXPECT_EQ(readAll(path), kHeader + "\t<key>ListenPort</key>\n\t<integer>8080</integer>\n</dict>\n</plist>\n");
  plist back(path);
  EXPECT_FALSE(back.error);
  EXPECT_EQ(back.root().GetInteger("ListenPort"), 8080);
}

TEST(PlistReadWrite, NestingIsLimited) {
  for (int levels : {plist::kMaxNestingDepth - 1, plist::kMaxNestingDepth + 1, 200000}) {
    SCOPED_TRACE(levels);
    QByteArray text = kHeader;
    for (int i = 0; i < levels; ++i) text += "<key>k</key>\n<dict>\n";
    text += "<key>leaf</key>\n<true/>\n";
    for (int i = 0; i < levels; ++i) text += "</dict>\n";
    text += "<key>after</key>\n<true/>\n</dict>\n</plist>\n";
    auto doc = fromText(text);  // 200000 levels overflowed the stack before the limit
    // The root counts as level 1.
    const bool tooDeep = levels + 1 > plist::kMaxNestingDepth;
    EXPECT_EQ(doc->error, tooDeep);
    if (tooDeep) {
      EXPECT_EQ(doc->errorMessage, "Nesting deeper than 100 levels");
    } else {
      EXPECT_TRUE(doc->root().GetBoolean("after"));
    }
    EXPECT_EQ(doc->root().GetType("k"), "dict");
  }
}

TEST(PlistReadWrite, MissingFilesAndTheFallback) {
  QTemporaryDir dir;
  const QString first = dir.filePath("first.plist");
  const QString second = dir.filePath("second.plist");
  {
    plist doc(first, second);
    EXPECT_TRUE(doc.error);
    EXPECT_EQ(doc.errorMessage, QFileInfo(second).absoluteFilePath() + " does not exist");
    EXPECT_EQ(doc.headers, plist::standardHeaders());
    EXPECT_EQ(doc.savePath, first);
    EXPECT_EQ(doc.root().rootClass(), &doc);
    EXPECT_EQ(doc.root().name(), "root");
    ASSERT_TRUE(doc.Save());
    EXPECT_EQ(readAll(first), kHeader + "</dict>\n</plist>\n");
  }
  QFile::remove(first);
  writeTemp(dir, "second.plist", kHeader + "\t<key>x</key>\n\t<string>from second</string>\n</dict>\n</plist>\n");
  plist doc(first, second);
  EXPECT_FALSE(doc.error);
  EXPECT_EQ(doc.root().GetString("x"), "from second");
  EXPECT_EQ(doc.savePath, first);
  ASSERT_TRUE(doc.Save());
  EXPECT_TRUE(QFileInfo::exists(first));
  plist one(second);
  EXPECT_EQ(one.savePath, second);
  EXPECT_EQ(one.root().GetString("x"), "from second");
}

TEST(PlistReadWrite, ForeignHeaderIsKeptVerbatim) {
  const QByteArray text =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" \"x\">\n"
      "<plist version=\"1.0\">\n<DICT>\n\t<key>a</key>\n\t<true/>\n</dict>\n</plist>\n";
  auto doc = fromText(text);
  EXPECT_FALSE(doc->error);
  EXPECT_EQ(doc->text().toUtf8(), text);
}

mode_t modeOf(const QString& path) {
  struct stat st {};
  ::stat(QFile::encodeName(path).constData(), &st);
  return st.st_mode & 07777;
}

TEST(PlistSave, CreatesOwnerOnlyFilesAndTightensOldOnes) {
  QTemporaryDir dir;
  const QString path = dir.filePath("p.plist");
  plist doc(path);
  doc.root().SetString("Password", "secret");
  ASSERT_TRUE(doc.Save());
  EXPECT_EQ(modeOf(path), 0600u);
  ::chmod(QFile::encodeName(path).constData(), 0644);
  ASSERT_TRUE(doc.Save());
  EXPECT_EQ(modeOf(path), 0600u);
}

TEST(PlistSave, AFileThatCannotBeCreatedIsReported) {
  QTemporaryDir dir;
  plist doc(dir.filePath("no/such/folder/p.plist"));
  doc.clearError();
  EXPECT_FALSE(doc.Save());
  EXPECT_TRUE(doc.error);
  EXPECT_EQ(doc.errorMessage, "Could not open file for saving");
  EXPECT_FALSE(QFileInfo::exists(dir.filePath("no")));
}

// A write that fails half way (here: the file-size limit, as a full disk would) leaves the
// old file whole; the design truncated it first and wrote in place.
TEST(PlistSave, AFailedWriteLeavesTheOldFileAsItWas) {
  QTemporaryDir dir;
  const QString path = dir.filePath("p.plist");
  const QByteArray old = kHeader + "\t<key>Password</key>\n\t<string>old</string>\n</dict>\n</plist>\n";
  writeTemp(dir, "p.plist", old);
  plist doc(path);
  ASSERT_FALSE(doc.error);
  for (int i = 0; i < 200; ++i) doc.root().SetString(QString("Key%1").arg(i), "a long enough value");

  struct rlimit saved {};
  ::getrlimit(RLIMIT_FSIZE, &saved);
  auto previous = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit tight = saved;
  tight.rlim_cur = 1024;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &tight), 0);
  const bool ok = doc.Save();
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previous);

  EXPECT_FALSE(ok);
  EXPECT_TRUE(doc.error);
  EXPECT_EQ(doc.errorMessage, "Could not open file for saving");
  EXPECT_EQ(readAll(path), old);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"p.plist"}));
}

TEST(PlistReadWrite, StripAllRemovesLeadingControlCharactersOnly) {
  EXPECT_EQ(plistDict::StripAll("\t\t\r<key>"), "<key>");
  EXPECT_EQ(plistDict::StripAll("  <key>"), "  <key>");
  EXPECT_EQ(plistDict::StripAll(QString("\x01\x1f") + " x"), " x");
  EXPECT_EQ(plistDict::StripAll("\t\t"), "");
  EXPECT_EQ(plistDict::StripAll(""), "");
}

}  // namespace
