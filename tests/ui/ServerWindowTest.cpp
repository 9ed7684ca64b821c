// The server window as a user meets it: its controls, Start and Stop, Settings, the close
// box and the menu that brings the window back, Quit, the log and the request field.
#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QListView>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QTcpServer>
#include <QTest>
#include <QTimer>

#include "DesktopFixture.h"
#include "app/ActivityLog.h"
#include "app/ImportProgress.h"
#include "app/ModMain.h"
#include "support/LogLines.h"
#include "support/TestSupport.h"
#include "ui/winprefs.h"

using qvtest::logMessages;

namespace {

struct ControlCase {
  const char* name;
  const char* kind;  // the Qt class standing for the control's kind
  const char* caption;
  const char* helpText;
  QRect rect;
};

void PrintTo(const ControlCase& c, std::ostream* os) { *os << c.name; }

const ControlCase kControls[] = {
    {"StaticText1", "QLabel", "Activity Log", "", {20, 14, 120, 20}},
    {"bbLoadPL", "QPushButton", "Load PLs", "", {199, 14, 60, 22}},
    {"bbLoadDB", "QPushButton", "Load DB", "Load the SQL database", {271, 14, 60, 22}},
    {"bbSettings", "QPushButton", "Settings", "Set Preferences", {343, 14, 60, 22}},
    {"bbStart", "QPushButton", "Start", "Start the server", {415, 14, 60, 22}},
    {"bbStop", "QPushButton", "Stop", "Stop the server", {487, 14, 60, 22}},
    {"bbQuit", "QPushButton", "Quit", "Quit Quaverly", {559, 14, 60, 22}},
    {"lbStatus", "QListView", "", "Recent Activity", {20, 48, 600, 259}},
    {"StaticText2", "QLabel", "Current Request", "", {21, 319, 130, 20}},
    {"stCheck", "QLabel", "", "", {355, 319, 169, 22}},
    {"EditField2", "QPlainTextEdit", "", "Most recent browser request", {21, 351, 599, 109}},
};

QString caption(QWidget* widget) {
  if (auto* label = qobject_cast<QLabel*>(widget)) return label->text();
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) return button->text();
  if (auto* edit = qobject_cast<QPlainTextEdit*>(widget)) return edit->toPlainText();
  return {};
}

class ControlTableTest : public DesktopTest, public ::testing::WithParamInterface<ControlCase> {};

}  // namespace

TEST_P(ControlTableTest, ControlHasItsNameKindCaptionHelpAndPlace) {
  openDesktop();
  const ControlCase& c = GetParam();
  auto* widget = window()->centralWidget()->findChild<QWidget*>(QLatin1String(c.name));
  ASSERT_NE(widget, nullptr);
  EXPECT_TRUE(widget->inherits(c.kind)) << widget->metaObject()->className();
  EXPECT_EQ(caption(widget), QString::fromUtf8(c.caption));
  EXPECT_EQ(widget->toolTip(), QString::fromUtf8(c.helpText));
  EXPECT_EQ(widget->geometry(), c.rect);
  EXPECT_TRUE(widget->isVisible());
}

INSTANTIATE_TEST_SUITE_P(ServerWindow, ControlTableTest, ::testing::ValuesIn(kControls),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DesktopTest, WindowIsTitledQuaverlyUntilStartUpShowsTheServerState) {
  desktop = std::make_unique<Desktop>();
  EXPECT_EQ(window()->windowTitle(), QStringLiteral("Quaverly"));
  openDesktop();
  EXPECT_EQ(window()->windowTitle(), QStringLiteral("Quaverly - Stopped"));
  EXPECT_EQ(logMessages().mid(0, 2), QStringList({"Reading preferences", "Click Start to begin"}));
}

TEST_F(DesktopTest, WindowIs640By480AndResizesBetweenItsLimits) {
  openDesktop();
  QWidget* content = window()->centralWidget();
  EXPECT_EQ(content->size(), QSize(640, 480));
  const int menuHeight = window()->menuBar()->height();
  window()->resize(200, 100);
  EXPECT_EQ(content->size(), QSize(540, 320));
  window()->resize(4000, 4000);
  EXPECT_EQ(content->size(), QSize(1024, 768));
  window()->resize(700, 500 + menuHeight);
  EXPECT_EQ(content->size(), QSize(700, 500));
  // The buttons keep to the right edge; the log and the request field take the room.
  EXPECT_EQ(window()->bbQuit->geometry(), QRect(619, 14, 60, 22));
  EXPECT_EQ(window()->lbStatus->geometry(), QRect(20, 48, 660, 279));
  EXPECT_EQ(window()->EditField2->geometry(), QRect(21, 371, 659, 109));
}

TEST_F(DesktopTest, StartAndStopShowTheStateInTheTitleAndTheButtons) {
  openDesktop();
  Window1* w = window();
  EXPECT_TRUE(w->bbStart->isChecked());
  EXPECT_FALSE(w->bbStop->isChecked());

  modMain.ipaddress = QStringLiteral("127.0.0.1");
  modMain.listenport = qvtest::freePort();
  const QString address = "127.0.0.1:" + QString::number(modMain.listenport);
  qvtest::clearLog();
  QTest::mouseClick(w->bbStart, Qt::LeftButton);
  EXPECT_EQ(w->windowTitle(), QStringLiteral("Quaverly - Running"));
  EXPECT_FALSE(w->bbStart->isChecked());
  EXPECT_TRUE(w->bbStop->isChecked());
  EXPECT_EQ(logMessages(), QStringList({"Listening on " + address}));
  EXPECT_TRUE(desktop->core.server.TCPSocket1.isListening());

  QTest::mouseClick(w->bbStop, Qt::LeftButton);
  EXPECT_EQ(w->windowTitle(), QStringLiteral("Quaverly - Stopped"));
  EXPECT_TRUE(w->bbStart->isChecked());
  EXPECT_FALSE(w->bbStop->isChecked());
  EXPECT_EQ(logMessages(), QStringList({"Listening on " + address, "Socket closed"}));
  EXPECT_FALSE(desktop->core.server.TCPSocket1.isListening());
}

TEST_F(DesktopTest, StartOnATakenPortStaysStopped) {
  openDesktop();
  QTcpServer squatter;
  ASSERT_TRUE(squatter.listen(QHostAddress::LocalHost, 0));
  modMain.ipaddress = QStringLiteral("127.0.0.1");
  modMain.listenport = squatter.serverPort();
  QTest::mouseClick(window()->bbStart, Qt::LeftButton);
  EXPECT_EQ(window()->windowTitle(), QStringLiteral("Quaverly - Stopped"));
  EXPECT_TRUE(window()->bbStart->isChecked());
  EXPECT_FALSE(window()->bbStop->isChecked());
}

TEST_F(DesktopTest, SettingsClickedTwiceOpensThenClosesThePreferences) {
  openDesktop();
  winprefs& prefs = window()->prefsDialog();
  QTest::mouseClick(window()->bbSettings, Qt::LeftButton);
  EXPECT_TRUE(prefs.isVisible());
  EXPECT_TRUE(modMain.PrefsVisible);
  QTest::mouseClick(window()->bbSettings, Qt::LeftButton);
  EXPECT_FALSE(prefs.isVisible());
  EXPECT_FALSE(prefs.isOpen());
  EXPECT_FALSE(modMain.PrefsVisible);
}

// Without a tray icon (as on the offscreen platform) a hidden window could never come
// back, so the close box minimizes it instead.
TEST_F(DesktopTest, CloseBoxPutsTheWindowAwayAndShowServerWindowBringsItBackWithItsLog) {
  openDesktop();
  modMain.ipaddress = QStringLiteral("127.0.0.1");
  modMain.listenport = qvtest::freePort();
  QTest::mouseClick(window()->bbStart, Qt::LeftButton);
  const QStringList logBefore = activityLog().lines();

  EXPECT_FALSE(window()->close());
  if (QSystemTrayIcon::isSystemTrayAvailable())
    EXPECT_FALSE(window()->isVisible());
  else
    EXPECT_TRUE(window()->isMinimized());
  EXPECT_TRUE(desktop->core.server.TCPSocket1.isListening());
  EXPECT_TRUE(qvtest::exchange(modMain.listenport, "GET /poll HTTP/1.1\r\n\r\n").contains("POLL OK"));

  auto* showItem = desktop->app.quaverlyMenu()->findChild<QAction*>(QStringLiteral("AppleShowServerWindow"));
  ASSERT_NE(showItem, nullptr);
  showItem->trigger();
  EXPECT_TRUE(window()->isVisible());
  EXPECT_FALSE(window()->isMinimized());
  EXPECT_EQ(window()->lbStatus->model()->rowCount(), activityLog().lines().size());
  EXPECT_EQ(activityLog().lines().mid(activityLog().lines().size() - logBefore.size()), logBefore);
  // Start-up ran once: showing the window again does not read the preferences again.
  EXPECT_EQ(logMessages().count(QStringLiteral("Reading preferences")), 1);
}

TEST_F(DesktopTest, QuitClosesTheDatabaseAndTheSocketThenEndsTheApplication) {
  openDesktop();
  ASSERT_TRUE(uitest::loadDemoDatabase());
  modMain.ipaddress = QStringLiteral("127.0.0.1");
  modMain.listenport = qvtest::freePort();
  QTest::mouseClick(window()->bbStart, Qt::LeftButton);
  ASSERT_TRUE(desktop->core.server.TCPSocket1.isListening());

  QTimer::singleShot(0, window(), [this] { QTest::mouseClick(window()->bbQuit, Qt::LeftButton); });
  // Should the quit not end the loop, this ends it with a failure code instead.
  QTimer::singleShot(10000, qApp, [] { QCoreApplication::exit(1); });
  EXPECT_EQ(QApplication::exec(), 0);

  EXPECT_FALSE(window()->isVisible());
  EXPECT_FALSE(modMain.loadcomplete);
  EXPECT_EQ(modMain.idb, nullptr);
  EXPECT_FALSE(desktop->core.server.TCPSocket1.isListening());
  EXPECT_EQ(logMessages().mid(logMessages().size() - 2),
            QStringList({"Database closed", "Socket closed"}));
}

TEST_F(DesktopTest, DoubleClickOnTheLogShowsTheWholeLine) {
  openDesktop();
  Status(QStringLiteral("  A line to read in full  "));
  QListView* log = window()->lbStatus;
  const QModelIndex top = log->model()->index(0, 0);
  const QPoint where = log->visualRect(top).center();
  QTest::mouseClick(log->viewport(), Qt::LeftButton, {}, where);
  QTest::mouseDClick(log->viewport(), Qt::LeftButton, {}, where);
  const QString line = activityLog().lines().first();
  EXPECT_TRUE(line.endsWith(QLatin1String("] A line to read in full")));
  EXPECT_EQ(uitest::messageTexts(), QStringList({line}));
}

TEST_F(DesktopTest, RequestFieldShowsTheLastRoutedRequest) {
  openDesktop();
  modMain.ipaddress = QStringLiteral("127.0.0.1");
  modMain.listenport = qvtest::freePort();
  QTest::mouseClick(window()->bbStart, Qt::LeftButton);
  const QByteArray request = "GET /poll HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n";
  ASSERT_TRUE(qvtest::exchange(modMain.listenport, request).contains("POLL OK"));
  // The field shows each line of the request; it keeps line ends as single line feeds.
  EXPECT_EQ(window()->EditField2->toPlainText(),
            QStringLiteral("GET /poll HTTP/1.1\nHost: 127.0.0.1\n\n"));
}

TEST_F(DesktopTest, CountdownShowsTheWatchdogTicks) {
  openDesktop();
  EXPECT_EQ(window()->stCheck->text(), QString());
  desktop->core.watchdog.Timer1_Action();
  EXPECT_EQ(window()->stCheck->text(), QStringLiteral("Next server poll: 59"));
}

TEST_F(DesktopTest, ProgressBarShowsWhileAnImportRuns) {
  openDesktop();
  QProgressBar* bar = window()->pbImport;
  EXPECT_FALSE(bar->isVisible());
  importProgress().begin();
  EXPECT_TRUE(bar->isVisible());
  EXPECT_EQ(bar->maximum(), 0);  // busy until the track count is known
  importProgress().report(15, 60);
  EXPECT_EQ(bar->maximum(), 60);
  EXPECT_EQ(bar->value(), 15);
  EXPECT_EQ(bar->text(), QStringLiteral("15 of 60 tracks"));
  importProgress().end();
  EXPECT_FALSE(bar->isVisible());
}

TEST_F(DesktopTest, LoadDBRebuildsTheDatabase) {
  openDesktop();
  modMain.itunesfile = uitest::demoLibrary();
  qvtest::clearLog();
  QTest::mouseClick(window()->bbLoadDB, Qt::LeftButton);
  EXPECT_EQ(logMessages().mid(0, 2), QStringList({"Error closing database", "Starting Thread"}));
  EXPECT_FALSE(modMain.loadcomplete);
  EXPECT_TRUE(qvtest::waitUntil([] { return modMain.loadcomplete; }, 30000));
}

TEST_F(DesktopTest, LoadPLsReloadsThePlaylistsInTheBackground) {
  openDesktop();
  ASSERT_TRUE(uitest::loadDemoDatabase());
  qvtest::clearLog();
  QTest::mouseClick(window()->bbLoadPL, Qt::LeftButton);
  EXPECT_FALSE(modMain.loadcomplete);
  EXPECT_EQ(logMessages().mid(0, 1), QStringList({"Starting Thread"}));
  EXPECT_TRUE(qvtest::waitUntil([] { return modMain.loadcomplete; }, 30000));
}
