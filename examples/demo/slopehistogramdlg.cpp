#include "slopehistogramdlg.h"
#include "terrain.h"

#include "widgets/tkvhistogramdata.h"

#include "kvsuite/kvconfig.h"
#include "kvsuite/kvdemtables.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

SlopeHistogramDlg::SlopeHistogramDlg(const Grid& g, const std::vector<float>& slope, QWidget* parent)
    : TKvQtHistogramDlg(parent) {
  setWindowTitle(QString::fromUtf8(getCurLanguageId() == "ru" ? "Распределение крутизны" : "Slope distribution"));
  std::vector<double> v;
  v.reserve(slope.size());
  for (int y = 1; y < g.Height - 1; ++y)
    for (int x = 1; x < g.Width - 1; ++x) {
      const size_t k = size_t(y) * size_t(g.Width) + size_t(x);
      if (k < slope.size() && std::isfinite(slope[k]))
        v.push_back(slope[k]);
    }
  THistogramParams p;
  if (!v.empty()) {
    double sum = 0, sq = 0;
    for (double d : v) {
      sum += d;
      sq += d * d;
    }
    const double n = double(v.size());
    p.Mean = sum / n;
    p.MeanAbs = p.Mean; // slopes are never negative
    p.RMS = std::sqrt(sq / n);
    p.StdDev = std::sqrt(std::max(0.0, sq / n - p.Mean * p.Mean));
    // About 60 bars of a round width up to the 99.9th percentile: the few
    // steep cells at the rims of filled voids would squeeze the rest.
    std::vector<double> sorted(v);
    const size_t top = std::min(sorted.size() - 1, size_t(double(sorted.size()) * 0.999));
    std::nth_element(sorted.begin(), sorted.begin() + top, sorted.end());
    const double upper = std::max(1e-3, sorted[top]);
    double width = 0.05;
    for (double w : {0.1, 0.2, 0.25, 0.5, 1.0, 2.0, 5.0})
      if (upper / width > 60)
        width = w;
    const int bins = std::max(1, int(std::ceil(upper / width)));
    TKvHistogramData h;
    if (h.Create(v.data(), v.size(), 0.0, bins * width, unsigned(bins))) {
      unsigned long best = 0;
      for (int i = 0; i < bins; ++i) {
        p.XValues.push_back(i * width);
        p.Counts.push_back(int(h.Bin(i)));
        if (h.Bin(i) > h.Bin(best))
          best = i;
      }
      p.Mode = (best + 0.5) * width;
    }
    std::nth_element(v.begin(), v.begin() + v.size() / 2, v.end());
    p.Median = v[v.size() / 2];
  }
  setHistogramParams(p);
  setUnitName("°");
}

void SlopeHistogramDlg::drawHistogram() {
  QWidget* area = histogramWidget();
  const auto& counts = FParams.Counts;
  if (!area || counts.empty())
    return;
  QPainter p(area);
  p.setRenderHint(QPainter::Antialiasing, false);
  const QRect r = area->rect().adjusted(30, 10, -10, -22);
  const int top = std::max(1, *std::max_element(counts.begin(), counts.end()));
  const double w = double(r.width()) / double(counts.size());
  p.fillRect(area->rect(), palette().base());
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(70, 120, 180));
  for (size_t i = 0; i < counts.size(); ++i) {
    const int h = int(std::lround(double(counts[i]) / top * r.height()));
    p.drawRect(QRectF(r.left() + i * w, r.bottom() - h, std::max(1.0, w - 1), h));
  }
  p.setPen(palette().color(QPalette::Text));
  p.setBrush(Qt::NoBrush);
  p.drawRect(r);
  const double width = FParams.XValues.size() >= 2 ? FParams.XValues[1] - FParams.XValues[0] : 1.0;
  const size_t step = std::max<size_t>(1, counts.size() / 6);
  for (size_t i = 0; i <= counts.size(); i += step)
    p.drawText(QRectF(r.left() + i * w - 25, r.bottom() + 2, 50, 18), Qt::AlignCenter,
               QString("%1°").arg(i * width, 0, 'g', 3));
}

QImage ShadedRelief(const Grid& g, const std::vector<float>& shade, const TKvElevationPalette& palette) {
  if (g.Width <= 0 || g.Height <= 0 || g.cells() != shade.size())
    return QImage();
  float lo = INFINITY, hi = -INFINITY;
  for (float z : g.Z)
    if (std::isfinite(z)) {
      lo = std::min(lo, z);
      hi = std::max(hi, z);
    }
  const double span = hi > lo ? double(hi - lo) : 1.0;
  // A light from the north-west gives the familiar look; the soft all-round
  // shade of the run deepens the valleys.
  // The sun's azimuth 315° (clockwise from north) in the mathematical sense
  // of the aspect below: 360 - 315 + 90 = 135° counter-clockwise from east.
  const double sunZenith = 45.0 * 3.14159265358979 / 180.0, sunAzimuth = 135.0 * 3.14159265358979 / 180.0;
  // Slopes over a baseline of about one pixel of a 700-pixel view, raised by
  // the same factor: the large forms still show when the picture is seen
  // reduced, the way small-scale relief maps exaggerate heights.
  const int d = std::max(1, (std::max(g.Width, g.Height) + 350) / 700);
  const auto z = [&g](int x, int y) {
    return double(g.at(std::max(0, std::min(g.Width - 1, x)), std::max(0, std::min(g.Height - 1, y))));
  };
  QImage img(g.Width, g.Height, QImage::Format_RGB32);
  for (int y = 0; y < g.Height; ++y) {
    auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = 0; x < g.Width; ++x) {
      const size_t k = size_t(y) * size_t(g.Width) + size_t(x);
      double r, gr, b;
      palette.GetColor((double(g.Z[k]) - lo) / span, r, gr, b);
      const double dzdx = (z(x + d, y) - z(x - d, y)) / (2 * g.CellSize);
      const double dzdy = (z(x, y + d) - z(x, y - d)) / (2 * g.CellSize);
      const double slope = std::atan(std::hypot(dzdx, dzdy));
      const double aspect = std::atan2(dzdy, -dzdx);
      const double lit = std::max(0.0, std::cos(sunZenith) * std::cos(slope) +
                                           std::sin(sunZenith) * std::sin(slope) *
                                               std::cos(sunAzimuth - aspect));
      // Border cells have no all-round shade: give them the flat light.
      const double soft = std::min(1.0, double(shade[k] > 0 ? shade[k] : 0.707f) / 0.707);
      const double s = 0.4 + 0.75 * lit * soft;
      line[x] = qRgb(int(std::min(1.0, r * s) * 255), int(std::min(1.0, gr * s) * 255),
                     int(std::min(1.0, b * s) * 255));
    }
  }
  return img;
}
