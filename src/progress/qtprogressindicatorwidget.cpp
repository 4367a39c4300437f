#include "progress/qtprogressindicatorwidget.h"

#include <QPainter>
#include <QTimerEvent>

#include <algorithm>

QtProgressIndicatorWidget::QtProgressIndicatorWidget(QWidget* parent) : QWidget(parent) {
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  setFocusPolicy(Qt::NoFocus);
}

QSize QtProgressIndicatorWidget::sizeHint() const { return QSize(20, 20); }

int QtProgressIndicatorWidget::heightForWidth(int w) const { return w; }

void QtProgressIndicatorWidget::startAnimation() {
  FAngle = 0;
  if (FTimerId == -1)
    FTimerId = startTimer(FDelay);
}

void QtProgressIndicatorWidget::stopAnimation() {
  if (FTimerId != -1)
    killTimer(FTimerId);
  FTimerId = -1;
  update();
}

void QtProgressIndicatorWidget::setAnimationDelay(int delay) {
  if (FTimerId != -1) {
    killTimer(FTimerId);
    FDelay = delay;
    FTimerId = startTimer(FDelay);
  } else {
    FDelay = delay;
  }
}

void QtProgressIndicatorWidget::setDisplayedWhenStopped(bool state) {
  FDisplayedWhenStopped = state;
  update();
}

void QtProgressIndicatorWidget::setColor(const QColor& color) {
  FColor = color;
  update();
}

void QtProgressIndicatorWidget::timerEvent(QTimerEvent* event) {
  if (event->timerId() != FTimerId) {
    QWidget::timerEvent(event);
    return;
  }
  FAngle = (FAngle + 30) % 360;
  update();
}

void QtProgressIndicatorWidget::paintEvent(QPaintEvent*) {
  if (!FDisplayedWhenStopped && !isAnimated())
    return;

  const int side = std::min(width(), height());
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);

  const double outerRadius = (side - 1) * 0.5;
  const int innerRadius = static_cast<int>(outerRadius * 0.38);
  const int capsuleHeight = static_cast<int>(outerRadius) - innerRadius;
  const int capsuleWidth = side > 32 ? static_cast<int>(capsuleHeight * 0.23) : static_cast<int>(capsuleHeight * 0.35);
  const int capsuleRadius = capsuleWidth / 2;

  for (int i = 0; i < 12; ++i) {
    QColor color = FColor;
    color.setAlphaF(1.0 - (i / 12.0));
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.save();
    p.translate(rect().center());
    p.rotate(FAngle - i * 30.0);
    p.drawRoundedRect(static_cast<int>(-capsuleWidth * 0.5), -static_cast<int>(outerRadius), capsuleWidth,
                      capsuleHeight, capsuleRadius, capsuleRadius);
    p.restore();
  }
}
