#pragma once
// The server window: shows the server's state (title, Start and Stop pressed states),
// the activity log, the last request, the watchdog countdown and the progress of an
// import, and forwards its buttons to the core. Its first showing runs the start-up
// sequence; its close box only hides it.
#include <QMainWindow>

class QLabel;
class QListView;
class QModelIndex;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class ServerCore;
class winprefs;

class Window1 : public QMainWindow {
  Q_OBJECT
 public:
  static constexpr QSize kDesignSize{640, 480};
  static constexpr QSize kMinimumSize{540, 320};
  static constexpr QSize kMaximumSize{1024, 768};

  explicit Window1(ServerCore& core, QWidget* parent = nullptr);
  ~Window1() override;

  winprefs& prefsDialog() { return *prefs_; }

  void bbQuit_Action();
  void bbSettings_Action();
  void bbLoadDB_Action();
  void bbLoadPL_Action();
  void lbStatus_DoubleClick(const QModelIndex& index);
  // True cancels the close: the window is only hidden unless the application quits.
  bool CancelClose(bool appQuitting);

  QLabel* StaticText1;
  QPushButton* bbLoadPL;
  QPushButton* bbLoadDB;
  QPushButton* bbSettings;
  QPushButton* bbStart;
  QPushButton* bbStop;
  QPushButton* bbQuit;
  QListView* lbStatus;
  QLabel* StaticText2;
  QLabel* stCheck;
  QPlainTextEdit* EditField2;
  QProgressBar* pbImport;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildControls();
  void showServerState();
  void showImportRunning(bool running);
  void showImportProgress(qint64 done, qint64 total);

  ServerCore& core_;
  winprefs* prefs_;
  bool opened_ = false;
  bool appQuitting_ = false;
};
