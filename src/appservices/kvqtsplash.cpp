#include "appservices/kvqtsplash.h"

#include <QEvent>
#include <QPointer>
#include <QSplashScreen>

QSplashScreen* g_pSlashScreen = nullptr;

namespace {

// QSplashScreen::finish() waits for the main window to be exposed and then
// closes the splash straight away; called before the main window is shown it
// would block and close the splash before anyone saw it. This watcher, a
// child of the splash, calls it once the main window is really shown.
class TSplashFinisher : public QObject {
public:
  TSplashFinisher(QSplashScreen* splash, QWidget* mainWindow) : QObject(splash), FSplash(splash), FMain(mainWindow) {
    mainWindow->installEventFilter(this);
  }

  bool eventFilter(QObject* watched, QEvent* e) override {
    if (watched == FMain && e->type() == QEvent::Show) {
      FMain->removeEventFilter(this);
      FSplash->finish(FMain);
    }
    return false;
  }

private:
  QSplashScreen* FSplash;
  QPointer<QWidget> FMain;
};

} // namespace

QPixmap ObtainQtSplashPixmap() { return QPixmap(QStringLiteral(":/Splash")); }

bool ShowKvQtSplash(QWidget* mainWindow) {
  if (g_pSlashScreen)
    return false;
  auto* splash = new QSplashScreen(ObtainQtSplashPixmap(), Qt::WindowFlags());
  g_pSlashScreen = splash;
  splash->show();
  if (mainWindow) {
    if (mainWindow->isVisible())
      splash->finish(mainWindow);
    else
      new TSplashFinisher(splash, mainWindow);
  }
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
