#pragma once
// A forward-only reader of an XML property list, for exports far too large for a
// document tree: it walks the text in place and builds nothing it is not asked for.
#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace qvsim {

// Malformed text; offset() is the byte where reading stopped.
class PlistSyntaxError : public std::runtime_error {
 public:
  explicit PlistSyntaxError(size_t offset) : std::runtime_error("malformed property list"), offset_(offset) {}
  size_t offset() const { return offset_; }

 private:
  size_t offset_;
};

class PlistReader {
 public:
  explicit PlistReader(std::string_view xml) : xml_(xml) {}

  // Moves to the root value inside <plist>; false when the text is no property list.
  bool enterPlist();

  // The element name of the value at the cursor ("dict", "string", "true", ...).
  std::string_view peekValue();

  // Steps into the dict or array at the cursor.
  void enter();
  // In a dict: reads the next key into key, leaving the cursor at its value;
  // false (and the dict left) at its end.
  bool nextKey(std::string& key);
  // In an array: true when another value follows; false (and the array left) at its end.
  bool nextItem();

  // Reads a scalar value: its text with entities decoded, "true" or "false" for
  // those elements, empty for an empty element.
  std::string readText();
  // Skips the value at the cursor, whatever it holds.
  void skipValue();

 private:
  struct Tag {
    std::string_view name;
    bool closing = false;
    bool selfClosing = false;
    size_t end = 0;  // just past '>'
  };
  Tag peekTag();
  void skipMarkupAndSpace();
  [[noreturn]] void fail() const { throw PlistSyntaxError(pos_); }

  std::string_view xml_;
  size_t pos_ = 0;
  bool emptyContainer_ = false;  // entered a <dict/> or <array/>
};

}  // namespace qvsim
