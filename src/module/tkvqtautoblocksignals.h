#pragma once

#include "kvqtcpnt_export.h"

#include <QObject>
#include <QPointer>

// Blocks an object's signals for the lifetime of the guard. Only the guard
// that blocked them unblocks them. An object that dies first is left alone.
class KVQTCPNT_EXPORT TKvQtAutoBlockSignals {
public:
  explicit TKvQtAutoBlockSignals(QObject* o);
  ~TKvQtAutoBlockSignals();
  TKvQtAutoBlockSignals(const TKvQtAutoBlockSignals&) = delete;
  TKvQtAutoBlockSignals& operator=(const TKvQtAutoBlockSignals&) = delete;

private:
  QPointer<QObject> FObject;
  bool FAlreadyBlocked = true;
};
