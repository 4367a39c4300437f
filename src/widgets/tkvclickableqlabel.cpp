#include "widgets/tkvclickableqlabel.h"

#include <QMouseEvent>

TKvClickableQLabel::TKvClickableQLabel(QWidget* parent, Qt::WindowFlags flags) : QLabel(parent, flags) {}

TKvClickableQLabel::TKvClickableQLabel(const QString& text, QWidget* parent, Qt::WindowFlags flags)
  : QLabel(text, parent, flags) {}

TKvClickableQLabel::~TKvClickableQLabel() = default;

void TKvClickableQLabel::mousePressEvent(QMouseEvent* e) {
  e->accept();
  emit clicked();
}
