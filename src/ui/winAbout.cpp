#include "ui/winAbout.h"

#include <QDesktopServices>
#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/ServerWindowState.h"

winAbout::winAbout(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("winAbout"));
  setWindowTitle(QStringLiteral("About"));
  setFixedSize(300, 300);

  StaticText1 = new QLabel;
  StaticText1->setObjectName(QStringLiteral("StaticText1"));
  StaticText2 = new QLabel;
  StaticText2->setObjectName(QStringLiteral("StaticText2"));
  StaticText3 = new QLabel;
  StaticText3->setObjectName(QStringLiteral("StaticText3"));
  PushButton1 = new QPushButton(QStringLiteral("OK"));
  PushButton1->setObjectName(QStringLiteral("PushButton1"));
  PushButton1->setDefault(true);

  for (QLabel* label : {StaticText1, StaticText2, StaticText3}) {
    label->setAlignment(Qt::AlignHCenter);
    label->setWordWrap(true);
  }
  // Shown as a link: coloured and underlined, with the hand cursor.
  QFont link = StaticText3->font();
  link.setUnderline(true);
  StaticText3->setFont(link);
  StaticText3->setStyleSheet(QStringLiteral("color: #7405E3;"));
  StaticText3->setCursor(Qt::PointingHandCursor);
  StaticText3->installEventFilter(this);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(12, 30, 12, 20);
  layout->setSpacing(16);
  layout->addWidget(StaticText1);
  layout->addWidget(StaticText2);
  layout->addWidget(StaticText3);
  layout->addStretch();
  layout->addWidget(PushButton1, 0, Qt::AlignHCenter);

  connect(PushButton1, &QPushButton::clicked, this, &winAbout::PushButton1_Action);
  Open();
}

void winAbout::Open() {
  StaticText1->setText(QLatin1String(kAboutVersionLine) + crlf + QString::fromUtf8(kCopyrightLine));
  StaticText2->setText(QLatin1String(kCreditLine));
  StaticText3->setText(QLatin1String(kDesignerAddress));
}

void winAbout::PushButton1_Action() { close(); }

bool winAbout::StaticText3_MouseDown() {
  QDesktopServices::openUrl(QUrl(QLatin1String(kDesignerAddress)));
  return false;
}

bool winAbout::eventFilter(QObject* watched, QEvent* event) {
  if (watched == StaticText3 && event->type() == QEvent::MouseButtonPress)
    return StaticText3_MouseDown();
  return QDialog::eventFilter(watched, event);
}
