// The suite's hot paths beside their peers: the millisecond tick that
// progress code reads on every tick against std::chrono::steady_clock, and
// one log record written into an in-memory log against formatting the same
// line with snprintf.

#include "kvsuite/kvlog.h"
#include "kvsuite/kvstream.h"
#include "kvsuite/kvtime.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <string>

namespace {

using TClock = std::chrono::steady_clock;

void BM_KvGetTickCount(benchmark::State& state) {
  for (auto _ : state)
    benchmark::DoNotOptimize(KvGetTickCount());
}
BENCHMARK(BM_KvGetTickCount);

void BM_SteadyClockNow(benchmark::State& state) {
  for (auto _ : state)
    benchmark::DoNotOptimize(TClock::now());
}
BENCHMARK(BM_SteadyClockNow);

// Both clocks in one run, alternating blocks, so that the ratio is measured
// under the same conditions. ratio < 1: the tick is cheaper.
void BM_TickVersusSteadyClock(benchmark::State& state) {
  constexpr int kBlock = 1000;
  double tickNs = 0, steadyNs = 0;
  for (auto _ : state) {
    TClock::time_point t0 = TClock::now();
    for (int i = 0; i < kBlock; ++i)
      benchmark::DoNotOptimize(KvGetTickCount());
    TClock::time_point t1 = TClock::now();
    for (int i = 0; i < kBlock; ++i)
      benchmark::DoNotOptimize(TClock::now());
    TClock::time_point t2 = TClock::now();
    tickNs += std::chrono::duration<double, std::nano>(t1 - t0).count();
    steadyNs += std::chrono::duration<double, std::nano>(t2 - t1).count();
  }
  const double calls = static_cast<double>(state.iterations()) * kBlock;
  state.counters["tick_ns"] = tickNs / calls;
  state.counters["steady_ns"] = steadyNs / calls;
  state.counters["ratio"] = steadyNs > 0 ? tickNs / steadyNs : 0;
}
BENCHMARK(BM_TickVersusSteadyClock);

const std::string kSource = "Raster import";
const std::string kText = "Tile 1234 of 5678 written (256 x 256 pixels, 3 bands)";

// The peer's line: the same fields formatted with snprintf and appended to a
// string, the least any logger with a time stamp has to do.
void AppendPeerLine(std::string& out) {
  char line[256];
  const long long ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                           std::chrono::system_clock::now().time_since_epoch())
                           .count();
  const int n = std::snprintf(line, sizeof line, "%lld I 3 0 [%s] %s\n", ms, kSource.c_str(), kText.c_str());
  out.append(line, static_cast<size_t>(n));
  if (out.size() > (1u << 20))
    out.clear();
}

// One information record through the process-wide log into a string stream.
void BM_KvLogWriteInfo(benchmark::State& state) {
  auto log = newobj_a<TKvStringStream>();
  const var_a<TKvStream*> saved = KvLogGetLogV();
  KvLogSetLogV(log);
  for (auto _ : state) {
    KvLogWriteInfo(kSource, kText, lmlVisible, 0);
    if (log->str().size() > (1u << 20))
      log->clear();
  }
  KvLogSetLogV(saved);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_KvLogWriteInfo);

void BM_SnprintfLogLine(benchmark::State& state) {
  std::string out;
  for (auto _ : state)
    AppendPeerLine(out);
  benchmark::DoNotOptimize(out.data());
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SnprintfLogLine);

// Both in one run; ratio: how many snprintf lines one log record costs.
void BM_LogWriteVersusSnprintf(benchmark::State& state) {
  constexpr int kBlock = 200;
  auto log = newobj_a<TKvStringStream>();
  const var_a<TKvStream*> saved = KvLogGetLogV();
  KvLogSetLogV(log);
  std::string out;
  double logNs = 0, peerNs = 0;
  for (auto _ : state) {
    TClock::time_point t0 = TClock::now();
    for (int i = 0; i < kBlock; ++i)
      KvLogWriteInfo(kSource, kText, lmlVisible, 0);
    TClock::time_point t1 = TClock::now();
    for (int i = 0; i < kBlock; ++i)
      AppendPeerLine(out);
    TClock::time_point t2 = TClock::now();
    logNs += std::chrono::duration<double, std::nano>(t1 - t0).count();
    peerNs += std::chrono::duration<double, std::nano>(t2 - t1).count();
    if (log->str().size() > (1u << 20))
      log->clear();
  }
  KvLogSetLogV(saved);
  benchmark::DoNotOptimize(out.data());
  const double calls = static_cast<double>(state.iterations()) * kBlock;
  state.counters["log_ns"] = logNs / calls;
  state.counters["snprintf_ns"] = peerNs / calls;
  state.counters["ratio"] = peerNs > 0 ? logNs / peerNs : 0;
}
BENCHMARK(BM_LogWriteVersusSnprintf);

} // namespace

BENCHMARK_MAIN();
