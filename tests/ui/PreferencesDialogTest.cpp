// The preferences dialog driven as a user drives it: it fills from the settings, Save
// stores and applies in its order, Cancel discards, and the few controls with rules of
// their own keep them.
#include <QAbstractItemView>
#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <algorithm>

#include "DesktopFixture.h"
#include "app/ModMain.h"
#include "app/Paths.h"
#include "app/PrefsStore.h"
#include "support/LogLines.h"
#include "support/TestSupport.h"
#include "ui/winprefs.h"

using qvtest::logMessages;

namespace {

class PrefsTest : public DesktopTest {
 protected:
  winprefs& openPrefs() {
    if (!desktop) openDesktop();
    QTest::mouseClick(window()->bbSettings, Qt::LeftButton);
    return window()->prefsDialog();
  }

  static void showPage(winprefs& prefs, const QString& title) {
    QTabBar* bar = prefs.TabPanel1->tabBar();
    for (int i = 0; i < bar->count(); ++i)
      if (bar->tabText(i) == title) QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(i).center());
    ASSERT_EQ(prefs.TabPanel1->tabText(prefs.TabPanel1->currentIndex()), title);
    // A page shown for the first time is laid out on the next turn of the loop.
    QCoreApplication::processEvents();
  }

  // Check boxes and radio buttons answer only over their box and caption, so the user
  // aims at the box; other buttons anywhere.
  static void click(QAbstractButton* button) {
    const bool boxed = qobject_cast<QCheckBox*>(button) || qobject_cast<QRadioButton*>(button);
    const QPoint where = boxed ? QPoint(8, button->height() / 2) : button->rect().center();
    QTest::mouseClick(button, Qt::LeftButton, {}, where);
  }

  static void setChecked(QAbstractButton* box, bool on) {
    if (box->isChecked() != on) click(box);
    ASSERT_EQ(box->isChecked(), on);
  }

  static void retype(QLineEdit* field, const QString& text) {
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClicks(field, text);
  }

  static void retypePages(winprefs& prefs, const QString& text) {
    QLineEdit* edit = prefs.cbPages->lineEdit();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
  }

  // Settings as a first run stores them, with the address the test can listen on.
  static void useKnownSettings() {
    modMain.ipaddress = QStringLiteral("127.0.0.1");
    modMain.listenport = 8080;
    modMain.blPlain = true;
    modMain.blUseDB = false;
    modMain.blPageResults = true;
    modMain.intResultsPerPage = 20;
    modMain.browseMode = QStringLiteral("genre");
  }
};

// Reading order of a page: down a column, then the next column to the right.
bool readsBefore(QWidget* a, QWidget* b, QWidget* page) {
  const QRect ra(a->mapTo(page, QPoint(0, 0)), a->size());
  const QRect rb(b->mapTo(page, QPoint(0, 0)), b->size());
  return rb.top() >= ra.bottom() || rb.left() >= ra.right();
}

struct PageCase {
  const char* title;
  std::vector<const char*> controls;  // in order
  std::vector<const char*> captions;  // the controls' captions, in the same order
  std::vector<const char*> labels;    // the page's texts, in order
};

void PrintTo(const PageCase& c, std::ostream* os) { *os << c.title; }

const PageCase kPages[] = {
    {"General",
     {"efIP", "cbAutoIP", "efPort", "efPwd", "efLibFilePath", "PushButton3"},
     {"", "Auto Detect and Update IP", "", "", "", ""},
     {"Listening IP Address:", "Listening Port:", "Password:", "iTunes Library File:"}},
    {"Output",
     {"rbPlain", "rbPDA", "rbFancy", "rbTextOnly", "rbXML", "rbSimpleHTML", "cbDisplayArt"},
     {"Normal", "PDA", "Fancy (Experimental)", "Text Only", "XML", "Simple HTML", "Display Album Art"},
     {"Web Interface:", "Text Display:"}},
    {"Runtime",
     {"cbAutoPlay", "cbHideIT", "cbAuto", "cbHideQV", "cbPolling"},
     {"Auto-Start iTunes Player", "Hide iTunes", "Auto-Start Server on Run", "Hide Quaverly",
      "Server self-polling/restart"},
     {"Startup options:", "Recovery options:"}},
    {"Database",
     {"cbUseDB", "cbAutoLoadDB", "cbAutoLoadPL", "cbPageResults", "cbPages", "cbNoQVSR"},
     {"Use SQL Database", "Reload database on Run", "Reload playlists on Run", "Page query results",
      "", "Don't create \"Quaverly Search Results\"\nplaylist"},
     {"Database options:", "results per page"}},
    {"Other",
     {"rbBrowseGenre", "rbBrowseArtist"},
     {"Genre", "Artist"},
     {"Browse Mode:"}},
};

class PrefsPageTest : public PrefsTest, public ::testing::WithParamInterface<PageCase> {};

}  // namespace

TEST_P(PrefsPageTest, PageHoldsItsControlsAndLabelsInOrder) {
  const PageCase& c = GetParam();
  winprefs& prefs = openPrefs();
  showPage(prefs, QString::fromUtf8(c.title));
  QWidget* page = prefs.TabPanel1->currentWidget();
  QWidget* previous = nullptr;
  for (size_t i = 0; i < c.controls.size(); ++i) {
    auto* control = page->findChild<QWidget*>(QLatin1String(c.controls[i]));
    ASSERT_NE(control, nullptr) << c.controls[i];
    EXPECT_TRUE(control->isVisible()) << c.controls[i];
    if (auto* button = qobject_cast<QAbstractButton*>(control); button && !qobject_cast<QToolButton*>(control)) {
      EXPECT_EQ(button->text(), QString::fromUtf8(c.captions[i]));
    }
    if (previous) {
      EXPECT_TRUE(readsBefore(previous, control, page)) << c.controls[i];
    }
    previous = control;
  }
  QList<QLabel*> labels = page->findChildren<QLabel*>();
  std::sort(labels.begin(), labels.end(), [page](QLabel* a, QLabel* b) { return readsBefore(a, b, page); });
  QStringList texts;
  for (QLabel* label : labels) texts << label->text();
  QStringList expected;
  for (const char* label : c.labels) expected << QString::fromUtf8(label);
  EXPECT_EQ(texts, expected);
}

INSTANTIATE_TEST_SUITE_P(Preferences, PrefsPageTest, ::testing::ValuesIn(kPages),
                         [](const auto& info) { return std::string(info.param.title); });

TEST_F(PrefsTest, DialogIsTitledAndShowsTheVersion) {
  winprefs& prefs = openPrefs();
  EXPECT_EQ(prefs.windowTitle(), QStringLiteral("Preferences"));
  EXPECT_EQ(prefs.size(), QSize(440, 310));
  EXPECT_EQ(prefs.stVersion->text(), QStringLiteral("Quaverly v. 0.2.2 Beta"));
  EXPECT_EQ(prefs.bbSave->text(), QStringLiteral("Save"));
  EXPECT_EQ(prefs.bbCancel->text(), QStringLiteral("Cancel"));
  QStringList tabs;
  for (int i = 0; i < prefs.TabPanel1->count(); ++i) tabs << prefs.TabPanel1->tabText(i);
  EXPECT_EQ(tabs, QStringList({"General", "Output", "Runtime", "Database", "Other"}));
}

TEST_F(PrefsTest, OpeningFillsEveryControlFromTheSettings) {
  openDesktop();
  modMain.ipaddress = QStringLiteral("10.1.2.3");
  modMain.listenport = 9091;
  modMain.password = QStringLiteral("s3cret");
  modMain.itunesfile = QStringLiteral("/music/Library.xml");
  modMain.blAutoIPUpdate = true;
  modMain.autostart = true;
  modMain.blautoplay = true;
  modMain.blHideIT = true;
  modMain.blHideQV = false;
  modMain.blPolling = true;
  modMain.blDisplayArt = true;
  modMain.blUseDB = true;
  modMain.blAutoLoadDB = false;
  modMain.blAutoLoadPL = true;
  modMain.blPageResults = false;
  modMain.intResultsPerPage = 50;
  modMain.blNoQVSR = true;
  modMain.browseMode = QStringLiteral("Artist");
  winprefs& prefs = openPrefs();
  EXPECT_EQ(prefs.efIP->text(), QStringLiteral("10.1.2.3"));
  EXPECT_EQ(prefs.efPort->text(), QStringLiteral("9091"));
  EXPECT_EQ(prefs.efPwd->text(), QStringLiteral("s3cret"));
  EXPECT_EQ(prefs.efLibFilePath->toPlainText(), QStringLiteral("/music/Library.xml"));
  EXPECT_TRUE(prefs.cbAutoIP->isChecked());
  EXPECT_TRUE(prefs.cbAuto->isChecked());
  EXPECT_TRUE(prefs.cbAutoPlay->isChecked());
  EXPECT_TRUE(prefs.cbHideIT->isChecked());
  EXPECT_FALSE(prefs.cbHideQV->isChecked());
  EXPECT_TRUE(prefs.cbPolling->isChecked());
  EXPECT_TRUE(prefs.cbDisplayArt->isChecked());
  EXPECT_TRUE(prefs.cbUseDB->isChecked());
  EXPECT_FALSE(prefs.cbAutoLoadDB->isChecked());
  EXPECT_TRUE(prefs.cbAutoLoadPL->isChecked());
  EXPECT_FALSE(prefs.cbPageResults->isChecked());
  EXPECT_EQ(prefs.cbPages->currentText(), QStringLiteral("50"));
  EXPECT_TRUE(prefs.cbNoQVSR->isChecked());
  EXPECT_TRUE(prefs.rbBrowseArtist->isChecked());
  EXPECT_TRUE(modMain.PrefsVisible);
}

namespace {

struct StyleCase {
  const char* name;
  bool ModMain::*flag;  // the flag set before opening; null: none
  const char* selected;
  bool plainAfterOpen;
};

void PrintTo(const StyleCase& c, std::ostream* os) { *os << c.name; }

const StyleCase kStyles[] = {
    {"NoneSelectsNormal", nullptr, "rbPlain", true},
    {"PDA", &ModMain::blPDA, "rbPDA", true},
    {"SimpleHTML", &ModMain::blSimpleHTML, "rbSimpleHTML", true},
    {"Fancy", &ModMain::blfancy, "rbFancy", false},
    {"TextOnly", &ModMain::blTextOnly, "rbTextOnly", false},
    {"XML", &ModMain::blXML, "rbXML", false},
};

class StyleTest : public PrefsTest, public ::testing::WithParamInterface<StyleCase> {};

}  // namespace

TEST_P(StyleTest, OpeningSelectsTheStyleAndForcesNormalOnlyWithoutAnotherPageStyle) {
  openDesktop();
  useKnownSettings();
  modMain.blPlain = false;
  if (GetParam().flag) modMain.*GetParam().flag = true;
  winprefs& prefs = openPrefs();
  auto* selected = prefs.findChild<QRadioButton*>(QLatin1String(GetParam().selected));
  ASSERT_NE(selected, nullptr);
  EXPECT_TRUE(selected->isChecked());
  EXPECT_EQ(modMain.blPlain, GetParam().plainAfterOpen);
}

INSTANTIATE_TEST_SUITE_P(Preferences, StyleTest, ::testing::ValuesIn(kStyles),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PrefsTest, SavingPDAUnchangedLeavesOnlyPDASet) {
  openDesktop();
  useKnownSettings();
  modMain.blPlain = false;
  modMain.blPDA = true;
  winprefs& prefs = openPrefs();
  click(prefs.bbSave);
  EXPECT_TRUE(modMain.blPDA);
  for (bool flag : {modMain.blPlain, modMain.blfancy, modMain.blSimpleHTML, modMain.blTextOnly, modMain.blXML})
    EXPECT_FALSE(flag);
  EXPECT_TRUE(uitest::messageTexts().isEmpty());
}

TEST_F(PrefsTest, SaveStoresEveryEditAppliesItAndClosesTheDialog) {
  openDesktop();
  useKnownSettings();
  const QString library = QDir(qvtest::sandboxRoot()).filePath(QStringLiteral("lib.xml"));
  winprefs& prefs = openPrefs();
  retype(prefs.efPwd, QStringLiteral("open sesame"));
  prefs.efLibFilePath->setFocus();
  prefs.efLibFilePath->selectAll();
  QTest::keyClicks(prefs.efLibFilePath, library);
  click(prefs.cbAutoIP);
  showPage(prefs, QStringLiteral("Output"));
  click(prefs.rbXML);
  click(prefs.cbDisplayArt);
  showPage(prefs, QStringLiteral("Runtime"));
  click(prefs.cbAutoPlay);
  click(prefs.cbHideQV);
  click(prefs.cbAuto);
  showPage(prefs, QStringLiteral("Database"));
  click(prefs.cbAutoLoadPL);
  click(prefs.cbNoQVSR);
  prefs.cbPages->setCurrentIndex(prefs.cbPages->findText(QStringLiteral("100")));
  showPage(prefs, QStringLiteral("Other"));
  click(prefs.rbBrowseArtist);
  qvtest::clearLog();
  click(prefs.bbSave);

  EXPECT_FALSE(prefs.isVisible());
  EXPECT_FALSE(prefs.isOpen());
  EXPECT_FALSE(modMain.PrefsVisible);
  EXPECT_EQ(logMessages(), QStringList({"Preferences saved"}));
  EXPECT_TRUE(uitest::messageTexts().isEmpty());
  EXPECT_EQ(modMain.dbLimit, 100);

  // What the fields hold now is what the preferences file gives back.
  for (int pass = 0; pass < 2; ++pass) {
    SCOPED_TRACE(pass == 0 ? "fields" : "file");
    EXPECT_EQ(modMain.ipaddress, QStringLiteral("127.0.0.1"));
    EXPECT_EQ(modMain.listenport, 8080);
    EXPECT_EQ(modMain.password, QStringLiteral("open sesame"));
    EXPECT_EQ(modMain.itunesfile, library);
    EXPECT_TRUE(modMain.blAutoIPUpdate);
    EXPECT_TRUE(modMain.blXML);
    EXPECT_FALSE(modMain.blPlain);
    EXPECT_TRUE(modMain.blDisplayArt);
    EXPECT_TRUE(modMain.blautoplay);
    EXPECT_TRUE(modMain.blHideQV);
    EXPECT_FALSE(modMain.blHideIT);
    EXPECT_TRUE(modMain.autostart);
    EXPECT_TRUE(modMain.blAutoLoadPL);
    EXPECT_FALSE(modMain.blAutoLoadDB);
    EXPECT_TRUE(modMain.blNoQVSR);
    EXPECT_TRUE(modMain.blPageResults);
    EXPECT_EQ(modMain.intResultsPerPage, 100);
    EXPECT_EQ(modMain.browseMode, QStringLiteral("artist"));
    resetModMain();
    GetPrefs();
  }
}

TEST_F(PrefsTest, CancelDiscardsTheEditsAndTheNextShowingRefills) {
  openDesktop();
  useKnownSettings();
  winprefs& prefs = openPrefs();
  retype(prefs.efPort, QStringLiteral("9999"));
  click(prefs.bbCancel);
  EXPECT_FALSE(prefs.isVisible());
  EXPECT_FALSE(modMain.PrefsVisible);
  EXPECT_EQ(modMain.listenport, 8080);
  openPrefs();
  EXPECT_EQ(prefs.efPort->text(), QStringLiteral("8080"));
}

namespace {

struct RestartCase {
  const char* name;
  const char* field;  // the edit field changed
  const char* text;
  bool restart;
  int portAfter;
};

void PrintTo(const RestartCase& c, std::ostream* os) { *os << c.name; }

const RestartCase kRestarts[] = {
    {"PortChanged", "efPort", "8181", true, 8181},
    {"AddressChanged", "efIP", "127.0.0.2", true, 8080},
    {"PortNotANumberBecomesZero", "efPort", "http", true, 0},
    {"PortFractionTruncated", "efPort", "8181.9", true, 8181},
    {"PasswordChanged", "efPwd", "letmein", false, 8080},
    {"NothingChanged", nullptr, nullptr, false, 8080},
};

class RestartTest : public PrefsTest, public ::testing::WithParamInterface<RestartCase> {};

}  // namespace

TEST_P(RestartTest, RestartMessageOnlyWhenAddressOrPortChanged) {
  openDesktop();
  useKnownSettings();
  winprefs& prefs = openPrefs();
  if (GetParam().field)
    retype(prefs.findChild<QLineEdit*>(QLatin1String(GetParam().field)), QString::fromUtf8(GetParam().text));
  click(prefs.bbSave);
  const QStringList expected = GetParam().restart
      ? QStringList({"You must stop and start the server for the settings to take effect"})
      : QStringList();
  EXPECT_EQ(uitest::messageTexts(), expected);
  EXPECT_EQ(modMain.listenport, GetParam().portAfter);
}

INSTANTIATE_TEST_SUITE_P(Preferences, RestartTest, ::testing::ValuesIn(kRestarts),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PrefsTest, RestartMessageAfterAStyleChangeIsNotShown) {
  openDesktop();
  useKnownSettings();
  winprefs& prefs = openPrefs();
  showPage(prefs, QStringLiteral("Output"));
  click(prefs.rbFancy);
  click(prefs.bbSave);
  EXPECT_TRUE(modMain.blfancy);
  EXPECT_TRUE(uitest::messageTexts().isEmpty());
}

TEST_F(PrefsTest, PollingSwitchesTheWatchdogAndTurningItOffClearsTheCountdown) {
  openDesktop();
  useKnownSettings();
  Watchdog& watchdog = desktop->core.watchdog;
  winprefs& prefs = openPrefs();
  showPage(prefs, QStringLiteral("Runtime"));
  click(prefs.cbPolling);
  click(prefs.bbSave);
  EXPECT_TRUE(modMain.blPolling);
  EXPECT_TRUE(watchdog.isPolling());
  ASSERT_TRUE(qvtest::waitUntil([&] { return !window()->stCheck->text().isEmpty(); }, 3000));

  openPrefs();
  showPage(prefs, QStringLiteral("Runtime"));
  click(prefs.cbPolling);
  click(prefs.bbSave);
  EXPECT_FALSE(modMain.blPolling);
  EXPECT_FALSE(watchdog.isPolling());
  EXPECT_EQ(window()->stCheck->text(), QString());
}

TEST_F(PrefsTest, TurningTheDatabaseOffClosesItAndOnOpensIt) {
  openDesktop();
  useKnownSettings();
  modMain.blUseDB = true;
  ASSERT_TRUE(uitest::loadDemoDatabase());
  winprefs& prefs = openPrefs();
  showPage(prefs, QStringLiteral("Database"));
  setChecked(prefs.cbUseDB, false);
  qvtest::clearLog();
  click(prefs.bbSave);
  EXPECT_FALSE(modMain.loadcomplete);
  EXPECT_EQ(modMain.idb, nullptr);
  EXPECT_EQ(logMessages(), QStringList({"Preferences saved", "Database closed"}));

  openPrefs();
  showPage(prefs, QStringLiteral("Database"));
  setChecked(prefs.cbUseDB, true);
  qvtest::clearLog();
  click(prefs.bbSave);
  EXPECT_TRUE(modMain.loadcomplete);
  EXPECT_EQ(logMessages().value(0), QStringLiteral("Preferences saved"));
}

TEST_F(PrefsTest, ResultsPerPageKeepsOnlyItsEntries) {
  openDesktop();
  useKnownSettings();
  winprefs& prefs = openPrefs();
  showPage(prefs, QStringLiteral("Database"));
  retypePages(prefs, QStringLiteral("25"));
  EXPECT_EQ(prefs.cbPages->currentText(), QStringLiteral("0"));
  EXPECT_EQ(prefs.cbPages->count(), 7);

  prefs.cbPages->showPopup();
  QAbstractItemView* list = prefs.cbPages->view();
  const QRect entry = list->visualRect(list->model()->index(prefs.cbPages->findText("250"), 0));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, entry.center());
  EXPECT_EQ(prefs.cbPages->currentText(), QStringLiteral("250"));

  retypePages(prefs, QStringLiteral("25"));
  QTest::keyClick(prefs.cbPages->lineEdit(), Qt::Key_Return);
  EXPECT_EQ(prefs.cbPages->count(), 7);
  click(prefs.bbSave);
  EXPECT_EQ(modMain.intResultsPerPage, 0);
  EXPECT_EQ(modMain.dbLimit, 0);
}

TEST_F(PrefsTest, TheTwoReloadBoxesExcludeEachOther) {
  winprefs& prefs = openPrefs();
  showPage(prefs, QStringLiteral("Database"));
  setChecked(prefs.cbAutoLoadDB, true);
  click(prefs.cbAutoLoadPL);
  EXPECT_TRUE(prefs.cbAutoLoadPL->isChecked());
  EXPECT_FALSE(prefs.cbAutoLoadDB->isChecked());
  click(prefs.cbAutoLoadDB);
  EXPECT_TRUE(prefs.cbAutoLoadDB->isChecked());
  EXPECT_FALSE(prefs.cbAutoLoadPL->isChecked());
  click(prefs.cbAutoLoadDB);
  EXPECT_FALSE(prefs.cbAutoLoadDB->isChecked());
  EXPECT_FALSE(prefs.cbAutoLoadPL->isChecked());
}

TEST_F(PrefsTest, LibraryChooserStartsInTheMusicFolderAndTakesThePickedFile) {
  const QString folder = paths::homeFolder() + "/Music/iTunes";
  const QString picked = folder + "/iTunes Music Library.xml";
  qvtest::writeFile(picked, "<plist/>");
  winprefs& prefs = openPrefs();
  const QString before = prefs.efLibFilePath->toPlainText();

  click(prefs.PushButton3);
  auto* chooser = prefs.findChild<QFileDialog*>();
  ASSERT_NE(chooser, nullptr);
  EXPECT_EQ(chooser->windowTitle(), QStringLiteral("Select iTunes Library XML file:"));
  EXPECT_EQ(QDir(chooser->directory()).canonicalPath(), QDir(folder).canonicalPath());
  EXPECT_EQ(chooser->nameFilters(), QStringList({"All Files (*)"}));
  chooser->reject();
  EXPECT_EQ(prefs.efLibFilePath->toPlainText(), before);

  click(prefs.PushButton3);
  chooser = prefs.findChild<QFileDialog*>();
  ASSERT_NE(chooser, nullptr);
  chooser->selectFile(picked);
  static_cast<QDialog*>(chooser)->accept();
  EXPECT_EQ(prefs.efLibFilePath->toPlainText(), picked);
}

TEST_F(PrefsTest, MenuTogglesTheDialogAndKeepsUnsavedEdits) {
  openDesktop();
  winprefs& prefs = window()->prefsDialog();
  QAction* item = desktop->app.quaverlyMenu()->findChild<QAction*>(QStringLiteral("Preferences"));
  ASSERT_NE(item, nullptr);
  item->trigger();
  EXPECT_TRUE(prefs.isVisible());
  EXPECT_TRUE(modMain.PrefsVisible);
  retype(prefs.efPwd, QStringLiteral("half typed"));
  item->trigger();
  EXPECT_FALSE(prefs.isVisible());
  EXPECT_FALSE(modMain.PrefsVisible);
  item->trigger();
  EXPECT_EQ(prefs.efPwd->text(), QStringLiteral("half typed"));
}
