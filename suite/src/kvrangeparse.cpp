#include "kvsuite/kvrangeparse.h"

#include <charconv>
#include <cmath>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The text without the blanks at both ends, as [begin, end).
void Strip(const std::string& text, const char*& begin, const char*& end) {
  begin = text.data();
  end = begin + text.size();
  while (begin < end && IsBlank(*begin))
    ++begin;
  while (end > begin && IsBlank(end[-1]))
    --end;
}

// Copies a run of digits into out; the number of digits copied.
size_t Digits(const char*& p, const char* end, std::string& out) {
  const char* start = p;
  while (p < end && IsDigit(*p))
    ++p;
  out.append(start, p);
  return static_cast<size_t>(p - start);
}

} // namespace

bool KvStringToDoubleRange(const std::string& text, double min, double max, double* value, bool decimalComma) {
  const char* p;
  const char* end;
  Strip(text, p, end);

  // Checks the grammar and writes the number in the form from_chars takes:
  // no "+", "." as the point.
  std::string canon;
  canon.reserve(static_cast<size_t>(end - p) + 1);
  if (p < end && (*p == '+' || *p == '-')) {
    if (*p == '-')
      canon += '-';
    ++p;
  }
  size_t mantissaDigits = Digits(p, end, canon);
  if (p < end && (*p == '.' || (decimalComma && *p == ','))) {
    canon += '.';
    ++p;
    mantissaDigits += Digits(p, end, canon);
  }
  if (mantissaDigits == 0)
    return false;
  if (p < end && (*p == 'e' || *p == 'E')) {
    canon += 'e';
    ++p;
    if (p < end && (*p == '+' || *p == '-'))
      canon += *p++;
    if (Digits(p, end, canon) == 0)
      return false;
  }
  if (p != end)
    return false;

  double v = 0;
  const std::from_chars_result r =
      std::from_chars(canon.data(), canon.data() + canon.size(), v, std::chars_format::general);
  // Out of range is an overflow, or a non-zero value that rounds to zero.
  if (r.ec != std::errc() || r.ptr != canon.data() + canon.size() || !std::isfinite(v))
    return false;
  if (!(v >= min && v <= max)) // also false for a NaN bound
    return false;
  if (v == 0)
    v = 0.0; // "-0" reads as 0
  if (value)
    *value = v;
  return true;
}

bool KvStringToUlongRange(const std::string& text, unsigned long min, unsigned long max, unsigned long* value) {
  const char* p;
  const char* end;
  Strip(text, p, end);
  if (p < end && *p == '+')
    ++p;
  if (p == end || !IsDigit(*p))
    return false;
  unsigned long v = 0;
  const std::from_chars_result r = std::from_chars(p, end, v, 10);
  if (r.ec != std::errc() || r.ptr != end)
    return false;
  if (v < min || v > max)
    return false;
  if (value)
    *value = v;
  return true;
}
