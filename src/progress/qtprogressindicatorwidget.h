#pragma once
// A free-standing spinning busy indicator: twelve capsules fading around a
// circle. Offered to applications for waits without a known end; nothing in
// the library itself uses it.

#include "kvqtcpnt_export.h"

#include <QColor>
#include <QWidget>

class KVQTCPNT_EXPORT QtProgressIndicatorWidget : public QWidget {
  Q_OBJECT
  Q_PROPERTY(int delay READ animationDelay WRITE setAnimationDelay)
  Q_PROPERTY(bool displayedWhenStopped READ isDisplayedWhenStopped WRITE setDisplayedWhenStopped)
  Q_PROPERTY(QColor color READ color WRITE setColor)

public:
  explicit QtProgressIndicatorWidget(QWidget* parent = nullptr);

  bool isAnimated() const { return FTimerId != -1; }
  bool isDisplayedWhenStopped() const { return FDisplayedWhenStopped; }
  int animationDelay() const { return FDelay; }
  const QColor& color() const { return FColor; }
  // Degrees the capsules are turned by; 0 after every start.
  int angle() const { return FAngle; }

  QSize sizeHint() const override;
  int heightForWidth(int w) const override;

public slots:
  void startAnimation();
  void stopAnimation();
  // Milliseconds between steps of 30 degrees; a running animation restarts at the new pace.
  void setAnimationDelay(int delay);
  void setDisplayedWhenStopped(bool state);
  void setColor(const QColor& color);

protected:
  void timerEvent(QTimerEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

private:
  int FAngle = 0;
  int FTimerId = -1;
  int FDelay = 40;
  bool FDisplayedWhenStopped = false;
  QColor FColor = Qt::black;
};
