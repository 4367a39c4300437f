#pragma once
// TKvHistogramData: counts the values of a double array into equal-width bins
// between a minimum and a maximum, and remembers the highest count.
//
// A value goes to bin (v - min) / width truncated, the maximum itself to the
// last bin. Values that have no bin are skipped: NaN, and anything below the
// minimum or above the maximum (infinities included). Nothing is ever written
// outside the bins, and the bins then sum to the number of values inside
// [min, max] rather than to the value count.
//
// Create refuses (false, nothing changed) a range that is empty, reversed,
// not finite or too narrow for the bin count to give a positive width, a bin
// count of 0 or above MaxBinCount (a plot never has that many columns), and a
// bin count whose counters cannot be allocated. The values are not owned: the
// caller keeps the array alive while the object refers to it. Not
// thread-safe; one object must not be used from two threads at once.
//
// Counting is the hot path: ten million values must cost little more than
// reading them. It works a block of 1024 values at a time. Indexes are
// computed with AVX-512, AVX2 (whichever the processor has, chosen at run
// time; KV_HISTOGRAM_SIMD="avx2" or "none" asks for less, so that tests cover
// every path) or plain code, multiplying by the reciprocal of the width;
// values without a bin get the index of a spill slot, so the loop that then
// increments the counters never branches. The product can differ from the
// quotient in the last bits, which matters only next to a bin edge: a block
// holding a value that close to one has its indexes recomputed with the
// division, so every value lands exactly where (v - min) / width puts it and
// GetValueFreq agrees with Create. The counters are the 64-bit ones the
// object keeps, one array: 32-bit counters measured no faster, and two or
// four interleaved arrays, which speed up values falling into a handful of
// bins by about a third, made values spread over hundreds of bins (an
// elevation model) up to twice as slow.
//
// From a million values on (half a million per thread), Create also takes
// helper threads from the global QThreadPool: one fewer than the hardware
// threads, at most 15. All threads, the calling one included, take pieces of
// 65536 values from a shared atomic position until none is left; each helper
// counts into its own counters, which the calling thread adds to its own once
// every piece is counted. Integer sums do not depend on who counted what, so
// the bins are the same as counted alone. A helper the pool cannot start at
// once (busy pool, loaded machine) is not waited for: the calling thread
// counts its share, and the helper, when it runs, finds nothing left. Create
// returns only after every piece is counted, so no thread reads the values
// after it. There are no helpers when their counters would cost more to clear
// and merge than they save (together more than a sixteenth of the value
// count) or cannot be allocated, nor with KV_HISTOGRAM_THREADS="1".

#include "kvqtcpnt_export.h"

class KVQTCPNT_EXPORT TKvHistogramData {
public:
  static constexpr unsigned long BinCountLimit = 0x7fffffff;

  TKvHistogramData();
  ~TKvHistogramData();
  TKvHistogramData(const TKvHistogramData&) = delete;
  TKvHistogramData& operator=(const TKvHistogramData&) = delete;

  // False for a null array or a zero count; otherwise the smallest and the
  // largest value (a NaN that is not the first value is skipped).
  static bool GetDataMinMax(const double* values, unsigned long count, double* min, double* max);

  bool Create(const double* values, unsigned long count, double min, double max, unsigned long binCount);
  // Frees the bins; values, value count and bin count become null / 0.
  void Destroy();
  // The count of the bin holding v; 0 outside [min, max], for NaN and
  // without bins.
  unsigned long GetValueFreq(double v);
  // Copies the counters into bins (bin-count entries, when not null and there
  // are bins) and the highest count into *maxCount (when not null).
  void GetHistogramData(unsigned long* bins, unsigned long* maxCount);

  const double* Values() const { return FValues; }
  unsigned long ValueCount() const { return FValueCount; }
  unsigned long BinCount() const { return FBinCount; }
  unsigned long MaxBinCount() const { return FMaxBinCount; }
  double Min() const { return FMin; }
  double Max() const { return FMax; }
  double BinWidth() const { return FBinWidth; }
  // The counter of bin i (0 past the end).
  unsigned long Bin(unsigned long i) const { return i < FBinCount && FBins ? FBins[i] : 0; }

private:
  void CountValues();

  const double* FValues = nullptr;
  unsigned long FValueCount = 0;
  unsigned long FBinCount = 0;
  // FBinCount counters plus one spill slot where values without a bin are
  // counted, so that the counting loop never branches on them (cleared
  // after counting).
  unsigned long* FBins = nullptr;
  unsigned long FMaxBinCount = 0;
  double FMin = 0;
  double FMax = 1.0;
  double FBinWidth = 0;
};
