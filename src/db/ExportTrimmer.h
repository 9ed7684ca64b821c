#pragma once
// Shrinks a library export while it is read, before it is parsed. A track carries 20 to
// 30 pairs of which the import reads a handful; every pair left out of the text is two
// fewer nodes in the parsed document, which is where most of an import's memory goes.
#include <QIODevice>
#include <cstddef>
#include <span>
#include <string_view>

namespace db {

struct TrimRule {
  // Keys whose pairs stay, compared ignoring ASCII letter case as the walk compares them.
  std::span<const std::string_view> keptKeys;
  // Pairs are dropped only from elements nested at least this deep (the root element is
  // 1), so the outer levels, where pairs are found by position or by path, stay whole.
  int minDepth;
};

// Reads all of `source` into `text` (room for `capacity` bytes, at least what the source
// holds), `chunk` bytes at a time, and returns the length of what it keeps, or -1 when
// the source fails. A pair is
// dropped when its key is not kept and its value is a scalar element (string, integer,
// real, date, data, true, false), together with the blank run that follows it.
// Containers and anything unexpected stay as they are: a key holding an entity, a value
// with markup inside or with text around the pair, a construct cut off by the end of the
// text. Only the trimmed text and a chunk beyond it are ever written: the rest of `text`
// is never touched and so takes no memory.
qint64 readTrimmed(QIODevice& source, char* text, size_t capacity, const TrimRule& rule,
                   size_t chunk = size_t(1) << 20);

}  // namespace db
