#pragma once
// The application object: owns the menu bar MenuBar1 with its one "Quaverly" menu and
// the three menu handlers. The server window shows the menu bar; where the desktop has a
// system tray, the same menu is also the tray icon's, so "Show Server Window" stays in
// reach while the server window is hidden.
#include <QObject>
#include <QPointer>
#include <memory>

class QAction;
class QMenu;
class QMenuBar;
class QSystemTrayIcon;
class Window1;
class winAbout;

class App : public QObject {
  Q_OBJECT
 public:
  App();
  ~App() override;

  // The server window the handlers act on; it shows MenuBar1.
  void attach(Window1& window);

  bool About_Action();
  bool AppleShowServerWindow_Action();
  bool Preferences_Action();

  // Owned here until the server window takes it as its menu bar.
  QPointer<QMenuBar> MenuBar1;
  QMenu* quaverlyMenu() const { return menu_; }
  winAbout* aboutWindow() const;

 private:
  QMenu* menu_;
  QPointer<winAbout> about_;
  Window1* window_ = nullptr;
  std::unique_ptr<QSystemTrayIcon> tray_;
};
