#include "progress/tkvqtprogressbar.h"

TKvQtProgressBar::TKvQtProgressBar(QWidget* parent) : QProgressBar(parent) { setTextVisible(false); }

void TKvQtProgressBar::setBarIndefinite(bool indefinite) {
  if (indefinite == FIndefinite)
    return;
  if (indefinite) {
    setRange(0, 0);
    FValue = 0;
    QProgressBar::setValue(0);
  } else {
    setRange(0, 100);
    QProgressBar::setValue(FValue);
  }
  FIndefinite = indefinite;
}

void TKvQtProgressBar::setValue(double value) {
  FValue = static_cast<int>(value);
  QProgressBar::setValue(FValue);
}
