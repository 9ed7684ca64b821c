// The windows as they look: every visible control inside its window, none over another,
// every caption readable; at the server window's design size and at both resize limits.
// With QV_SCREENSHOTS=<folder> the windows are also saved as PNG pictures there.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include "DesktopFixture.h"
#include "app/ImportProgress.h"
#include "app/ModMain.h"
#include "support/TestSupport.h"
#include "ui/winAbout.h"
#include "ui/winprefs.h"

namespace {

bool isControl(QWidget* w) {
  return qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) ||
         qobject_cast<QPlainTextEdit*>(w) || qobject_cast<QComboBox*>(w) ||
         qobject_cast<QAbstractItemView*>(w) || qobject_cast<QProgressBar*>(w) || qobject_cast<QTabBar*>(w);
}

// A widget inside another control (a combo box's field, a tab bar's arrows) is part of it.
bool isPartOfAControl(QWidget* w, QWidget* root) {
  for (QWidget* p = w->parentWidget(); p && p != root; p = p->parentWidget())
    if (isControl(p) || qobject_cast<QAbstractScrollArea*>(p)) return true;
  return false;
}

QList<QWidget*> visibleControls(QWidget* root) {
  QList<QWidget*> controls;
  for (QWidget* w : root->findChildren<QWidget*>())
    if (w->isVisible() && isControl(w) && !isPartOfAControl(w, root)) controls << w;
  return controls;
}

QString nameOf(QWidget* w) {
  if (!w->objectName().isEmpty()) return w->objectName();
  if (auto* label = qobject_cast<QLabel*>(w)) return "label \"" + label->text() + "\"";
  return QString::fromLatin1(w->metaObject()->className());
}

QString captionOf(QWidget* w) {
  if (auto* label = qobject_cast<QLabel*>(w)) return label->text();
  if (auto* button = qobject_cast<QAbstractButton*>(w)) return button->text();
  return {};
}

// Every visible control lies inside root, overlaps no other, and shows its caption whole.
void expectTidyLayout(QWidget* root) {
  QCoreApplication::processEvents();
  const QList<QWidget*> controls = visibleControls(root);
  ASSERT_FALSE(controls.isEmpty());
  for (int i = 0; i < controls.size(); ++i) {
    QWidget* a = controls[i];
    const QRect ra(a->mapTo(root, QPoint(0, 0)), a->size());
    EXPECT_TRUE(root->rect().contains(ra)) << nameOf(a).toStdString() << " leaves its window";
    const QString caption = captionOf(a);
    if (!caption.isEmpty()) {
      const QSize needed = qobject_cast<QPushButton*>(a)
          ? a->fontMetrics().size(Qt::TextShowMnemonic, caption) + QSize(4, 0)
          : a->sizeHint();
      EXPECT_GE(a->width(), needed.width()) << nameOf(a).toStdString() << " cuts its caption";
      EXPECT_GE(a->height(), a->fontMetrics().height()) << nameOf(a).toStdString() << " cuts its caption";
    }
    for (int j = i + 1; j < controls.size(); ++j) {
      QWidget* b = controls[j];
      const QRect rb(b->mapTo(root, QPoint(0, 0)), b->size());
      EXPECT_FALSE(ra.intersects(rb)) << nameOf(a).toStdString() << " overlaps " << nameOf(b).toStdString();
    }
  }
}

void saveScreenshot(QWidget* widget, const QString& fileName) {
  const QString folder = qEnvironmentVariable("QV_SCREENSHOTS");
  if (folder.isEmpty()) return;
  QDir().mkpath(folder);
  QCoreApplication::processEvents();
  ASSERT_TRUE(widget->grab().save(QDir(folder).filePath(fileName), "PNG")) << fileName.toStdString();
}

struct SizeCase {
  const char* name;
  QSize content;
};

void PrintTo(const SizeCase& c, std::ostream* os) { *os << c.name; }

class ServerWindowLayoutTest : public DesktopTest, public ::testing::WithParamInterface<SizeCase> {};

}  // namespace

TEST_P(ServerWindowLayoutTest, ControlsStayInsideAndApart) {
  openDesktop();
  importProgress().begin();  // the progress bar shows too
  const int menuHeight = window()->menuBar()->height();
  window()->resize(GetParam().content + QSize(0, menuHeight));
  ASSERT_EQ(window()->centralWidget()->size(), GetParam().content);
  expectTidyLayout(window()->centralWidget());
  importProgress().end();
}

INSTANTIATE_TEST_SUITE_P(Sizes, ServerWindowLayoutTest,
                         ::testing::Values(SizeCase{"Design", {640, 480}}, SizeCase{"Smallest", {540, 320}},
                                           SizeCase{"Largest", {1024, 768}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DesktopTest, PreferencesPagesStayInsideAndApart) {
  openDesktop();
  winprefs& prefs = window()->prefsDialog();
  QTest::mouseClick(window()->bbSettings, Qt::LeftButton);
  for (int page = 0; page < prefs.TabPanel1->count(); ++page) {
    SCOPED_TRACE(prefs.TabPanel1->tabText(page).toStdString());
    prefs.TabPanel1->setCurrentIndex(page);
    expectTidyLayout(&prefs);
  }
}

TEST_F(DesktopTest, AboutBoxStaysInsideAndApart) {
  openDesktop();
  desktop->app.About_Action();
  expectTidyLayout(desktop->app.aboutWindow());
}

// Run with QV_SCREENSHOTS=docs/screenshots to refresh the README's pictures.
TEST_F(DesktopTest, Screenshots) {
  if (qEnvironmentVariableIsEmpty("QV_SCREENSHOTS")) GTEST_SKIP() << "QV_SCREENSHOTS is not set";
  openDesktop();
  modMain.ipaddress = QStringLiteral("127.0.0.1");
  modMain.listenport = qvtest::freePort();
  QTest::mouseClick(window()->bbStart, Qt::LeftButton);
  qvtest::exchange(modMain.listenport, "GET /poll HTTP/1.1\r\nHost: 127.0.0.1\r\nUser-Agent: Mozilla/5.0\r\n\r\n");
  desktop->core.watchdog.Timer1_Action();
  modMain.itunesfile = QStringLiteral("/home/alex/Music/iTunes/iTunes Music Library.xml");
  saveScreenshot(window(), QStringLiteral("server-window.png"));

  winprefs& prefs = window()->prefsDialog();
  QTest::mouseClick(window()->bbSettings, Qt::LeftButton);
  const QStringList pages = {"general", "output", "runtime", "database", "other"};
  for (int page = 0; page < pages.size(); ++page) {
    prefs.TabPanel1->setCurrentIndex(page);
    saveScreenshot(&prefs, "preferences-" + pages[page] + ".png");
  }
  desktop->app.About_Action();
  saveScreenshot(desktop->app.aboutWindow(), QStringLiteral("about.png"));
}
