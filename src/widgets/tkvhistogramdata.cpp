#include "widgets/tkvhistogramdata.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

// Counting is the hot path: a histogram of ten million values must cost
// little more than reading them. Indexes are computed a block at a time with
// AVX-512 or AVX2 (whichever the processor has, chosen at run time) or plain
// code, multiplying by the reciprocal of the width instead of dividing. Values
// without a bin get the index of a spill slot, so the counting loop that
// follows never branches on them. The
// product can differ from the quotient in the last bits, which matters only
// when it lies next to a whole number; a block holding such a value has its
// indexes recomputed with the division, so every value lands exactly where
// (v - min) / width puts it (GetValueFreq agrees with Create).
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define KV_HIST_AVX2 1
#include <immintrin.h>
#endif

namespace {

constexpr size_t kBlock = 1024;

struct TBinning {
  double Min, Max, Width, Inv;
  double Tol;        // relative distance from a whole number that needs the division
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
    const uint32_t k = static_cast<uint32_t>(r);
    const double frac = r - static_cast<double>(k);
    const double eps = r * b.Tol;
    nearEdge = nearEdge || frac < eps || frac > 1.0 - eps;
    idx[j] = ok ? std::min(k, b.Last) : b.Spill;
  }
  return nearEdge;
}

#ifdef KV_HIST_AVX2
// Four values at a time.
__attribute__((target("avx2"))) bool IndexBlockAvx2(const double* v, size_t n, const TBinning& b, uint32_t* idx)
{
  const __m256d mn = _mm256_set1_pd(b.Min), mx = _mm256_set1_pd(b.Max), inv = _mm256_set1_pd(b.Inv);
  const __m256d tol = _mm256_set1_pd(b.Tol), one = _mm256_set1_pd(1.0);
  const __m128i last = _mm_set1_epi32(static_cast<int>(b.Last)), spill = _mm_set1_epi32(static_cast<int>(b.Spill));
  const __m256i pick = _mm256_setr_epi32(0, 2, 4, 6, 0, 2, 4, 6); // low halves of the 64-bit masks
  __m256d nearEdge = _mm256_setzero_pd();
  size_t j = 0;
  for (; j + 4 <= n; j += 4) {
    const __m256d x = _mm256_loadu_pd(v + j);
    // Ordered comparisons: NaN is outside.
    const __m256d ok = _mm256_and_pd(_mm256_cmp_pd(x, mn, _CMP_GE_OQ), _mm256_cmp_pd(x, mx, _CMP_LE_OQ));
    const __m256d r = _mm256_mul_pd(_mm256_and_pd(_mm256_sub_pd(x, mn), ok), inv);
    const __m128i k = _mm256_cvttpd_epi32(r);
    const __m256d frac = _mm256_sub_pd(r, _mm256_cvtepi32_pd(k));
    const __m256d eps = _mm256_mul_pd(r, tol);
    nearEdge = _mm256_or_pd(nearEdge, _mm256_or_pd(_mm256_cmp_pd(frac, eps, _CMP_LT_OQ),
                                                   _mm256_cmp_pd(frac, _mm256_sub_pd(one, eps), _CMP_GT_OQ)));
    const __m128i ok32 = _mm256_castsi256_si128(_mm256_permutevar8x32_epi32(_mm256_castpd_si256(ok), pick));
    const __m128i in = _mm_min_epu32(k, last);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(idx + j), _mm_blendv_epi8(spill, in, ok32));
  }
  const bool tail = j < n && IndexBlockScalar(v + j, n - j, b, idx + j);
  return tail || _mm256_movemask_pd(nearEdge) != 0;
}

// Eight values at a time, with mask registers for the range test.
__attribute__((target("avx512f,avx512vl,avx512dq"))) bool IndexBlockAvx512(const double* v, size_t n,
                                                                           const TBinning& b, uint32_t* idx)
{
  const __m512d mn = _mm512_set1_pd(b.Min), mx = _mm512_set1_pd(b.Max), inv = _mm512_set1_pd(b.Inv);
  const __m512d tol = _mm512_set1_pd(b.Tol), one = _mm512_set1_pd(1.0);
  const __m256i last = _mm256_set1_epi32(static_cast<int>(b.Last)), spill = _mm256_set1_epi32(static_cast<int>(b.Spill));
  __mmask8 nearEdge = 0;
  size_t j = 0;
  for (; j + 8 <= n; j += 8) {
    const __m512d x = _mm512_loadu_pd(v + j);
    const __mmask8 ok = _mm512_mask_cmp_pd_mask(_mm512_cmp_pd_mask(x, mn, _CMP_GE_OQ), x, mx, _CMP_LE_OQ);
    const __m512d r = _mm512_maskz_mul_pd(ok, _mm512_sub_pd(x, mn), inv);
    // The masked forms: the plain ones trip GCC's uninitialised-value warning.
    const __m256i k = _mm512_mask_cvttpd_epu32(_mm256_setzero_si256(), 0xFF, r);
    const __m512d frac = _mm512_sub_pd(r, _mm512_mask_cvtepu32_pd(_mm512_setzero_pd(), 0xFF, k));
    const __m512d eps = _mm512_mul_pd(r, tol);
    nearEdge |= _mm512_cmp_pd_mask(frac, eps, _CMP_LT_OQ) | _mm512_cmp_pd_mask(frac, _mm512_sub_pd(one, eps), _CMP_GT_OQ);
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
  unsigned long* const bins = FBins;
  const unsigned long n = FValueCount;
  const double* const v = FValues;
  TBinning b;
  b.Min = FMin;
  b.Max = FMax;
  b.Width = FBinWidth;
  b.Inv = 1.0 / FBinWidth;
  // With a power-of-two width the product is the quotient, bit for bit.
  // Otherwise both lie within a few units in the last place of the exact
  // ratio; 1e-15 of it is a safe margin.
  b.Tol = IsPowerOfTwo(FBinWidth) && std::isfinite(b.Inv) ? 0.0 : 1e-15;
  if (!std::isfinite(b.Inv)) b.Inv = 0; // every block takes the exact path
  b.Last = static_cast<uint32_t>(FBinCount - 1);
  b.Spill = static_cast<uint32_t>(FBinCount);
  uint32_t idx[kBlock];
  for (unsigned long i = 0; i < n; i += kBlock) {
    const size_t m = static_cast<size_t>(std::min<unsigned long>(kBlock, n - i));
    if (b.Inv == 0 || IndexBlock(v + i, m, b, idx)) IndexBlockExact(v + i, m, b, idx);
    for (size_t j = 0; j < m; ++j) ++bins[idx[j]];
  }
  bins[FBinCount] = 0;
  FMaxBinCount = *std::max_element(bins, bins + FBinCount);
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
