#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTcpSocket>
#include <ctime>
#include <stdexcept>

#include "app/CoopThread.h"
#include "app/ModMain.h"
#include "server/WebServer.h"
#include "support/LogLines.h"
#include "support/TestSupport.h"

namespace {

void busyFor(qint64 ns) {
  QElapsedTimer t;
  t.start();
  while (t.nsecsElapsed() < ns) {
  }
}

coop::Task counting(int items, int& done, qint64 nsPerItem = 0) {
  for (int i = 0; i < items; ++i) {
    busyFor(nsPerItem);
    ++done;
    co_await coop::yield();
  }
}

TEST(CoopThreadTest, StartsOnTheNextLoopTurnNotInsideTheCaller) {
  int done = 0;
  coop::Thread t(counting(3, done));
  t.start();
  EXPECT_EQ(done, 0);
  EXPECT_TRUE(t.isRunning());
  EXPECT_TRUE(qvtest::waitUntil([&] { return t.isFinished(); }));
  EXPECT_EQ(done, 3);
}

TEST(CoopThreadTest, CheapYieldsDoNotSwitch) {
  int done = 0;
  coop::Thread t(counting(1000, done));
  t.start();
  QCoreApplication::processEvents();  // one turn runs the whole cheap job
  EXPECT_EQ(done, 1000);
}

TEST(CoopThreadTest, NextTurnAlwaysSwitches) {
  int steps = 0;
  auto body = [&]() -> coop::Task {
    ++steps;
    co_await coop::nextTurn();
    ++steps;
  };
  coop::Thread t(body());
  t.start();
  QCoreApplication::sendPostedEvents();
  EXPECT_EQ(steps, 1);
  EXPECT_TRUE(qvtest::waitUntil([&] { return steps == 2; }));
}

TEST(CoopThreadTest, CancelStopsAtTheNextYield) {
  int done = 0;
  coop::Thread t(counting(100000, done, 100'000));
  t.start();
  ASSERT_TRUE(qvtest::waitUntil([&] { return done > 50; }));
  t.cancel();
  EXPECT_TRUE(qvtest::waitUntil([&] { return t.isFinished(); }));
  const int at = done;
  qvtest::spin(20);
  EXPECT_EQ(done, at);
  EXPECT_LT(done, 100000);
  EXPECT_EQ(t.failure(), nullptr);
}

TEST(CoopThreadTest, AFailureEndsTheThreadAndIsKept) {
  auto body = []() -> coop::Task {
    co_await coop::nextTurn();
    throw std::runtime_error("broken");
  };
  coop::Thread t(body());
  t.start();
  EXPECT_TRUE(qvtest::waitUntil([&] { return t.isFinished(); }));
  EXPECT_NE(t.failure(), nullptr);
}

// Milliseconds of processor time this thread has used. A request that waits for the job
// waits exactly while this thread runs the job; counting processor time rather than wall
// time keeps the test honest on a machine busy with other work.
qint64 threadCpuMs() {
  timespec ts{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return qint64(ts.tv_sec) * 1000 + ts.tv_nsec / 1'000'000;
}

// A job of about two seconds of work must not hold up requests: each is answered while
// the job runs, within 50 ms.
TEST(CoopThreadTest, RequestsAreAnsweredWhileALongJobRuns) {
  resetModMain();
  qvtest::clearLog();
  modMain.ipaddress = "127.0.0.1";
  modMain.listenport = qvtest::freePort();
  WebServer server;
  server.TCPSocket1.setHandler([&](const QByteArray&) {
    server.TCPSocket1.Write("HTTP/1.1 200 OK\r\nContent-Length:2\r\n\r\nok");
    return true;
  });
  server.bbStart_Action();

  int done = 0;
  coop::Thread job(counting(20000, done, 100'000));  // 20000 items of 0.1 ms
  job.start();
  qint64 worst = 0;
  int answered = 0;
  while (!job.isFinished()) {
    const qint64 start = threadCpuMs();
    const QByteArray reply = qvtest::exchange(quint16(modMain.listenport), "GET /show HTTP/1.1\r\n\r\n");
    if (job.isFinished()) break;
    ASSERT_TRUE(reply.endsWith("ok"));
    worst = qMax(worst, threadCpuMs() - start);
    ++answered;
  }
  EXPECT_EQ(done, 20000);
  EXPECT_GT(answered, 20);
  EXPECT_LT(worst, 50);
}

}  // namespace
