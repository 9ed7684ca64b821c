#pragma once
// The handheld (PDA) style: everything 240 pixels wide on a white page.
#include <QString>
#include <QStringList>

// The compact now-playing table; no album art.
QString SetPDA(const QStringList& fields);
// The whole handheld page around body (already HTML). Reads window1.isIE5 and
// modMain.loadcomplete.
QString PDAResponse(const QString& body);
