#pragma once
// Query-string parameters of a request line.
#include <QHash>
#include <QString>

// The parameters of the request's query string: the text after the first "?" up to the
// first blank, "%20" as a blank, split at "&" and "="; keys and values percent-decoded
// ("+" stays "+"), keys compared without letter case (stored in lower case), a later
// piece replacing an earlier one. A piece without "=" throws RequestFailure.
using QueryParameters = QHash<QString, QString>;
QueryParameters qsParms(const QString& requestText);

// Reads a parameter into target when present; an absent key leaves target unchanged.
void takeParameter(const QueryParameters& parms, const QString& key, QString& target);
