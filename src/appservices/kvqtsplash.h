#pragma once
// The application's splash screen: one per process.
//
// ShowKvQtSplash shows the library's splash image and lets it close itself
// once the given main window, not yet visible, has been shown and is really
// on screen (exposed). The main window's show() is never held up: the splash
// closes from the event loop. Over a main window that is already visible, or
// without one, the splash stays until HideKvQtSplash. A splash that closed
// itself stays allocated, and g_pSlashScreen set, until HideKvQtSplash
// deletes it.

#include "kvqtcpnt_export.h"

#include <QPixmap>

class QSplashScreen;
class QWidget;

// The splash shown by ShowKvQtSplash, or null. Owned by these functions.
extern KVQTCPNT_EXPORT QSplashScreen* g_pSlashScreen;

// The splash image (the resource ":/Splash"); null when it is missing.
KVQTCPNT_EXPORT QPixmap ObtainQtSplashPixmap();
// False, showing nothing new, when a splash already exists. `mainWindow` is
// only watched, not owned.
KVQTCPNT_EXPORT bool ShowKvQtSplash(QWidget* mainWindow);
// Deletes the splash; false when there is none.
KVQTCPNT_EXPORT bool HideKvQtSplash();
