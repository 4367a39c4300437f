#pragma once
// The suite's packed colour values and widget background colouring.
//
// A colour reference holds red in bits 0-7, green in 8-15 and blue in 16-23;
// the top byte is ignored on input and 0 on output.

#include "kvqtcpnt_export.h"

#include <QColor>

class QWidget;

// The opaque colour of the three low bytes.
KVQTCPNT_EXPORT QColor KvQColorFromKvColorRef(const unsigned int& ref);
// red | green << 8 | blue << 16; alpha is dropped.
KVQTCPNT_EXPORT unsigned int KvColorRefFromQColor(const QColor& c);
// Fills the widget's background (role Window, every colour group) with the
// colour, switching automatic background filling on. Null is ignored.
KVQTCPNT_EXPORT void KvSetWidgetBackgroundPalette(QWidget* w, const QColor& c);
// Replaces the widget's whole style sheet by a background colour. Null is
// ignored.
KVQTCPNT_EXPORT void KvSetWidgetBackgroundStyleSheet(QWidget* w, const QColor& c);
