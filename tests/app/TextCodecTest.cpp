// The conversions at the edges: page bytes, request bytes, and the escaping of values.
#include <gtest/gtest.h>

#include "app/TextCodec.h"

namespace {

struct PageCase {
  const char* name;
  QString text;
  QByteArray bytes;
};

class PageEncodingTest : public ::testing::TestWithParam<PageCase> {};

TEST_P(PageEncodingTest, EncodesEveryCharacterWithoutLoss) {
  EXPECT_EQ(text::toPageEncoding(GetParam().text), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PageEncodingTest,
    ::testing::Values(
        PageCase{"Ascii", "Now Playing", "Now Playing"},
        PageCase{"Latin1", QString::fromUtf8("Caf\u00e9 M\u00e9lancolie"), "Caf\xe9 M\xe9lancolie"},
        PageCase{"Windows1252Extras", QString::fromUtf8("d\u2019automne \u20ac \u2014"), "d\x92" "automne \x80 \x97"},
        PageCase{"CjkAsReference", QString::fromUtf8("\u591c\u660e\u3051"), "&#22812;&#26126;&#12369;"},
        PageCase{"OutsideBasicPlane", QString::fromUtf8("\U0001F3B5"), "&#127925;"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RequestEncodingTest, EveryByteMapsToOneCharacterAndBack) {
  QByteArray all;
  for (int b = 0; b < 256; ++b) all += char(b);
  const QString decoded = text::fromRequestEncoding(all);
  ASSERT_EQ(decoded.size(), 256);
  EXPECT_EQ(text::toPageEncoding(decoded), all);
}

struct DecodeCase {
  const char* name;
  QString input;
  QString expected;
};

class PercentDecodeTest : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(PercentDecodeTest, Decodes) { EXPECT_EQ(text::percentDecode(GetParam().input), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(
    Cases, PercentDecodeTest,
    ::testing::Values(
        DecodeCase{"NothingToDo", "rock", "rock"},
        DecodeCase{"PlusStaysPlus", "a+b", "a+b"},
        DecodeCase{"ReservedCharacters", "R%26B%3D%25", "R&B=%"},
        DecodeCase{"Utf8", "Beyonc%C3%A9", QString::fromUtf8("Beyonc\u00e9")},
        DecodeCase{"Windows1252FromAFormWithoutCharset", "Beyonc%E9", QString::fromUtf8("Beyonc\u00e9")},
        DecodeCase{"BrokenEscapeKept", "100%", "100%"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PercentEncodeTest, RoundTripsThroughDecoding) {
  const QString value = QString::fromUtf8("R&B / Caf\u00e9 = 100% \u591c+");
  const QString encoded = text::percentEncode(value);
  for (const char c : {'&', '=', ' ', '+', '/'}) EXPECT_FALSE(encoded.contains(QLatin1Char(c))) << c;
  EXPECT_EQ(text::percentDecode(encoded), value);
}

TEST(EscapeTest, HtmlAndXmlEscapeMarkupCharacters) {
  EXPECT_EQ(text::htmlEscape("Love <3 & \"Tom's\""), "Love &lt;3 &amp; &quot;Tom&#39;s&quot;");
  EXPECT_EQ(text::xmlEscape(QString("a\x01<b>")), "a&lt;b&gt;");
}

}  // namespace
