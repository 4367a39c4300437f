// Widgets: the specialised controls of the library, each in the kind of form
// a program of the suite puts it in.

#include "gallery.h"

#include "widgets/tkvclickableqlabel.h"
#include "widgets/tkvdempalettescombobox.h"
#include "widgets/tkvfindwidget.h"
#include "widgets/tkvlinestylecombobox.h"
#include "widgets/tkvpresetqcombobox.h"
#include "widgets/tkvqcolorpickerbutton.h"
#include "widgets/tkvqfontpickerbutton.h"
#include "widgets/tkvqhistogram.h"
#include "widgets/tkvqradiobox.h"
#include "widgets/tkvqtattrsutils.h"
#include "widgets/tkvqtfinddlg.h"
#include "widgets/tkvqthistogramdlg.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// Slopes of a hilly terrain model, in degrees: mostly gentle, a long tail
// of steep valley sides. Deterministic, so every picture shows the same.
std::vector<double> SlopeSample() {
  std::vector<double> v;
  v.reserve(60000);
  unsigned state = 20261205u;
  auto uniform = [&state] {
    state = state * 1664525u + 1013904223u;
    return ((state >> 8) + 0.5) / double(1u << 24);
  };
  for (int i = 0; i < 60000; ++i) {
    // A gamma-like sum of exponentials, cut at the steepest slope.
    const double s = -3.1 * (std::log(uniform()) + std::log(uniform()));
    v.push_back(std::min(s, 48.0));
  }
  return v;
}

void ClickableLabel(GalleryStage& stage) {
  QWidget page;
  page.setWindowTitle(QTr("Layer properties", "Свойства слоя"));
  auto* form = new QFormLayout(&page);
  form->addRow(QTr("Layer:", "Слой:"), new QLineEdit(QTr("Buildings (cadastre 2026)", "Здания (кадастр 2026)"), &page));
  auto* crs = new TKvClickableQLabel(QString("<a href=\"#\">WGS 84 / UTM zone 37N (EPSG:32637)</a>"), &page);
  crs->setToolTip(QTr("Click to choose another coordinate system", "Щелчок — выбор другой системы координат"));
  form->addRow(QTr("Coordinate system:", "Система координат:"), crs);
  page.resize(460, page.sizeHint().height());
  stage.Present(&page);
}

void Histogram(GalleryStage& stage) {
  const std::vector<double> slopes = SlopeSample();
  QWidget page;
  page.setWindowTitle(QTr("Slope distribution", "Распределение крутизны"));
  auto* layout = new QVBoxLayout(&page);
  layout->addWidget(new QLabel(QTr("Slope of srtm_n55e037.tif, degrees", "Крутизна склонов srtm_n55e037.tif, градусы"), &page));
  auto* h = new TKvQHistogram(&page);
  h->setMinimumSize(480, 200);
  layout->addWidget(h);
  h->setAutoAxisSize(true);
  h->setInputData(slopes.data(), static_cast<unsigned long>(slopes.size()));
  h->setCursorPos(15.0);
  page.resize(page.sizeHint());
  layout->activate();
  h->updateHistogram();
  stage.Present(&page);
}

// The histogram frame with the drawing a program puts in it: bars of the
// counts in the parameter record.
class ElevationHistogramDlg : public TKvQtHistogramDlg {
protected:
  void drawHistogram() override {
    const std::vector<int>& counts = FParams.Counts;
    if (counts.empty())
      return;
    QPainter p(histogramWidget());
    const QRect area = histogramWidget()->rect().adjusted(6, 6, -6, -6);
    const int top = *std::max_element(counts.begin(), counts.end());
    const double w = double(area.width()) / counts.size();
    p.setPen(Qt::NoPen);
    p.setBrush(histogramWidget()->palette().color(QPalette::Highlight));
    for (size_t i = 0; i < counts.size(); ++i) {
      const int barHeight = int(double(counts[i]) / top * area.height());
      p.drawRect(QRectF(area.left() + i * w, area.bottom() - barHeight, std::max(1.0, w - 1), barHeight));
    }
  }
};

void HistogramDialog(GalleryStage& stage) {
  ElevationHistogramDlg dlg;
  dlg.setWindowTitle(QTr("Elevation histogram: dem_moscow_region.tif", "Гистограмма высот: dem_moscow_region.tif"));
  TKvQtHistogramDlg::THistogramParams params;
  params.Mean = 176.4;
  params.RMS = 181.2;
  params.StdDev = 41.3;
  params.MeanAbs = 33.8;
  params.Mode = 162.0;
  params.Median = 171.5;
  for (int i = 0; i < 48; ++i) {
    params.XValues.push_back(101 + i * 4.4);
    const double x = (i - 15.0) / 9.0;
    params.Counts.push_back(int(3000 * std::exp(-x * x / 2) + 400 * std::exp(-(i - 36.0) * (i - 36.0) / 20.0)));
  }
  dlg.setHistogramParams(params);
  dlg.setUnitName(Tr("m", "м"));
  dlg.showRecalButton();
  stage.Present(&dlg);
}

void FindBar(GalleryStage& stage) {
  QWidget page;
  page.setWindowTitle(QTr("Attribute table: parcels_2026", "Таблица атрибутов: parcels_2026"));
  auto* layout = new QVBoxLayout(&page);
  auto* find = new TKvFindWidget(&page);
  find->setShowOptions(TKvFindWidget::soShowAddToSelected);
  find->configureUI();
  find->setSearchText("50:21:0110105");
  layout->addWidget(find);
  auto* table = new QPlainTextEdit(&page);
  table->setReadOnly(true);
  table->setPlainText("50:21:0110105:1287\t1 204 m²\n50:21:0110105:1288\t986 m²\n50:21:0110105:1291\t2 310 m²");
  layout->addWidget(table);
  page.resize(560, 200);
  stage.Present(&page);
}

void FindDialog(GalleryStage& stage) {
  TKvQtFindDlg dlg;
  dlg.setWindowTitle(QTr("Find object", "Поиск объекта"));
  dlg.SetOptions(TKvQtFindDlg::foMatchCase | TKvQtFindDlg::foAddToSelectedShown);
  dlg.setSearchText(Tr("Moskva river", "р. Москва"));
  stage.Present(&dlg);
}

void RadioBox(GalleryStage& stage) {
  QWidget page;
  page.setWindowTitle(QTr("Reprojection", "Перепроецирование"));
  auto* layout = new QVBoxLayout(&page);
  auto* resampling = new TKvQRadioBox(&page);
  resampling->setTitle(QTr("Resampling", "Передискретизация"));
  resampling->setChoices({QTr("Nearest neighbour", "Ближайший сосед"), QTr("Bilinear", "Билинейная"),
                          QTr("Cubic convolution", "Кубическая свёртка"), QTr("Lanczos", "Ланцош")});
  resampling->setCurrentIdx(1);
  layout->addWidget(resampling);
  auto* format = new TKvQRadioBox(&page);
  format->setTitle(QTr("Output format", "Выходной формат"));
  format->setDirection(TKvQRadioBox::rdRows);
  format->setDimention(2);
  format->setChoices({"GeoTIFF", "Erdas Imagine", "ESRI ASCII Grid", "JPEG 2000"});
  format->setCurrentIdx(0);
  format->setChoiceEnabled(3, false);
  layout->addWidget(format);
  layout->addStretch();
  stage.Present(&page);
}

void PresetCombo(GalleryStage& stage) {
  QWidget page;
  page.setWindowTitle(QTr("Select by attributes", "Выбор по атрибутам"));
  auto* layout = new QVBoxLayout(&page);
  layout->addWidget(new QLabel(QTr("Condition:", "Условие:"), &page));
  auto* presets = new TKvPresetQComboBox(&page);
  for (const char* p : {"landuse = 'forest' AND area_ha > 5", "elevation BETWEEN 150 AND 200", "slope_deg > 15",
                        "road_class IN ('primary', 'secondary')"})
    presets->addPreset(p);
  layout->addWidget(presets);
  layout->addStretch();
  page.resize(460, page.sizeHint().height());
  stage.Present(&page);
}

void Pickers(GalleryStage& stage) {
  QWidget page;
  page.setWindowTitle(QTr("Contour style", "Стиль изолиний"));
  auto* form = new QFormLayout(&page);
  auto* colour = new TKvQColorPickerButton(QColor("#8c510a"), &page);
  colour->setTextVisible(true);
  form->addRow(QTr("Line colour:", "Цвет линий:"), colour);
  auto* fill = new TKvQColorPickerButton(QColor("#c7eae5"), &page);
  form->addRow(QTr("Label halo:", "Ореол подписей:"), fill);
  auto* font = new TKvQFontPickerButton(&page);
  font->setFont(QFont("Serif", 10, QFont::Normal, true));
  form->addRow(QTr("Label font:", "Шрифт подписей:"), font);
  stage.Present(&page);
}

void StyleCombos(GalleryStage& stage) {
  QWidget page;
  page.setWindowTitle(QTr("Layer style", "Стиль слоя"));
  auto* form = new QFormLayout(&page);
  auto* line = new TKvLineStyleComboBox(&page);
  line->setLineWidth(2);
  line->setCurrentIndex(std::min(1, line->count() - 1));
  form->addRow(QTr("Boundary line:", "Линия границы:"), line);
  auto* palette = new TKvDEMPalettesComboBox(&page);
  form->addRow(QTr("Elevation palette:", "Палитра высот:"), palette);
  page.resize(420, page.sizeHint().height());
  stage.Present(&page);
}

void AttributeCombos(GalleryStage& stage) {
  QWidget page;
  page.setWindowTitle(QTr("Automatic attribute", "Автоматический атрибут"));
  auto* form = new QFormLayout(&page);
  auto* purpose = new QComboBox(&page);
  auto* units = new QComboBox(&page);
  auto* type = new QComboBox(&page);
  auto* unitsLabel = new QLabel(QTr("Units:", "Единицы:"), &page);
  auto* typeLabel = new QLabel(QTr("Attribute type:", "Тип атрибута:"), &page);
  TKvQtAttrsUtils::FillAttrPurp(purpose);
  TKvQtAttrsUtils::FillAttrUnits(units, TAutoFillAttr::afmArea);
  TKvQtAttrsUtils::FillAttrType(type);
  TKvQtAttrsUtils::CheckAFAttrsButtons(TAutoFillAttr::afmArea, unitsLabel, units, typeLabel, type);
  units->setCurrentIndex(std::min(2, units->count() - 1));
  form->addRow(QTr("Value:", "Значение:"), purpose);
  form->addRow(unitsLabel, units);
  form->addRow(typeLabel, type);
  stage.Present(&page);
}

} // namespace

GalleryArea WidgetPages() {
  return {"Widgets",
          {
              {"histogram", "Histogram", &Histogram},
              {"histogram-dialog", "Histogram dialog", &HistogramDialog},
              {"find-bar", "Find bar", &FindBar},
              {"find-dialog", "Find dialog", &FindDialog},
              {"radio-box", "Radio box", &RadioBox},
              {"preset-combo", "Preset combo box", &PresetCombo},
              {"pickers", "Colour and font pickers", &Pickers},
              {"style-combos", "Line-style and elevation-palette combo boxes", &StyleCombos},
              {"attribute-combos", "Attribute combo helpers", &AttributeCombos},
              {"clickable-label", "Clickable label", &ClickableLabel},
          }};
}
