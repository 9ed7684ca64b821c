#include "PlistReader.h"

#include <cstdint>

#include "Text.h"

namespace qvsim {

namespace {

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Decodes the five named entities and numeric character references; anything else
// is kept as written.
std::string decodeEntities(std::string_view text) {
  if (text.find('&') == std::string_view::npos) return std::string(text);
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const size_t semi = text[i] == '&' ? text.find(';', i) : std::string_view::npos;
    if (semi == std::string_view::npos || semi - i > 10) {
      out += text[i];
      continue;
    }
    const std::string_view name = text.substr(i + 1, semi - i - 1);
    if (name == "amp") out += '&';
    else if (name == "lt") out += '<';
    else if (name == "gt") out += '>';
    else if (name == "quot") out += '"';
    else if (name == "apos") out += '\'';
    else if (name.size() > 1 && name[0] == '#') {
      const bool hex = name[1] == 'x' || name[1] == 'X';
      uint32_t cp = 0;
      for (char c : name.substr(hex ? 2 : 1)) {
        const int digit = c >= '0' && c <= '9' ? c - '0'
                          : hex && c >= 'a' && c <= 'f' ? c - 'a' + 10
                          : hex && c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
        if (digit < 0 || cp > 0x10FFFF) {
          cp = 0xFFFD;
          break;
        }
        cp = cp * (hex ? 16 : 10) + static_cast<uint32_t>(digit);
      }
      appendUtf8(out, cp > 0x10FFFF ? 0xFFFD : cp);
    } else {
      out.append(text.substr(i, semi - i + 1));
    }
    i = semi;
  }
  return out;
}

}  // namespace

// Skips blanks, the XML declaration, the document type and comments.
void PlistReader::skipMarkupAndSpace() {
  for (;;) {
    while (pos_ < xml_.size() && isSpace(xml_[pos_])) ++pos_;
    if (xml_.compare(pos_, 4, "<!--") == 0) {
      const size_t end = xml_.find("-->", pos_ + 4);
      if (end == std::string_view::npos) fail();
      pos_ = end + 3;
    } else if (xml_.compare(pos_, 2, "<?") == 0 || xml_.compare(pos_, 2, "<!") == 0) {
      const size_t end = xml_.find('>', pos_ + 2);
      if (end == std::string_view::npos) fail();
      pos_ = end + 1;
    } else {
      return;
    }
  }
}

PlistReader::Tag PlistReader::peekTag() {
  skipMarkupAndSpace();
  if (pos_ >= xml_.size() || xml_[pos_] != '<') fail();
  Tag tag;
  size_t p = pos_ + 1;
  if (p < xml_.size() && xml_[p] == '/') {
    tag.closing = true;
    ++p;
  }
  const size_t nameStart = p;
  while (p < xml_.size() && !isSpace(xml_[p]) && xml_[p] != '>' && xml_[p] != '/') ++p;
  tag.name = xml_.substr(nameStart, p - nameStart);
  const size_t close = xml_.find('>', p);
  if (close == std::string_view::npos || tag.name.empty()) fail();
  tag.selfClosing = xml_[close - 1] == '/';
  tag.end = close + 1;
  return tag;
}

bool PlistReader::enterPlist() {
  if (xml_.substr(0, 3) == "\xEF\xBB\xBF") pos_ = 3;  // byte-order mark
  const Tag plist = peekTag();
  if (plist.closing || plist.selfClosing || plist.name != "plist") return false;
  pos_ = plist.end;
  return true;
}

std::string_view PlistReader::peekValue() {
  const Tag tag = peekTag();
  if (tag.closing) fail();
  return tag.name;
}

void PlistReader::enter() {
  const Tag tag = peekTag();
  if (tag.closing || (tag.name != "dict" && tag.name != "array")) fail();
  pos_ = tag.end;
  emptyContainer_ = tag.selfClosing;
}

bool PlistReader::nextKey(std::string& key) {
  if (emptyContainer_) {
    emptyContainer_ = false;
    return false;
  }
  const Tag tag = peekTag();
  if (tag.closing) {
    if (tag.name != "dict") fail();
    pos_ = tag.end;
    return false;
  }
  if (tag.name != "key") fail();
  key = readText();
  return true;
}

bool PlistReader::nextItem() {
  if (emptyContainer_) {
    emptyContainer_ = false;
    return false;
  }
  const Tag tag = peekTag();
  if (!tag.closing) return true;
  if (tag.name != "array") fail();
  pos_ = tag.end;
  return false;
}

std::string PlistReader::readText() {
  const Tag open = peekTag();
  if (open.closing) fail();
  pos_ = open.end;
  std::string text;
  if (!open.selfClosing) {
    const size_t end = xml_.find("</", pos_);
    if (end == std::string_view::npos) fail();
    text = decodeEntities(xml_.substr(pos_, end - pos_));
    pos_ = end;
    const Tag close = peekTag();
    if (close.name != open.name) fail();
    pos_ = close.end;
  }
  if (open.name == "true" || open.name == "false") return std::string(open.name);
  return text;
}

void PlistReader::skipValue() {
  int depth = 0;
  do {
    const size_t lt = xml_.find('<', pos_);
    if (lt == std::string_view::npos) fail();
    pos_ = lt;
    const Tag tag = peekTag();
    if (tag.closing) --depth;
    else if (!tag.selfClosing) ++depth;
    pos_ = tag.end;
  } while (depth > 0);
  if (depth < 0) fail();
}

}  // namespace qvsim
