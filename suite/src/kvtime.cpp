#include "kvsuite/kvtime.h"

#include "kvsuite/kvstrings.h"

#include <algorithm>
#include <chrono>
#include <cfenv>
#include <cmath>
#include <cstring>
#include <ctime>

namespace {

uint64_t SteadyMs() {
  return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                   std::chrono::steady_clock::now().time_since_epoch())
                                   .count());
}

// Floor division, for times before 1970.
int64_t FloorDiv(int64_t a, int64_t b) {
  const int64_t q = a / b;
  return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// Days since 1970-01-01 of a proleptic Gregorian date, and back.
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

struct TCivil {
  int64_t Year;
  unsigned Month, Day, Hour, Minute, Second, Milli;
};

TCivil CivilFromMs(int64_t ms) {
  const int64_t days = FloorDiv(ms, 86400000);
  int64_t rest = ms - days * 86400000;
  TCivil c;
  int64_t z = days + 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  c.Day = doy - (153 * mp + 2) / 5 + 1;
  c.Month = mp < 10 ? mp + 3 : mp - 9;
  c.Year = static_cast<int64_t>(yoe) + era * 400 + (c.Month <= 2);
  c.Hour = static_cast<unsigned>(rest / 3600000);
  rest %= 3600000;
  c.Minute = static_cast<unsigned>(rest / 60000);
  rest %= 60000;
  c.Second = static_cast<unsigned>(rest / 1000);
  c.Milli = static_cast<unsigned>(rest % 1000);
  return c;
}

bool IsLeap(int64_t y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

unsigned DaysInMonth(int64_t y, unsigned m) {
  static const unsigned days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && IsLeap(y) ? 29 : days[m - 1];
}

// Reads exactly `count` decimal digits at pos.
bool Digits(const std::string& s, size_t pos, size_t count, unsigned& value) {
  if (pos + count > s.size())
    return false;
  value = 0;
  for (size_t i = pos; i < pos + count; ++i) {
    if (s[i] < '0' || s[i] > '9')
      return false;
    value = value * 10 + static_cast<unsigned>(s[i] - '0');
  }
  return true;
}

// The offset of local time from UTC at that instant, in seconds, and the
// local calendar fields.
long LocalOffsetSeconds(int64_t ms) {
  const time_t secs = static_cast<time_t>(FloorDiv(ms, 1000));
  struct tm tm;
  if (!localtime_r(&secs, &tm))
    return 0;
  return tm.tm_gmtoff;
}

std::string FormatCivil(const TCivil& c, char separator, int digits) {
  std::string out = Quorvant::ssprintf("%04lld-%02u-%02u%c%02u:%02u:%02u", static_cast<long long>(c.Year), c.Month,
                                       c.Day, separator, c.Hour, c.Minute, c.Second);
  if (digits > 0) {
    const std::string milli = Quorvant::ssprintf("%03u", c.Milli);
    out += '.';
    out += milli.substr(0, static_cast<size_t>(digits));
  }
  return out;
}

} // namespace

uint32_t KvGetTickCount() {
  struct timespec ts;
  clock_gettime(CLOCK_MONOTONIC_COARSE, &ts);
  return static_cast<uint32_t>(static_cast<uint64_t>(ts.tv_sec) * 1000u + static_cast<uint64_t>(ts.tv_nsec) / 1000000u);
}

// TTimeCounter --------------------------------------------------------------

TTimeCounter::TTimeCounter() = default;

void TTimeCounter::Start() {
  FAccumulated = 0;
  FStart = SteadyMs();
  FRunning = true;
  FSmoothed = -1;
  FSmoothedAt = 0;
}

void TTimeCounter::Pause() {
  if (!FRunning)
    return;
  FAccumulated += SteadyMs() - FStart;
  FRunning = false;
}

void TTimeCounter::Continue() {
  if (FRunning)
    return;
  FStart = SteadyMs();
  FRunning = true;
}

void TTimeCounter::Wait(bool waiting) {
  if (waiting)
    Pause();
  else
    Continue();
}

void TTimeCounter::Reset() {
  FStart = 0;
  FAccumulated = 0;
  FRunning = false;
  FSmoothed = -1;
  FSmoothedAt = 0;
}

uint64_t TTimeCounter::GetTime() const { return FAccumulated + (FRunning ? SteadyMs() - FStart : 0); }

int64_t TTimeCounter::GetRemainingTime(double pos) { return GetRemainingTimeAt(pos, GetTime()); }

int64_t TTimeCounter::GetRemainingTimeAt(double pos, uint64_t elapsed) {
  if (!std::isfinite(pos))
    return -1;
  if (pos >= 1)
    return 0;
  if (pos < 0.005 || elapsed < 1000)
    return -1;
  // The total time the operation takes at the rate seen so far; at a steady
  // rate it stays put, so smoothing it adds no lag to the countdown.
  const double total = static_cast<double>(elapsed) / pos;
  if (FSmoothed < 0 || elapsed < FSmoothedAt) {
    FSmoothed = total;
  } else {
    const double dt = static_cast<double>(elapsed - FSmoothedAt);
    FSmoothed += (1 - std::exp(-dt / 2000.0)) * (total - FSmoothed);
  }
  FSmoothedAt = elapsed;
  // A rate that just slowed down leaves the smoothed total behind the
  // elapsed time; the estimate then still counts at least half of what the
  // current rate gives, and never less than the display's tenth of a second.
  const double raw = total - static_cast<double>(elapsed);
  const double remaining = std::max({FSmoothed - static_cast<double>(elapsed), raw / 2, 100.0});
  return static_cast<int64_t>(std::llround(remaining));
}

std::string TTimeCounter::FormatDuration(uint64_t ms) {
  const uint64_t secs = ms / 1000;
  const unsigned long long h = secs / 3600;
  const unsigned m = static_cast<unsigned>(secs / 60 % 60);
  const unsigned s = static_cast<unsigned>(secs % 60);
  if (h > 0)
    return Quorvant::ssprintf("%llu:%02u:%02u", h, m, s);
  return Quorvant::ssprintf("%u:%02u", m, s);
}

// TKvDateTime ---------------------------------------------------------------

TKvDateTime TKvDateTime::Now() {
  struct timespec ts;
  clock_gettime(CLOCK_REALTIME, &ts);
  return FromMSecsSinceEpoch(static_cast<int64_t>(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000);
}

TKvDateTime TKvDateTime::FromMSecsSinceEpoch(int64_t ms) {
  TKvDateTime t;
  t.FMs = ms;
  t.FValid = true;
  return t;
}

TKvDateTime TKvDateTime::FromRFCString(const std::string& s) {
  unsigned year, month, day, hour, minute, second;
  if (!Digits(s, 0, 4, year) || s.size() < 19 || s[4] != '-' || !Digits(s, 5, 2, month) || s[7] != '-' ||
      !Digits(s, 8, 2, day) || (s[10] != 'T' && s[10] != 't' && s[10] != ' ') || !Digits(s, 11, 2, hour) ||
      s[13] != ':' || !Digits(s, 14, 2, minute) || s[16] != ':' || !Digits(s, 17, 2, second))
    return TKvDateTime();
  if (month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month) || hour > 23 || minute > 59 ||
      second > 60)
    return TKvDateTime();
  size_t pos = 19;
  unsigned milli = 0;
  if (pos < s.size() && s[pos] == '.') {
    ++pos;
    const size_t first = pos;
    unsigned scale = 100;
    while (pos < s.size() && s[pos] >= '0' && s[pos] <= '9') {
      milli += static_cast<unsigned>(s[pos] - '0') * scale;
      scale /= 10;
      ++pos;
    }
    if (pos == first)
      return TKvDateTime();
  }
  int64_t offsetMinutes = 0;
  if (pos < s.size() && (s[pos] == 'Z' || s[pos] == 'z')) {
    ++pos;
  } else if (pos < s.size() && (s[pos] == '+' || s[pos] == '-')) {
    unsigned oh, om;
    if (!Digits(s, pos + 1, 2, oh) || pos + 3 >= s.size() || s[pos + 3] != ':' || !Digits(s, pos + 4, 2, om) ||
        oh > 23 || om > 59)
      return TKvDateTime();
    offsetMinutes = (s[pos] == '-' ? -1 : 1) * static_cast<int64_t>(oh * 60 + om);
    pos += 6;
  } else {
    return TKvDateTime();
  }
  if (pos != s.size())
    return TKvDateTime();
  const int64_t days = DaysFromCivil(year, month, day);
  const int64_t secs = days * 86400 + hour * 3600 + minute * 60 + second - offsetMinutes * 60;
  return FromMSecsSinceEpoch(secs * 1000 + milli);
}

std::string TKvDateTime::ToRFCString(int digits, TTZ tz) const {
  if (!FValid)
    return std::string();
  digits = digits < 0 ? 0 : digits > 3 ? 3 : digits;
  if (tz == tzUTC)
    return FormatCivil(CivilFromMs(FMs), 'T', digits) + "Z";
  const long offset = LocalOffsetSeconds(FMs);
  const long minutes = (offset < 0 ? -offset : offset) / 60;
  return FormatCivil(CivilFromMs(FMs + static_cast<int64_t>(offset) * 1000), 'T', digits) +
         Quorvant::ssprintf("%c%02ld:%02ld", offset < 0 ? '-' : '+', minutes / 60, minutes % 60);
}

std::string TKvDateTime::ToLocaleString(int style) const {
  if (!FValid)
    return std::string();
  const long offset = LocalOffsetSeconds(FMs);
  return FormatCivil(CivilFromMs(FMs + static_cast<int64_t>(offset) * 1000), ' ', style == 1 ? 3 : 0);
}

// TKvFPUSaver ---------------------------------------------------------------

static_assert(sizeof(fenv_t) <= sizeof(unsigned char[64]), "fenv_t does not fit the saver's buffer");

TKvFPUSaver::TKvFPUSaver() {
  fenv_t env;
  fegetenv(&env);
  std::memcpy(FEnv, &env, sizeof env);
}

TKvFPUSaver::~TKvFPUSaver() {
  fenv_t env;
  std::memcpy(&env, FEnv, sizeof env);
  fesetenv(&env);
}
