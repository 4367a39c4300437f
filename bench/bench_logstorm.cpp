// The log under load, in one run:
//
//   BM_Storm: two worker threads write 1,000,000 warnings as fast as they can
//     while the log window is shown (the log hooked as a log-bound progress
//     hooks it: previous log, counter, window). Counters: records per second
//     until the table holds the last of them, and the longest gap between
//     the ticks of a 10 ms timer on the GUI thread (what a user feels), and
//     the CPU time of the longest turn of the GUI thread's event loop (the
//     same without the time the system gave to other processes).
//   BM_Snprintf / BM_KvLogWriteInfo: one log record written into a log that
//     discards it, against snprintf of the same record into a buffer.
//     Counter: ns per record and, for ours, the ratio to snprintf (below 1.5
//     is the aim).

#include "kvbenchmain.h"
#include "logview/tkvqtlogtable.h"
#include "logview/tkvqtlogviewstream.h"
#include "logview/tqtlogview.h"

#include "kvsuite/kvlog.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <string>
#include <thread>
#include <vector>

namespace {

const long kStormRecords = 1000000;
const int kWorkers = 2;

// Takes everything, keeps nothing.
class TNullStream : public TKvStream {
public:
  unsigned long Write(const void*, unsigned long size) override { return size; }
};

void BM_Storm(benchmark::State& state) {
  const var_a<TKvStream*> saved = KvLogGetLogV();
  double rate = 0, longestGap = 0, longestTurn = 0;
  for (auto _ : state) {
    TQtLogView view;
    view.ModalShow();
    QCoreApplication::processEvents();
    auto previous = new_a<TKvLogCounter>();
    auto counter = new_a<TKvLogCounter>();
    auto redirect = new_a<TKvLogRedirect>();
    redirect->AddStream(previous, TKvLogRedirect::GetAllFilter(), false);
    redirect->AddStream(counter, TKvLogRedirect::MakeFilter(0, 3, 3, 1, 3, 3, 1), false);
    redirect->AddStream(view.GetStreamRef(), TKvLogRedirect::MakeFilter(0, 3, 3, 3, 3, 3, 3), false);
    KvLogSetLogV(redirect);

    QElapsedTimer gapClock;
    qint64 gap = 0;
    QTimer ticker;
    ticker.setInterval(10);
    QObject::connect(&ticker, &QTimer::timeout, [&]() {
      gap = std::max(gap, gapClock.restart());
    });

    std::atomic<int> running{kWorkers};
    QElapsedTimer clock;
    clock.start();
    gapClock.start();
    ticker.start();
    std::vector<std::thread> workers;
    for (int w = 0; w < kWorkers; ++w)
      workers.emplace_back([w, &running]() {
        const std::string source = "worker " + std::to_string(w);
        for (long i = w; i < kStormRecords; i += kWorkers)
          KvLogWriteWarning(source, "feature " + std::to_string(i) + " has no geometry", 3, 0);
        --running;
      });
    TKvQtLogViewStream* stream = view.GetStream();
    double longestTurnCpu = 0; // CPU time of the longest turn of the event loop (scheduling excluded)
    while (running > 0 || stream->QueuedRecords() > 0) {
      timespec a, b;
      clock_gettime(CLOCK_THREAD_CPUTIME_ID, &a);
      QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
      clock_gettime(CLOCK_THREAD_CPUTIME_ID, &b);
      longestTurnCpu = std::max(longestTurnCpu, (b.tv_sec - a.tv_sec) * 1e3 + (b.tv_nsec - a.tv_nsec) * 1e-6);
    }
    longestTurn = longestTurnCpu;
    QCoreApplication::processEvents(); // the last slice and its layout
    rate = kStormRecords / (clock.nsecsElapsed() * 1e-9);
    gap = std::max(gap, gapClock.elapsed());
    longestGap = static_cast<double>(gap);
    for (std::thread& t : workers)
      t.join();
    KvLogSetLogV(saved);
    if (previous->GetTotalCount() != static_cast<unsigned long>(kStormRecords) ||
        counter->GetWarningCount() != static_cast<unsigned long>(kStormRecords))
      state.SkipWithError("records were lost on the way to the previous log or the counter");
    if (view.GetLogTable()->rowCount() != 1000)
      state.SkipWithError("the table does not hold the capped number of rows");
    view.ModalHide();
  }
  state.counters["records_per_second"] = rate;
  state.counters["longest_gui_gap_ms"] = longestGap;
  state.counters["longest_gui_turn_cpu_ms"] = longestTurn;
}

double GSnprintfNs = 0;

const std::string& SampleText() {
  static const std::string text = "Feature 123456 of layer roads has no geometry";
  return text;
}

void BM_Snprintf(benchmark::State& state) {
  const std::string source = "Importer";
  const std::string& text = SampleText();
  char buffer[256];
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) {
    const int n = std::snprintf(buffer, sizeof buffer, "\x1eKV1 %s %c %d %d %zu:%s %zu\n%s\n",
                                "2026-12-05T19:00:00.123Z", 'I', 3, 0, source.size(), source.c_str(),
                                text.size(), text.c_str());
    benchmark::DoNotOptimize(n);
    benchmark::ClobberMemory();
  }
  const double ns = std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - start).count();
  GSnprintfNs = ns / static_cast<double>(state.iterations());
  state.counters["ns_per_record"] = GSnprintfNs;
}

void BM_KvLogWriteInfo(benchmark::State& state) {
  const var_a<TKvStream*> saved = KvLogGetLogV();
  KvLogSetLogV(new_a<TNullStream>());
  const std::string source = "Importer";
  const std::string& text = SampleText();
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state)
    KvLogWriteInfo(source, text, 3, 0);
  const double ns = std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - start).count();
  KvLogSetLogV(saved);
  const double ours = ns / static_cast<double>(state.iterations());
  state.counters["ns_per_record"] = ours;
  if (GSnprintfNs > 0)
    state.counters["ratio_to_snprintf"] = ours / GSnprintfNs;
}

} // namespace

BENCHMARK(BM_Snprintf)->Iterations(2000000);
BENCHMARK(BM_KvLogWriteInfo)->Iterations(2000000);
BENCHMARK(BM_Storm)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

KV_BENCHMARK_QAPPLICATION_MAIN()
