#include "ui/Window1.h"

#include <QApplication>
#include <algorithm>
#include <QCloseEvent>
#include <QLabel>
#include <QListView>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSystemTrayIcon>

#include "app/ActivityLog.h"
#include "app/ImportProgress.h"
#include "app/ModMain.h"
#include "app/ServerCore.h"
#include "db/DatabaseOperations.h"
#include "ui/AnchoredLayout.h"
#include "ui/MessageBox.h"
#include "ui/winprefs.h"

namespace {

template <typename W>
W* named(W* widget, const char* name, const QString& helpText = {}) {
  widget->setObjectName(QLatin1String(name));
  if (!helpText.isEmpty()) widget->setToolTip(helpText);
  return widget;
}

QPushButton* bevelButton(const char* name, const QString& caption, const QString& helpText = {}) {
  auto* button = named(new QPushButton(caption), name, helpText);
  button->setFocusPolicy(Qt::TabFocus);
  return button;
}

}  // namespace

Window1::Window1(ServerCore& core, QWidget* parent) : QMainWindow(parent), core_(core) {
  setObjectName(QStringLiteral("Window1"));
  setWindowTitle(QStringLiteral("Quaverly"));
  setWindowIcon(QIcon(QStringLiteral(":/quaverly/quaverly.png")));
  buildControls();
  prefs_ = new winprefs(core_.watchdog, this);

  connect(&core_.server, &WebServer::stateShown, this, &Window1::showServerState);
  connect(&core_.handler, &RequestHandler::requestRouted, EditField2, &QPlainTextEdit::setPlainText);
  connect(&core_.watchdog, &Watchdog::countdownChanged, stCheck, &QLabel::setText);
  connect(&importProgress(), &ImportProgress::runningChanged, this, &Window1::showImportRunning);
  connect(&importProgress(), &ImportProgress::progressChanged, this, &Window1::showImportProgress);

  connect(bbStart, &QPushButton::clicked, this, [this] {
    core_.server.bbStart_Action();
    showServerState();
  });
  connect(bbStop, &QPushButton::clicked, this, [this] {
    core_.server.bbStop_Action();
    showServerState();
  });
  connect(bbQuit, &QPushButton::clicked, this, &Window1::bbQuit_Action);
  connect(bbSettings, &QPushButton::clicked, this, &Window1::bbSettings_Action);
  connect(bbLoadDB, &QPushButton::clicked, this, &Window1::bbLoadDB_Action);
  connect(bbLoadPL, &QPushButton::clicked, this, &Window1::bbLoadPL_Action);
  connect(lbStatus, &QListView::doubleClicked, this, &Window1::lbStatus_DoubleClick);

  // A quit from anywhere (Quit, the desktop session) closes the window for good.
  qApp->installEventFilter(this);
}

Window1::~Window1() { qApp->removeEventFilter(this); }

void Window1::buildControls() {
  auto* content = new QWidget;
  content->setObjectName(QStringLiteral("content"));
  QFont font = content->font();
  font.setPixelSize(12);
  content->setFont(font);

  StaticText1 = named(new QLabel(QStringLiteral("Activity Log")), "StaticText1");
  bbLoadPL = bevelButton("bbLoadPL", QStringLiteral("Load PLs"));
  bbLoadDB = bevelButton("bbLoadDB", QStringLiteral("Load DB"), QStringLiteral("Load the SQL database"));
  bbSettings = bevelButton("bbSettings", QStringLiteral("Settings"), QStringLiteral("Set Preferences"));
  bbStart = bevelButton("bbStart", QStringLiteral("Start"), QStringLiteral("Start the server"));
  bbStop = bevelButton("bbStop", QStringLiteral("Stop"), QStringLiteral("Stop the server"));
  bbQuit = bevelButton("bbQuit", QStringLiteral("Quit"), QStringLiteral("Quit Quaverly"));
  bbStart->setCheckable(true);
  bbStop->setCheckable(true);
  lbStatus = named(new QListView, "lbStatus", QStringLiteral("Recent Activity"));
  lbStatus->setModel(&activityLog());
  lbStatus->setEditTriggers(QAbstractItemView::NoEditTriggers);
  lbStatus->setSelectionMode(QAbstractItemView::SingleSelection);
  lbStatus->setUniformItemSizes(true);
  StaticText2 = named(new QLabel(QStringLiteral("Current Request")), "StaticText2");
  stCheck = named(new QLabel, "stCheck");
  EditField2 = named(new QPlainTextEdit, "EditField2", QStringLiteral("Most recent browser request"));
  EditField2->setReadOnly(true);
  pbImport = named(new QProgressBar, "pbImport", QStringLiteral("Reading the library file"));
  pbImport->setFormat(QStringLiteral("%v of %m tracks"));
  pbImport->setVisible(false);

  // Laid out for 640 by 480; the buttons keep to the right edge, the log and the request
  // field take up any extra room.
  using A = AnchoredLayout;
  auto* placement = new AnchoredLayout(content, kDesignSize);
  placement->addWidget(StaticText1, {20, 14, 120, 20}, A::ShrinkW);
  placement->addWidget(bbLoadPL, {199, 14, 60, 22}, A::MoveX);
  placement->addWidget(bbLoadDB, {271, 14, 60, 22}, A::MoveX);
  placement->addWidget(bbSettings, {343, 14, 60, 22}, A::MoveX);
  placement->addWidget(bbStart, {415, 14, 60, 22}, A::MoveX);
  placement->addWidget(bbStop, {487, 14, 60, 22}, A::MoveX);
  placement->addWidget(bbQuit, {559, 14, 60, 22}, A::MoveX);
  placement->addWidget(lbStatus, {20, 48, 600, 259}, A::GrowW | A::GrowH);
  placement->addWidget(StaticText2, {21, 319, 130, 20}, A::MoveY);
  placement->addWidget(pbImport, {160, 320, 185, 20}, A::MoveY | A::GrowW);
  placement->addWidget(stCheck, {355, 319, 169, 22}, A::MoveX | A::MoveY);
  placement->addWidget(EditField2, {21, 351, 599, 109}, A::MoveY | A::GrowW);

  content->setMinimumSize(kMinimumSize);
  content->setMaximumSize(kMaximumSize);
  setCentralWidget(content);
  // The window as a whole keeps to the limits of its content.
  QMainWindow::layout()->setSizeConstraint(QLayout::SetMinAndMaxSize);
}

void Window1::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (opened_) return;
  opened_ = true;
  const int menuHeight = menuWidget() ? menuWidget()->sizeHint().height() : 0;
  resize(kDesignSize.width(), kDesignSize.height() + menuHeight);
  core_.open();
}

void Window1::showServerState() {
  setWindowTitle(core_.server.title());
  bbStart->setChecked(core_.server.startPressed());
  bbStop->setChecked(core_.server.stopPressed());
}

void Window1::showImportRunning(bool running) {
  pbImport->setRange(0, 0);
  pbImport->setVisible(running);
}

void Window1::showImportProgress(qint64 done, qint64 total) {
  // Until the file's track count is known, the bar only shows that work goes on.
  pbImport->setRange(0, int(total));
  pbImport->setValue(int(std::min(done, total)));
}

void Window1::bbQuit_Action() {
  core_.shutDown();
  appQuitting_ = true;
  QCoreApplication::quit();
}

void Window1::bbSettings_Action() {
  if (modMain.PrefsVisible) {
    prefs_->closeDialog();
    modMain.PrefsVisible = false;
  } else {
    prefs_->showDialog();
    modMain.PrefsVisible = true;
  }
}

void Window1::bbLoadDB_Action() {
  DBClose();
  DBLoad();
}

void Window1::bbLoadPL_Action() { DBPLReload(); }

void Window1::lbStatus_DoubleClick(const QModelIndex& index) {
  if (index.isValid()) showMessage(this, index.data().toString());
}

bool Window1::CancelClose(bool appQuitting) {
  if (appQuitting) return false;
  // The server keeps running either way. Only a tray icon can bring a hidden window
  // back (the menu lives inside the window); without one, the window is minimized so it
  // stays reachable from the task bar.
  if (QSystemTrayIcon::isSystemTrayAvailable())
    hide();
  else
    showMinimized();
  return true;
}

void Window1::closeEvent(QCloseEvent* event) {
  if (CancelClose(appQuitting_))
    event->ignore();
  else
    event->accept();
}

bool Window1::eventFilter(QObject* watched, QEvent* event) {
  if (watched == qApp && event->type() == QEvent::Quit) appQuitting_ = true;
  return QMainWindow::eventFilter(watched, event);
}
