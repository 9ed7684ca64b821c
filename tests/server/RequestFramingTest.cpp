#include <gtest/gtest.h>

#include "server/RequestFraming.h"

namespace {

struct FramingCase {
  const char* name;
  QByteArray received;
  framing::Status status;
  qsizetype size;
};

class RequestFramingTest : public ::testing::TestWithParam<FramingCase> {};

TEST_P(RequestFramingTest, DecidesCompleteness) {
  const FramingCase& c = GetParam();
  const framing::Result r = framing::parse(c.received);
  EXPECT_EQ(r.status, c.status);
  EXPECT_EQ(r.size, c.size);
}

const QByteArray kGet = "GET /show HTTP/1.1\r\nHost: x\r\n\r\n";
const QByteArray kPost = "POST /login HTTP/1.1\r\nContent-Length: 14\r\n\r\npassword=abcde";

INSTANTIATE_TEST_SUITE_P(
    Cases, RequestFramingTest,
    ::testing::Values(
        FramingCase{"Empty", "", framing::Status::Incomplete, 0},
        FramingCase{"HeadersOnlyHalf", "GET /show HTTP/1.1\r\nHost: x\r\n", framing::Status::Incomplete, 0},
        FramingCase{"CompleteGet", kGet, framing::Status::Complete, kGet.size()},
        FramingCase{"BareLineFeeds", "GET / HTTP/1.0\n\n", framing::Status::Complete, 16},
        FramingCase{"BodyMissing", kPost.left(kPost.size() - 3), framing::Status::Incomplete, 0},
        FramingCase{"BodyComplete", kPost, framing::Status::Complete, kPost.size()},
        FramingCase{"BytesAfterRequestNotCounted", kGet + "GET /next", framing::Status::Complete, kGet.size()},
        FramingCase{"ContentLengthAnyCase", "POST / HTTP/1.1\r\ncontent-LENGTH:2\r\n\r\nab", framing::Status::Complete, 39},
        FramingCase{"BadContentLengthMeansNoBody", "POST / HTTP/1.1\r\nContent-Length: x\r\n\r\n", framing::Status::Complete, 38},
        FramingCase{"HugeAnnouncedBody", "POST / HTTP/1.1\r\nContent-Length: 999999\r\n\r\n", framing::Status::TooLarge, 0},
        FramingCase{"EndlessHeaders", QByteArray(framing::kMaxRequestBytes + 1, 'a'), framing::Status::TooLarge, 0}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
