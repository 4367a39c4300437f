// Progress: the items of a level, the bar, the frame with nested levels
// (running and paused), the iterations panel and the busy indicator.

#include "gallery.h"

#include "kvsuite/kvmessage.h"

#include "progress/qtprogressindicatorwidget.h"
#include "progress/tkvqtprogressbar.h"
#include "progress/tkvqtprogressframe.h"
#include "progress/tkvqtprogressitem.h"

#include "kvsuite/kvinterface.h"
#include "kvsuite/kvprogress.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <cmath>

namespace {

// The three levels of a terrain analysis, as the demo runs it.
void StartTerrainLevels(TKvQtProgressFrame& f) {
  f.Start(0, lmlVisible);
  f.SetMessage(0, Tr("Terrain analysis: srtm_n55e037.tif", "Анализ рельефа: srtm_n55e037.tif"));
  f.SetPos(0, 0.58);
  f.Start(1, lmlVisible);
  f.SetMessage(1, Tr("Terrain derivatives", "Производные рельефа"));
  f.SetPos(1, 0.31);
  f.Start(2, lmlVisible);
  f.SetMessage(2, Tr("Slope, aspect and hillshade (8 threads)", "Крутизна, экспозиция и отмывка (8 потоков)"));
  f.SetPos(2, 0.64);
}

void ProgressItems(GalleryStage& stage) {
  QWidget page;
  page.setWindowTitle(QTr("Progress items", "Элементы прогресса"));
  auto* layout = new QVBoxLayout(&page);
  auto* top = new TKvQtProgressItem(true, &page);
  top->SetMessage(Tr("Mosaicking 146 orthophoto tiles (Pulkovo 1942 / Gauss-Kruger zone 7)",
                     "Сшивка 146 листов ортофото (Пулково 1942 / Гаусс-Крюгер, зона 7)"));
  top->SetPos(0.42);
  top->StartTimer();
  auto* nested = new TKvQtProgressItem(false, &page);
  nested->SetMessage(Tr("Resampling tile 57 of 146: bilinear, 0.5 m", "Передискретизация листа 57 из 146: билинейная, 0,5 м"));
  nested->SetPos(0.77);
  auto* busy = new TKvQtProgressItem(false, &page);
  busy->SetMessage(Tr("Reading the GeoTIFF overviews", "Чтение обзорных уровней GeoTIFF"));
  busy->SetIndefinite(true);
  for (QWidget* w : {static_cast<QWidget*>(top), static_cast<QWidget*>(nested), static_cast<QWidget*>(busy)})
    layout->addWidget(w);
  layout->addStretch();
  page.resize(560, page.sizeHint().height());
  stage.Present(&page);
}

void ProgressBars(GalleryStage& stage) {
  QWidget page;
  page.setWindowTitle(QTr("Progress bars", "Полосы прогресса"));
  auto* layout = new QVBoxLayout(&page);
  auto* determinate = new TKvQtProgressBar(&page);
  determinate->setBarIndefinite(false);
  determinate->setValue(73.6);
  auto* busy = new TKvQtProgressBar(&page);
  busy->setBarIndefinite(true);
  layout->addWidget(new QLabel(QTr("Writing contours_10m.shp", "Запись contours_10m.shp"), &page));
  layout->addWidget(determinate);
  layout->addWidget(new QLabel(QTr("Waiting for the WMS server", "Ожидание ответа WMS-сервера"), &page));
  layout->addWidget(busy);
  page.resize(420, page.sizeHint().height());
  stage.Present(&page);
}

void ProgressFrame(GalleryStage& stage) {
  TKvQtProgressFrame f;
  f.setWindowTitle(QTr("Progress frame", "Окно прогресса"));
  StartTerrainLevels(f);
  f.resize(600, f.sizeHint().height());
  stage.Present(&f);
}

void ProgressFramePaused(GalleryStage& stage) {
  TKvQtProgressFrame f;
  f.setWindowTitle(QTr("Progress frame", "Окно прогресса"));
  StartTerrainLevels(f);
  f.SetPaused(true);
  f.resize(600, f.sizeHint().height());
  stage.Present(&f);
  f.SetPaused(false);
}

double LogScale(double value, double top, double low) {
  if (!(value > 0) || !(top > low) || !(low > 0))
    return 1.0;
  return (std::log10(top) - std::log10(value)) / (std::log10(top) - std::log10(low));
}

void IterationsPanel(GalleryStage& stage) {
  TKvQtProgressFrame f;
  f.setWindowTitle(QTr("Iterations", "Итерации"));
  f.Start(0, lmlVisible);
  f.SetMessage(0, Tr("Network adjustment: 412 GNSS baselines", "Уравнивание сети: 412 базовых линий ГНСС"));
  f.SetPos(0, 0.8);
  auto* it = KvGetInterface<IKvIterationsProgress>(f.KvInterface(), &IKvIterationsProgress::IKvIterationsProgressUIDObj);
  if (!it)
    throw TKvMessage("@The progress frame offers no iterations progress");
  it->Start(1e-4, &LogScale);
  const double corrections[] = {0.84, 0.21, 0.047, 0.012, 0.0031, 0.00082, 0.00019};
  int i = 0;
  for (double c : corrections) {
    ++i;
    it->NextIteration(i, c, 0.012 + 0.3 * c);
  }
  f.resize(600, f.sizeHint().height());
  stage.Present(&f);
  it->End();
}

void BusyIndicator(GalleryStage& stage) {
  QWidget page;
  page.setWindowTitle(QTr("Busy indicator", "Индикатор занятости"));
  auto* layout = new QHBoxLayout(&page);
  auto* spinner = new QtProgressIndicatorWidget(&page);
  spinner->setColor(page.palette().color(QPalette::WindowText));
  spinner->setDisplayedWhenStopped(true);
  spinner->startAnimation();
  layout->addWidget(spinner);
  layout->addWidget(new QLabel(QTr("Connecting to the tile server tiles.geo.example…",
                                   "Подключение к серверу тайлов tiles.geo.example…"),
                               &page));
  stage.Present(&page);
  spinner->stopAnimation();
}

} // namespace

GalleryArea ProgressPages() {
  return {"Progress",
          {
              {"progress-items", "Progress items", &ProgressItems},
              {"progress-bars", "Progress bars", &ProgressBars},
              {"progress-frame", "Progress frame with nested levels", &ProgressFrame},
              {"progress-frame-paused", "Progress frame, paused", &ProgressFramePaused},
              {"progress-iterations", "Iterations panel", &IterationsPanel},
              {"busy-indicator", "Busy indicator", &BusyIndicator},
          }};
}
