#include "widgets/tkvhistogramdata.h"

#include <QThread>
#include <QThreadPool>

#include <algorithm>
#include <atomic>
#include <cfloat>
#include <cmath>
#include <condition_variable>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <new>
#include <string>

// How the counting works is described in the header. A value is near a bin
// edge when its product r = (v - min) * (1 / width) and r -+ Eps truncate to
// different whole numbers. The product and the quotient each lie within two
// units in the last place of the exact ratio, which is at most the bin count,
// so they can only fall on different sides of an edge closer than about
// 3.3e-16 times the bin count to both; Eps is three times that.
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define KV_HIST_AVX2 1
#include <immintrin.h>
#endif

namespace {

constexpr size_t kBlock = 1024;

struct TBinning {
  double Min, Max, Width, Inv;
  double Eps;        // distance from a whole number that needs the division
  uint32_t Last;     // last bin
  uint32_t Spill;    // the slot of values without a bin
};

// Exact index of a value already known to lie in [min, max].
inline uint64_t ExactIndex(double d, double width, uint64_t last)
{
  const double q = d / width;
  const uint64_t k = q >= static_cast<double>(last) ? last : static_cast<uint64_t>(q);
  return k;
}

// Indexes of one block; true when a value lies so close to a bin edge that the
// multiplication may have picked the neighbouring bin.
bool IndexBlockScalar(const double* v, size_t n, const TBinning& b, uint32_t* idx)
{
  bool nearEdge = false;
  for (size_t j = 0; j < n; ++j) {
    const double x = v[j];
    const bool ok = x >= b.Min && x <= b.Max;
    const double r = ok ? (x - b.Min) * b.Inv : 0.0; // 0 <= r <= bin count (plus rounding)
    const uint32_t k = static_cast<uint32_t>(r + b.Eps); // r - Eps > -1: truncates to 0
    nearEdge = nearEdge || static_cast<uint32_t>(r - b.Eps) != k;
    idx[j] = ok ? std::min(k, b.Last) : b.Spill;
  }
  return nearEdge;
}

#ifdef KV_HIST_AVX2
// Four values at a time.
__attribute__((target("avx2"))) bool IndexBlockAvx2(const double* v, size_t n, const TBinning& b, uint32_t* idx)
{
  const __m256d mn = _mm256_set1_pd(b.Min), mx = _mm256_set1_pd(b.Max), inv = _mm256_set1_pd(b.Inv);
  const __m256d eps = _mm256_set1_pd(b.Eps);
  const __m128i last = _mm_set1_epi32(static_cast<int>(b.Last)), spill = _mm_set1_epi32(static_cast<int>(b.Spill));
  const __m256i pick = _mm256_setr_epi32(0, 2, 4, 6, 0, 2, 4, 6); // low halves of the 64-bit masks
  __m128i nearEdge = _mm_setzero_si128();
  size_t j = 0;
  for (; j + 4 <= n; j += 4) {
    const __m256d x = _mm256_loadu_pd(v + j);
    // Ordered comparisons: NaN is outside.
    const __m256d ok = _mm256_and_pd(_mm256_cmp_pd(x, mn, _CMP_GE_OQ), _mm256_cmp_pd(x, mx, _CMP_LE_OQ));
    const __m256d r = _mm256_mul_pd(_mm256_and_pd(_mm256_sub_pd(x, mn), ok), inv);
    const __m128i k = _mm256_cvttpd_epi32(_mm256_add_pd(r, eps));
    nearEdge = _mm_or_si128(nearEdge, _mm_xor_si128(k, _mm256_cvttpd_epi32(_mm256_sub_pd(r, eps))));
    const __m128i ok32 = _mm256_castsi256_si128(_mm256_permutevar8x32_epi32(_mm256_castpd_si256(ok), pick));
    const __m128i in = _mm_min_epu32(k, last);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(idx + j), _mm_blendv_epi8(spill, in, ok32));
  }
  const bool tail = j < n && IndexBlockScalar(v + j, n - j, b, idx + j);
  return tail || !_mm_testz_si128(nearEdge, nearEdge);
}

// Eight values at a time, with mask registers for the range test.
__attribute__((target("avx512f,avx512vl,avx512dq"))) bool IndexBlockAvx512(const double* v, size_t n,
                                                                           const TBinning& b, uint32_t* idx)
{
  const __m512d mn = _mm512_set1_pd(b.Min), mx = _mm512_set1_pd(b.Max), inv = _mm512_set1_pd(b.Inv);
  const __m512d eps = _mm512_set1_pd(b.Eps);
  const __m256i last = _mm256_set1_epi32(static_cast<int>(b.Last)), spill = _mm256_set1_epi32(static_cast<int>(b.Spill));
  __mmask8 nearEdge = 0;
  size_t j = 0;
  for (; j + 8 <= n; j += 8) {
    const __m512d x = _mm512_loadu_pd(v + j);
    const __mmask8 ok = _mm512_mask_cmp_pd_mask(_mm512_cmp_pd_mask(x, mn, _CMP_GE_OQ), x, mx, _CMP_LE_OQ);
    const __m512d r = _mm512_maskz_mul_pd(ok, _mm512_sub_pd(x, mn), inv);
    // The masked forms: the plain ones trip GCC's uninitialised-value warning.
    const __m256i k = _mm512_mask_cvttpd_epu32(_mm256_setzero_si256(), 0xFF, _mm512_add_pd(r, eps));
    const __m256i below = _mm512_mask_cvttpd_epu32(_mm256_setzero_si256(), 0xFF, _mm512_sub_pd(r, eps));
    nearEdge |= _mm256_cmpneq_epu32_mask(k, below);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(idx + j), _mm256_mask_blend_epi32(ok, spill, _mm256_min_epu32(k, last)));
  }
  const bool tail = j < n && IndexBlockScalar(v + j, n - j, b, idx + j);
  return tail || nearEdge != 0;
}

enum TSimd { simdNone, simdAvx2, simdAvx512 };
// The widest the processor has; KV_HISTOGRAM_SIMD ("avx2", "none") asks for
// a narrower one, so that tests cover every path on any machine.
TSimd DetectSimd()
{
  const char* env = std::getenv("KV_HISTOGRAM_SIMD");
  const std::string wanted = env ? env : "";
  if (wanted == "none") return simdNone;
  const bool avx2 = __builtin_cpu_supports("avx2");
  if (wanted == "avx2") return avx2 ? simdAvx2 : simdNone;
  if (__builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512vl") && __builtin_cpu_supports("avx512dq"))
    return simdAvx512;
  return avx2 ? simdAvx2 : simdNone;
}

TSimd Simd()
{
  static const TSimd simd = DetectSimd();
  return simd;
}
#endif

bool IndexBlock(const double* v, size_t n, const TBinning& b, uint32_t* idx)
{
#ifdef KV_HIST_AVX2
  switch (Simd()) {
  case simdAvx512: return IndexBlockAvx512(v, n, b, idx);
  case simdAvx2: return IndexBlockAvx2(v, n, b, idx);
  case simdNone: break;
  }
#endif
  return IndexBlockScalar(v, n, b, idx);
}

void IndexBlockExact(const double* v, size_t n, const TBinning& b, uint32_t* idx)
{
  for (size_t j = 0; j < n; ++j) {
    const double x = v[j];
    idx[j] = (x >= b.Min && x <= b.Max) ? static_cast<uint32_t>(ExactIndex(x - b.Min, b.Width, b.Last)) : b.Spill;
  }
}

bool IsPowerOfTwo(double w)
{
  int e = 0;
  return std::frexp(w, &e) == 0.5;
}

// Counts n values into bins (bin count counters and the spill slot).
void CountRange(const double* v, size_t n, const TBinning& b, unsigned long* bins)
{
  uint32_t idx[kBlock];
  for (size_t i = 0; i < n; i += kBlock) {
    const size_t m = std::min(kBlock, n - i);
    if (b.Inv == 0 || IndexBlock(v + i, m, b, idx)) IndexBlockExact(v + i, m, b, idx);
    for (size_t j = 0; j < m; ++j) ++bins[idx[j]];
  }
}

// Values a thread takes at a time: small enough that a thread the scheduler
// holds back delays the end by little, large enough that taking one costs
// nothing next to counting it.
constexpr size_t kPiece = size_t(1) << 16;
// The fewest values that make waking a helper thread worth it.
constexpr size_t kValuesPerThread = size_t(1) << 19;
constexpr unsigned kMaxThreads = 16;

// One large count shared by the calling thread and its helpers. Helpers hold
// it through a shared pointer: one that starts late finds no piece left and
// touches nothing but this.
struct TSharedCount {
  const double* Values = nullptr;
  size_t Count = 0;
  TBinning Binning{};
  size_t Stride = 0;                           // bin count + 1
  std::unique_ptr<unsigned long[]> HelperBins; // Stride counters per helper
  std::atomic<size_t> Next{0};                 // first value of the next piece
  std::mutex Mutex;
  std::condition_variable Changed;
  unsigned HelpersJoined = 0;  // helpers that have asked for a piece, under Mutex
  size_t HelpersCounted = 0;   // values counted by helpers, under Mutex

  // Counts pieces until none is left; returns the number of values counted.
  // A helper says when it has asked for its first piece.
  size_t Work(unsigned long* bins, bool helper)
  {
    size_t counted = 0;
    for (;;) {
      const size_t i = Next.fetch_add(kPiece, std::memory_order_relaxed);
      if (helper && counted == 0) {
        std::lock_guard<std::mutex> lock(Mutex);
        ++HelpersJoined;
        Changed.notify_all();
      }
      if (i >= Count) return counted;
      const size_t m = std::min(kPiece, Count - i);
      CountRange(Values + i, m, Binning, bins);
      counted += m;
    }
  }

  void Help(unsigned slot)
  {
    const size_t counted = Work(HelperBins.get() + slot * Stride, true);
    if (counted == 0) return;
    std::lock_guard<std::mutex> lock(Mutex);
    HelpersCounted += counted;
    Changed.notify_all();
  }
};

enum TThreads { threadsAuto, threadsNone, threadsAll };
// KV_HISTOGRAM_THREADS="1" counts in the calling thread alone; "all" has it
// wait until every helper has taken a piece before taking its own, so that
// tests see the helpers' counters merged on any machine with two threads
// (for tests only: with a pool too busy to start the helpers it would wait
// for ever).
TThreads Threads()
{
  static const TThreads threads = [] {
    const char* env = std::getenv("KV_HISTOGRAM_THREADS");
    const std::string wanted = env ? env : "";
    return wanted == "1" ? threadsNone : wanted == "all" ? threadsAll : threadsAuto;
  }();
  return threads;
}

// How many pool threads help to count n values into binCount bins: none
// below a few hundred thousand values per thread, or when the helpers'
// counters would cost more to clear and merge than they save.
unsigned HelperCount(size_t n, size_t binCount)
{
  if (n < 2 * kValuesPerThread) return 0;
  const int ideal = QThread::idealThreadCount();
  const size_t threads = std::min<size_t>({ideal > 1 ? static_cast<size_t>(ideal) : 1, n / kValuesPerThread, kMaxThreads});
  if (threads < 2) return 0;
  const size_t helpers = threads - 1;
  return (binCount + 1) * helpers <= n / 16 ? static_cast<unsigned>(helpers) : 0;
}

// Counts with helpers from the global thread pool; false (nothing counted)
// when they cannot be had, so the caller counts alone.
bool CountShared(const double* v, size_t n, const TBinning& b, size_t binCount, unsigned long* bins)
{
  const unsigned helpers = Threads() == threadsNone ? 0 : HelperCount(n, binCount);
  QThreadPool* pool = helpers ? QThreadPool::globalInstance() : nullptr;
  if (!pool) return false;
  std::shared_ptr<TSharedCount> shared;
  unsigned started = 0;
  try {
    shared = std::make_shared<TSharedCount>();
    shared->Values = v;
    shared->Count = n;
    shared->Binning = b;
    shared->Stride = binCount + 1;
    shared->HelperBins.reset(new unsigned long[helpers * shared->Stride]());
    for (; started < helpers; ++started)
      pool->start(QRunnable::create([shared, slot = started]() noexcept { shared->Help(slot); }));
  } catch (...) { // out of memory or threads: whoever started helps, the rest is counted here
    if (!shared || !shared->HelperBins) return false;
  }
  if (Threads() == threadsAll) {
    std::unique_lock<std::mutex> lock(shared->Mutex);
    shared->Changed.wait(lock, [&] { return shared->HelpersJoined == started; });
  }
  const size_t mine = shared->Work(bins, false);
  {
    std::unique_lock<std::mutex> lock(shared->Mutex);
    shared->Changed.wait(lock, [&] { return mine + shared->HelpersCounted == n; });
  }
  for (unsigned h = 0; h < helpers; ++h) { // a helper that never ran left zeros
    const unsigned long* sub = shared->HelperBins.get() + h * shared->Stride;
    for (size_t j = 0; j < binCount; ++j) bins[j] += sub[j];
  }
  return true;
}

} // namespace

TKvHistogramData::TKvHistogramData() = default;

TKvHistogramData::~TKvHistogramData() { delete[] FBins; }

bool TKvHistogramData::GetDataMinMax(const double* values, unsigned long count, double* min, double* max)
{
  if (!values || count == 0) return false;
  double lo = values[0], hi = values[0];
  for (unsigned long i = 1; i < count; ++i) {
    const double v = values[i];
    if (v < lo) lo = v;
    if (v > hi) hi = v;
  }
  if (min) *min = lo;
  if (max) *max = hi;
  return true;
}

bool TKvHistogramData::Create(const double* values, unsigned long count, double min, double max,
                              unsigned long binCount)
{
  if (!(min < max) || binCount == 0 || binCount > BinCountLimit || !std::isfinite(min) || !std::isfinite(max))
    return false;
  const double width = (max - min) / static_cast<double>(binCount);
  if (!(width > 0) || !std::isfinite(width)) return false;

  if (binCount != FBinCount || !FBins) {
    // +1: the spill slot. The old counters stay until the new ones exist.
    unsigned long* bins = new (std::nothrow) unsigned long[binCount + 1];
    if (!bins) return false;
    delete[] FBins;
    FBins = bins;
    FBinCount = binCount;
  }
  FValues = values;
  FValueCount = count;
  std::memset(FBins, 0, (FBinCount + 1) * sizeof(unsigned long));
  FMaxBinCount = 0;
  if (!values || count == 0) return false;

  FMin = min;
  FMax = max;
  FBinWidth = width;
  CountValues();
  return true;
}

void TKvHistogramData::CountValues()
{
  TBinning b;
  b.Min = FMin;
  b.Max = FMax;
  b.Width = FBinWidth;
  b.Inv = 1.0 / FBinWidth;
  // With a power-of-two width the product is the quotient, bit for bit. A
  // reciprocal that is not a normal number is not precise enough: every
  // block then takes the division.
  b.Eps = IsPowerOfTwo(FBinWidth) ? 0.0 : 1e-15 * (static_cast<double>(FBinCount) + 1.0);
  if (!(b.Inv >= DBL_MIN) || !std::isfinite(b.Inv)) b.Inv = 0;
  b.Last = static_cast<uint32_t>(FBinCount - 1);
  b.Spill = static_cast<uint32_t>(FBinCount);
  if (!CountShared(FValues, FValueCount, b, FBinCount, FBins)) CountRange(FValues, FValueCount, b, FBins);
  FBins[FBinCount] = 0;
  FMaxBinCount = *std::max_element(FBins, FBins + FBinCount);
}

void TKvHistogramData::Destroy()
{
  delete[] FBins;
  FBins = nullptr;
  FValues = nullptr;
  FValueCount = 0;
  FBinCount = 0;
  FMaxBinCount = 0;
}

unsigned long TKvHistogramData::GetValueFreq(double v)
{
  if (!FBins || FBinCount == 0 || std::isnan(v) || v < FMin || v > FMax) return 0;
  if (FBinWidth == 0) return FBins[0];
  if (v == FMax) return FBins[FBinCount - 1];
  return FBins[ExactIndex(v - FMin, FBinWidth, FBinCount - 1)];
}

void TKvHistogramData::GetHistogramData(unsigned long* bins, unsigned long* maxCount)
{
  if (bins && FBins && FBinCount) std::memcpy(bins, FBins, FBinCount * sizeof(unsigned long));
  if (maxCount) *maxCount = FMaxBinCount;
}
