#pragma once
// Decides when the bytes received on a connection form one complete request: the header
// block up to its empty line, plus the body that Content-Length announces (RFC 9112 6.3).
// Header lines may end in CR LF or, from hand-written clients, a bare LF.
#include <QByteArray>

namespace framing {

// Requests beyond this size are refused: nothing Quaverly serves needs more.
inline constexpr qsizetype kMaxRequestBytes = 64 * 1024;

enum class Status { Incomplete, Complete, TooLarge };

struct Result {
  Status status = Status::Incomplete;
  qsizetype size = 0;  // bytes of the complete request (head and body)
};

Result parse(const QByteArray& received);

}  // namespace framing
