#pragma once
// Message boxes that do not block: the server goes on answering requests while one
// is showing, and no handler runs inside a nested event loop.
#include <QString>

class QWidget;
class QMessageBox;

// Shows text in a window-modal box over parent (application-modal when parent is null);
// the box deletes itself when dismissed.
QMessageBox* showMessage(QWidget* parent, const QString& text);
