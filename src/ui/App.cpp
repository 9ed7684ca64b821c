#include "ui/App.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QSystemTrayIcon>

#include "app/ModMain.h"
#include "ui/Window1.h"
#include "ui/winAbout.h"
#include "ui/winprefs.h"

namespace {

QAction* addItem(QMenu* menu, const char* name, const QString& text, QAction::MenuRole role) {
  QAction* item = menu->addAction(text);
  item->setObjectName(QLatin1String(name));
  item->setMenuRole(role);
  return item;
}

}  // namespace

App::App() : MenuBar1(new QMenuBar) {
  MenuBar1->setObjectName(QStringLiteral("MenuBar1"));
  menu_ = MenuBar1->addMenu(QStringLiteral("Quaverly"));
  QAction* preferences = addItem(menu_, "Preferences", QStringLiteral("Preferences"),
                                 QAction::PreferencesRole);
  menu_->addSeparator();
  QAction* about = addItem(menu_, "About", QStringLiteral("About"), QAction::AboutRole);
  QAction* showWindow = addItem(menu_, "AppleShowServerWindow", QStringLiteral("Show Server Window"),
                                QAction::ApplicationSpecificRole);
  connect(preferences, &QAction::triggered, this, &App::Preferences_Action);
  connect(about, &QAction::triggered, this, &App::About_Action);
  connect(showWindow, &QAction::triggered, this, &App::AppleShowServerWindow_Action);
}

App::~App() {
  // Once the server window has taken the menu bar, the window deletes it.
  if (MenuBar1 && !MenuBar1->parent()) delete MenuBar1.data();
  delete about_.data();
}

void App::attach(Window1& window) {
  window_ = &window;
  window.setMenuBar(MenuBar1);
  if (QSystemTrayIcon::isSystemTrayAvailable()) {
    tray_ = std::make_unique<QSystemTrayIcon>(window.windowIcon());
    tray_->setToolTip(QStringLiteral("Quaverly"));
    tray_->setContextMenu(menu_);
    connect(tray_.get(), &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
              if (reason == QSystemTrayIcon::Trigger) AppleShowServerWindow_Action();
            });
    tray_->show();
  }
}

winAbout* App::aboutWindow() const { return about_; }

bool App::About_Action() {
  if (!about_) {
    about_ = new winAbout;
    about_->setAttribute(Qt::WA_DeleteOnClose);
  }
  about_->show();
  about_->raise();
  about_->activateWindow();
  return false;
}

bool App::AppleShowServerWindow_Action() {
  if (window_) {
    window_->setWindowState(window_->windowState() & ~Qt::WindowMinimized);
    window_->show();
    window_->raise();
    window_->activateWindow();
  }
  return false;
}

bool App::Preferences_Action() {
  if (!window_) return false;
  winprefs& prefs = window_->prefsDialog();
  if (modMain.PrefsVisible) {
    prefs.hide();
    modMain.PrefsVisible = false;
  } else {
    prefs.showDialog();
    modMain.PrefsVisible = true;
  }
  return false;
}
