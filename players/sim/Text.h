#pragma once
// Text helpers for the player's replies and its search.
#include <string>
#include <string_view>

namespace qvsim {

// Escapes & < > " ' so a value can stand inside HTML text or an attribute.
std::string htmlEscape(std::string_view text);

// Percent-encodes every byte outside the URL-unreserved set, for a query-string value.
std::string percentEncode(std::string_view text);

// Lower-cases UTF-8 text and strips accents, and folds typographic quotes and dashes
// to their plain forms, so that "Beyoncé" and "beyonce", or "Don’t" and "don't", meet.
std::string foldForSearch(std::string_view text);

// Appends a code point in UTF-8.
void appendUtf8(std::string& out, char32_t cp);

// "m:ss" for a number of milliseconds (minutes are not capped at 59).
std::string minutesSeconds(long long ms);

}  // namespace qvsim
