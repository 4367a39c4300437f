#include "module/tkvqtautoblocksignals.h"

TKvQtAutoBlockSignals::TKvQtAutoBlockSignals(QObject* o) : FObject(o) {
  if (o && !o->signalsBlocked()) {
    o->blockSignals(true);
    FAlreadyBlocked = false;
  }
}

TKvQtAutoBlockSignals::~TKvQtAutoBlockSignals() {
  if (!FAlreadyBlocked && FObject)
    FObject->blockSignals(false);
}
