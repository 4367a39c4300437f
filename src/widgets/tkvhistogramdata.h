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
  // counted, so that the counting loop never branches on them.
  unsigned long* FBins = nullptr;
  unsigned long FMaxBinCount = 0;
  double FMin = 0;
  double FMax = 1.0;
  double FBinWidth = 0;
};
