#pragma once
// The About box: product name and version, copyright, the artwork credit and a link to
// the designer's page, which opens in the user's browser.
#include <QDialog>
#include <QUrl>

class QLabel;
class QPushButton;

inline constexpr const char* kAboutVersionLine = "Quaverly 0.2.2 Beta";
inline constexpr const char* kCopyrightLine = "Copyright \u00A9 2024 The Quaverly Developers";
inline constexpr const char* kCreditLine = "Artwork by the Quaverly design team";
inline constexpr const char* kDesignerAddress = "https://quaverly.example.org/design";

class winAbout : public QDialog {
  Q_OBJECT
 public:
  explicit winAbout(QWidget* parent = nullptr);

  void Open();
  void PushButton1_Action();
  bool StaticText3_MouseDown();

  QLabel* StaticText1;
  QLabel* StaticText2;
  QLabel* StaticText3;
  QPushButton* PushButton1;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};
