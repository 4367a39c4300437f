#include "appservices/kvqtsplash.h"

#include <QEvent>
#include <QPointer>
#include <QSplashScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

QSplashScreen* g_pSlashScreen = nullptr;

namespace {

// Closes the splash once the main window is really on screen.
// QSplashScreen::finish() would do it by waiting for the exposure inside the
// main window's show(), holding up the application's start by up to a second;
// this watcher, a child of the splash, waits for the window's Expose event
// instead and closes the splash from the event loop.
class TSplashFinisher : public QObject {
public:
  TSplashFinisher(QSplashScreen* splash, QWidget* mainWindow) : QObject(splash), FSplash(splash), FMain(mainWindow) {
    mainWindow->installEventFilter(this);
  }

  bool eventFilter(QObject* watched, QEvent* e) override {
    if (watched == FMain && e->type() == QEvent::Show) {
      // The native window exists by now; it is exposed later, asynchronously.
      if (QWindow* window = FMain->windowHandle()) {
        window->installEventFilter(this);
        FWindow = window;
      }
      QTimer::singleShot(0, this, [this] { CloseWhenExposed(); });
    } else if (watched == FWindow && e->type() == QEvent::Expose) {
      QTimer::singleShot(0, this, [this] { CloseWhenExposed(); });
    }
    return false;
  }

private:
  void CloseWhenExposed() {
    // A main window that died before it was seen leaves nothing to wait for.
    if (FMain && !(FWindow && FWindow->isExposed()))
      return;
    if (FMain)
      FMain->removeEventFilter(this);
    if (FWindow)
      FWindow->removeEventFilter(this);
    FSplash->close();
    deleteLater();
  }

  QSplashScreen* FSplash;
  QPointer<QWidget> FMain;
  QPointer<QWindow> FWindow;
};

} // namespace

QPixmap ObtainQtSplashPixmap() { return QPixmap(QStringLiteral(":/Splash")); }

bool ShowKvQtSplash(QWidget* mainWindow) {
  if (g_pSlashScreen)
    return false;
  auto* splash = new QSplashScreen(ObtainQtSplashPixmap(), Qt::WindowFlags());
  g_pSlashScreen = splash;
  // Over a main window that is already on screen the splash stays up until
  // HideKvQtSplash: there is no showing of it left to wait for.
  if (mainWindow && !mainWindow->isVisible())
    new TSplashFinisher(splash, mainWindow);
  splash->show();
  return true;
}

bool HideKvQtSplash() {
  if (!g_pSlashScreen)
    return false;
  QSplashScreen* splash = g_pSlashScreen;
  g_pSlashScreen = nullptr;
  delete splash;
  return true;
}
