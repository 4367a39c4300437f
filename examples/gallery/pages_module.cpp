// Module frame and application services: the splash screen, the about box,
// the cursor set and the icon library.

#include "gallery.h"

#include "kvsuite/kvmessage.h"

#include "appservices/kvqtcursors.h"
#include "appservices/kvqticonlib.h"
#include "appservices/kvqtsplash.h"
#include "appservices/tkvqtaboutdialog.h"

#include <QBitmap>
#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QSet>
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

// What the cursor looks like on screen: its own picture, or its bitmap
// (black where set) through its mask.
QPixmap CursorPicture(const QCursor& cursor) {
  if (!cursor.pixmap().isNull())
    return cursor.pixmap();
  const QBitmap bits = cursor.bitmap(Qt::ReturnByValue);
  const QBitmap mask = cursor.mask(Qt::ReturnByValue);
  if (bits.isNull())
    return QPixmap();
  const QImage b = bits.toImage().convertToFormat(QImage::Format_Mono);
  const QImage m = mask.isNull() ? QImage() : mask.toImage().convertToFormat(QImage::Format_Mono);
  QImage out(b.size(), QImage::Format_ARGB32);
  for (int y = 0; y < b.height(); ++y)
    for (int x = 0; x < b.width(); ++x) {
      const bool opaque = m.isNull() || m.pixelIndex(x, y) == 1;
      const bool black = b.pixelIndex(x, y) == 1;
      out.setPixel(x, y, !opaque ? 0u : black ? 0xff000000u : 0xffffffffu);
    }
  return QPixmap::fromImage(out);
}

void Cursors(GalleryStage& stage) {
  const struct {
    const QCursor* Cursor;
    const char* En;
    const char* Ru;
  } tools[] = {
      {&kvCurZoomIn, "Zoom in", "Увеличить"},         {&kvCurZoomOut, "Zoom out", "Уменьшить"},
      {&kvCurPreZoomIn, "Zoom in to a frame", "Увеличить рамкой"},
      {&kvCurPreZoomOut, "Zoom out of a frame", "Уменьшить рамкой"},
      {&kvCurSelRect, "Select by rectangle", "Выбор прямоугольником"},
      {&kvCurSelPoly, "Select by polygon", "Выбор многоугольником"},
      {&kvCurHand1, "Pan", "Сдвиг"},                   {&kvCurHand2, "Panning", "Сдвиг (нажато)"},
      {&kvCurDrag, "Move a vertex", "Перенос вершины"}, {&kvCurDragging, "Moving", "Перенос"},
      {&kvCurBrush, "Paint the mask", "Кисть маски"},   {&kvCurMagic, "Magic wand", "Волшебная палочка"},
  };
  QWidget page;
  page.setWindowTitle(QTr("Map tools", "Инструменты карты"));
  auto* grid = new QGridLayout(&page);
  int i = 0;
  for (const auto& t : tools) {
    auto* picture = new QLabel(&page);
    picture->setPixmap(CursorPicture(*t.Cursor));
    picture->setCursor(*t.Cursor);
    picture->setAlignment(Qt::AlignCenter);
    picture->setMinimumSize(40, 40);
    grid->addWidget(picture, i / 3, (i % 3) * 2);
    grid->addWidget(new QLabel(QTr(t.En, t.Ru), &page), i / 3, (i % 3) * 2 + 1);
    ++i;
  }
  stage.Present(&page);
}

void Icons(GalleryStage& stage) {
  // Every image of the library at every size it is rendered in.
  QStringList names;
  for (const QString& entry : QDir(":/kvicon").entryList()) {
    const QString name = entry.left(entry.lastIndexOf('_'));
    if (!names.contains(name))
      names << name;
  }
  QWidget page;
  page.setWindowTitle(QTr("Icon library", "Библиотека значков"));
  auto* grid = new QGridLayout(&page);
  int row = 0;
  for (const QString& name : names) {
    int column = 0;
    for (int size : {16, 24, 32}) {
      auto* icon = new QLabel(&page);
      icon->setPixmap(KvGetIconSetFromIconLib(name.toStdString()).pixmap(size, size));
      grid->addWidget(icon, row % 6, (row / 6) * 4 + column++);
    }
    grid->addWidget(new QLabel(name, &page), row % 6, (row / 6) * 4 + 3);
    ++row;
  }
  stage.Present(&page);
}

} // namespace

GalleryArea ModulePages() {
  return {"Application services",
          {
              {"splash", "Splash screen", &Splash},
              {"about", "About box", &About},
              {"cursors", "Cursor set", &Cursors},
              {"icons", "Icon library", &Icons},
          }};
}
