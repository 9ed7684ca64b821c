#include "ui/AnchoredLayout.h"

#include <QWidget>
#include <algorithm>

AnchoredLayout::AnchoredLayout(QWidget* parent, QSize designSize)
    : QLayout(parent), designSize_(designSize) {
  setContentsMargins(0, 0, 0, 0);
}

AnchoredLayout::~AnchoredLayout() {
  while (QLayoutItem* item = takeAt(0)) delete item;
}

void AnchoredLayout::addWidget(QWidget* widget, const QRect& designRect, int anchors) {
  addChildWidget(widget);
  entries_.append({new QWidgetItem(widget), designRect, anchors});
}

void AnchoredLayout::addItem(QLayoutItem* item) { entries_.append({item, item->geometry(), Fixed}); }

QLayoutItem* AnchoredLayout::itemAt(int index) const {
  return index >= 0 && index < entries_.size() ? entries_[index].item : nullptr;
}

QLayoutItem* AnchoredLayout::takeAt(int index) {
  if (index < 0 || index >= entries_.size()) return nullptr;
  return entries_.takeAt(index).item;
}

void AnchoredLayout::setGeometry(const QRect& rect) {
  QLayout::setGeometry(rect);
  const int dx = rect.width() - designSize_.width();
  const int dy = rect.height() - designSize_.height();
  for (const Entry& entry : entries_) {
    QRect r = entry.designRect.translated(rect.topLeft());
    if (entry.anchors & MoveX) r.translate(dx, 0);
    if (entry.anchors & MoveY) r.translate(0, dy);
    if (entry.anchors & GrowW) r.setWidth(r.width() + dx);
    if (entry.anchors & GrowH) r.setHeight(r.height() + dy);
    if (entry.anchors & ShrinkW && dx < 0)
      r.setWidth(std::max(r.width() + dx, entry.item->minimumSize().width()));
    entry.item->setGeometry(r);
  }
}
