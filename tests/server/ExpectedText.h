#pragma once
// The texts a web-remote response is made of, written out line by line so that the
// tests compare whole responses with them. Field values are passed in as they must
// appear on the page (already escaped where the page escapes them).
#include <QString>
#include <QStringList>

namespace expected {

// Lines joined by CR LF, none after the last.
QString lines(const QStringList& lines);

// The button row above every normal-style body, without the Browse button.
extern const QString kControlBar;
// The same row wrapped for the handheld style.
QString handheldControlBar();

// The now-playing bodies of the six styles.
QString normalTable(const QStringList& fields, const QString& tableAttributes, const QString& artCell);
QString handheldTable(const QStringList& fields);
QString simpleTable(const QStringList& fields);
QString justText(const QStringList& fields);
QString xmlInfo(const QStringList& fields);

QString loginPage();

}  // namespace expected
