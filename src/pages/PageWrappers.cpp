#include "pages/PageWrappers.h"

#include "app/ServerWindowState.h"
#include "pages/PageParts.h"

using namespace pages;

QString PlainResponse(const QString& body) {
  QStringList lines = noCachePreamble();
  lines << "<html><head>";
  lines << redirectScript();
  lines << kTitle << "<style type=text/css>" << kBodyFontRule << kLinkColourRule << kButtonRule
        << "a.gbutton {font-size:smaller; padding:2px; color:#333333; text-decoration:none; "
           "border-style:solid; border-color:#333333; border-width:1px;}"
        << kHiliteRule << "</style></head>"
        << "<body>"
        << QString(R"(<table border="0" width="400"><tr><td><img width="100" height="84" )"
                   R"(src="/ilogo.gif" /></td><td ><h3>Quaverly</h3>Version )") +
               kVersionText +
               R"(</td><td align=right valign=bottom><a class="gbutton" )"
               R"(href="/preferences/">Preferences</a></tr></table>)"
        << "<p align=left>" + body + "</p>"
        << R"(<p><form name="qv" action="/search.qv" method="get"><input name="search" type="text">)";
  lines << searchTypeRadios(kSearchSubmit);
  lines << closingLine("</form></body>");
  return joinLines(lines);
}

QString SimpleHTMLResponse(const QString& body) {
  QStringList lines = noCachePreamble();
  lines << "<html><head>" << kTitle << "</head>" << "<body>" << body << closingLine("</body>");
  return joinLines(lines);
}

QString XMLResponse(const QString& body) {
  return QString(R"(<?xml version="1.0" encoding="UTF-8"?>)") + crlf + body;
}
