#pragma once
// Access to the application object, and the text and key conversions the
// whole library uses. Every std::string the library handles holds UTF-8.

#include "kvqtcpnt_export.h"

#include <QIcon>
#include <QString>

#include <string>

class QCoreApplication;
class QInputEvent;
class QKeyEvent;
class QWidget;

class KVQTCPNT_EXPORT KvQtAppHolder {
public:
  // The current application object, or null.
  static QCoreApplication* KvGetApp();
  // The active window of a QApplication; null without one or for a core-only
  // application. Dialogs use it as their default parent.
  static QWidget* KvGetTopWindow();
  // At most 10 ms of pending events.
  static void ProcessMessages();
  // Gives a QApplication the library's main window icon.
  static void InitApp();
};

// The application's main icon for windows without a parent: empty, so the
// application keeps its own window icon.
KVQTCPNT_EXPORT QIcon KvLoadQApplicationMainIcon();

// The UTF-8 bytes of the text.
KVQTCPNT_EXPORT std::string QtToKvStr(const QString& text);
// The key of the event as an integer.
KVQTCPNT_EXPORT int KvGetKeyCode(const QKeyEvent& event);
// The suite's shift state: Shift 1, Alt 2, Control 4; other modifiers dropped.
KVQTCPNT_EXPORT int KvGetShiftState(const QInputEvent& event);
