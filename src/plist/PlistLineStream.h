#pragma once
// The reader's input: the text of a file, handed out one line at a time without its line
// end. A line ends at CR, LF or CR LF alike: files come from other writers and systems, so
// the reader accepts all three.
#include <QString>

class PlistLineStream {
 public:
  explicit PlistLineStream(QString text) : text_(std::move(text)) {}

  bool atEnd() const { return stopped_ || pos_ >= text_.size(); }

  // The next line without its line end; empty at the end.
  QString readLine() {
    if (atEnd()) return {};
    const qsizetype start = pos_;
    qsizetype end = start;
    const qsizetype size = text_.size();
    while (end < size && text_[end] != u'\r' && text_[end] != u'\n') ++end;
    pos_ = end;
    if (pos_ < size && text_[pos_] == u'\r') ++pos_;
    if (pos_ < size && text_[pos_] == u'\n') ++pos_;  // LF, or the LF of CR LF
    return text_.mid(start, end - start);
  }

  // Ends the stream early: every reader loop then sees its end.
  void stop() { stopped_ = true; }

 private:
  QString text_;
  qsizetype pos_ = 0;
  bool stopped_ = false;
};
