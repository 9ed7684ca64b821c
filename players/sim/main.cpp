// The built-in player: one program that answers as itunes, qvresults or plcontrol,
// after the name it was started by. It plays nothing aloud; it keeps the clock.
#include <cstdio>
#include <ctime>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "Commands.h"
#include "Library.h"
#include "Session.h"

namespace {

int64_t wallClockMs() {
  timespec ts{};
  clock_gettime(CLOCK_REALTIME, &ts);
  return static_cast<int64_t>(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

std::string_view calledAs(const char* argv0) {
  const std::string_view path = argv0 ? argv0 : "";
  const size_t slash = path.rfind('/');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string_view> args(argv + 1, argv + argc);
  std::string reply;
  try {
    qvsim::Session session(qvsim::Environment::fromProcess(), wallClockMs());
    reply = qvsim::answer(calledAs(argv[0]), args, session);
    session.save();
  } catch (const qvsim::LibraryError& e) {
    reply = e.what();  // one line, shown on the page
  } catch (const std::exception& e) {
    reply = std::string("The player failed: ") + e.what();
  }
  reply += '\n';
  std::fwrite(reply.data(), 1, reply.size(), stdout);
  return 0;
}
