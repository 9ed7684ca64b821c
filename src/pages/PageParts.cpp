#include "pages/PageParts.h"

#include "app/ModMain.h"
#include "app/ServerWindowState.h"
#include "app/TextCodec.h"
#include "pages/NowPlayingFields.h"

namespace pages {
namespace {

constexpr char kPragma[] = R"(<META HTTP-EQUIV="PRAGMA" CONTENT="NO-CACHE">)";

}  // namespace

QString joinLines(const QStringList& lines) { return lines.join(crlf); }

QStringList noCachePreamble() {
  return {kDoctype,
          QString(R"(<META HTTP-EQUIV="CACHE-CONTROL" CONTENT="NO-CACHE">)") +
              (window1.isIE5 ? kPragma : ""),
          R"(<META HTTP-EQUIV="EXPIRES" CONTENT="-1">)"};
}

QString closingLine(const QString& bodyEnd) {
  return bodyEnd + (window1.isIE5 ? QString("<head>") + kPragma + "</head>" : QString()) +
         "</html>";
}

QStringList redirectScript() {
  return {R"(<script language="javascript">)",
          "<!--",
          kRedirectTimer,
          "function redirect()",
          "{",
          kRedirectIfShow,
          "       window.location.href = '/show/' ;",
          "      }",
          kRedirectIfVolume,
          "      window.location.href = '/show/' ;",
          "      }",
          kRedirectIfPlaysong,
          "      window.location.href = '/show/' ;",
          "      }",
          "}",
          "//-->",
          "</script>"};
}

QStringList searchTypeRadios(const QString& formEnd) {
  QStringList lines = {R"(<input type="radio" name="type" value="name" CHECKED>Track)",
                       R"(<input type="radio" name="type" value="artist">Artist)",
                       R"(<input type="radio" name="type" value="album">Album)"};
  if (modMain.loadcomplete) lines << R"(<input type="radio" name="type" value="genre">Genre)";
  lines.last() += formEnd;
  return lines;
}

QString currentPlaylistLink(const QStringList& fields) {
  return R"(<a href="/showplaylist.qv?plid=)" +
         text::percentEncode(field(fields, Field::PlaylistId)) + R"(">)" +
         text::htmlEscape(field(fields, Field::PlaylistName)) + "</a>";
}

QString shuffleRepeatRow() {
  return "<tr><td colspan=2>Shuffle:<a href=/shuffleon>On</a>/<a href=/shuffleoff>Off</a>"
         "&nbsp;Repeat:<a href=/repeatoff>Off</a>/<a href=/repeatall>All</a>/"
         "<a href=/repeatone>One</a></td></tr>";
}

}  // namespace pages
