#pragma once
// TKvMessage: the suite's exception and message type.
//
// A message is a format text with the placeholders "%1%", "%2%", "%3%" (and
// further), filled in order by operator<<. A text that starts with "@" is a
// technical message (for developers and logs); any other text is meant for
// the user and normally comes from the resource strings. std_str() and what()
// give the filled text; format() the text as it was given.
//
// Numbers are formatted the way a person writes them: integers in full,
// floating-point values with up to 15 significant digits, no exponent for
// magnitudes from 1e-5 up to (not including) 1e15 and no trailing zeros
// ("0.1", "2.5", "1000000"); outside that range "1.5e-7", "2e+20"; "nan",
// "inf" and "-inf" for the special values. The decimal point is always "."
// whatever the C locale says. A bool gives "true" or "false", a char the
// character itself.
//
// Every occurrence of a placeholder is filled with its value. The text is
// rebuilt from the format on every fill, so a value that itself contains
// "%2%" is never filled again. A placeholder that gets no value stays in the
// text as it is; a value without a placeholder is dropped.

#include "kvsuite/kvsuite_export.h"

#include <cstdint>
#include <exception>
#include <string>
#include <vector>

class KVSUITE_EXPORT TKvMessage : public std::exception {
public:
  TKvMessage() = default;
  explicit TKvMessage(std::string format);
  explicit TKvMessage(const char* format);

  TKvMessage& operator<<(const std::string& v);
  TKvMessage& operator<<(const char* v);
  TKvMessage& operator<<(char v);
  TKvMessage& operator<<(bool v);
  TKvMessage& operator<<(int v);
  TKvMessage& operator<<(unsigned v);
  TKvMessage& operator<<(long v);
  TKvMessage& operator<<(unsigned long v);
  TKvMessage& operator<<(long long v);
  TKvMessage& operator<<(unsigned long long v);
  TKvMessage& operator<<(double v);

  // The filled text; a leading "@" of technical messages is kept.
  const std::string& std_str() const noexcept { return FText; }
  const char* what() const noexcept override { return FText.c_str(); }
  const std::string& format() const noexcept { return FFormat; }
  bool IsTechnical() const noexcept { return !FFormat.empty() && FFormat[0] == '@'; }
  // Number of the next placeholder that operator<< fills (1 after construction).
  int NextArg() const noexcept { return FNext; }

  // Formats a number the way operator<< does.
  static std::string FormatNumber(double v);

private:
  TKvMessage& Fill(const std::string& v);

  std::string FFormat;
  std::string FText;
  int FNext = 1;
  std::vector<std::string> FArgs; // the values given so far, in order
};

// A description of the exception in flight: the text of a TKvMessage or of a
// std::exception, or a fixed text for anything else. Call it only inside a
// catch block; outside one it answers "No exception".
KVSUITE_EXPORT std::string KvGetExceptionReason();

// The message of the catalogue with this id ("Cap_Info", "Cap_Warning",
// "Cap_Error", "Cap_Question", ...) in the current language; an unknown id
// gives a message whose text is the id itself.
KVSUITE_EXPORT TKvMessage KvMsg_helper(const std::string& id);

// Throws the suite's internal-logic-error message for a failed condition.
[[noreturn]] KVSUITE_EXPORT void KvThrowAssertion(const char* function, int line, const char* condition);

// Checks a condition and throws "@Internal logic error in %1% (%2%): (%3%)==false."
// with the function signature, the source line and the condition text.
#define KV_ASSERT(cond) \
  do { if (!(cond)) KvThrowAssertion(__PRETTY_FUNCTION__, __LINE__, #cond); } while (0)
#define KV_ASSERT_IN(function, cond) \
  do { if (!(cond)) KvThrowAssertion(function, __LINE__, #cond); } while (0)
