#include <gtest/gtest.h>

#include <QTcpServer>
#include <QTcpSocket>
#include <memory>
#include <vector>

#include "app/ModMain.h"
#include "server/WebServer.h"
#include "support/LogLines.h"
#include "support/TestSupport.h"

namespace {

const QByteArray kBody = "<html>ok</html>";
const QByteArray kResponse =
    "HTTP/1.1 200 OK\r\nServer: Quaverly\r\nContent-Length:" + QByteArray::number(kBody.size()) +
    "\r\n\r\n" + kBody;

class ListenerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    resetModMain();
    qvtest::clearLog();
    modMain.ipaddress = "127.0.0.1";
    modMain.listenport = qvtest::freePort();
    port_ = quint16(modMain.listenport);
    server_ = std::make_unique<WebServer>();
    server_->TCPSocket1.setHandler([this](const QByteArray& request) {
      requests_ << request;
      if (request.contains("GET /fail")) {
        server_->TCPSocket1.Write("HTTP/1.1 200 OK\r\n");
        return false;
      }
      server_->TCPSocket1.Write(kResponse.left(30));
      server_->TCPSocket1.Write(kResponse.mid(30));
      return true;
    });
  }
  void TearDown() override { server_.reset(); }

  QString listening() const { return "Listening on 127.0.0.1:" + QString::number(port_); }
  QByteArray get(const QByteArray& path) { return qvtest::exchange(port_, "GET " + path + " HTTP/1.1\r\n\r\n"); }
  void expectState(const QString& state) {
    EXPECT_EQ(server_->title(), "Quaverly - " + state);
    EXPECT_EQ(modMain.ServerStatus, state);
    EXPECT_EQ(server_->startPressed(), state == "Stopped");
    EXPECT_EQ(server_->stopPressed(), state != "Stopped");
  }

  quint16 port_ = 0;
  std::unique_ptr<WebServer> server_;
  QList<QByteArray> requests_;
};

TEST_F(ListenerTest, RequestIsLoggedInOrderAndTheServerListensAgain) {
  server_->bbStart_Action();
  expectState("Running");
  EXPECT_EQ(get("/show"), kResponse);
  ASSERT_TRUE(qvtest::waitUntil([] { return qvtest::logMessages().size() >= 4; }));
  const QString sent = "Sending data. Sent:" + QString::number(kResponse.size()) + " bytes.0 bytes left";
  EXPECT_EQ(qvtest::logMessages(),
            QStringList({listening(), "Client connected", sent, "Disconnected.  Session time 0 seconds"}));
  EXPECT_EQ(get("/next"), kResponse);
  ASSERT_EQ(requests_.size(), 2);
  EXPECT_EQ(requests_[1], "GET /next HTTP/1.1\r\n\r\n");
}

TEST_F(ListenerTest, StartWhileListeningListensAgainWithTheSameLines) {
  server_->bbStart_Action();
  server_->bbStart_Action();
  EXPECT_EQ(qvtest::logMessages(), QStringList({listening(), listening()}));
  expectState("Running");
  EXPECT_EQ(get("/show"), kResponse);
}

TEST_F(ListenerTest, StopWhileAClientIsConnectedDropsIt) {
  server_->bbStart_Action();
  QTcpSocket client;
  client.connectToHost(QHostAddress::LocalHost, port_);
  client.write("GET /sh");
  ASSERT_TRUE(qvtest::waitUntil([] { return qvtest::logMessages().contains("Client connected"); }));
  server_->bbStop_Action();
  EXPECT_TRUE(qvtest::waitUntil([&] { return client.state() == QAbstractSocket::UnconnectedState; }));
  EXPECT_EQ(qvtest::logMessages(), QStringList({listening(), "Client connected", "Socket closed"}));
  expectState("Stopped");
  EXPECT_EQ(get("/show"), "");
}

TEST_F(ListenerTest, RestartWhoseListenFailsLeavesTheServerStopped) {
  server_->bbStart_Action();
  server_->bbStop_Action();
  QTcpServer squatter;
  ASSERT_TRUE(squatter.listen(QHostAddress::LocalHost, port_));
  qvtest::clearLog();
  EXPECT_FALSE(server_->RestartServer());
  EXPECT_EQ(qvtest::logMessages(), QStringList({"Restarting...", "Socket closed.", "Error starting server: " +
                                                QString::number(int(QAbstractSocket::AddressInUseError))}));
  expectState("Stopped");
}

TEST_F(ListenerTest, RestartListensAgain) {
  server_->bbStart_Action();
  qvtest::clearLog();
  EXPECT_TRUE(server_->RestartServer());
  EXPECT_EQ(qvtest::logMessages(), QStringList({"Restarting...", "Socket closed.", listening()}));
  expectState("Running");
  EXPECT_EQ(get("/show"), kResponse);
}

TEST_F(ListenerTest, StartOnATakenPortSaysSoAndShowsStopped) {
  QTcpServer squatter;
  ASSERT_TRUE(squatter.listen(QHostAddress::LocalHost, port_));
  server_->bbStart_Action();
  const QString error = "Error " + QString::number(int(QAbstractSocket::AddressInUseError)) + ": " +
                        server_->TCPSocket1.LastErrorString();
  EXPECT_EQ(qvtest::logMessages(), QStringList({listening(), error}));
  EXPECT_FALSE(server_->TCPSocket1.LastErrorString().isEmpty());
  expectState("Stopped");
}

TEST_F(ListenerTest, FiftyClientsAtOnceAreAllAnswered) {
  server_->bbStart_Action();
  std::vector<std::unique_ptr<QTcpSocket>> clients;
  std::vector<QByteArray> replies(50);
  for (int i = 0; i < 50; ++i) {
    auto client = std::make_unique<QTcpSocket>();
    QTcpSocket* c = client.get();
    QObject::connect(c, &QTcpSocket::readyRead, [c, &replies, i] { replies[size_t(i)] += c->readAll(); });
    QObject::connect(c, &QTcpSocket::connected, [c, i] { c->write("GET /c" + QByteArray::number(i) + " HTTP/1.1\r\n\r\n"); });
    c->connectToHost(QHostAddress::LocalHost, port_);
    clients.push_back(std::move(client));
  }
  EXPECT_TRUE(qvtest::waitUntil([&] {
    for (const auto& r : replies)
      if (r != kResponse) return false;
    return true;
  }, 20000));
  EXPECT_EQ(requests_.size(), 50);
}

TEST_F(ListenerTest, SilentOrVanishingClientsDoNotStopTheNextOne) {
  server_->TCPSocket1.setTimeouts(300, 300);
  server_->bbStart_Action();
  QTcpSocket silent;
  silent.connectToHost(QHostAddress::LocalHost, port_);
  QTcpSocket half;
  half.connectToHost(QHostAddress::LocalHost, port_);
  ASSERT_TRUE(qvtest::waitUntil([&] { return half.state() == QAbstractSocket::ConnectedState; }));
  half.write("GET /sh");
  half.flush();
  qvtest::spin(50);
  half.abort();
  EXPECT_EQ(get("/show"), kResponse);
  EXPECT_TRUE(qvtest::logMessages().contains("No complete request within 0.3 seconds; connection dropped"));
  EXPECT_EQ(requests_.size(), 1);
}

TEST_F(ListenerTest, FailedHandlerClosesTheConnectionAndTheServerGoesOn) {
  server_->bbStart_Action();
  EXPECT_EQ(get("/fail"), "HTTP/1.1 200 OK\r\n");
  EXPECT_EQ(get("/show"), kResponse);
}

TEST_F(ListenerTest, OversizedRequestIsDropped) {
  server_->bbStart_Action();
  EXPECT_EQ(qvtest::exchange(port_, "GET /" + QByteArray(70 * 1024, 'a')), "");
  EXPECT_TRUE(qvtest::logMessages().contains("Request larger than 64 KiB; connection dropped"));
  EXPECT_EQ(get("/show"), kResponse);
}

TEST_F(ListenerTest, ClientThatStopsReadingIsDroppedAfterTheSendTimeout) {
  const QByteArray big(64 * 1024 * 1024, 'x');
  server_->TCPSocket1.setTimeouts(2000, 300);
  server_->TCPSocket1.setHandler([&](const QByteArray&) {
    server_->TCPSocket1.Write(big);
    return true;
  });
  server_->bbStart_Action();
  QTcpSocket lazy;
  lazy.setReadBufferSize(1024);
  lazy.connectToHost(QHostAddress::LocalHost, port_);
  ASSERT_TRUE(qvtest::waitUntil([&] { return lazy.state() == QAbstractSocket::ConnectedState; }));
  lazy.write("GET /big HTTP/1.1\r\n\r\n");
  EXPECT_TRUE(qvtest::waitUntil([] {
    return qvtest::logMessages().contains("Response not taken within 0.3 seconds; connection dropped");
  }));
  EXPECT_TRUE(qvtest::waitUntil([] {
    return qvtest::logMessages().last().startsWith("Disconnected.  Session time ");
  }));
}

}  // namespace
