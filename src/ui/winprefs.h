#pragma once
// The preferences dialog: edits every persisted setting. Opening it fills the controls
// from the settings; Save stores and applies them, Cancel discards the edits. Hiding it
// (the menu's toggle) keeps the edits; closing it means the next showing refills.
#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QToolButton;
class Watchdog;

inline constexpr const char* kVersionCaption = "Quaverly v. 0.2.2 Beta";
inline constexpr const char* kRestartMessage =
    "You must stop and start the server for the settings to take effect";
inline constexpr const char* kChooseLibraryMessage = "Select iTunes Library XML file:";

class winprefs : public QDialog {
  Q_OBJECT
 public:
  // The watchdog is the server window's Timer1 and stCheck, which Save switches.
  explicit winprefs(Watchdog& watchdog, QWidget* parent = nullptr);

  // Shows the dialog, filling it first unless it is already open (only hidden).
  void showDialog();
  // Hides the dialog and closes it, so that the next showing refills it.
  void closeDialog();
  bool isOpen() const { return open_; }

  void Open();
  void bbSave_Action();
  void bbCancel_Action();
  void PushButton3_Action();
  void cbAutoLoadDB_Action();
  void cbAutoLoadPL_Action();
  void cbPages_TextChanged(const QString& text);

  QTabWidget* TabPanel1;
  // General
  QLineEdit* efIP;
  QCheckBox* cbAutoIP;
  QLineEdit* efPort;
  QLineEdit* efPwd;
  QPlainTextEdit* efLibFilePath;
  QToolButton* PushButton3;
  // Output
  QRadioButton* rbPlain;
  QRadioButton* rbPDA;
  QRadioButton* rbFancy;
  QRadioButton* rbTextOnly;
  QRadioButton* rbXML;
  QRadioButton* rbSimpleHTML;
  QCheckBox* cbDisplayArt;
  // Runtime
  QCheckBox* cbAutoPlay;
  QCheckBox* cbHideIT;
  QCheckBox* cbAuto;
  QCheckBox* cbHideQV;
  QCheckBox* cbPolling;
  // Database
  QCheckBox* cbUseDB;
  QCheckBox* cbAutoLoadDB;
  QCheckBox* cbAutoLoadPL;
  QCheckBox* cbPageResults;
  QComboBox* cbPages;
  QCheckBox* cbNoQVSR;
  // Other
  QRadioButton* rbBrowseGenre;
  QRadioButton* rbBrowseArtist;

  QLabel* stVersion;
  QPushButton* bbSave;
  QPushButton* bbCancel;

 protected:
  void reject() override;

 private:
  QWidget* buildGeneralPage();
  QWidget* buildOutputPage();
  QWidget* buildRuntimePage();
  QWidget* buildDatabasePage();
  QWidget* buildOtherPage();

  Watchdog& watchdog_;
  QButtonGroup* styleGroup_;
  QButtonGroup* browseGroup_;
  bool open_ = false;
};
