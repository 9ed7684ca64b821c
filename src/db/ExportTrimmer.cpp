#include "db/ExportTrimmer.h"

#include <algorithm>
#include <cstring>
#include <strings.h>

namespace db {
namespace {

constexpr std::string_view kScalars[] = {"string", "integer", "real", "date", "data", "true", "false"};

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// What a look at the text found; Short when it ends before that can be told.
enum class Scan { Yes, No, Short };

// Copies the text down over the pairs it drops, one piece of the source after another.
// The copy never overtakes the reading, so it can share the buffer. A piece may end
// inside a construct: the trimmer stops before it and takes it up again with the next
// piece, so where the pieces end never changes what is dropped.
class Trimmer {
 public:
  explicit Trimmer(const TrimRule& rule) : rule_(rule) {}

  struct Pass {
    size_t written, consumed;
  };
  // Trims text[0, size) in place. Unless the piece is the last, what follows `consumed`
  // waits for more text.
  Pass trim(char* text, size_t size, bool last) {
    in_ = text;
    end_ = text + size;
    out_ = text;
    while (in_ < end_) {
      const char* open = find('<', in_);
      if (!open) break;
      if (depth_ >= rule_.minDepth && blank(in_, open)) {
        const char* next = nullptr;
        const Scan pair = droppablePair(open, next);
        if (pair == Scan::Yes) {
          keepUpTo(open);
          in_ = next;
          continue;
        }
        if (pair == Scan::Short && !last) break;
      }
      const char* after = markupEnd(open);
      if (!after) break;
      keepUpTo(after);
    }
    if (last) keepUpTo(end_);
    return {size_t(out_ - text), size_t(in_ - text)};
  }

 private:
  void keepUpTo(const char* upTo) {
    const size_t n = size_t(upTo - in_);
    if (out_ != in_) std::memmove(out_, in_, n);
    out_ += n;
    in_ = upTo;
  }

  const char* find(char c, const char* from) const {
    return static_cast<const char*>(std::memchr(from, c, size_t(end_ - from)));
  }
  Scan match(const char* at, std::string_view prefix) const {
    const size_t n = std::min(prefix.size(), size_t(end_ - at));
    if (std::memcmp(at, prefix.data(), n) != 0) return Scan::No;
    return n < prefix.size() ? Scan::Short : Scan::Yes;
  }
  // Just past the first `pattern` at or after `from`; null when there is none.
  const char* past(const char* from, std::string_view pattern) const {
    const size_t at = std::string_view(from, size_t(end_ - from)).find(pattern);
    return at == std::string_view::npos ? nullptr : from + at + pattern.size();
  }
  const char* skipBlanks(const char* from) const {
    while (from < end_ && isBlank(*from)) ++from;
    return from;
  }
  static bool blank(const char* from, const char* to) {
    return std::all_of(from, to, isBlank);
  }

  bool kept(std::string_view key) const {
    return std::any_of(rule_.keptKeys.begin(), rule_.keptKeys.end(), [key](std::string_view k) {
      return k.size() == key.size() && strncasecmp(k.data(), key.data(), k.size()) == 0;
    });
  }

  // Yes when the pair that starts at `open` goes; `next` is then where the text resumes,
  // past the blanks behind the pair.
  Scan droppablePair(const char* open, const char*& next) const {
    if (const Scan s = match(open, "<key>"); s != Scan::Yes) return s;
    const char* keyText = open + std::strlen("<key>");
    const char* keyEnd = find('<', keyText);
    if (!keyEnd) return Scan::Short;
    const std::string_view key(keyText, size_t(keyEnd - keyText));
    // An entity could spell a kept key.
    if (key.find('&') != std::string_view::npos || kept(key)) return Scan::No;
    if (const Scan s = match(keyEnd, "</key>"); s != Scan::Yes) return s;
    return scalar(skipBlanks(keyEnd + std::strlen("</key>")), next);
  }

  // Yes for <name/> or <name>text</name> of a scalar, with no markup in the text.
  Scan scalar(const char* at, const char*& next) const {
    if (at == end_) return Scan::Short;
    if (*at != '<') return Scan::No;
    for (std::string_view name : kScalars) {
      if (const Scan s = match(at + 1, name); s != Scan::Yes) {
        if (s == Scan::Short) return s;
        continue;
      }
      const char* nameEnd = at + 1 + name.size();
      if (nameEnd == end_) return Scan::Short;
      if (!isBlank(*nameEnd) && *nameEnd != '/' && *nameEnd != '>') continue;
      const char* tagEnd = skipBlanks(nameEnd);
      const Scan empty = match(tagEnd, "/>");
      if (empty == Scan::Yes) return onlyBlanksBefore(tagEnd + 2, next);
      if (empty == Scan::Short) return empty;
      if (*tagEnd != '>') return Scan::No;
      const char* close = find('<', tagEnd + 1);
      if (!close) return Scan::Short;
      if (const Scan s = match(close, "</"); s != Scan::Yes) return s;
      if (const Scan s = match(close + 2, name); s != Scan::Yes) return s;
      const char* closeEnd = skipBlanks(close + 2 + name.size());
      if (closeEnd == end_) return Scan::Short;
      if (*closeEnd != '>') return Scan::No;
      return onlyBlanksBefore(closeEnd + 1, next);
    }
    return Scan::No;
  }

  // Text beside the pair would be joined to other text once the pair is gone.
  Scan onlyBlanksBefore(const char* from, const char*& next) const {
    next = skipBlanks(from);
    if (next == end_) return Scan::Short;
    return *next == '<' ? Scan::Yes : Scan::No;
  }

  // Just past the markup that starts at `open`, keeping count of open elements; null
  // when the text ends inside it.
  const char* markupEnd(const char* open) {
    if (match(open, "<!--") == Scan::Yes) return past(open, "-->");
    if (match(open, "<![CDATA[") == Scan::Yes) return past(open, "]]>");
    if (match(open, "<?") == Scan::Yes) return past(open, "?>");
    const char* close = closingBracket(open + 1);
    if (!close) return nullptr;
    if (open[1] == '/') --depth_;
    else if (open[1] != '!' && close[-1] != '/') ++depth_;
    return close + 1;
  }

  // The '>' that ends a tag or a declaration, passing over quoted values and, in a
  // document type's internal subset, comments (whose text may hold a lone quote). The
  // subset's further declarations are then taken one by one like any markup.
  const char* closingBracket(const char* from) const {
    char quote = 0;
    for (const char* p = from; p < end_; ++p) {
      if (quote) {
        if (*p == quote) quote = 0;
      } else if (*p == '"' || *p == '\'') {
        quote = *p;
      } else if (*p == '>') {
        return p;
      } else if (match(p, "<!--") == Scan::Yes) {
        p = past(p, "-->");
        if (!p) return nullptr;
        --p;
      }
    }
    return nullptr;
  }

  const TrimRule& rule_;
  int depth_ = 0;
  const char* in_ = nullptr;
  const char* end_ = nullptr;
  char* out_ = nullptr;
};

}  // namespace

qint64 readTrimmed(QIODevice& source, char* text, size_t capacity, const TrimRule& rule, size_t chunk) {
  Trimmer trimmer(rule);
  // text[0, kept) is trimmed; text[kept, kept + pending) waits for more of the source.
  size_t kept = 0, pending = 0;
  for (;;) {
    // A construct longer than a chunk is read on in ever larger pieces, so that none is
    // scanned more than a few times.
    const size_t want = std::min(std::max(chunk, pending), capacity - kept - pending);
    const qint64 got = want ? source.read(text + kept + pending, qint64(want)) : 0;
    if (got < 0) return -1;
    const bool last = got == 0;
    const Trimmer::Pass pass = trimmer.trim(text + kept, pending + size_t(got), last);
    pending = pending + size_t(got) - pass.consumed;
    if (pass.written != pass.consumed) std::memmove(text + kept + pass.written, text + kept + pass.consumed, pending);
    kept += pass.written;
    if (last) return qint64(kept);
  }
}

}  // namespace db
