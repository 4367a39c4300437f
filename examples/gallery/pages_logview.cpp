// Log view: the log window while an operation runs in it and once it waits
// for the user's OK, and the log table on its own.

#include "gallery.h"

#include "logview/tkvqtlogtable.h"
#include "logview/tqtlogview.h"
#include "progress/tkvqtprogressframe.h"

#include <QVBoxLayout>

namespace {

struct Record {
  TKvLogMsgType Type;
  TKvLogMsgLevel Level;
  const char* Time;
  const char* Source;
  const char* En;
  const char* Ru;
};

// What a terrain analysis of one SRTM tile writes to the log.
const Record kRecords[] = {
    {lmtInfo, lmlImportant, "2026-12-05T19:02:11.204Z", "Terrain",
     "Opened srtm_n55e037.tif: 3601 x 3601 cells, Int16, WGS 84 (EPSG:4326)",
     "Открыт srtm_n55e037.tif: 3601 x 3601 ячеек, Int16, WGS 84 (EPSG:4326)"},
    {lmtInfo, lmlVisible, "2026-12-05T19:02:12.930Z", "Terrain",
     "Reprojected to WGS 84 / UTM zone 37N (EPSG:32637), cell size 30 m, bilinear",
     "Перепроецирование в WGS 84 / UTM zone 37N (EPSG:32637), ячейка 30 м, билинейная интерполяция"},
    {lmtInfo, lmlInvisible, "2026-12-05T19:02:13.015Z", "Cache", "Raster block cache: 512 MiB, 8 worker threads",
     "Кэш блоков растра: 512 МиБ, 8 рабочих потоков"},
    {lmtWarning, lmlImportant, "2026-12-05T19:02:19.477Z", "Voids",
     "Filled 1 284 void cells in 17 regions; the largest covers 3.4 ha",
     "Заполнено ячеек без данных: 1 284 в 17 областях; наибольшая — 3,4 га"},
    {lmtInfo, lmlImportant, "2026-12-05T19:02:31.862Z", "Slope",
     "Mean slope 7.9°, steepest 41.2°, steeper than 30°: 0.6 %",
     "Средняя крутизна 7,9°, наибольшая 41,2°, круче 30°: 0,6 %"},
    {lmtInfo, lmlImportant, "2026-12-05T19:02:31.870Z", "Aspect", "Most slopes face SW (17.3 %)",
     "Преобладающая экспозиция — ЮЗ (17,3 %)"},
    {lmtWarning, lmlVisible, "2026-12-05T19:02:40.118Z", "Export",
     "hillshade.img: the Erdas Imagine driver stores no vertical datum; EGM96 heights are written without it",
     "hillshade.img: драйвер Erdas Imagine не хранит высотную основу; высоты EGM96 записаны без неё"},
    {lmtError, lmlImportant, "2026-12-05T19:02:41.502Z", "Export",
     "Cannot write slope.tif: no space left on device (/data/dem, 12 MiB free)",
     "Не удаётся записать slope.tif: на устройстве нет места (/data/dem, свободно 12 МиБ)"},
};

void Fill(TKvQtLogTable& table) {
  for (const Record& r : kRecords)
    table.AddMessage(r.Type, r.Level, 0, r.Time, r.Source, Tr(r.En, r.Ru));
  table.FlushLayout();
}

void LogWindowRunning(GalleryStage& stage) {
  TQtLogView view;
  view.ShowProgress(true);
  TKvQtProgressFrame* f = view.GetProgress();
  f->Start(0, lmlVisible);
  f->SetMessage(0, Tr("Terrain analysis: srtm_n55e037.tif", "Анализ рельефа: srtm_n55e037.tif"));
  f->SetPos(0, 0.72);
  f->Start(1, lmlVisible);
  f->SetMessage(1, Tr("Writing hillshade.img (Erdas Imagine)", "Запись hillshade.img (Erdas Imagine)"));
  f->SetPos(1, 0.35);
  Fill(*view.GetLogTable());
  view.SetMsgLevel(TKvQtLogTable::mlInfo);
  view.resize(760, 520);
  stage.Present(&view);
  f->End(0);
}

void LogWindowFinished(GalleryStage& stage) {
  TQtLogView view;
  Fill(*view.GetLogTable());
  view.resize(760, 440);
  view.SmartModalShow();
  stage.PresentModal([&view] { view.WaitOK(); });
  view.SmartModalHide();
}

void LogTable(GalleryStage& stage) {
  QWidget page;
  page.setWindowTitle(QTr("Log messages", "Сообщения журнала"));
  auto* layout = new QVBoxLayout(&page);
  auto* table = new TKvQtLogTable(&page);
  layout->addWidget(table);
  Fill(*table);
  table->SetMessageLevel(TKvQtLogTable::mlOther);
  page.resize(680, 300);
  stage.Present(&page);
}

} // namespace

GalleryArea LogViewPages() {
  return {"Log view",
          {
              {"log-window", "Log window with a running operation", &LogWindowRunning},
              {"log-window-finished", "Log window waiting for OK", &LogWindowFinished},
              {"log-table", "Log message table", &LogTable},
          }};
}
