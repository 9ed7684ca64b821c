#include "pages/Handheld.h"

#include "app/TextCodec.h"
#include "pages/NowPlayingFields.h"
#include "pages/PageParts.h"

using namespace pages;

QString SetPDA(const QStringList& fields) {
  const auto row = [&](const QString& label, Field which) {
    return R"(<tr><td width="60">)" + label + R"(:</td><td width="180">)" +
           text::htmlEscape(field(fields, which)) + "</td></tr>";
  };
  return joinLines(
      {"", "<table bgcolor=#FFFFFF border=0 width=240 cellspadding=0 cellspacing=0>",
       row("Artist", Field::Artist), row("Title", Field::Title), row("Album", Field::Album),
       row("Genre", Field::Genre), row("Year", Field::Year), row("Time", Field::Time),
       R"(<tr><td width="60"><i>Playlist:</i></td><td><i>)" + currentPlaylistLink(fields) +
           "</i></td></tr>",
       shuffleRepeatRow(), "</table>"});
}

QString PDAResponse(const QString& body) {
  QStringList lines = noCachePreamble();
  lines << "<html><head>";
  lines << redirectScript();
  lines << QString(kTitle) + "</head>"
        << R"(<body link="#7405E3" alink="#7405E3" vlink="#7405E3" bgcolor="#FFFFFF"><font face=Tahoma, Verdana, Arial>)"
        << R"(<table bgcolor=#FFFFFF border="0" width="240" cellpadding="0" cellspacing="0">)"
        << QString(R"(<tr><td ><h3><font color="#400080">Quaverly</font></h3>Version )") +
               kVersionText +
               R"(</td><td align=right valign=bottom><a href="/preferences/">Preferences</a></td></tr></table>)"
        << body
        << R"(<table bgcolor="#FFFFFF" border="0" width="240" cellpadding="0" cellspacing="0"><tr><td colspan="2">)"
           R"(<form name="qv" action="/search.qv" method="get"><input size="20" name="search" type="text">)";
  QStringList radios = searchTypeRadios(kSearchSubmit);
  radios.first().prepend("<br>");
  lines << radios;
  lines << closingLine("</form></td></tr></table></font></body>");
  return joinLines(lines);
}
