// Histogram counting (TKvHistogramData::Create) beside its peers on the same
// ten million doubles, in the same run: Boost.Histogram with a regular axis
// (bulk fill), GSL's gsl_histogram_increment, and a plain read of the array
// (the values summed in four partial sums, which is as fast as the memory
// delivers them). BM_HistogramVersusPeers alternates the four and reports
// ns per value and the ratios:
//   boost_ratio = Boost.Histogram time / ours   (target >= 2)
//   gsl_ratio   = GSL time / ours
//   read_ratio  = ours / plain read             (target <= 1.3)

#include "widgets/tkvhistogramdata.h"

#include <benchmark/benchmark.h>
#include <boost/histogram.hpp>
#include <gsl/gsl_errno.h>
#include <gsl/gsl_histogram.h>

#include <algorithm>
#include <chrono>
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
BENCHMARK(BM_Ours)->Unit(benchmark::kMillisecond);

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

// The CPU time of this thread: on a shared machine, time spent waiting for a
// core is not the code's.
struct TThreadClock {
  using duration = std::chrono::nanoseconds;
  using time_point = std::chrono::time_point<TThreadClock>;
  static time_point now()
  {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return time_point(duration(static_cast<int64_t>(ts.tv_sec) * 1000000000 + ts.tv_nsec));
  }
};

// All four in turn in every iteration, so that the ratios are measured under
// the same conditions (the machine is shared), in thread CPU time.
void BM_HistogramVersusPeers(benchmark::State& state)
{
  using TClock = TThreadClock;
  const TRange r = Range();
  TKvHistogramData ours;
  auto boostHist = boost::histogram::make_histogram(
      boost::histogram::axis::regular<>(kBins, r.Min, std::nextafter(r.Max, r.Max + 1)));
  gsl_set_error_handler_off();
  gsl_histogram* gslHist = gsl_histogram_alloc(kBins);
  gsl_histogram_set_ranges_uniform(gslHist, r.Min, std::nextafter(r.Max, r.Max + 1));

  // Best of the iterations for each: the least disturbed measurement.
  double oursNs = 1e300, boostNs = 1e300, gslNs = 1e300, readNs = 1e300;
  auto ns = [](TClock::time_point a, TClock::time_point b) {
    return std::chrono::duration<double, std::nano>(b - a).count();
  };
  for (auto _ : state) {
    const auto t0 = TClock::now();
    benchmark::DoNotOptimize(PlainRead(Values()));
    const auto t1 = TClock::now();
    RunOurs(ours, r);
    const auto t2 = TClock::now();
    RunBoost(boostHist);
    const auto t3 = TClock::now();
    RunGsl(gslHist);
    const auto t4 = TClock::now();
    readNs = std::min(readNs, ns(t0, t1));
    oursNs = std::min(oursNs, ns(t1, t2));
    boostNs = std::min(boostNs, ns(t2, t3));
    gslNs = std::min(gslNs, ns(t3, t4));
  }
  gsl_histogram_free(gslHist);
  const double n = static_cast<double>(kValues);
  state.counters["ours_ns_per_value"] = oursNs / n;
  state.counters["boost_ns_per_value"] = boostNs / n;
  state.counters["gsl_ns_per_value"] = gslNs / n;
  state.counters["read_ns_per_value"] = readNs / n;
  state.counters["boost_ratio"] = boostNs / oursNs;
  state.counters["gsl_ratio"] = gslNs / oursNs;
  state.counters["read_ratio"] = oursNs / readNs;
}
BENCHMARK(BM_HistogramVersusPeers)->Unit(benchmark::kMillisecond)->Iterations(20);

} // namespace

BENCHMARK_MAIN();
