// Message boxes, each opened through its own function, the way programs of
// the suite call them.

#include "gallery.h"

#include "dialogs/tkvqmessagebox.h"

#include "kvsuite/kvconfig.h"

namespace {

void InfoMessage(GalleryStage& stage) {
  stage.PresentModal([] {
    KvQtInfoMessage(Tr("The elevation model dem_moscow_region.tif was saved: 12 288 x 9 216 cells, Float32, LZW.",
                       "Модель рельефа dem_moscow_region.tif сохранена: 12 288 x 9 216 ячеек, Float32, LZW."));
  });
}

void QuestionRemembered(GalleryStage& stage) {
  TKvOptionTable answers;
  stage.PresentModal([&answers] {
    KvQtQuestYesNo(Tr("Build overviews (2, 4, 8, 16) for ortho_2026_sheet_N-37-4.tif now?",
                      "Построить обзорные уровни (2, 4, 8, 16) для ortho_2026_sheet_N-37-4.tif сейчас?"),
                   &answers, "gallery/overviews");
  });
}

void QuestionYesNoCancel(GalleryStage& stage) {
  stage.PresentModal([] {
    KvQtQuestYesNoCancel(Tr("The layer \"Roads (OSM, 2026-11)\" has unsaved edits. Save them before closing?",
                            "В слое «Дороги (OSM, 2026-11)» есть несохранённые правки. Сохранить их перед закрытием?"));
  });
}

void AttentionYesNoCancel(GalleryStage& stage) {
  TKvOptionTable answers;
  stage.PresentModal([&answers] {
    KvQtAttentionYesNoCancel(
        Tr("contours_10m.shp already exists and is open in another project. Replace it?",
           "Файл contours_10m.shp уже существует и открыт в другом проекте. Заменить его?"),
        &answers, "gallery/replace");
  });
}

void WarningMessage(GalleryStage& stage) {
  stage.PresentModal([] {
    KvQtWarningMessage(Tr("2 317 points lie outside the zone of Pulkovo 1942 / Gauss-Kruger zone 7 (EPSG:28407); "
                          "their coordinates may be distorted by up to 1.8 m.",
                          "2 317 точек лежат вне зоны Пулково 1942 / Гаусс-Крюгер, зона 7 (EPSG:28407); "
                          "их координаты могут быть искажены до 1,8 м."));
  });
}

void RetryIgnore(GalleryStage& stage) {
  stage.PresentModal([] {
    KvQtWarningRetryIgnore(Tr("The WMS server did not answer within 30 s (tiles.geo.example, layer \"Landsat 9\").",
                              "WMS-сервер не ответил за 30 с (tiles.geo.example, слой «Landsat 9»)."));
  });
}

void AbortIgnore(GalleryStage& stage) {
  stage.PresentModal([] {
    KvQtWarningAbortIgnore(Tr("Sheet N-37-4-A has no georeference. Skip it and continue the mosaic?",
                              "У листа N-37-4-А нет привязки. Пропустить его и продолжить сшивку?"));
  });
}

void ErrorMessage(GalleryStage& stage) {
  stage.PresentModal([] {
    KvQtErrorMessage(Tr("Cannot open /data/lidar/block_07.las: permission denied.",
                        "Не удаётся открыть /data/lidar/block_07.las: доступ запрещён."));
  });
}

} // namespace

GalleryArea MessagePages() {
  return {"Messages",
          {
              {"message-info", "Information", &InfoMessage},
              {"message-question-once", "Question with a remembered answer", &QuestionRemembered},
              {"message-yes-no-cancel", "Question: yes, no or cancel", &QuestionYesNoCancel},
              {"message-attention", "Attention with a remembered answer", &AttentionYesNoCancel},
              {"message-warning", "Warning", &WarningMessage},
              {"message-retry-ignore", "Warning: retry or ignore", &RetryIgnore},
              {"message-abort-ignore", "Warning: abort or ignore", &AbortIgnore},
              {"message-error", "Error", &ErrorMessage},
          }};
}
