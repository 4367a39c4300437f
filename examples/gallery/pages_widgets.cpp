// Widgets: the specialised controls of the library.

#include "gallery.h"

#include "widgets/tkvclickableqlabel.h"

#include <QFormLayout>
#include <QLineEdit>

namespace {

void ClickableLabel(GalleryStage& stage) {
  QWidget page;
  page.setWindowTitle(QTr("Layer properties", "Свойства слоя"));
  auto* form = new QFormLayout(&page);
  auto* name = new QLineEdit(QTr("Buildings (cadastre 2026)", "Здания (кадастр 2026)"), &page);
  form->addRow(QTr("Layer:", "Слой:"), name);
  auto* crs = new TKvClickableQLabel(
      QString("<a href=\"#\">%1</a>").arg(QTr("WGS 84 / UTM zone 37N (EPSG:32637)", "WGS 84 / UTM zone 37N (EPSG:32637)")),
      &page);
  crs->setToolTip(QTr("Click to choose another coordinate system", "Щелчок — выбор другой системы координат"));
  form->addRow(QTr("Coordinate system:", "Система координат:"), crs);
  page.resize(460, page.sizeHint().height());
  stage.Present(&page);
}

} // namespace

GalleryArea WidgetPages() {
  return {"Widgets",
          {
              {"clickable-label", "Clickable label", &ClickableLabel},
          }};
}
