#pragma once

#include "kvqtcpnt_export.h"

class QWidget;

// Centres the widget, at its current size, on the available area of the
// default screen. Does nothing for null (or without a screen).
KVQTCPNT_EXPORT void CenterWidgetOnScreen(QWidget* w);
