// Draws the library's two splash images: a shaded-relief map with contour
// lines and the product name, and its variant for the high-performance
// edition. Run once (offscreen is enough); the PNG files are kept in the
// repository so that building the library needs nothing but rcc.
//
//   QT_QPA_PLATFORM=offscreen kvsplashgen OUTPUT_DIR
//
// writes OUTPUT_DIR/Splash.png and OUTPUT_DIR/SplashHPC.png. The terrain is
// computed from a fixed seed, so every run draws the same pictures.

#include <QColor>
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QTextStream>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

constexpr int kWidth = 600;
constexpr int kHeight = 360;

// Smooth value noise on a lattice, hashed so that no table is needed.
double latticeValue(int x, int y, uint32_t seed) {
  uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u + seed * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  h ^= h >> 16;
  return (h & 0xffffff) / double(0xffffff);
}

double smooth(double t) { return t * t * (3 - 2 * t); }

double valueNoise(double x, double y, uint32_t seed) {
  const int x0 = static_cast<int>(std::floor(x)), y0 = static_cast<int>(std::floor(y));
  const double fx = smooth(x - x0), fy = smooth(y - y0);
  const double a = latticeValue(x0, y0, seed), b = latticeValue(x0 + 1, y0, seed);
  const double c = latticeValue(x0, y0 + 1, seed), d = latticeValue(x0 + 1, y0 + 1, seed);
  return (a + (b - a) * fx) + ((c + (d - c) * fx) - (a + (b - a) * fx)) * fy;
}

// Elevation in metres: a ridge with a few summits over fractal noise.
std::vector<double> makeTerrain(uint32_t seed) {
  std::vector<double> h(static_cast<size_t>(kWidth) * kHeight);
  struct Hill { double x, y, r, height; };
  const Hill hills[] = {{140, 120, 85, 700}, {330, 90, 100, 950}, {470, 170, 75, 650},
                        {250, 240, 65, 380}, {530, 50, 60, 520}, {60, 40, 70, 450}};
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      double e = 0;
      for (const Hill& hill : hills) {
        const double d2 = ((x - hill.x) * (x - hill.x) + (y - hill.y) * (y - hill.y)) / (hill.r * hill.r);
        e += hill.height * std::exp(-d2);
      }
      double amp = 560, freq = 1.0 / 120;
      for (int octave = 0; octave < 6; ++octave) {
        e += amp * (valueNoise(x * freq, y * freq, seed + octave) - 0.5);
        amp *= 0.5;
        freq *= 2.03;
      }
      // The valley floor towards the bottom holds a lake.
      e -= 260 * std::max(0.0, (y - 200) / 160.0);
      h[static_cast<size_t>(y) * kWidth + x] = e;
    }
  }
  return h;
}

QColor mix(const QColor& a, const QColor& b, double t) {
  t = std::clamp(t, 0.0, 1.0);
  return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * t, a.greenF() + (b.greenF() - a.greenF()) * t,
                          a.blueF() + (b.blueF() - a.blueF()) * t);
}

struct Stop { double height; QColor color; };

QColor ramp(const std::vector<Stop>& stops, double e) {
  if (e <= stops.front().height) return stops.front().color;
  for (size_t i = 1; i < stops.size(); ++i) {
    if (e <= stops[i].height)
      return mix(stops[i - 1].color, stops[i].color,
                 (e - stops[i - 1].height) / (stops[i].height - stops[i - 1].height));
  }
  return stops.back().color;
}

struct Style {
  std::vector<Stop> land;
  QColor water;
  QColor contour;
  QColor accent;
  QString edition;
};

QImage drawRelief(const std::vector<double>& h, const Style& style) {
  QImage img(kWidth, kHeight, QImage::Format_ARGB32);
  const double seaLevel = 0;
  const double interval = 50; // metres between contour lines
  auto at = [&](int x, int y) {
    x = std::clamp(x, 0, kWidth - 1);
    y = std::clamp(y, 0, kHeight - 1);
    return h[static_cast<size_t>(y) * kWidth + x];
  };
  // Light from the north-west, 45 degrees above the horizon.
  const double az = 315 * M_PI / 180, alt = 45 * M_PI / 180;
  const double lx = std::sin(az) * std::cos(alt), ly = -std::cos(az) * std::cos(alt), lz = std::sin(alt);
  for (int y = 0; y < kHeight; ++y) {
    auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = 0; x < kWidth; ++x) {
      const double e = at(x, y);
      const double dx = (at(x + 1, y) - at(x - 1, y)) / 2, dy = (at(x, y + 1) - at(x, y - 1)) / 2;
      const double exaggeration = 1.0 / 12; // metres to pixels
      const double nx = -dx * exaggeration, ny = -dy * exaggeration, nz = 1;
      const double shade = std::max(0.0, (nx * lx + ny * -ly + nz * lz) / std::sqrt(nx * nx + ny * ny + nz * nz));

      QColor c;
      if (e < seaLevel) {
        c = mix(style.water.lighter(115), style.water.darker(130), -e / 300);
      } else {
        c = ramp(style.land, e);
        const double s = 0.55 + 0.6 * shade;
        c = QColor::fromRgbF(std::min(1.0, c.redF() * s), std::min(1.0, c.greenF() * s), std::min(1.0, c.blueF() * s));
        // Antialiased contours: distance to the nearest level in pixels.
        const double grad = std::hypot(dx, dy) / interval;
        const double f = e / interval;
        const double dist = std::abs(f - std::round(f)) / std::max(grad, 1e-6);
        const bool index = static_cast<long>(std::lround(f)) % 5 == 0;
        const double width = index ? 0.9 : 0.45;
        const double alpha = std::clamp(width + 0.5 - dist, 0.0, 1.0) * (index ? 0.75 : 0.45);
        c = mix(c, style.contour, alpha);
      }
      line[x] = c.rgb();
    }
  }
  return img;
}

void drawOverlay(QImage& img, const Style& style) {
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);

  // Graticule with coordinate ticks, as on a printed map sheet.
  p.setPen(QPen(QColor(255, 255, 255, 70), 1, Qt::DashLine));
  for (int x = 100; x < kWidth; x += 100) p.drawLine(QPointF(x + 0.5, 0), QPointF(x + 0.5, kHeight));
  for (int y = 90; y < kHeight; y += 90) p.drawLine(QPointF(0, y + 0.5), QPointF(kWidth, y + 0.5));
  QFont tick(QStringLiteral("DejaVu Sans"));
  tick.setPixelSize(10);
  p.setFont(tick);
  p.setPen(QColor(255, 255, 255, 170));
  for (int i = 1; i * 100 < kWidth; ++i)
    p.drawText(QPointF(i * 100 + 4, 13), QStringLiteral("%1°%2′E").arg(36 + i / 2).arg(i % 2 ? 30 : 0, 2, 10, QLatin1Char('0')));
  for (int i = 1; i * 90 < kHeight - 110; ++i)
    p.drawText(QPointF(4, i * 90 - 4), QStringLiteral("%1°%2′N").arg(55 - i / 2).arg(i % 2 ? 30 : 0, 2, 10, QLatin1Char('0')));

  // A title band at the bottom, dark enough for white text on any terrain.
  const QRectF band(0, kHeight - 110, kWidth, 110);
  QLinearGradient fade(band.topLeft(), band.bottomLeft());
  fade.setColorAt(0, QColor(10, 18, 28, 0));
  fade.setColorAt(0.35, QColor(10, 18, 28, 190));
  fade.setColorAt(1, QColor(10, 18, 28, 235));
  p.fillRect(band, fade);
  p.fillRect(QRectF(32, kHeight - 68, 4, 44), style.accent);

  QFont title(QStringLiteral("DejaVu Sans"));
  title.setPixelSize(40);
  title.setBold(true);
  p.setFont(title);
  p.setPen(Qt::white);
  const QString name = QStringLiteral("KvQtCpnt");
  p.drawText(QPointF(48, kHeight - 38), name);
  const double nameWidth = QFontMetricsF(title).horizontalAdvance(name);

  if (!style.edition.isEmpty()) {
    QFont badgeFont(QStringLiteral("DejaVu Sans"));
    badgeFont.setPixelSize(20);
    badgeFont.setBold(true);
    const QString badge = style.edition;
    const double w = QFontMetricsF(badgeFont).horizontalAdvance(badge) + 18;
    const QRectF box(48 + nameWidth + 14, kHeight - 68, w, 30);
    p.setPen(Qt::NoPen);
    p.setBrush(style.accent);
    p.drawRoundedRect(box, 5, 5);
    p.setFont(badgeFont);
    p.setPen(QColor(10, 18, 28));
    p.drawText(box, Qt::AlignCenter, badge);
  }

  QFont sub(QStringLiteral("DejaVu Sans"));
  sub.setPixelSize(14);
  p.setFont(sub);
  p.setPen(QColor(220, 228, 235));
  p.drawText(QPointF(49, kHeight - 16), style.edition.isEmpty()
                                            ? QStringLiteral("Qt components for geospatial processing")
                                            : QStringLiteral("High-performance edition · geospatial processing"));

  // North arrow in the upper right corner.
  p.save();
  p.translate(kWidth - 38, 48);
  QPainterPath left, right;
  left.moveTo(0, -22); left.lineTo(-9, 12); left.lineTo(0, 6); left.closeSubpath();
  right.moveTo(0, -22); right.lineTo(9, 12); right.lineTo(0, 6); right.closeSubpath();
  p.setPen(QPen(QColor(20, 25, 30), 1.2));
  p.setBrush(Qt::white);
  p.drawPath(left);
  p.setBrush(QColor(20, 25, 30));
  p.drawPath(right);
  QFont north(QStringLiteral("DejaVu Sans"));
  north.setPixelSize(13);
  north.setBold(true);
  p.setFont(north);
  p.setPen(Qt::white);
  p.drawText(QRectF(-10, 13, 20, 16), Qt::AlignCenter, QStringLiteral("N"));
  p.restore();

  // Scale bar above the band.
  p.setPen(Qt::NoPen);
  for (int i = 0; i < 4; ++i) {
    p.setBrush(i % 2 ? QColor(20, 25, 30) : Qt::white);
    p.drawRect(QRectF(kWidth - 150 + i * 30, kHeight - 30, 30, 6));
  }
  p.setPen(QColor(220, 228, 235));
  p.setFont(tick);
  p.drawText(QPointF(kWidth - 152, kHeight - 36), QStringLiteral("0"));
  p.drawText(QPointF(kWidth - 46, kHeight - 36), QStringLiteral("20 km"));
}

} // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    QTextStream(stderr) << "usage: kvsplashgen OUTPUT_DIR\n";
    return 2;
  }
  const QDir out(QString::fromLocal8Bit(argv[1]));
  const std::vector<double> terrain = makeTerrain(20240611u);

  Style standard;
  standard.land = {{0, QColor(96, 140, 84)},    {250, QColor(140, 170, 96)}, {550, QColor(205, 190, 120)},
                   {850, QColor(170, 125, 80)}, {1150, QColor(150, 130, 120)}, {1400, QColor(245, 245, 240)}};
  standard.water = QColor(70, 130, 180);
  standard.contour = QColor(70, 45, 25);
  standard.accent = QColor(240, 170, 60);

  Style hpc;
  hpc.land = {{0, QColor(40, 70, 110)},     {300, QColor(60, 110, 150)}, {600, QColor(80, 150, 170)},
              {900, QColor(120, 180, 190)}, {1200, QColor(190, 220, 225)}, {1400, QColor(245, 250, 252)}};
  hpc.water = QColor(25, 35, 70);
  hpc.contour = QColor(10, 25, 45);
  hpc.accent = QColor(90, 220, 200);
  hpc.edition = QStringLiteral("HPC");

  int rc = 0;
  for (const auto& [style, file] : {std::pair<const Style&, QString>(standard, QStringLiteral("Splash.png")),
                                    std::pair<const Style&, QString>(hpc, QStringLiteral("SplashHPC.png"))}) {
    QImage img = drawRelief(terrain, style);
    drawOverlay(img, style);
    if (!img.convertToFormat(QImage::Format_RGB32).save(out.filePath(file), "PNG")) {
      QTextStream(stderr) << "cannot write " << out.filePath(file) << "\n";
      rc = 1;
    }
  }
  return rc;
}
