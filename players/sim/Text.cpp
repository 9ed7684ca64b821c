#include "Text.h"

#include <cstdio>

namespace qvsim {

std::string htmlEscape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&#39;"; break;
      default: out += c;
    }
  }
  return out;
}

std::string percentEncode(std::string_view text) {
  static const char hex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(text.size());
  for (unsigned char c : text) {
    const bool unreserved = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                            (c >= '0' && c <= '9') || c == '-' || c == '_' || c == '.' || c == '~';
    if (unreserved) {
      out += static_cast<char>(c);
    } else {
      out += '%';
      out += hex[c >> 4];
      out += hex[c & 15];
    }
  }
  return out;
}

namespace {

// Base letters of U+00C0..U+017F, lower case; '*' marks a character handled apart
// (ligatures and the like) and '.' one that has no letter (× and ÷ keep themselves).
constexpr std::string_view kLatinBase =
    "aaaaaa*ceeeeiiii"   // C0-CF
    "dnooooo.ouuuuy**"   // D0-DF
    "aaaaaa*ceeeeiiii"   // E0-EF
    "dnooooo.ouuuuy*y"   // F0-FF
    "aaaaaaccccccccdd"   // 100-10F
    "ddeeeeeeeeeegggg"   // 110-11F
    "gggghhhhiiiiiiii"   // 120-12F
    "ii**jjkkklllllll"   // 130-13F
    "lllnnnnnnnnnoooo"   // 140-14F
    "oo**rrrrrrssssss"   // 150-15F
    "ssttttttuuuuuuuu"   // 160-16F
    "uuuuwwyyyzzzzzzs";  // 170-17F

// Decodes one code point at text[i], advancing i; a malformed byte stands for itself.
char32_t nextCodePoint(std::string_view text, size_t& i) {
  const auto b0 = static_cast<unsigned char>(text[i]);
  const size_t extra = b0 >= 0xF0 ? 3 : b0 >= 0xE0 ? 2 : b0 >= 0xC0 ? 1 : 0;
  if (extra == 0 || i + extra >= text.size()) {
    ++i;
    return b0;
  }
  char32_t cp = b0 & (0x3F >> extra);
  for (size_t k = 1; k <= extra; ++k) {
    const auto b = static_cast<unsigned char>(text[i + k]);
    if ((b & 0xC0) != 0x80) {
      ++i;
      return b0;
    }
    cp = (cp << 6) | (b & 0x3F);
  }
  i += extra + 1;
  return cp;
}

// Appends the folded form of one code point.
void appendFolded(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp >= 'A' && cp <= 'Z' ? cp + 32 : cp);
    return;
  }
  if (cp >= 0x300 && cp <= 0x36F) return;  // combining accents of decomposed text
  if (cp >= 0xC0 && cp <= 0x17F) {
    const char base = kLatinBase[cp - 0xC0];
    if (base != '*' && base != '.') {
      out += base;
      return;
    }
    switch (cp) {
      case 0xC6: case 0xE6: out += "ae"; return;
      case 0xDE: case 0xFE: out += "th"; return;
      case 0xDF: out += "ss"; return;
      case 0x132: case 0x133: out += "ij"; return;
      case 0x152: case 0x153: out += "oe"; return;
      default: appendUtf8(out, cp); return;
    }
  }
  switch (cp) {
    case 0x2018: case 0x2019: case 0x201B: case 0x2032: out += '\''; return;
    case 0x201C: case 0x201D: case 0x201F: case 0x2033: out += '"'; return;
    case 0x2010: case 0x2011: case 0x2012: case 0x2013: case 0x2014: out += '-'; return;
    case 0xA0: out += ' '; return;
    default: break;
  }
  if (cp >= 0x391 && cp <= 0x3A9) cp += 32;                       // Greek capitals
  else if (cp >= 0x410 && cp <= 0x42F) cp += 32;                  // Cyrillic capitals
  else if (cp >= 0x400 && cp <= 0x40F) cp += 80;                  // Cyrillic Ѐ..Џ
  else if (cp >= 0xFF21 && cp <= 0xFF3A) cp = cp - 0xFF21 + 'a';  // full-width Latin
  else if (cp >= 0xFF41 && cp <= 0xFF5A) cp = cp - 0xFF41 + 'a';
  appendUtf8(out, cp);
}

}  // namespace

std::string foldForSearch(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) appendFolded(out, nextCodePoint(text, i));
  return out;
}

void appendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

std::string minutesSeconds(long long ms) {
  if (ms < 0) ms = 0;
  const long long seconds = ms / 1000;
  char buf[32];
  std::snprintf(buf, sizeof buf, "%lld:%02lld", seconds / 60, seconds % 60);
  return buf;
}

}  // namespace qvsim
