// Histogram counting (TKvHistogramData::Create) beside its peers on the same
// ten million doubles, in the same run: Boost.Histogram with a regular axis
// (bulk fill), GSL's gsl_histogram_increment, and a plain read of the array
// (the values summed in four partial sums, which is as fast as the memory
// delivers them). BM_HistogramVersusPeers alternates them and reports, each
// the best of its iterations, ns per value and the ratios:
//   boost_ratio = Boost.Histogram time / ours   (target >= 2)
//   gsl_ratio   = GSL time / ours
//   read_ratio  = ours / plain read             (target <= 1.3)
// in elapsed time (what the caller waits for: Create shares ten million
// values with pool threads), and the same in CPU time of the whole process,
// all threads included (*_cpu_*: the work done, whichever thread did it).
// ours_alone_* is Create on the same values in slices too small to be
// shared, i.e. the counting of one thread.

#include "widgets/tkvhistogramdata.h"

#include <benchmark/benchmark.h>
#include <boost/histogram.hpp>
#include <gsl/gsl_errno.h>
#include <gsl/gsl_histogram.h>

#include <algorithm>
#include <ctime>
#include <random>
#include <vector>

namespace {

constexpr unsigned long kValues = 10000000;
constexpr unsigned long kBins = 1000; // a plot about as wide as a dialog

// Elevations of a terrain model: a few overlapping normal hills, clipped.
const std::vector<double>& Values()
{
  static const std::vector<double> values = [] {
    std::vector<double> v(kValues);
    std::mt19937_64 gen(20261205);
    std::normal_distribution<double> low(180.0, 40.0), high(900.0, 150.0);
    std::bernoulli_distribution which(0.3);
    for (double& x : v) x = which(gen) ? high(gen) : low(gen);
    return v;
  }();
  return values;
}

struct TRange {
  double Min, Max;
};
TRange Range()
{
  TRange r{};
  TKvHistogramData::GetDataMinMax(Values().data(), kValues, &r.Min, &r.Max);
  return r;
}

double PlainRead(const std::vector<double>& v)
{
  double s0 = 0, s1 = 0, s2 = 0, s3 = 0;
  const double* p = v.data();
  const size_t n = v.size() & ~size_t(3);
  for (size_t i = 0; i < n; i += 4) {
    s0 += p[i];
    s1 += p[i + 1];
    s2 += p[i + 2];
    s3 += p[i + 3];
  }
  for (size_t i = n; i < v.size(); ++i) s0 += p[i];
  return s0 + s1 + s2 + s3;
}

using TBoostHist = decltype(boost::histogram::make_histogram(boost::histogram::axis::regular<>(1, 0.0, 1.0)));

void RunOurs(TKvHistogramData& h, const TRange& r)
{
  benchmark::DoNotOptimize(h.Create(Values().data(), kValues, r.Min, r.Max, kBins));
  benchmark::ClobberMemory();
}

void RunBoost(TBoostHist& h)
{
  h.reset();
  h.fill(Values());
  benchmark::ClobberMemory();
}

void RunGsl(gsl_histogram* h)
{
  gsl_histogram_reset(h);
  for (double x : Values()) gsl_histogram_increment(h, x);
  benchmark::ClobberMemory();
}

void BM_Ours(benchmark::State& state)
{
  TKvHistogramData h;
  const TRange r = Range();
  for (auto _ : state) RunOurs(h, r);
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * kValues));
}
// CPU: of the whole process, the pool threads that help included.
BENCHMARK(BM_Ours)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

void BM_BoostHistogram(benchmark::State& state)
{
  const TRange r = Range();
  // The regular axis is open at the top; nudge it so the maximum is counted.
  auto h = boost::histogram::make_histogram(
      boost::histogram::axis::regular<>(kBins, r.Min, std::nextafter(r.Max, r.Max + 1)));
  for (auto _ : state) RunBoost(h);
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * kValues));
}
BENCHMARK(BM_BoostHistogram)->Unit(benchmark::kMillisecond);

void BM_GslHistogram(benchmark::State& state)
{
  const TRange r = Range();
  gsl_set_error_handler_off();
  gsl_histogram* h = gsl_histogram_alloc(kBins);
  gsl_histogram_set_ranges_uniform(h, r.Min, std::nextafter(r.Max, r.Max + 1));
  for (auto _ : state) RunGsl(h);
  gsl_histogram_free(h);
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * kValues));
}
BENCHMARK(BM_GslHistogram)->Unit(benchmark::kMillisecond);

void BM_PlainRead(benchmark::State& state)
{
  Values();
  for (auto _ : state) benchmark::DoNotOptimize(PlainRead(Values()));
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * kValues));
}
BENCHMARK(BM_PlainRead)->Unit(benchmark::kMillisecond);

// Elapsed time and the CPU time of the whole process. The kernel adds a
// thread's CPU time to the process's when the thread stops running or at the
// next clock tick, so a helper that has just finished its last piece may not
// be in it yet: the CPU time is read after a pause long enough for every
// helper to have gone back to sleep (a pause costs no CPU time).
struct TStamp {
  double End, Cpu, Start; // ns: elapsed time before the pause, CPU time, elapsed time after
  static double Read(clockid_t clock)
  {
    timespec t{};
    clock_gettime(clock, &t);
    return static_cast<double>(t.tv_sec) * 1e9 + static_cast<double>(t.tv_nsec);
  }
  static TStamp Now()
  {
    TStamp s{};
    s.End = Read(CLOCK_MONOTONIC);
    const timespec pause{0, 2000000};
    nanosleep(&pause, nullptr);
    s.Cpu = Read(CLOCK_PROCESS_CPUTIME_ID);
    s.Start = Read(CLOCK_MONOTONIC);
    return s;
  }
};

// The best (least disturbed) elapsed and CPU time of one contender.
struct TBest {
  double Wall = 1e300, Cpu = 1e300;
  void Add(const TStamp& a, const TStamp& b)
  {
    Wall = std::min(Wall, b.End - a.Start);
    Cpu = std::min(Cpu, b.Cpu - a.Cpu);
  }
};

// Ten million values counted in slices below the size that is shared with
// other threads.
void RunOursAlone(TKvHistogramData& h, const TRange& r)
{
  constexpr unsigned long kSlice = 250000;
  for (unsigned long i = 0; i < kValues; i += kSlice)
    benchmark::DoNotOptimize(h.Create(Values().data() + i, std::min(kSlice, kValues - i), r.Min, r.Max, kBins));
  benchmark::ClobberMemory();
}

// All of them in turn in every iteration, so that the ratios are measured
// under the same conditions (the machine is shared).
void BM_HistogramVersusPeers(benchmark::State& state)
{
  const TRange r = Range();
  TKvHistogramData ours, alone;
  auto boostHist = boost::histogram::make_histogram(
      boost::histogram::axis::regular<>(kBins, r.Min, std::nextafter(r.Max, r.Max + 1)));
  gsl_set_error_handler_off();
  gsl_histogram* gslHist = gsl_histogram_alloc(kBins);
  gsl_histogram_set_ranges_uniform(gslHist, r.Min, std::nextafter(r.Max, r.Max + 1));

  TBest read, oursT, aloneT, boostT, gslT;
  for (auto _ : state) {
    const TStamp t0 = TStamp::Now();
    benchmark::DoNotOptimize(PlainRead(Values()));
    const TStamp t1 = TStamp::Now();
    RunOurs(ours, r);
    const TStamp t2 = TStamp::Now();
    RunOursAlone(alone, r);
    const TStamp t3 = TStamp::Now();
    RunBoost(boostHist);
    const TStamp t4 = TStamp::Now();
    RunGsl(gslHist);
    const TStamp t5 = TStamp::Now();
    read.Add(t0, t1);
    oursT.Add(t1, t2);
    aloneT.Add(t2, t3);
    boostT.Add(t3, t4);
    gslT.Add(t4, t5);
  }
  gsl_histogram_free(gslHist);
  const double n = static_cast<double>(kValues);
  state.counters["ours_ns_per_value"] = oursT.Wall / n;
  state.counters["ours_cpu_ns_per_value"] = oursT.Cpu / n;
  state.counters["ours_alone_ns_per_value"] = aloneT.Wall / n;
  state.counters["ours_alone_cpu_ns_per_value"] = aloneT.Cpu / n;
  state.counters["boost_ns_per_value"] = boostT.Wall / n;
  state.counters["gsl_ns_per_value"] = gslT.Wall / n;
  state.counters["read_ns_per_value"] = read.Wall / n;
  state.counters["read_cpu_ns_per_value"] = read.Cpu / n;
  state.counters["boost_ratio"] = boostT.Wall / oursT.Wall;
  state.counters["gsl_ratio"] = gslT.Wall / oursT.Wall;
  state.counters["read_ratio"] = oursT.Wall / read.Wall;
  state.counters["boost_cpu_ratio"] = boostT.Cpu / oursT.Cpu;
  state.counters["read_cpu_ratio"] = oursT.Cpu / read.Cpu;
  state.counters["read_alone_ratio"] = aloneT.Wall / read.Wall;
}
BENCHMARK(BM_HistogramVersusPeers)->Unit(benchmark::kMillisecond)->Iterations(30);

} // namespace

BENCHMARK_MAIN();
