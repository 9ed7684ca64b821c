#pragma once
// Whole pages around a body for the normal, simple HTML and XML styles. The body is
// already HTML (or XML); nothing here escapes it. Read window1.isIE5 and
// modMain.loadcomplete.
#include <QString>

// The normal-style page: logo, version, preferences button, body, search form.
QString PlainResponse(const QString& body);
// The simple-HTML page: no-cache preamble, body, nothing else.
QString SimpleHTMLResponse(const QString& body);
// The XML declaration, a line end and the body.
QString XMLResponse(const QString& body);
