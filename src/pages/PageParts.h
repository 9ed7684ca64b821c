#pragma once
// Lines and pieces that several page styles share, so each exists once.
#include <QString>
#include <QStringList>

namespace pages {

inline constexpr char kDoctype[] = R"(<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 3.2 Final//EN">)";
inline constexpr char kTitle[] = "<title>Quaverly</title>";
inline constexpr char kVersionText[] = "0.2.2 Beta";

// Style rules that the normal, login and fancy pages have in common.
inline constexpr char kBodyFontRule[] =
    R"(body,td,th {font-size:smaller;font-family: "Trebuchet MS",Verdana,Arial;})";
inline constexpr char kLinkColourRule[] = "a {color:#7405E3;}";
inline constexpr char kButtonRule[] =
    "a.button {padding:2px; color:#7405E3; text-decoration:none; border-style:solid; "
    "border-color: #7405E3; border-width:1px;}";
inline constexpr char kHiliteRule[] =
    ".hilite {text-decoration:none;background-color:#7405E3;color:#FFFFFF;}";

// The timer and the three tests of the script that sends now-playing pages back to
// "/show/"; the pages differ only in how they lay out the rest of it.
inline constexpr char kRedirectTimer[] = R"~(setTimeout( "redirect()", 30000 );)~";
inline constexpr char kRedirectIfShow[] =
    "    if (  window.location.href.indexOf('/show')>0 & "
    "window.location.href.indexOf('/showplaylist')<0 ) {";
inline constexpr char kRedirectIfVolume[] =
    "    if (window.location.href.indexOf('/volup')>=0 | "
    "window.location.href.indexOf('/voldown')>=0 | "
    "window.location.href.indexOf('/mute')>=0 ) {";
inline constexpr char kRedirectIfPlaysong[] =
    "    if (window.location.href.indexOf('/playsong')>=0) {";

// The end of the hidden paging field and the submit button of a search form.
inline constexpr char kSearchSubmit[] =
    R"(<input type="hidden" name="startp" value="1"><input type="submit" value="Search">)";

// Lines joined by CR LF, none after the last.
QString joinLines(const QStringList& lines);

// The three no-cache lines that open the normal, simple and handheld pages; browsers
// that announce "MSIE 5" also get the PRAGMA element.
QStringList noCachePreamble();
// The last line of those pages: bodyEnd, the IE-only PRAGMA head when needed, "</html>".
QString closingLine(const QString& bodyEnd);
// The script that sends now-playing pages back to "/show/" after 30 seconds, as the
// normal and handheld pages carry it.
QStringList redirectScript();
// The search-type radio buttons (Genre only with the database loaded), with formEnd
// appended to the last one.
QStringList searchTypeRadios(const QString& formEnd);

// The now-playing row with the current playlist's name linked to its track list.
QString currentPlaylistLink(const QStringList& fields);
// The shuffle and repeat row of the now-playing tables.
QString shuffleRepeatRow();

}  // namespace pages
