// The now-playing bodies of every style: exact text, escaping, short replies.
#include <QXmlStreamReader>
#include <functional>

#include "app/TextCodec.h"
#include "pages/Handheld.h"
#include "pages/NowPlaying.h"
#include "pages/PageWrappers.h"
#include "PageTestText.h"

using namespace pagestest;

namespace {

struct NormalCase {
  const char* tableAttributes;
  const char* artCell;
  const char* tableLine;
};

class SetNormalTest : public PagesTest, public ::testing::WithParamInterface<NormalCase> {};

TEST_P(SetNormalTest, RendersTheWholeTable) {
  const NormalCase& c = GetParam();
  const QString expected = crlfText(QString(R"(
%1
<tr><td>Artist:</td><td>Ann Artist</td><td align=left valign=top rowspan=10>%2</td></tr>
<tr><td>Title:</td><td>Some Title</td></tr>
<tr><td>Album:</td><td>The Album</td></tr>
<tr><td>Genre:</td><td>Jazz</td></tr>
<tr><td>Year:</td><td>1999</td></tr>
<tr><td>Time:</td><td>1:02 / 3:45</td></tr>
<tr><td colspan=2>&nbsp;</td></tr>
<tr><td colspan=2>&nbsp;</td></tr>
<tr><td><i>Current Playlist:</i></td><td><i><a href="/showplaylist.qv?plid=4C2F">Evening List</a></i></td></tr>
<tr><td colspan=2>Shuffle:<a href=/shuffleon>On</a>/<a href=/shuffleoff>Off</a>&nbsp;Repeat:<a href=/repeatoff>Off</a>/<a href=/repeatall>All</a>/<a href=/repeatone>One</a></td></tr>
</table>)").arg(QString(c.tableLine), QString(c.artCell)));
  EXPECT_EQ(SetNormal(kFields, c.tableAttributes, c.artCell), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Styles, SetNormalTest,
    ::testing::Values(NormalCase{" ", "&nbsp;", "<table  border=0>"},
                      NormalCase{R"( width="100%")", "&nbsp;", R"(<table width="100%" border=0>)"},
                      NormalCase{R"( width="100%")", R"(<img src="/wbfittemp.jpg?ts=1700000000">)",
                                 R"(<table width="100%" border=0>)"}));

TEST_F(PagesTest, SimpleHTMLTableHasEveryRowWithItsIds) {
  EXPECT_EQ(SetSimpleHTML(kFields), crlfText(R"(
<table id="info" border="0">
<tr>
<td id="lblArtist">Artist:</td>
<td id="txtArtist">Ann Artist</td>
</tr>
<tr>
<td id="lblTitle">Title:</td>
<td id="txtTitle">Some Title</td>
</tr>
<tr>
<td id="lblAlbum">Album:</td>
<td id="txtAlbum">The Album</td>
</tr>
<tr>
<td id="lblGenre">Genre:</td>
<td id="txtGenre">Jazz</td>
</tr>
<tr>
<td id="lblYear">Year:</td>
<td id="txtYear">1999</td>
</tr>
<tr>
<td id="lblTime">Time:</td>
<td id="txtTime">1:02 / 3:45</td>
</tr>
<tr>
<td id="lblPlaylist">Current Playlist:</td>
<td id="txtPlaylist">Evening List</td>
</tr>
</table>)"));
}

TEST_F(PagesTest, JustTextIsSevenBareLines) {
  EXPECT_EQ(setJustText(kFields),
            crlfText("Ann Artist\nSome Title\nThe Album\nJazz\n1999\n1:02 / 3:45\nEvening List"));
}

TEST_F(PagesTest, JustTextKeepsLineEndsInsideValues) {
  QStringList fields = kFields;
  fields[1] = "Part One\r\nPart Two";
  EXPECT_EQ(setJustText(fields).split("\r\n").size(), 8);
}

TEST_F(PagesTest, XMLElementHasSongAndPlaylist) {
  EXPECT_EQ(setXML(kFields), crlfText(R"(<QuaverlyInfo>
<qvCurrentSong>
<qvArtist>Ann Artist</qvArtist>
<qvTitle>Some Title</qvTitle >
<qvAlbum>The Album</qvAlbum>
<qvGenre>Jazz</qvGenre>
<qvYear>1999</qvYear>
<qvTime>1:02 / 3:45</qvTime>
</qvCurrentSong>
<qvCurrentPlayList>
<qvPlaylist>Evening List</qvPlaylist>
</qvCurrentPlayList>
</QuaverlyInfo>)"));
}

TEST_F(PagesTest, HandheldTableIsCompactWithoutArt) {
  EXPECT_EQ(SetPDA(kFields), crlfText(R"(
<table bgcolor=#FFFFFF border=0 width=240 cellspadding=0 cellspacing=0>
<tr><td width="60">Artist:</td><td width="180">Ann Artist</td></tr>
<tr><td width="60">Title:</td><td width="180">Some Title</td></tr>
<tr><td width="60">Album:</td><td width="180">The Album</td></tr>
<tr><td width="60">Genre:</td><td width="180">Jazz</td></tr>
<tr><td width="60">Year:</td><td width="180">1999</td></tr>
<tr><td width="60">Time:</td><td width="180">1:02 / 3:45</td></tr>
<tr><td width="60"><i>Playlist:</i></td><td><i><a href="/showplaylist.qv?plid=4C2F">Evening List</a></i></td></tr>
<tr><td colspan=2>Shuffle:<a href=/shuffleon>On</a>/<a href=/shuffleoff>Off</a>&nbsp;Repeat:<a href=/repeatoff>Off</a>/<a href=/repeatall>All</a>/<a href=/repeatone>One</a></td></tr>
</table>)"));
}

// Every now-playing renderer, as the response assembly calls it.
struct Renderer {
  const char* name;
  std::function<QString(const QStringList&)> render;
};

const Renderer kRenderers[] = {
    {"Normal", [](const QStringList& f) { return SetNormal(f, " ", "&nbsp;"); }},
    {"Simple", [](const QStringList& f) { return SetSimpleHTML(f); }},
    {"Text", [](const QStringList& f) { return setJustText(f); }},
    {"XML", [](const QStringList& f) { return setXML(f); }},
    {"Handheld", [](const QStringList& f) { return SetPDA(f); }},
};

void PrintTo(const Renderer& renderer, std::ostream* os) { *os << renderer.name; }

class ShortReplyTest : public PagesTest,
                       public ::testing::WithParamInterface<std::tuple<Renderer, int>> {};

TEST_P(ShortReplyTest, MissingFieldsReadAsEmpty) {
  const auto& [renderer, count] = GetParam();
  const QStringList given = kFields.mid(0, count);
  QStringList padded = given;
  while (padded.size() < kFields.size()) padded << QString();
  EXPECT_EQ(renderer.render(given), renderer.render(padded));
}

INSTANTIATE_TEST_SUITE_P(AllRenderers, ShortReplyTest,
                         ::testing::Combine(::testing::ValuesIn(kRenderers),
                                            ::testing::Values(0, 1, 2, 6, 7)),
                         [](const auto& info) {
                           return std::string(std::get<0>(info.param).name) + "_" +
                                  std::to_string(std::get<1>(info.param));
                         });

const QString kTrickyTitle = R"(Rock & Roll <3 "Live")";

class EscapingTest : public PagesTest, public ::testing::WithParamInterface<Renderer> {};

TEST_P(EscapingTest, TitleShowsAsTextEscapedOnce) {
  QStringList fields = kFields;
  fields[1] = kTrickyTitle;
  const QString out = GetParam().render(fields);
  EXPECT_TRUE(out.contains("Rock &amp; Roll &lt;3 &quot;Live&quot;")) << out.toStdString();
  EXPECT_FALSE(out.contains("Roll <3")) << out.toStdString();
  EXPECT_FALSE(out.contains("&amp;amp;")) << out.toStdString();
}

INSTANTIATE_TEST_SUITE_P(AllRenderers, EscapingTest, ::testing::ValuesIn(kRenderers),
                         [](const auto& info) { return std::string(info.param.name); });

// Renderers that link the current playlist to its track list.
class PlaylistLinkTest : public PagesTest, public ::testing::WithParamInterface<Renderer> {};

TEST_P(PlaylistLinkTest, PlaylistIdIsPercentEncodedAndNameEscaped) {
  QStringList fields = kFields;
  fields[6] = R"(Mum's "Best" & more)";
  fields[7] = "a b&c=d%";
  EXPECT_TRUE(GetParam().render(fields).contains(
      R"(<a href="/showplaylist.qv?plid=a%20b%26c%3Dd%25">Mum&#39;s &quot;Best&quot; &amp; more</a>)"));
}

INSTANTIATE_TEST_SUITE_P(LinkingRenderers, PlaylistLinkTest,
                         ::testing::Values(kRenderers[0], kRenderers[4]),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PagesTest, XMLDocumentIsWellFormedAndGivesTheTitleBack) {
  QStringList fields = kFields;
  fields[1] = kTrickyTitle + " \u3042";
  QXmlStreamReader reader(XMLResponse(setXML(fields)));
  QString title;
  while (!reader.atEnd()) {
    if (reader.readNext() == QXmlStreamReader::StartElement && reader.name() == u"qvTitle")
      title = reader.readElementText();
  }
  EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString();
  EXPECT_EQ(title, fields[1]);
}

TEST_F(PagesTest, CJKAndAccentedValuesSurviveThePageEncoding) {
  QStringList fields = kFields;
  fields[1] = "\u3042\u308a\u304c\u3068\u3046 Caf\u00e9";
  const QByteArray page = text::toPageEncoding(PlainResponse(SetNormal(fields, " ", "&nbsp;")));
  EXPECT_TRUE(page.contains("<tr><td>Title:</td><td>&#12354;&#12426;&#12364;&#12392;&#12358; Caf\xe9</td></tr>"));
}

}  // namespace
