// The menu bar's one menu and its handlers, and the About box with its link.
#include <QAction>
#include <QDesktopServices>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QUrl>

#include "DesktopFixture.h"
#include "ui/winAbout.h"

namespace {

// Stands in for the user's browser: records the addresses it is asked to open.
class BrowserStandIn : public QObject {
  Q_OBJECT
 public:
  BrowserStandIn() { QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "open"); }
  ~BrowserStandIn() override { QDesktopServices::unsetUrlHandler(QStringLiteral("https")); }
  QList<QUrl> opened;
 public slots:
  void open(const QUrl& url) { opened << url; }
};

QAction* menuItem(Desktop& desktop, const char* name) {
  return desktop.app.quaverlyMenu()->findChild<QAction*>(QLatin1String(name));
}

}  // namespace

TEST_F(DesktopTest, MenuBarHasTheQuaverlyMenuWithItsItemsInOrder) {
  openDesktop();
  QMenuBar* bar = window()->menuBar();
  ASSERT_EQ(bar, desktop->app.MenuBar1.data());
  ASSERT_EQ(bar->actions().size(), 1);
  EXPECT_EQ(bar->actions().first()->text(), QStringLiteral("Quaverly"));
  QStringList items;
  for (QAction* item : desktop->app.quaverlyMenu()->actions()) {
    items << (item->isSeparator() ? QStringLiteral("-") : item->objectName() + "=" + item->text());
    EXPECT_TRUE(item->shortcut().isEmpty());
  }
  EXPECT_EQ(items, QStringList({"Preferences=Preferences", "-", "About=About",
                                "AppleShowServerWindow=Show Server Window"}));
}

TEST_F(DesktopTest, AboutShowsVersionCopyrightCreditAndLink) {
  openDesktop();
  menuItem(*desktop, "About")->trigger();
  winAbout* about = desktop->app.aboutWindow();
  ASSERT_NE(about, nullptr);
  EXPECT_TRUE(about->isVisible());
  EXPECT_EQ(about->windowTitle(), QStringLiteral("About"));
  EXPECT_EQ(about->size(), QSize(300, 300));
  EXPECT_EQ(about->StaticText1->text(),
            QStringLiteral("Quaverly 0.2.2 Beta\r\nCopyright \u00A9 2024 The Quaverly Developers"));
  EXPECT_EQ(about->StaticText2->text(), QStringLiteral("Artwork by the Quaverly design team"));
  EXPECT_EQ(about->StaticText3->text(), QStringLiteral("https://quaverly.example.org/design"));
  EXPECT_TRUE(about->StaticText3->font().underline());
  EXPECT_EQ(about->PushButton1->text(), QStringLiteral("OK"));
}

TEST_F(DesktopTest, AboutChosenAgainBringsTheSameWindowForward) {
  openDesktop();
  menuItem(*desktop, "About")->trigger();
  winAbout* first = desktop->app.aboutWindow();
  menuItem(*desktop, "About")->trigger();
  EXPECT_EQ(desktop->app.aboutWindow(), first);
  EXPECT_EQ(desktop->app.About_Action(), false);
}

TEST_F(DesktopTest, ClickingTheLinkOpensItInTheBrowser) {
  BrowserStandIn browser;
  openDesktop();
  menuItem(*desktop, "About")->trigger();
  QTest::mouseClick(desktop->app.aboutWindow()->StaticText3, Qt::LeftButton);
  EXPECT_EQ(browser.opened, QList<QUrl>({QUrl(QStringLiteral("https://quaverly.example.org/design"))}));
}

TEST_F(DesktopTest, OKClosesTheAboutWindow) {
  openDesktop();
  menuItem(*desktop, "About")->trigger();
  QTest::mouseClick(desktop->app.aboutWindow()->PushButton1, Qt::LeftButton);
  // Closing deletes the window; the next About opens a new one.
  EXPECT_TRUE(QTest::qWaitFor([&] { return desktop->app.aboutWindow() == nullptr; }));
  menuItem(*desktop, "About")->trigger();
  EXPECT_TRUE(desktop->app.aboutWindow()->isVisible());
}

#include "AboutAndMenuTest.moc"
