#pragma once
// Now-playing bodies for the normal/fancy, simple HTML, text-only and XML styles. Each
// player value is escaped once here, where it enters the output.
#include <QString>
#include <QStringList>

// The now-playing table of the normal and fancy styles. tableAttributes goes between
// "<table" and " border=0>"; artCell fills the album-art cell (already HTML).
QString SetNormal(const QStringList& fields, const QString& tableAttributes,
                  const QString& artCell);
// The simple-HTML now-playing table.
QString SetSimpleHTML(const QStringList& fields);
// Artist to current playlist, one value per line. The text style is served as HTML, so
// the values are HTML-escaped.
QString setJustText(const QStringList& fields);
// The now-playing XML element (no declaration; see XMLResponse).
QString setXML(const QStringList& fields);
