// The password gate: the login page, wrong and right passwords, per-browser sessions,
// form-encoded passwords, and the logo that shows before anyone has logged in.
#include <QRegularExpression>

#include "ExpectedText.h"
#include "WebRemoteFixture.h"
#include "app/ModMain.h"
#include "app/ServerWindowState.h"
#include "pages/PageWrappers.h"

namespace {

class WebRemoteLogin : public WebRemoteFixture {
 protected:
  void SetUp() override {
    WebRemoteFixture::SetUp();
    modMain.password = "Secret";
    player->setReply("itunes", "show", "A%@B%@C%@D%@1999%@0:01 / 1:00%@Library%@1%@%@");
  }

  // Logs in with the encoded value and returns the session's cookie header line.
  QByteArray logIn(const QByteArray& encodedPassword) {
    const QByteArray response = postLogin(encodedPassword);
    static const QRegularExpression cookieLine(
        "\r\n(Set-Cookie: qvsession=([0-9a-f]{64}); Path=/; HttpOnly; SameSite=Strict)\r\n");
    const QRegularExpressionMatch match = cookieLine.match(QString::fromLatin1(response));
    EXPECT_TRUE(match.hasMatch()) << response.left(300).constData();
    if (!match.hasMatch()) return {};
    expectResponse(response, [&](const Moment& m) {
      return html(PlainResponse(greeting(m) + expected::kControlBar), match.captured(1).toLatin1());
    });
    return "Cookie: qvsession=" + match.captured(2).toLatin1() + "\r\n";
  }

  bool admitted(const QByteArray& cookie) { return get("/show", cookie).contains("<td>Artist:</td><td>A</td>"); }

  const QByteArray loginPage = html(expected::loginPage());
};

TEST_F(WebRemoteLogin, EveryRequestGetsTheLoginPageUntilAPasswordIsPosted) {
  EXPECT_EQ(get("/show"), loginPage);
  EXPECT_EQ(get("/setprefs?webinterface=fancy"), loginPage);
  EXPECT_EQ(player->calls(), QStringList());
  EXPECT_FALSE(modMain.blfancy);
}

TEST_F(WebRemoteLogin, TheLogoIsServedBeforeLogin) {
  EXPECT_EQ(get("/ilogo.gif"), "HTTP/1.1 200 OK\r\nServer: Quaverly\r\nConnection: close\r\n"
                               "Cache-Control: max-age=86400, must-revalidate\r\nContent-Type: image/gif\r\n"
                               "Content-Length:" + QByteArray::number(window1.slogo.size()) + "\r\n\r\n" +
                               window1.slogo);
  EXPECT_FALSE(window1.slogo.isEmpty());
}

TEST_F(WebRemoteLogin, AWrongPasswordGetsTheLoginPageAgain) {
  EXPECT_EQ(postLogin("Secrets"), loginPage);
  EXPECT_EQ(postLogin(""), loginPage);
  EXPECT_EQ(get("/show"), loginPage);
}

TEST_F(WebRemoteLogin, TheRightPasswordAdmitsOnlyTheBrowserThatSentIt) {
  const QByteArray cookie = logIn("sECRET%0D%0A");
  ASSERT_FALSE(cookie.isEmpty());
  EXPECT_TRUE(admitted(cookie));
  EXPECT_EQ(get("/show"), loginPage) << "a second browser without the cookie";
  EXPECT_EQ(get("/show", "Cookie: qvsession=" + QByteArray(64, 'a') + "\r\n"), loginPage);
  EXPECT_TRUE(admitted("Cookie: theme=dark; " + cookie.mid(8)));
}

TEST_F(WebRemoteLogin, EachLoginOpensItsOwnSession) {
  const QByteArray first = logIn("Secret");
  const QByteArray second = logIn("Secret");
  EXPECT_NE(first, second);
  EXPECT_TRUE(admitted(first));
  EXPECT_TRUE(admitted(second));
}

TEST_F(WebRemoteLogin, ChangingThePasswordDropsTheSessions) {
  const QByteArray cookie = logIn("Secret");
  modMain.password = "Other";
  EXPECT_EQ(get("/show", cookie), loginPage);
  modMain.password = "Secret";
  EXPECT_EQ(get("/show", cookie), loginPage) << "a dropped session stays dropped";
}

TEST_F(WebRemoteLogin, AFormEncodedPasswordWithBlanksAndSymbolsIsDecoded) {
  modMain.password = QString::fromUtf8("Open Sesame & co=1% +\u00fc");
  ASSERT_FALSE(logIn("Open+Sesame+%26+co%3D1%25+%2B%C3%BC").isEmpty());
  EXPECT_EQ(postLogin("Open Sesame & co=1% +\xc3\xbc"), loginPage) << "the raw text is not the password";
}

TEST_F(WebRemoteLogin, OnlyTheFirst255CharactersArePosted) {
  modMain.password = QString(255, 'k');
  ASSERT_FALSE(logIn(QByteArray(255, 'k') + "zzz").isEmpty());
}

TEST_F(WebRemoteLogin, WithoutAPasswordThereIsNoGate) {
  modMain.password.clear();
  EXPECT_TRUE(admitted({}));
}

}  // namespace
