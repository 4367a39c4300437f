// Queries, choice and text dialogs, each opened through its own function
// with what a program of the suite asks.

#include "gallery.h"

#include "dialogs/kvqtvaluequeries.h"
#include "dialogs/tkvbuttondecisiondlg.h"
#include "dialogs/tkvqtchecksdialog.h"
#include "dialogs/tkvqtmultiselectdlg.h"
#include "dialogs/tkvqtqueryrbselectdlg.h"
#include "dialogs/tkvqtquerystringlistdlg.h"
#include "dialogs/tkvqtqueryuniquestringdlg.h"
#include "dialogs/ttextquickviewdlg.h"

namespace {

void QueryDouble(GalleryStage& stage) {
  stage.PresentModal([] {
    double interval = 10;
    KvQtQueryDoubleStd(Tr("Contours", "Изолинии"), Tr("Contour interval, m (0.1 to 500):", "Шаг изолиний, м (от 0,1 до 500):"),
                       interval, 0.1, 500, 1);
  });
}

void QueryLong(GalleryStage& stage) {
  stage.PresentModal([] {
    long levels = 4;
    KvQtQueryLongStd(Tr("Overviews", "Обзорные уровни"),
                     Tr("Number of overview levels (1 to 12):", "Число обзорных уровней (от 1 до 12):"), levels, 1, 12);
  });
}

void QueryText(GalleryStage& stage) {
  stage.PresentModal([] {
    std::string name = Tr("Watersheds 1:50 000", "Водосборы 1:50 000");
    KvQtQueryTextInputStd(Tr("New layer", "Новый слой"), Tr("Layer name:", "Имя слоя:"), name);
  });
}

void QueryItem(GalleryStage& stage) {
  stage.PresentModal([] {
    int index = 1;
    std::string text;
    KvQtQueryItemStd(Tr("Export", "Экспорт"), Tr("Raster format:", "Формат растра:"),
                     {"GeoTIFF", "Cloud Optimized GeoTIFF", "Erdas Imagine (.img)", "ESRI ASCII Grid (.asc)",
                      "JPEG 2000 (.jp2)"},
                     index, text);
  });
}

void ButtonDecision(GalleryStage& stage) {
  stage.PresentModal([] {
    TKvButtonDecisionDlg::Execute(
        Tr("Coordinate system", "Система координат"),
        Tr("roads_2026.shp has no coordinate system. Which one are its coordinates in?",
           "У roads_2026.shp нет системы координат. В какой заданы его координаты?"),
        {"WGS 84 (EPSG:4326)", "WGS 84 / Pseudo-Mercator (EPSG:3857)",
         Tr("Pulkovo 1942 / Gauss-Kruger zone 7 (EPSG:28407)", "Пулково 1942 / Гаусс-Крюгер, зона 7 (EPSG:28407)"),
         "WGS 84 / UTM zone 37N (EPSG:32637)", Tr("Leave undefined", "Оставить неопределённой")},
        kvoVertical, 3, 4);
  });
}

void Checks(GalleryStage& stage) {
  bool world = true, overviews = true, stats = false, mask = false;
  stage.PresentModal([&] {
    TKvQtChecksDialog::Execute(Tr("Export", "Экспорт"),
                               Tr("Write beside dem_moscow_region.tif:", "Записать рядом с dem_moscow_region.tif:"),
                               {{Tr("World file (.tfw)", "Файл привязки (.tfw)"), &world},
                                {Tr("Overviews 2, 4, 8, 16", "Обзорные уровни 2, 4, 8, 16"), &overviews},
                                {Tr("Band statistics (.aux.xml)", "Статистика каналов (.aux.xml)"), &stats},
                                {Tr("No-data mask (.msk)", "Маска отсутствующих данных (.msk)"), &mask}});
  });
}

void MultiSelect(GalleryStage& stage) {
  stage.PresentModal([] {
    const std::vector<std::string> layers = {
        Tr("Relief: SRTM 1″ (N55E037)", "Рельеф: SRTM 1″ (N55E037)"),
        Tr("Contours, 10 m", "Изолинии, 10 м"),
        Tr("Hydrography: rivers and lakes", "Гидрография: реки и озёра"),
        Tr("Roads (OSM, 2026-11)", "Дороги (OSM, 2026-11)"),
        Tr("Buildings (cadastre 2026)", "Здания (кадастр 2026)"),
        Tr("Orthophoto 0.5 m, sheet N-37-4", "Ортофото 0,5 м, лист N-37-4"),
        Tr("Landsat 9, 2026-07-14, bands 4-3-2", "Landsat 9, 2026-07-14, каналы 4-3-2"),
    };
    std::vector<bool> ticks = {true, true, true, false, false, true, false};
    TKvQtMultiSelectDlg::Execute(Tr("Layers to export", "Слои для экспорта"), layers, &ticks);
  });
}

void RadioSelect(GalleryStage& stage) {
  stage.PresentModal([] {
    TKvQtQueryRBSelectDlg::ExecuteU(
        Tr("Open raster", "Открытие растра"),
        Tr("landsat9_20260714.tif has 7 bands. Open it as:", "В landsat9_20260714.tif 7 каналов. Открыть его как:"),
        {Tr("Natural colour composite (bands 4-3-2)", "Синтез в естественных цветах (каналы 4-3-2)"),
         Tr("False colour composite (bands 5-4-3)", "Синтез в ложных цветах (каналы 5-4-3)"),
         Tr("Seven single-band layers", "Семь одноканальных слоёв")},
        0, TKvQDialog::iconQuestion);
  });
}

void StringList(GalleryStage& stage) {
  stage.PresentModal([] {
    TKvQtQueryStringListDlg::Execute(
        {"WGS 84 (EPSG:4326)", "WGS 84 / Pseudo-Mercator (EPSG:3857)", "WGS 84 / UTM zone 36N (EPSG:32636)",
         "WGS 84 / UTM zone 37N (EPSG:32637)", "WGS 84 / UTM zone 38N (EPSG:32638)",
         Tr("Pulkovo 1942 / Gauss-Kruger zone 6 (EPSG:28406)", "Пулково 1942 / Гаусс-Крюгер, зона 6 (EPSG:28406)"),
         Tr("Pulkovo 1942 / Gauss-Kruger zone 7 (EPSG:28407)", "Пулково 1942 / Гаусс-Крюгер, зона 7 (EPSG:28407)"),
         "GSK-2011 (EPSG:7683)", "ETRS89 / LAEA Europe (EPSG:3035)"},
        false, Tr("Coordinate system of the project", "Система координат проекта"));
  });
}

void UniqueName(GalleryStage& stage) {
  stage.PresentModal([] {
    std::string name = Tr("Rivers (generalised)", "Реки (генерализация)");
    TKvQtQueryUniqueStringDlg::ExecuteEx(Tr("Name of the new layer:", "Имя нового слоя:"),
                                         Tr("Copy layer", "Копирование слоя"),
                                         {Tr("Rivers", "Реки"), Tr("Lakes", "Озёра"), Tr("Roads", "Дороги")},
                                         "/\\:*?\"<>|", name);
  });
}

void TextQuickView(GalleryStage& stage) {
  stage.PresentModal([] {
    TTextQuickViewDlg::Execute(
        Tr("Raster information", "Сведения о растре"),
        Tr("File: /data/dem/srtm_n55e037.tif\n"
           "Driver: GeoTIFF, tiled 256 x 256, LZW\n"
           "Size: 3601 x 3601 cells, 1 band, Int16\n"
           "Coordinate system: WGS 84 (EPSG:4326)\n"
           "Origin: 37.000139°E, 56.000139°N; cell: 0.000278° (about 30 m)\n"
           "Heights: EGM96, m; minimum 101, maximum 312, mean 176.4\n"
           "No data: -32768 (1 284 cells)",
           "Файл: /data/dem/srtm_n55e037.tif\n"
           "Драйвер: GeoTIFF, тайлы 256 x 256, LZW\n"
           "Размер: 3601 x 3601 ячеек, 1 канал, Int16\n"
           "Система координат: WGS 84 (EPSG:4326)\n"
           "Начало: 37,000139° в. д., 56,000139° с. ш.; ячейка 0,000278° (около 30 м)\n"
           "Высоты: EGM96, м; наименьшая 101, наибольшая 312, средняя 176,4\n"
           "Нет данных: -32768 (1 284 ячейки)"));
  });
}

} // namespace

GalleryArea DialogPages() {
  return {"Queries and choices",
          {
              {"query-double", "Number query", &QueryDouble},
              {"query-long", "Whole number query", &QueryLong},
              {"query-text", "Text query", &QueryText},
              {"query-item", "Choice from a list", &QueryItem},
              {"button-decision", "Decision by button", &ButtonDecision},
              {"checks", "Check boxes", &Checks},
              {"multi-select", "Multiple selection", &MultiSelect},
              {"radio-select", "Choice by command buttons", &RadioSelect},
              {"string-list", "Selection from a list of texts", &StringList},
              {"unique-name", "Unique name", &UniqueName},
              {"text-view", "Text quick view", &TextQuickView},
          }};
}
