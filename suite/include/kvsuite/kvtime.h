#pragma once
// Time: a cheap monotonic millisecond tick, an elapsed/remaining-time
// counter and a date-time value with RFC 3339 and locale renderings.

#include "kvsuite/kvsuite_export.h"

#include <cstdint>
#include <string>

// Milliseconds of a coarse monotonic clock, wrapping at 32 bits. Costs a few
// nanoseconds (the kernel's coarse clock, read through the vDSO); compare
// ticks only by unsigned difference: KvGetTickCount() - then >= timeout.
KVSUITE_EXPORT uint32_t KvGetTickCount();

// Measures the elapsed time of an operation, without the time it spent
// paused, and estimates the remaining time from its position 0..1.
//
// The estimate comes from the total time the position and the elapsed time
// give (elapsed / pos), computed only once the position passed 0.5 % and at
// least 1 s has elapsed (earlier estimates are noise). That total is smoothed
// with a time constant of two seconds, so the estimate does not jump with
// every update and does not depend on how often it is asked for; at a steady
// rate it is exact. While the position is below 1 the estimate never reads
// less than half of what the current rate gives, nor below 100 ms; a
// position of 1 or more answers 0.
class KVSUITE_EXPORT TTimeCounter {
public:
  TTimeCounter();
  void Start();           // from zero, running
  void Pause();           // stop counting; nothing while paused
  void Continue();        // count again after Pause
  void Wait(bool waiting); // Pause(true) / Continue(false) shortcut used by nested progress levels
  void Reset();           // zero, stopped
  bool IsRunning() const { return FRunning; }
  // Elapsed milliseconds.
  uint64_t GetTime() const;
  // Estimated remaining milliseconds for a position 0..1; -1 when unknown.
  int64_t GetRemainingTime(double pos);
  // The same at a given elapsed time (replays, tests).
  int64_t GetRemainingTimeAt(double pos, uint64_t elapsed);

  // "h:mm:ss" (hours omitted below one hour: "m:ss").
  static std::string FormatDuration(uint64_t ms);

private:
  uint64_t FStart = 0;      // steady-clock ms when counting (re)started
  uint64_t FAccumulated = 0;
  bool FRunning = false;
  double FSmoothed = -1;     // smoothed total time of the operation, ms
  uint64_t FSmoothedAt = 0; // elapsed ms when FSmoothed was computed
};

// A point in time with millisecond precision (UTC inside).
class KVSUITE_EXPORT TKvDateTime {
public:
  enum TTZ { tzUTC = 0, tzLocal = 1 };
  TKvDateTime() = default;
  static TKvDateTime Now();
  static TKvDateTime FromMSecsSinceEpoch(int64_t ms);
  // Parses RFC 3339 ("2026-12-05T19:00:00.123Z", "...+03:00", fraction
  // optional, "t" or a space for "T", "z" for "Z"; fraction digits past
  // the milliseconds are cut). An empty or malformed text, or a date or time
  // out of range, gives an invalid value.
  static TKvDateTime FromRFCString(const std::string& text);

  bool IsValid() const { return FValid; }
  int64_t MSecsSinceEpoch() const { return FMs; }
  // RFC 3339 with `digits` fraction digits (0..3), in UTC ("Z") or local
  // time with its offset. An invalid value renders as an empty text.
  std::string ToRFCString(int digits = 3, TTZ tz = tzUTC) const;
  // Local time as people read it: "2026-12-05 22:00:00" (style 0) or with
  // milliseconds "2026-12-05 22:00:00.123" (style 1).
  std::string ToLocaleString(int style = 0) const;

private:
  int64_t FMs = 0;
  bool FValid = false;
};

// Saves the floating-point environment (rounding, exception flags) and
// restores it at scope end.
class KVSUITE_EXPORT TKvFPUSaver {
public:
  TKvFPUSaver();
  ~TKvFPUSaver();
  TKvFPUSaver(const TKvFPUSaver&) = delete;
  TKvFPUSaver& operator=(const TKvFPUSaver&) = delete;
private:
  alignas(16) unsigned char FEnv[64];
};
