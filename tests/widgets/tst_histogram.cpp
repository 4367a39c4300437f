// Histogram counting and the histogram widget (bins, cursor, axis labels).

#include "kvtestsupport.h"

#include "widgets/tkvhistogramdata.h"
#include "widgets/tkvqhistogram.h"

#include <QPaintEngine>
#include <QPainter>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

Q_DECLARE_METATYPE(std::vector<double>)

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

// The counting rule written out plainly: (v - min) / width truncated, the
// maximum in the last bin, values without a bin skipped.
std::vector<unsigned long> Reference(const std::vector<double>& v, double min, double max, unsigned long bins) {
  std::vector<unsigned long> out(bins);
  const double w = (max - min) / bins;
  for (double x : v)
    if (x >= min && x <= max)
      out[std::min<unsigned long>(static_cast<unsigned long>((x - min) / w), bins - 1)]++;
  return out;
}

std::vector<unsigned long> Bins(TKvHistogramData& h) {
  std::vector<unsigned long> out(h.BinCount());
  unsigned long highest = 0;
  h.GetHistogramData(out.data(), &highest);
  return out;
}

// A paint device of a given width that records where texts go.
class TTextRecorder : public QPaintDevice, public QPaintEngine {
public:
  struct TText {
    double Left, Right;
  };
  std::vector<TText> Texts;
  int W = 100;

  QPaintEngine* paintEngine() const override { return const_cast<TTextRecorder*>(this); }
  bool begin(QPaintDevice*) override { return true; }
  bool end() override { return true; }
  void updateState(const QPaintEngineState&) override {}
  void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
  void drawTextItem(const QPointF& p, const QTextItem& ti) override { Texts.push_back({p.x(), p.x() + ti.width()}); }
  Type type() const override { return User; }

protected:
  int metric(PaintDeviceMetric m) const override {
    switch (m) {
    case PdmWidth: return W;
    case PdmHeight: return 100;
    case PdmDpiX: case PdmDpiY: case PdmPhysicalDpiX: case PdmPhysicalDpiY: return 96;
    case PdmDevicePixelRatioScaled: return int(QPaintDevice::devicePixelRatioFScale());
    default: return 1;
    }
  }
};

} // namespace

class TestHistogram : public QObject {
  Q_OBJECT
private slots:
  void cleanup() { KV_VERIFY_NO_TOPLEVELS(); }

  void createMatchesTheRule_data() {
    QTest::addColumn<std::vector<double>>("values");
    QTest::addColumn<double>("min");
    QTest::addColumn<double>("max");
    QTest::addColumn<int>("bins");
    std::mt19937_64 gen(7);
    std::normal_distribution<double> normal(250.0, 60.0);
    std::vector<double> random(50000);
    for (double& x : random)
      x = normal(gen);
    QTest::newRow("normal values, 613 bins") << random << 70.0 << 430.0 << 613;
    // Values on bin edges, where a multiplication by the reciprocal of the
    // width picks a different bin than the division does.
    std::vector<double> grid;
    for (int i = 0; i <= 1000; ++i)
      grid.push_back(i * 0.1);
    QTest::newRow("tenths in 10 bins of [0, 1]") << grid << 0.0 << 1.0 << 10;
    QTest::newRow("tenths in 300 bins of [0, 100]") << grid << 0.0 << 100.0 << 300;
    QTest::newRow("tenths in 7 bins of [0.3, 0.9]") << grid << 0.3 << 0.9 << 7;
    std::vector<double> hundredths;
    for (int i = 0; i <= 10000; ++i)
      hundredths.push_back(i * 0.01);
    QTest::newRow("hundredths in 1000 bins of [0, 100]") << hundredths << 0.0 << 100.0 << 1000;
    std::vector<double> ints;
    for (int i = -50; i <= 50; ++i)
      ints.push_back(i);
    QTest::newRow("integers, width 1/3") << ints << 0.0 << 30.0 << 90;
    QTest::newRow("no numbers and outside values")
        << std::vector<double>{kNaN, 1.0, kInf, -kInf, -1.0, 11.0, kNaN, 10.0, 0.0, 5.0} << 0.0 << 10.0 << 10;
  }
  void createMatchesTheRule() {
    QFETCH(std::vector<double>, values);
    QFETCH(double, min);
    QFETCH(double, max);
    QFETCH(int, bins);
    TKvHistogramData h;
    QVERIFY(h.Create(values.data(), values.size(), min, max, bins));
    const std::vector<unsigned long> expected = Reference(values, min, max, bins);
    QCOMPARE(Bins(h), expected);
    QCOMPARE(h.MaxBinCount(), *std::max_element(expected.begin(), expected.end()));
    for (double x : values)
      if (x >= min && x <= max)
        QCOMPARE(h.GetValueFreq(x), expected[std::min<unsigned long>((x - min) / ((max - min) / bins), bins - 1)]);
  }

  // Enough values for the count to be shared between threads: the result
  // must be the rule's, and the sum of the same data counted in slices too
  // small to be shared. Values on bin edges, no numbers and outside values
  // at both ends and in the middle, so every thread meets some.
  void createLargeInputMatchesSlices() {
    std::mt19937_64 gen(11);
    std::normal_distribution<double> normal(50.0, 20.0);
    std::vector<double> v(3000000);
    for (size_t i = 0; i < v.size(); ++i) {
      const bool edges = i < 200000 || (i >= 1400000 && i < 1500000) || i >= 2900000;
      v[i] = edges ? static_cast<double>(i % 10001) * 0.01 : normal(gen);
      if (i % 4099 == 0)
        v[i] = kNaN;
      else if (i % 5003 == 0)
        v[i] = -v[i] - 1;
    }
    const double min = 0, max = 100;
    const unsigned long bins = 1000; // many hundredths lie on an edge
    TKvHistogramData h;
    QVERIFY(h.Create(v.data(), v.size(), min, max, bins));
    const std::vector<unsigned long> whole = Bins(h);
    QCOMPARE(whole, Reference(v, min, max, bins));
    std::vector<unsigned long> sliced(bins);
    for (size_t i = 0; i < v.size(); i += 100000) {
      TKvHistogramData part;
      QVERIFY(part.Create(v.data() + i, std::min<size_t>(100000, v.size() - i), min, max, bins));
      const std::vector<unsigned long> b = Bins(part);
      for (unsigned long k = 0; k < bins; ++k)
        sliced[k] += b[k];
    }
    QCOMPARE(whole, sliced);
    QCOMPARE(h.MaxBinCount(), *std::max_element(whole.begin(), whole.end()));
  }

  void createEdgeCases() {
    const double v[] = {0, 5, 10};
    TKvHistogramData h;
    QVERIFY(h.Create(v, 3, 0, 10, 10));
    QCOMPARE(Bins(h), (std::vector<unsigned long>{1, 0, 0, 0, 0, 1, 0, 0, 0, 1}));
    QCOMPARE(h.MaxBinCount(), 1ul);
    QCOMPARE(h.GetValueFreq(10), 1ul);
    QCOMPARE(h.GetValueFreq(std::nextafter(10.0, 11.0)), 0ul);
    QCOMPARE(h.GetValueFreq(kNaN), 0ul);
    // The same bin count again starts from zero.
    const double w[] = {1};
    QVERIFY(h.Create(w, 1, 0, 10, 10));
    QCOMPARE(Bins(h), (std::vector<unsigned long>{0, 1, 0, 0, 0, 0, 0, 0, 0, 0}));
    // Ten million bins for three values.
    QVERIFY(h.Create(v, 3, 0, 10, 10000000));
    QCOMPARE(h.MaxBinCount(), 1ul);
    QCOMPARE(h.GetValueFreq(5), 1ul);
  }

  void createRefuses_data() {
    QTest::addColumn<double>("min");
    QTest::addColumn<double>("max");
    QTest::addColumn<int>("bins");
    QTest::newRow("min above max") << 2.0 << 1.0 << 10;
    QTest::newRow("empty range") << 1.0 << 1.0 << 10;
    QTest::newRow("zero bins") << 0.0 << 1.0 << 0;
    QTest::newRow("NaN minimum") << kNaN << 1.0 << 10;
    QTest::newRow("infinite maximum") << 0.0 << kInf << 10;
    QTest::newRow("width underflows") << 0.0 << 5e-324 << 2;
    QTest::newRow("more bins than a plot has columns") << 0.0 << 1.0 << -1; // as unsigned long: huge
  }
  void createRefuses() {
    QFETCH(double, min);
    QFETCH(double, max);
    QFETCH(int, bins);
    const double v[] = {0.5, 1, 2};
    TKvHistogramData h;
    QVERIFY(h.Create(v, 3, 0, 4, 4));
    QVERIFY(!h.Create(v, 3, min, max, static_cast<unsigned long>(static_cast<long>(bins))));
    QCOMPARE(Bins(h), (std::vector<unsigned long>{1, 1, 1, 0})); // unchanged
    QVERIFY(!h.Create(nullptr, 3, 0, 4, 4)); // no values: false, counters zeroed
    QCOMPARE(Bins(h), (std::vector<unsigned long>{0, 0, 0, 0}));
  }

  void widgetAxisAndBins() {
    TKvQHistogram w;
    w.resize(110, 80); // plot width 100
    const std::vector<double> threes(20, 3.0);
    w.setInputData(threes.data(), threes.size());
    w.setAutoAxisSize(true);
    QCOMPARE(w.axisMin(), 2.5); // one value: a range around it
    QCOMPARE(w.axisMax(), 3.5);
    QCOMPARE(w.histogramData()->BinCount(), 100ul);
    QCOMPARE(w.histogramData()->MaxBinCount(), 20ul);
    // Narrower than the margins: no bins, painting still works.
    w.resize(8, 80);
    w.setInputData(threes.data(), threes.size());
    QCOMPARE(w.histogramData()->BinCount(), 0ul);
    for (int width : {1, 8, 61, 1500})
      w.resize(width, 60), w.updateHistogram(), w.grab();
    const std::vector<double> noise{kNaN, 1.0, kInf, 3.0, -kInf};
    w.setInputData(noise.data(), noise.size()); // the range of the finite values
    QCOMPARE(w.axisMin(), 1.0);
    QCOMPARE(w.axisMax(), 3.0);
  }

  void widgetLabelsNeverOverlap_data() {
    QTest::addColumn<double>("min");
    QTest::addColumn<double>("max");
    QTest::newRow("wide mixed-sign range") << -12345.5 << 987654.25;
    QTest::newRow("small fractions") << 0.000125 << 0.0031;
    QTest::newRow("huge values") << -1e15 << 3e15;
    QTest::newRow("narrow range far from zero") << 100000.0 << 100000.5;
  }

  void widgetLabelsNeverOverlap() {
    QFETCH(double, min);
    QFETCH(double, max);
    TKvQHistogram w;
    w.setAxisRange(min, max);
    for (int width = 12; width <= 1400; width += 7) {
      w.resize(width, 60);
      TTextRecorder rec;
      rec.W = width;
      {
        QPainter p(&rec);
        p.setFont(w.font());
        w.drawLabels(p);
      }
      const QByteArray at = "width " + QByteArray::number(width);
      QVERIFY2(!rec.Texts.empty() || width < 40, at.constData());
      for (size_t i = 0; i < rec.Texts.size(); ++i) {
        QVERIFY2(rec.Texts[i].Left >= 0, at.constData());
        QVERIFY2(i == 0 || rec.Texts[i].Left >= rec.Texts[i - 1].Right, ("overlap at " + at).constData());
      }
    }
  }

  void widgetCursor() {
    TKvQHistogram w;
    w.resize(110, 80);
    const double v[] = {0, 10};
    w.setAutoAxisSize(true);
    w.setInputData(v, 2);
    QSignalSpy spy(&w, &TKvQHistogram::cursorPositionChanged);
    w.setCursorPos(25); // clamped to the axis
    w.setCursorPos(25);
    w.setCursorPos(kNaN);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toDouble(), 10.0);
    QCOMPARE(w.valueToPos(5), 55);
    QCOMPARE(w.posToValue(55), 5.0);
    // A press at the left margin, then a drag past the right edge.
    QTest::mousePress(&w, Qt::RightButton, {}, QPoint(5, 40));
    QCOMPARE(w.cursorPos(), 0.0);
    const auto move = [&w](QPoint pos, Qt::MouseButtons buttons) {
      QMouseEvent e(QEvent::MouseMove, pos, w.mapToGlobal(pos), Qt::NoButton, buttons, Qt::NoModifier);
      QApplication::sendEvent(&w, &e);
    };
    move(QPoint(300, 40), Qt::RightButton);
    QCOMPARE(w.cursorPos(), 10.0);
    QTest::mouseRelease(&w, Qt::RightButton, {}, QPoint(300, 40));
    move(QPoint(30, 40), Qt::NoButton);
    QCOMPARE(w.cursorPos(), 10.0); // moves without a press are ignored
  }

};

QTEST_MAIN(TestHistogram)
#include "tst_histogram.moc"
