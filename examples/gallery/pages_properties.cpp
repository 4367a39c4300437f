// Property editing: the property sheet of a terrain analysis run, with
// numbers, a choice, switches, texts and file rows.

#include "gallery.h"

#include "properties/tenumproperty.h"
#include "properties/tkvqpropertiesdlg.h"
#include "properties/tqproperties.h"
#include "properties/tqproperty.h"

namespace {

enum Palette : int { palRelief = 0, palGrey = 1, palHypsometric = 2, palArctic = 3 };

void PropertySheet(GalleryStage& stage) {
  int modelOrder = 11;
  double cellSize = 30.0;
  unsigned long threads = 8;
  float zFactor = 1.0f;
  bool fillVoids = true;
  bool hillshade = true;
  Palette palette = palHypsometric;
  std::string name = Tr("Moscow region, 2026", "Московская область, 2026");
  std::string input = "/data/moscow_2026/dem/srtm_n55e037.tif";
  std::string output = "/data/moscow_2026/dem/slope_deg.tif";

  TQProperties props;
  props.AddItem(new TStringProperty(Tr("Project", "Проект"), Tr("Name of the analysis run", "Название расчёта"), &name));
  props.AddItem(new TFileOpenProperty(Tr("Elevation model", "Модель рельефа"),
                                      Tr("Source raster of heights", "Исходный растр высот"), &input,
                                      "GeoTIFF (*.tif)|*.tif|All files (*)|*"));
  props.AddItem(new TTypeProperty<int>(Tr("Model size, 2^N + 1 cells", "Размер модели, 2^N + 1 ячеек"),
                                       Tr("Order of the fractal model", "Порядок фрактальной модели"), 1, 5, 12,
                                       &modelOrder));
  props.AddItem(new TTypeProperty<double>(Tr("Cell size, m", "Размер ячейки, м"),
                                          Tr("Ground size of one cell", "Размер ячейки на местности"), 0.5, 0.5, 1000,
                                          &cellSize));
  props.AddItem(new TTypeProperty<float>(Tr("Vertical exaggeration", "Вертикальное преувеличение"),
                                         Tr("Factor applied to heights for the hillshade",
                                            "Множитель высот для отмывки"),
                                         0.1f, 0.1f, 10.0f, &zFactor));
  props.AddItem(new TTypeProperty<unsigned long>(Tr("Threads", "Потоки"),
                                                 Tr("Worker threads of the slope pass", "Рабочие потоки расчёта крутизны"),
                                                 1, 1, 64, &threads));
  props.AddItem(new TBoolProperty(Tr("Fill voids", "Заполнять пустоты"),
                                  Tr("Interpolate cells without data", "Интерполировать ячейки без данных"), &fillVoids));
  props.AddItem(new TBoolProperty(Tr("Hillshade", "Отмывка"), Tr("Compute the hillshade too", "Рассчитать и отмывку"),
                                  &hillshade));
  props.AddItem(new TEnumProperty(Tr("Elevation palette", "Палитра высот"),
                                  Tr("Colours of the hillshade", "Цвета отмывки"), &palette, sizeof(palette),
                                  {palRelief, palGrey, palHypsometric, palArctic},
                                  {Tr("Relief", "Рельеф"), Tr("Grey", "Серая"), Tr("Hypsometric", "Гипсометрическая"),
                                   Tr("Arctic", "Арктическая")}));
  props.AddItem(new TFileSaveProperty(Tr("Slope raster", "Растр крутизны"),
                                      Tr("Where the slope in degrees is written", "Куда записать крутизну в градусах"),
                                      &output, "GeoTIFF (*.tif)|*.tif"));

  TKvQPropertiesDlg dlg;
  dlg.setWindowTitle(QTr("Terrain analysis parameters", "Параметры анализа рельефа"));
  dlg.setParams(&props);
  stage.Present(&dlg);
}

} // namespace

GalleryArea PropertyPages() {
  return {"Property editing",
          {
              {"property-sheet", "Property sheet", &PropertySheet},
          }};
}
