// The cost of bringing the module up and down: Init_KvQtCpnt loads the
// cursor set and initialises the suite layer, and must stay under 1 ms.
// Peer: constructing one QCursor from a pixmap, the unit of work it repeats.

#include "module/kvmodule_initializer.h"

#include <QApplication>
#include <QBitmap>
#include <QCursor>

#include <chrono>
#include <vector>

#include <benchmark/benchmark.h>

static void BM_InitDeinit(benchmark::State& state) {
  const auto t0 = std::chrono::steady_clock::now();
  for (auto _ : state) {
    Init_KvQtCpnt();
    Deinit_KvQtCpnt();
  }
  const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
  // The share of the 1 ms budget one start and stop takes (must stay below 1).
  state.counters["budget_share"] = ms / double(state.iterations()) / 1.0;
}
BENCHMARK(BM_InitDeinit)->Unit(benchmark::kMicrosecond);

static void BM_InitOnly(benchmark::State& state) {
  for (auto _ : state) {
    Init_KvQtCpnt();
    state.PauseTiming();
    Deinit_KvQtCpnt();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_InitOnly)->Unit(benchmark::kMicrosecond);

static void BM_PeerOneBitmapCursor(benchmark::State& state) {
  QBitmap bits = QBitmap::fromData(QSize(32, 32), std::vector<uchar>(128, 0x55).data());
  QBitmap mask = QBitmap::fromData(QSize(32, 32), std::vector<uchar>(128, 0xff).data());
  for (auto _ : state) {
    QCursor c(bits, mask, 15, 15);
    benchmark::DoNotOptimize(c);
  }
}
BENCHMARK(BM_PeerOneBitmapCursor)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
