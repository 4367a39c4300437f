#include "widgets/tkvlinestylecombobox.h"

#include "widgets/tlinestyleitemdelegate.h"

#include "kvsuite/kvdemtables.h"

#include <QStylePainter>

TKvLineStyleComboBox::TKvLineStyleComboBox(QWidget* parent) : QComboBox(parent) {
  setItemDelegate(new TLineStyleItemDelegate(this));
  const unsigned long n = TKvLineStyleParams::GetLineStylesCount();
  for (unsigned long i = 0; i < n; ++i)
    addItem(QString(), QVariant(qulonglong(i)));
  setMinimumWidth(100);
}

void TKvLineStyleComboBox::setLineWidth(int width) {
  if (auto* d = qobject_cast<TLineStyleItemDelegate*>(itemDelegate())) {
    d->setLineWidth(width);
    update();
  }
}

int TKvLineStyleComboBox::lineWidth() const {
  auto* d = qobject_cast<TLineStyleItemDelegate*>(itemDelegate());
  return d ? d->lineWidth() : 1;
}

void TKvLineStyleComboBox::paintEvent(QPaintEvent*) {
  QStylePainter p(this);
  QStyleOptionComboBox opt;
  initStyleOption(&opt);
  p.drawComplexControl(QStyle::CC_ComboBox, opt);
  if (currentIndex() < 0)
    return;
  const QRect r = style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, this);
  DrawLineStyleItem(&p, r.adjusted(2, 2, -2, -2), currentData(Qt::UserRole).toInt(), lineWidth());
}
