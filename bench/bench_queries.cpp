// The query dialogs' two hot spots beside plain Qt, in one run:
//
//   multiselect: TKvQtMultiSelectWidget filled with 10,000 checkable items,
//                shown, and laid out (events processed)
//   peer:        a default QListWidget filled with the same items the
//                straightforward way (QListWidgetItem per row, check state set)
//   parse:       KvStringToDoubleRange on typed numbers (with the decimal comma)
//   peer:        QLocale::c().toDouble on the same texts (without the range)
//
// Counters: items or texts per second, and for ours the ratio to the peer
// (above 1 means ours is faster).

#include "dialogs/tkvqtmultiselectwidget.h"

#include "kvsuite/kvrangeparse.h"

#include <QApplication>
#include <QListWidget>
#include <QLocale>

#include <chrono>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

namespace {

constexpr int kItems = 10000;
double gPeerListRate = 0;
double gPeerParseRate = 0;

const std::vector<std::string>& Items() {
  static const std::vector<std::string> items = [] {
    std::vector<std::string> v;
    for (int i = 0; i < kItems; ++i)
      v.push_back("layer " + std::to_string(i) + " (elevation, 1 m)");
    return v;
  }();
  return items;
}

const std::vector<std::string> kTexts = {"1",          " 2.5 ",    "-0", "1e3",
                                         "123456.789", "0.000001", "42", "3.14159265358979"};

template <class F> double Seconds(F f) {
  const auto t0 = std::chrono::steady_clock::now();
  f();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

} // namespace

static void BM_PeerListWidget(benchmark::State& state) {
  double secs = 0;
  for (auto _ : state) {
    secs += Seconds([] {
      QListWidget list;
      for (const std::string& s : Items()) {
        auto* item = new QListWidgetItem(QString::fromStdString(s), &list);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
      }
      list.show();
      QApplication::processEvents();
    });
  }
  gPeerListRate = kItems * double(state.iterations()) / secs;
  state.counters["items_per_s"] = gPeerListRate;
}
BENCHMARK(BM_PeerListWidget)->Unit(benchmark::kMillisecond)->UseRealTime();

static void BM_MultiSelectOpen(benchmark::State& state) {
  const std::vector<bool> values(Items().size(), false);
  double secs = 0;
  for (auto _ : state) {
    secs += Seconds([&] {
      TKvQtMultiSelectWidget w;
      w.SetValues(Items(), values);
      w.show();
      QApplication::processEvents();
    });
  }
  const double rate = kItems * double(state.iterations()) / secs;
  state.counters["items_per_s"] = rate;
  if (gPeerListRate > 0)
    state.counters["ratio_to_peer"] = rate / gPeerListRate;
}
BENCHMARK(BM_MultiSelectOpen)->Unit(benchmark::kMillisecond)->UseRealTime();

static void BM_PeerQLocaleToDouble(benchmark::State& state) {
  std::vector<QString> texts;
  for (const std::string& t : kTexts)
    texts.push_back(QString::fromStdString(t).trimmed());
  double secs = Seconds([&] {
    for (auto _ : state)
      for (const QString& t : texts) {
        bool ok = false;
        benchmark::DoNotOptimize(QLocale::c().toDouble(t, &ok));
      }
  });
  gPeerParseRate = double(kTexts.size()) * double(state.iterations()) / secs;
  state.counters["texts_per_s"] = gPeerParseRate;
}
BENCHMARK(BM_PeerQLocaleToDouble);

static void BM_ParseDoubleRange(benchmark::State& state) {
  double secs = Seconds([&] {
    for (auto _ : state)
      for (const std::string& t : kTexts) {
        double v = 0;
        benchmark::DoNotOptimize(KvStringToDoubleRange(t, -1e9, 1e9, &v, true));
      }
  });
  const double rate = double(kTexts.size()) * double(state.iterations()) / secs;
  state.counters["texts_per_s"] = rate;
  if (gPeerParseRate > 0)
    state.counters["ratio_to_peer"] = rate / gPeerParseRate;
}
BENCHMARK(BM_ParseDoubleRange);

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
