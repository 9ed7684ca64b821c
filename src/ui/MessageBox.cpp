#include "ui/MessageBox.h"

#include <QMessageBox>

QMessageBox* showMessage(QWidget* parent, const QString& text) {
  auto* box = new QMessageBox(QMessageBox::NoIcon, QStringLiteral("Quaverly"), text,
                              QMessageBox::Ok, parent);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->setWindowModality(parent ? Qt::WindowModal : Qt::ApplicationModal);
  box->show();
  return box;
}
