#pragma once
// Conversions at the edges: page bytes, request bytes, and the escaping every value gets
// exactly once where it enters the output.
#include <QByteArray>
#include <QString>

namespace text {

// Windows-1252 page bytes. A character the encoding lacks becomes a numeric character
// reference (&#12354;), so nothing is lost and a page's length is its byte count.
QByteArray toPageEncoding(const QString& page);
// Request bytes as Windows-1252: every byte maps to one character and back.
QString fromRequestEncoding(const QByteArray& bytes);

// HTML text and attribute values: & < > " '.
QString htmlEscape(const QString& value);
// XML character data and attribute values: & < > " '.
QString xmlEscape(const QString& value);
// A value inside a link's query string: UTF-8, everything but unreserved characters
// percent-encoded (so "&", "=", "%", "+" and blanks survive the round trip).
QString percentEncode(const QString& value);
// Undoes percent escapes; the bytes are read as UTF-8 when valid, else as Windows-1252
// (a form on a page without a declared charset). "+" stays "+".
QString percentDecode(const QString& value);

}  // namespace text
