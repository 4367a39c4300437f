#include "kvsuite/kvmessage.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace {

// Reads a placeholder "%N%" at pos; answers N (0 when there is none) and the
// length of the placeholder.
int PlaceholderAt(const std::string& text, size_t pos, size_t& length) {
  if (text[pos] != '%')
    return 0;
  size_t i = pos + 1;
  int n = 0;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9' && n < 100000)
    n = n * 10 + (text[i++] - '0');
  if (i == pos + 1 || i >= text.size() || text[i] != '%' || n == 0)
    return 0;
  length = i + 1 - pos;
  return n;
}

template <class T> std::string IntegerText(T v) {
  char buf[32];
  const std::to_chars_result r = std::to_chars(buf, buf + sizeof buf, v);
  return std::string(buf, r.ptr);
}

} // namespace

TKvMessage::TKvMessage(std::string format) : FFormat(std::move(format)), FText(FFormat) {}

TKvMessage::TKvMessage(const char* format) : TKvMessage(std::string(format ? format : "")) {}

TKvMessage& TKvMessage::Fill(const std::string& v) {
  FArgs.push_back(v);
  ++FNext;
  // Rebuilt from the format so that placeholders inside values stay literal.
  std::string text;
  text.reserve(FFormat.size() + v.size());
  for (size_t i = 0; i < FFormat.size();) {
    size_t length = 0;
    const int n = PlaceholderAt(FFormat, i, length);
    if (n > 0 && static_cast<size_t>(n) <= FArgs.size()) {
      text += FArgs[static_cast<size_t>(n) - 1];
      i += length;
    } else {
      text += FFormat[i++];
    }
  }
  FText = std::move(text);
  return *this;
}

TKvMessage& TKvMessage::operator<<(const std::string& v) { return Fill(v); }
TKvMessage& TKvMessage::operator<<(const char* v) { return Fill(v ? std::string(v) : std::string("(null)")); }
TKvMessage& TKvMessage::operator<<(char v) { return Fill(std::string(1, v)); }
TKvMessage& TKvMessage::operator<<(bool v) { return Fill(v ? "true" : "false"); }
TKvMessage& TKvMessage::operator<<(int v) { return Fill(IntegerText(v)); }
TKvMessage& TKvMessage::operator<<(unsigned v) { return Fill(IntegerText(v)); }
TKvMessage& TKvMessage::operator<<(long v) { return Fill(IntegerText(v)); }
TKvMessage& TKvMessage::operator<<(unsigned long v) { return Fill(IntegerText(v)); }
TKvMessage& TKvMessage::operator<<(long long v) { return Fill(IntegerText(v)); }
TKvMessage& TKvMessage::operator<<(unsigned long long v) { return Fill(IntegerText(v)); }
TKvMessage& TKvMessage::operator<<(double v) { return Fill(FormatNumber(v)); }

std::string TKvMessage::FormatNumber(double v) {
  if (std::isnan(v))
    return "nan";
  if (std::isinf(v))
    return v < 0 ? "-inf" : "inf";
  if (v == 0)
    return "0"; // also for -0: nobody wants to read "-0"

  // 15 significant digits in scientific form give the digits and the decimal
  // exponent after rounding; to_chars never looks at the C locale.
  char buf[64];
  const std::to_chars_result r =
      std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, 14);
  const std::string sci(buf, r.ptr);
  const size_t e = sci.find('e');
  const bool negative = sci[0] == '-';
  std::string digits;
  for (size_t i = negative ? 1 : 0; i < e; ++i)
    if (sci[i] != '.')
      digits += sci[i];
  const int exponent = std::atoi(sci.c_str() + e + 1);
  while (digits.size() > 1 && digits.back() == '0')
    digits.pop_back();

  std::string out = negative ? "-" : "";
  if (exponent >= -5 && exponent < 15) {
    if (exponent < 0) {
      out += "0.";
      out.append(static_cast<size_t>(-exponent - 1), '0');
      out += digits;
    } else {
      const size_t intDigits = static_cast<size_t>(exponent) + 1;
      if (digits.size() <= intDigits) {
        out += digits;
        out.append(intDigits - digits.size(), '0');
      } else {
        out += digits.substr(0, intDigits);
        out += '.';
        out += digits.substr(intDigits);
      }
    }
  } else {
    out += digits[0];
    if (digits.size() > 1) {
      out += '.';
      out += digits.substr(1);
    }
    out += exponent < 0 ? "e-" : "e+";
    out += IntegerText(std::abs(exponent));
  }
  return out;
}

std::string KvGetExceptionReason() {
  const std::exception_ptr current = std::current_exception();
  if (!current)
    return "No exception";
  try {
    std::rethrow_exception(current);
  } catch (const TKvMessage& m) {
    return m.std_str();
  } catch (const std::exception& e) {
    const char* what = e.what();
    return what && *what ? std::string(what) : std::string("Unknown exception");
  } catch (...) {
    return "Unknown exception";
  }
}

void KvThrowAssertion(const char* function, int line, const char* condition) {
  throw TKvMessage("@Internal logic error in %1% (%2%): (%3%)==false.")
      << (function ? function : "?") << line << (condition ? condition : "?");
}
