#pragma once

#include "kvqtcpnt_export.h"

#include <QPointer>
#include <QWidget>

// Disables a widget's updates for the lifetime of the guard. Nests: only the
// guard that actually disabled them enables them again, so a widget frozen by
// someone else stays frozen. A widget that dies first is left alone.
class KVQTCPNT_EXPORT TKvQtAutoFreeze {
public:
  explicit TKvQtAutoFreeze(QWidget* w);
  ~TKvQtAutoFreeze();
  TKvQtAutoFreeze(const TKvQtAutoFreeze&) = delete;
  TKvQtAutoFreeze& operator=(const TKvQtAutoFreeze&) = delete;

private:
  QPointer<QWidget> FWidget;
  bool FFrozenHere = false;
};
