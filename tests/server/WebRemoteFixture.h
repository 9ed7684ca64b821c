#pragma once
// A real listener on a free loopback port, wired as the application wires it, in front of
// a fake player. Every response that announces a Content-Length is checked against the
// bytes that followed its header block.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QDateTime>
#include <QTemporaryDir>
#include <functional>
#include <memory>

#include "FakePlayer.h"
#include "QtPrinters.h"
#include "app/ServerCore.h"

// What a page shows of the moment it was made: the greeting's time of day and the
// album-art link's time stamp.
struct Moment {
  QString time;
  QString stamp;
};

// An HTML page with its header block; the page bytes as sent, or an ASCII page.
QByteArray html(const QByteArray& page, const QByteArray& extraHeaderLine = {});
QByteArray html(const QString& asciiPage, const QByteArray& extraHeaderLine = {});
QString greeting(const Moment& m);
// The normal-style page around a routed reply: greeting, reply, control bar.
QByteArray normalPage(const QString& reply, const Moment& m);

class WebRemoteFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  QByteArray request(const QByteArray& raw);
  QByteArray get(const QString& target, const QByteArray& extraHeaders = {});
  // A login form post with the given form-encoded password value.
  QByteArray postLogin(const QByteArray& encodedPassword, const QByteArray& extraHeaders = {});

  // Passes when actual equals build(m) for a moment m within the last request.
  void expectResponse(const QByteArray& actual, const std::function<QByteArray(const Moment&)>& build);

  QString albumArtPath(const QString& name) const;

  quint16 port = 0;
  std::unique_ptr<QTemporaryDir> dir;
  std::unique_ptr<FakePlayer> player;
  std::unique_ptr<ServerCore> core;

 private:
  QDateTime before_, after_;
};
