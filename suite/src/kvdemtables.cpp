// The suite's domain tables: elevation palettes, line styles and automatic
// attribute filling, with their texts in both languages.

#include "kvsuite/kvdemtables.h"

#include "kvsuite/kvconfig.h"

#include <cmath>
#include <utility>

namespace {

bool Russian() { return getCurLanguageId() == "ru"; }

struct TText {
  const char* En;
  const char* Ru;
  const char* Get() const { return Russian() ? Ru : En; }
};

} // namespace

// Elevation palettes ----------------------------------------------------------

TKvElevationPalette::TKvElevationPalette(std::string name, std::string captionEn, std::string captionRu,
                                         std::vector<TStop> stops)
    : FName(std::move(name)), FCaptionEn(std::move(captionEn)), FCaptionRu(std::move(captionRu)),
      FStops(std::move(stops))
{
}

const std::string& TKvElevationPalette::GetCaption() const { return Russian() ? FCaptionRu : FCaptionEn; }

const std::string& TKvElevationPalette::GetCaption(const std::string& languageId) const
{
  return languageId == "ru" ? FCaptionRu : FCaptionEn;
}

void TKvElevationPalette::GetColor(double t, double& r, double& g, double& b) const
{
  if (FStops.empty()) {
    r = g = b = 0;
    return;
  }
  const TStop* lo = &FStops.front();
  const TStop* hi = &FStops.back();
  if (!(t > lo->Pos)) { // also NaN
    r = lo->R, g = lo->G, b = lo->B;
    return;
  }
  if (t >= hi->Pos) {
    r = hi->R, g = hi->G, b = hi->B;
    return;
  }
  size_t i = 1;
  while (FStops[i].Pos < t) ++i;
  lo = &FStops[i - 1];
  hi = &FStops[i];
  const double f = (t - lo->Pos) / (hi->Pos - lo->Pos);
  r = lo->R + (hi->R - lo->R) * f;
  g = lo->G + (hi->G - lo->G) * f;
  b = lo->B + (hi->B - lo->B) * f;
}

const TKvElevationPalette* TKvElevationPalette::FindPalette(const std::string& name)
{
  for (const TKvElevationPalette& p : s_Palettes)
    if (p.GetName() == name) return &p;
  return nullptr;
}

// Colours from the usual hypsometric conventions: greens for lowlands,
// yellows and browns for hills and mountains, white for the highest peaks;
// blues from deep water to the shore.
const std::vector<TKvElevationPalette> TKvElevationPalette::s_Palettes = {
  {"terrain", "Terrain", "Рельеф",
   {{0.00, 0.00, 0.38, 0.19}, {0.15, 0.33, 0.62, 0.24}, {0.35, 0.93, 0.89, 0.55}, {0.55, 0.80, 0.60, 0.35},
    {0.75, 0.55, 0.36, 0.20}, {0.90, 0.60, 0.55, 0.52}, {1.00, 1.00, 1.00, 1.00}}},
  {"hypsometric", "Hypsometric tints", "Гипсометрическая шкала",
   {{0.00, 0.44, 0.66, 0.34}, {0.20, 0.67, 0.80, 0.50}, {0.40, 0.96, 0.93, 0.69}, {0.60, 0.90, 0.75, 0.50},
    {0.80, 0.76, 0.53, 0.34}, {1.00, 0.60, 0.36, 0.24}}},
  {"greys", "Shades of grey", "Оттенки серого", {{0.00, 0.00, 0.00, 0.00}, {1.00, 1.00, 1.00, 1.00}}},
  {"bathymetry", "Bathymetry", "Батиметрия",
   {{0.00, 0.03, 0.11, 0.33}, {0.50, 0.13, 0.40, 0.70}, {0.85, 0.45, 0.75, 0.90}, {1.00, 0.78, 0.93, 0.97}}},
  {"land_sea", "Sea and land", "Море и суша",
   {{0.00, 0.05, 0.15, 0.45}, {0.45, 0.55, 0.80, 0.95}, {0.50, 0.20, 0.55, 0.25}, {0.70, 0.85, 0.80, 0.45},
    {0.90, 0.55, 0.38, 0.22}, {1.00, 1.00, 1.00, 1.00}}},
  {"glacier", "Glacier", "Ледник",
   {{0.00, 0.38, 0.52, 0.66}, {0.50, 0.70, 0.82, 0.90}, {1.00, 1.00, 1.00, 1.00}}},
  {"desert", "Desert", "Пустыня",
   {{0.00, 0.96, 0.90, 0.72}, {0.40, 0.89, 0.76, 0.52}, {0.70, 0.78, 0.56, 0.34}, {1.00, 0.55, 0.33, 0.20}}},
};

// Line styles -----------------------------------------------------------------

namespace {

struct TLineStyleEntry {
  int Style;
  TText Name;
};

const TLineStyleEntry kLineStyles[] = {
  {TKvLineStyleParams::lsSolid, {"Solid", "Сплошная"}},
  {TKvLineStyleParams::lsDash, {"Dashed", "Штриховая"}},
  {TKvLineStyleParams::lsDot, {"Dotted", "Пунктирная"}},
  {TKvLineStyleParams::lsDashDot, {"Dash-dot", "Штрихпунктирная"}},
  {TKvLineStyleParams::lsDashDotDot, {"Dash-dot-dot", "Штрихпунктирная с двумя точками"}},
};
const unsigned long kLineStyleCount = sizeof kLineStyles / sizeof kLineStyles[0];

} // namespace

unsigned long TKvLineStyleParams::GetLineStylesCount() { return kLineStyleCount; }

int TKvLineStyleParams::GetLineStyle(unsigned long index)
{
  return index < kLineStyleCount ? kLineStyles[index].Style : -1;
}

std::string TKvLineStyleParams::GetLineStyleName(unsigned long index)
{
  return index < kLineStyleCount ? kLineStyles[index].Name.Get() : std::string();
}

// Automatic attribute filling ------------------------------------------------

namespace {

struct TModeEntry {
  TText Name;
  bool Units;
  int AttrType;
};

const TModeEntry kModes[TAutoFillAttr::afmCount] = {
  {{"Area", "Площадь"}, true, 0},
  {{"Area on the ellipsoid", "Площадь на эллипсоиде"}, true, 0},
  {{"Perimeter", "Периметр"}, false, 2},
  {{"Object number", "Номер объекта"}, false, 1},
  {{"Number of vertices", "Число вершин"}, false, 1},
};

struct TUnitsEntry {
  TText Name;
  double Factor;
};

const TUnitsEntry kUnits[TAutoFillAttr::asuCount] = {
  {{"Square map units", "Кв. единицы карты"}, 0.0},
  {{"Square metres", "Кв. метры"}, 1.0},
  {{"Hectares", "Гектары"}, 1.0e4},
  {{"Square kilometres", "Кв. километры"}, 1.0e6},
};

const char* const kTypesEn[AttrTemplateTypeCount + 1] = {"", "Integer", "Real", "Text", "Date", nullptr};
const char* const kTypesRu[AttrTemplateTypeCount + 1] = {"", "Целое", "Вещественное", "Строка", "Дата", nullptr};

bool ValidMode(int mode) { return mode >= 0 && mode < TAutoFillAttr::afmCount; }
bool ValidUnits(int units) { return units >= 0 && units < TAutoFillAttr::asuCount; }

} // namespace

std::string TAutoFillAttr::GetAFModeStr(int mode) { return ValidMode(mode) ? kModes[mode].Name.Get() : ""; }

std::string TAutoFillAttr::GetSquareUnitsStr(int units) { return ValidUnits(units) ? kUnits[units].Name.Get() : ""; }

bool TAutoFillAttr::GetUnitsEnabled(int mode) { return ValidMode(mode) && kModes[mode].Units; }

int TAutoFillAttr::GetAutoFillAttrType(int mode) { return ValidMode(mode) ? kModes[mode].AttrType : 0; }

double TAutoFillAttr::GetSquareUnitsFactor(int units) { return ValidUnits(units) ? kUnits[units].Factor : 0.0; }

const char* const* KvAttrTemplateTypeStrings() { return Russian() ? kTypesRu : kTypesEn; }
