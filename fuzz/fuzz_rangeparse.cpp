// Differential check of the two range parsers: every text is also read by an
// independent recogniser of the same grammar (a state table instead of the
// parser's hand-written scanner) and converted by the C library in the "C"
// locale (strtod_l instead of from_chars; an overflow-checked accumulator
// for whole numbers). Acceptance, the value and the untouched preset on
// failure must agree; any difference aborts.
//
// Input: byte 0 picks the options (bit 0: decimal comma; bits 1..3: one of
// the bounds below), the rest is the text.

#include "kvsuite/kvrangeparse.h"

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <locale.h>
#include <string>

namespace {

[[noreturn]] void Fail(const char* what, const std::string& text) {
  std::fprintf(stderr, "rangeparse: %s for text of %zu bytes: \"", what, text.size());
  for (unsigned char c : text)
    std::fprintf(stderr, c >= 0x20 && c < 0x7f ? "%c" : "\\x%02x", c);
  std::fprintf(stderr, "\"\n");
  std::abort();
}

const double kDoubleBounds[8][2] = {{-HUGE_VAL, HUGE_VAL}, {0, 10},      {-1, 1},  {1e-300, 1e300},
                                    {NAN, 1},              {5, -5},      {-0.0, 0.0}, {-DBL_MAX, -DBL_MIN}};
const unsigned long kUlongBounds[8][2] = {{0, ULONG_MAX}, {0, 10}, {5, 5}, {10, 0},
                                          {1, 1000000000000000000ul}, {0, 0}, {ULONG_MAX, ULONG_MAX}, {7, 99}};

enum TClass { cBlank, cSign, cDigit, cPoint, cExp, cOther };

TClass ClassOf(char c, bool comma) {
  switch (c) {
  case ' ': case '\t': case '\r': case '\n': case '\v': case '\f': return cBlank;
  case '+': case '-': return cSign;
  case '.': return cPoint;
  case ',': return comma ? cPoint : cOther;
  case 'e': case 'E': return cExp;
  default: return c >= '0' && c <= '9' ? cDigit : cOther;
  }
}

// States of the number grammar; X rejects.
enum TState { Start, Sign, Int, IntPoint, Point, Frac, Exp, ExpSign, ExpInt, Tail, X, NStates };
constexpr TState kTable[NStates][6] = {
    //            blank  sign     digit   point     exp  other
    /* Start    */ {Start, Sign,    Int,    Point,    X,   X},
    /* Sign     */ {X,     X,       Int,    Point,    X,   X},
    /* Int      */ {Tail,  X,       Int,    IntPoint, Exp, X},
    /* IntPoint */ {Tail,  X,       Frac,   X,        Exp, X},
    /* Point    */ {X,     X,       Frac,   X,        X,   X},
    /* Frac     */ {Tail,  X,       Frac,   X,        Exp, X},
    /* Exp      */ {X,     ExpSign, ExpInt, X,        X,   X},
    /* ExpSign  */ {X,     X,       ExpInt, X,        X,   X},
    /* ExpInt   */ {Tail,  X,       ExpInt, X,        X,   X},
    /* Tail     */ {Tail,  X,       X,      X,        X,   X},
    /* X        */ {X,     X,       X,      X,        X,   X}};

bool Accepting(TState s) { return s == Int || s == IntPoint || s == Frac || s == ExpInt || s == Tail; }

// The oracle's reading of a double: false when the text is refused.
bool OracleDouble(const std::string& text, bool comma, double min, double max, double& value) {
  TState s = Start;
  bool nonZeroMantissa = false;
  std::string c;
  for (char ch : text) {
    const TClass k = ClassOf(ch, comma);
    const TState next = kTable[s][k];
    if (next == X)
      return false;
    if ((s == Start || s == Sign || s == Int || s == IntPoint || s == Point || s == Frac) && k == cDigit &&
        ch != '0')
      nonZeroMantissa = true;
    if (k != cBlank)
      c += k == cPoint ? '.' : ch;
    s = next;
  }
  if (!Accepting(s))
    return false;
  static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  const double v = strtod_l(c.c_str(), nullptr, cLocale);
  if (std::isinf(v) || (v == 0 && nonZeroMantissa))
    return false;
  if (!(v >= min && v <= max))
    return false;
  value = v == 0 ? 0.0 : v;
  return true;
}

bool OracleUlong(const std::string& text, unsigned long min, unsigned long max, unsigned long& value) {
  size_t i = 0;
  const auto blank = [&](size_t k) { return k < text.size() && ClassOf(text[k], false) == cBlank; };
  while (blank(i))
    ++i;
  if (i < text.size() && text[i] == '+')
    ++i;
  unsigned long v = 0;
  bool tooLarge = false;
  size_t digits = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++digits) {
    const unsigned long d = static_cast<unsigned long>(text[i] - '0');
    if (v > (ULONG_MAX - d) / 10)
      tooLarge = true;
    v = v * 10 + d; // wraps once too large; then only the flag counts
  }
  while (blank(i))
    ++i;
  if (digits == 0 || i != text.size() || tooLarge)
    return false;
  if (v < min || v > max)
    return false;
  value = static_cast<unsigned long>(v);
  return true;
}

bool SameDouble(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0)
    return 0;
  const bool comma = data[0] & 1;
  const int bounds = (data[0] >> 1) & 7;
  const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);

  const double preset = -12345.5;
  double got = preset, want = preset;
  const bool ok = KvStringToDoubleRange(text, kDoubleBounds[bounds][0], kDoubleBounds[bounds][1], &got, comma);
  const bool expected = OracleDouble(text, comma, kDoubleBounds[bounds][0], kDoubleBounds[bounds][1], want);
  if (ok != expected)
    Fail(ok ? "double accepted, oracle refuses" : "double refused, oracle accepts", text);
  if (!SameDouble(got, want))
    Fail(ok ? "double value differs" : "double preset changed", text);
  if (KvStringToDoubleRange(text, kDoubleBounds[bounds][0], kDoubleBounds[bounds][1], nullptr, comma) != ok)
    Fail("double answer differs without a value pointer", text);

  unsigned long ugot = 4242, uwant = 4242;
  const bool uok = KvStringToUlongRange(text, kUlongBounds[bounds][0], kUlongBounds[bounds][1], &ugot);
  if (uok != OracleUlong(text, kUlongBounds[bounds][0], kUlongBounds[bounds][1], uwant))
    Fail(uok ? "ulong accepted, oracle refuses" : "ulong refused, oracle accepts", text);
  if (ugot != uwant)
    Fail(uok ? "ulong value differs" : "ulong preset changed", text);
  return 0;
}
