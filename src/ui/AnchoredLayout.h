#pragma once
// Places each widget at a fixed rectangle designed for one window size; when the window
// grows or shrinks, a widget may follow the right or bottom edge (move) or stretch with it
// (grow), so the log and the request field take up the extra room; a caption may give up
// room it does not need (shrink) when the window is narrower than designed.
#include <QLayout>
#include <QList>
#include <QRect>
#include <QSize>

class AnchoredLayout : public QLayout {
 public:
  enum Anchor { Fixed = 0, MoveX = 1, MoveY = 2, GrowW = 4, GrowH = 8, ShrinkW = 16 };

  AnchoredLayout(QWidget* parent, QSize designSize);
  ~AnchoredLayout() override;

  void addWidget(QWidget* widget, const QRect& designRect, int anchors = Fixed);

  void addItem(QLayoutItem* item) override;
  QLayoutItem* itemAt(int index) const override;
  QLayoutItem* takeAt(int index) override;
  int count() const override { return int(entries_.size()); }
  QSize sizeHint() const override { return designSize_; }
  QSize minimumSize() const override { return {0, 0}; }
  void setGeometry(const QRect& rect) override;

 private:
  struct Entry {
    QLayoutItem* item;
    QRect designRect;
    int anchors;
  };
  QSize designSize_;
  QList<Entry> entries_;
};
