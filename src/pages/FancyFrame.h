#pragma once
// The fancy style's frame: background, title picture, middle band and a control-bar
// picture with a clickable image map. The frame is kept as five templates in window1
// with three picture tags slotted between them.
#include <QString>

// Rebuilds window1.topHTML ... bottomHTML2 from modMain.loadcomplete (Genre search
// choice) and modMain.browseMode (which browse area the image map holds).
void SetHTML();

namespace pages {

// The picture tags of the fancy frame, each a line end and one element.
inline constexpr char kImgTitleTag[] = "\r\n" R"(<div align="left"><img src="/images/title.png"></div>)";
inline constexpr char kImgMiddleTag[] =
    "\r\n" R"(<table width="512" border="0" align="center" cellpadding="0" cellspacing="0" )"
    R"(background="/images/middle.png">)";
inline constexpr char kImgBarTag[] =
    "\r\n" R"(<td style="height:64; width:512; " align="center"><img src="/images/middle_bar.png" )"
    R"(border="0" usemap="#MapMap">)";

// Sets window1.imgTitleTag, imgMiddleTag and imgBarTag.
void setFancyPictureTags();
// The whole fancy page around body, from the templates and tags now in window1.
QString fancyPage(const QString& body);

}  // namespace pages
