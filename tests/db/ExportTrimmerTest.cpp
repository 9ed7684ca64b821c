// Trimming a library export while it is read: which pairs go, what stays verbatim, and
// that where the reads end never changes the result.
#include <gtest/gtest.h>

#include <QBuffer>
#include <ostream>
#include <string>
#include <string_view>

#include "db/ExportTrimmer.h"

namespace {

constexpr std::string_view kKept[] = {"Track ID", "Name"};
// Pairs go from the second level on: the root element's own pairs stay.
constexpr db::TrimRule kRule{kKept, 2};

std::string trimmed(const std::string& text, size_t chunk, std::string* buffer = nullptr) {
  std::string local;
  std::string& out = buffer ? *buffer : local;
  out.assign(text.size(), '#');
  QByteArray bytes = QByteArray::fromStdString(text);
  QBuffer source(&bytes);
  source.open(QIODevice::ReadOnly);
  const qint64 size = db::readTrimmed(source, out.data(), out.size(), kRule, chunk);
  if (size < 0) return "(read failed)";
  return out.substr(0, size_t(size));
}

// A pair list as a track dict holds it.
std::string track(const std::string& pairs) { return "<plist><dict>" + pairs + "</dict></plist>"; }

struct Case {
  const char* name;
  std::string text, expected;
};
void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }

class ExportTrimmerTest : public ::testing::TestWithParam<Case> {};

TEST_P(ExportTrimmerTest, TrimsTheSameWhereverTheReadsEnd) {
  const Case& c = GetParam();
  for (size_t chunk : {size_t(1), size_t(2), size_t(3), size_t(7), size_t(64), c.text.size() + 1}) {
    SCOPED_TRACE("chunk " + std::to_string(chunk));
    EXPECT_EQ(trimmed(c.text, chunk), c.expected);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ExportTrimmerTest,
    ::testing::Values(
        Case{"KeptKeysStayAndOtherPairsGoWithTheirLine",
             track("\n\t<key>Track ID</key><integer>7</integer>\n\t<key>Size</key><integer>123</integer>"
                   "\n\t<key>Name</key><string>A</string>\n\t<key>Play Count</key><integer>2</integer>\n"),
             track("\n\t<key>Track ID</key><integer>7</integer>\n\t<key>Name</key><string>A</string>\n\t")},
        Case{"KeysAreComparedIgnoringLetterCaseOnly",
             track("<key>track id</key><integer>7</integer><key>NAME</key><string>A</string>"
                   "<key>Name </key><string>B</string>"),
             track("<key>track id</key><integer>7</integer><key>NAME</key><string>A</string>")},
        Case{"EveryScalarKindGoesInEachOfItsForms",
             track("<key>Name</key><string>A</string>\r\n<key>a</key><string>x</string>\r\n"
                   "<key>b</key><integer>-1</integer>\r\n<key>c</key><real>0.5</real>\r\n"
                   "<key>d</key><date>2014-02-14T00:51:38Z</date>\r\n<key>e</key><data>AAAA</data>\r\n"
                   "<key>f</key><true/>\r\n<key>g</key><false />\r\n<key>h</key><string/>\r\n"
                   "<key>i</key><string></string>\r\n<key>j</key><integer >3</integer >\r\n"),
             track("<key>Name</key><string>A</string>\r\n")},
        Case{"MultiLineValuesGoOrStayWhole",
             track("\n\t<key>Name</key><string>two\n\tlines</string>\n\t<key>Comments</key><string>one\n"
                   "two\n</string>\n\t<key>Smart Info</key>\n\t<data>\n\tAQID\n\tBAUG\n\t</data>\n"),
             track("\n\t<key>Name</key><string>two\n\tlines</string>\n\t")},
        Case{"EntityTextStaysVerbatimAndAnEntityInAKeyKeepsThePair",
             track("<key>Name</key><string>Rock &#38; Roll</string>"
                   "<key>Location</key><string>a&#38;b&#60;c&#62;&amp;</string>"
                   "<key>Na&#109;e</key><string>x</string>"),
             track("<key>Name</key><string>Rock &#38; Roll</string><key>Na&#109;e</key><string>x</string>")},
        Case{"ContainersStayAndPairsInsideThemAreTrimmed",
             track("<key>Playlist Items</key><array><dict><key>Track ID</key><integer>1</integer>"
                   "<key>Extra</key><integer>2</integer></dict></array><key>Other</key><dict>"
                   "<key>x</key><true/></dict><key>Empty</key><array/><key>None</key><dict/>"),
             track("<key>Playlist Items</key><array><dict><key>Track ID</key><integer>1</integer>"
                   "</dict></array><key>Other</key><dict></dict><key>Empty</key><array/>"
                   "<key>None</key><dict/>")},
        Case{"TheRootElementsOwnPairsStay",
             "<plist><key>Major</key><integer>1</integer><dict><key>Major</key><integer>1</integer>"
             "</dict></plist>",
             "<plist><key>Major</key><integer>1</integer><dict></dict></plist>"},
        Case{"AnythingUnexpectedStays",
             track("<key>a</key><string id=\"1\">x</string><key>b</key><string>x<![CDATA[y]]></string>"
                   "<key>c</key><!-- note --><integer>1</integer><key>d</key><uid>3</uid>"
                   "<key>e</key><string>x</integer><key>f</key><stringy>x</stringy>"
                   "<key>g</key><integer>1</integer>text<key>h</key></dict><dict>text"
                   "<key>i</key><integer>1</integer></dict><dict><key/><string>x</string>"),
             track("<key>a</key><string id=\"1\">x</string><key>b</key><string>x<![CDATA[y]]></string>"
                   "<key>c</key><!-- note --><integer>1</integer><key>d</key><uid>3</uid>"
                   "<key>e</key><string>x</integer><key>f</key><stringy>x</stringy>"
                   "<key>g</key><integer>1</integer>text<key>h</key></dict><dict>text"
                   "<key>i</key><integer>1</integer></dict><dict><key/><string>x</string>")},
        // Were any of these taken for a <dict> start tag, or their end missed, the outer
        // pair would seem two deep or the inner one would stay.
        Case{"DeclarationsCommentsAndInstructionsAreNoElements",
             "<?xml version=\"1.0\"?>\n<!DOCTYPE plist [<!-- ' <dict> --><!ENTITY e \"a>b<dict>\">]>\n"
             "<!-- <dict> --><?pi <dict>?><plist><![CDATA[<dict>]]><key>Size</key><integer>1</integer>"
             "<dict><key>Size</key><integer>1</integer></dict></plist>",
             "<?xml version=\"1.0\"?>\n<!DOCTYPE plist [<!-- ' <dict> --><!ENTITY e \"a>b<dict>\">]>\n"
             "<!-- <dict> --><?pi <dict>?><plist><![CDATA[<dict>]]><key>Size</key><integer>1</integer>"
             "<dict></dict></plist>"},
        Case{"AQuotedAttributeValueDoesNotEndATag",
             "<plist><dict v=\"a/>b\"><key>Size</key><integer>1</integer></dict></plist>",
             "<plist><dict v=\"a/>b\"></dict></plist>"},
        Case{"ATruncatedTextKeepsWhatItCannotFinish",
             "<plist><dict><key>Size</key><integer>1</integer>\n<key>Rating</key><integer>2</inte",
             "<plist><dict><key>Rating</key><integer>2</inte"},
        Case{"ATruncatedTextKeepsAPairWithoutWhatFollowsIt",
             "<plist><dict><key>Size</key><integer>1</integer>\n\t",
             "<plist><dict><key>Size</key><integer>1</integer>\n\t"},
        Case{"ATruncatedTextKeepsAnOpenComment",
             "<plist><dict><!-- <key>Size</key><integer>1</integer><key>x</key><true/>",
             "<plist><dict><!-- <key>Size</key><integer>1</integer><key>x</key><true/>"}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

TEST(ExportTrimmerReadTest, WritesNoFurtherThanTheTrimmedTextAndTwoChunks) {
  std::string pairs;
  for (int n = 0; n < 500; ++n) pairs += "\n\t<key>Size</key><integer>" + std::to_string(n) + "</integer>";
  const std::string text = track("<key>Name</key><string>A</string>" + pairs);
  constexpr size_t kChunk = 64;
  std::string buffer;
  const std::string out = trimmed(text, kChunk, &buffer);
  EXPECT_EQ(out, track("<key>Name</key><string>A</string>\n\t"));
  EXPECT_EQ(buffer.find_first_not_of('#', out.size() + 2 * kChunk), std::string::npos);
}

class FailingSource : public QIODevice {
 protected:
  qint64 readData(char*, qint64) override { return -1; }
  qint64 writeData(const char*, qint64) override { return -1; }
};

TEST(ExportTrimmerReadTest, AFailingSourceGivesMinusOne) {
  FailingSource source;
  source.open(QIODevice::ReadOnly);
  char text[16];
  EXPECT_EQ(db::readTrimmed(source, text, sizeof text, kRule), -1);
}

}  // namespace
