#pragma once
// Numbers typed by a person, read against an inclusive range.
//
// Both parsers are independent of the C locale (a Qt application sets
// LC_NUMERIC from the environment, which would change what strtod reads).
// `value` is written only on success: a failed parse leaves the caller's
// preset in place. A null `value` only validates. A NaN bound, or min > max,
// makes every text fail.
//
// Grammar of KvStringToDoubleRange ("blank" is space, tab, CR, LF, VT, FF):
//
//   text      = blank* number blank*
//   number    = [ "+" | "-" ] mantissa [ exponent ]
//   mantissa  = digits [ point [ digits ] ] | point digits
//   exponent  = ( "e" | "E" ) [ "+" | "-" ] digits
//   digits    = one or more of "0".."9"
//   point     = "."   or, when decimalComma is true, also ","
//
// So "2.5", " 2 ", "+7", ".5", "5.", "1e3", "1E-3" are read, and with
// decimalComma "1,5" is 1.5 (a Russian user's decimal separator; there is no
// digit grouping, so "1,000" is 1 and not a thousand). Refused: the empty or
// blank text, "nan", "inf" and "infinity", digit groups ("1 000", "1'000"),
// hexadecimal ("0x10"), two decimal separators, signs in front of signs, any
// other character (an embedded NUL or a non-ASCII minus included), a value
// that overflows a double ("1e400"), and a non-zero value too small to be
// told from zero ("1e-400"; tiny values that still have a subnormal form are
// kept). The value is the correctly rounded double of the decimal text. "-0"
// is read as 0 (the sign of a zero is dropped).
//
// Grammar of KvStringToUlongRange:
//
//   text      = blank* [ "+" ] digits blank*
//
// Whole decimal numbers only: no minus sign (not even "-0"), no decimal
// point, no exponent, no digit groups, nothing above ULONG_MAX.

#include "kvsuite/kvsuite_export.h"

#include <string>

// True when `text` is a number of the grammar above with min <= number <= max;
// then *value (when given) receives it.
KVSUITE_EXPORT bool KvStringToDoubleRange(const std::string& text, double min, double max, double* value,
                                          bool decimalComma = false);
KVSUITE_EXPORT bool KvStringToUlongRange(const std::string& text, unsigned long min, unsigned long max,
                                         unsigned long* value);
