// Module frame and application services: the splash screen and the about
// box.

#include "gallery.h"

#include "kvsuite/kvmessage.h"

#include "appservices/kvqtsplash.h"
#include "appservices/tkvqtaboutdialog.h"

#include <QSplashScreen>

namespace {

void Splash(GalleryStage& stage) {
  if (!ShowKvQtSplash(nullptr) || !g_pSlashScreen)
    throw TKvMessage("@The splash screen could not be shown");
  g_pSlashScreen->showMessage(QTr("Loading raster drivers…", "Загрузка драйверов растров…"),
                              Qt::AlignBottom | Qt::AlignLeft, Qt::white);
  stage.Present(g_pSlashScreen);
  HideKvQtSplash();
}

void About(GalleryStage& stage) {
  stage.PresentModal([] { TKvQtAboutDialog::Display(Tr("Terrain Analyst", "Анализ рельефа")); });
}

} // namespace

GalleryArea ModulePages() {
  return {"Application services",
          {
              {"splash", "Splash screen", &Splash},
              {"about", "About box", &About},
          }};
}
