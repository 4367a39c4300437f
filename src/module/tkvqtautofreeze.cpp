#include "module/tkvqtautofreeze.h"

TKvQtAutoFreeze::TKvQtAutoFreeze(QWidget* w) : FWidget(w) {
  if (w && w->updatesEnabled()) {
    w->setUpdatesEnabled(false);
    FFrozenHere = true;
  }
}

TKvQtAutoFreeze::~TKvQtAutoFreeze() {
  if (FFrozenHere && FWidget)
    FWidget->setUpdatesEnabled(true);
}
