#include "kvsuite/kvlog.h"

#include "kvsuite/kvmessage.h"
#include "kvsuite/kvtime.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <exception>
#include <climits>
#include <ctime>
#include <memory>
#include <unistd.h>

namespace {

constexpr unsigned char kRS = 0x1e;
constexpr size_t kMaxHeader = 64 * 1024;
constexpr size_t kMaxSource = 32 * 1024;
constexpr uint64_t kMaxText = uint64_t(1) << 30;
constexpr uint32_t kMaxTime = 64;
constexpr uint32_t kMaxNumber = 11; // "-2147483648"
constexpr uint32_t kMaxSrcLen = 5;  // a source is below 64 KiB
constexpr uint32_t kMaxTextLen = 20;

enum TField { fStart, fMagic, fTime, fType, fLevel, fCode, fSrcLen, fSource, fGap, fTextLen, fDone };

bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }
bool IsLetter(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsTimeChar(unsigned char c) {
  return IsDigit(c) || IsLetter(c) || c == '.' || c == ':' || c == '+' || c == '-' || c == '_';
}

template <class T> bool ToNumber(const char* first, const char* last, T& value) {
  if (first == last)
    return false;
  const std::from_chars_result r = std::from_chars(first, last, value, 10);
  return r.ec == std::errc() && r.ptr == last;
}

template <class T> std::string NumberText(T v) {
  char buf[24];
  return std::string(buf, std::to_chars(buf, buf + sizeof buf, v).ptr);
}

// Control bytes as "\xNN"; with `lines`, a line feed starts an indented
// continuation line, otherwise tab and line feed stay as they are.
std::string EscapeForTerminal(const char* data, size_t size, bool lines) {
  static const char hex[] = "0123456789abcdef";
  std::string out;
  out.reserve(size);
  for (size_t i = 0; i < size; ++i) {
    const unsigned char c = static_cast<unsigned char>(data[i]);
    if (c == '\n' && lines) {
      out += "\n  ";
    } else if ((c < 0x20 || c == 0x7f) && (lines || (c != '\n' && c != '\t'))) {
      out += "\\x";
      out += hex[c >> 4];
      out += hex[c & 15];
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

void WriteStderr(const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), stderr);
  std::fflush(stderr);
}

// For catch blocks: what failed and why, on stderr, without throwing again.
void NoteFailure(const char* what) noexcept {
  try {
    WriteStderr(std::string("log: ") + what + ": " + KvGetExceptionReason() + "\n");
  } catch (...) {
    std::fputs("log: a log stream failed\n", stderr);
  }
}

std::string TypeText(TKvLogMsgType type) {
  if (type >= 0 && type < 128 && IsLetter(static_cast<unsigned char>(type)))
    return std::string(1, static_cast<char>(type));
  return NumberText(type);
}

// Prints records as readable lines on stderr.
class TStderrLogStream : public TKvStream, private TKvLogParser {
public:
  unsigned long Write(const void* data, unsigned long size) override {
    std::lock_guard<std::mutex> lock(FMutex);
    Parse(data, size);
    return size;
  }

private:
  void DoHeaderParsed(bool ok) override {
    FText.clear();
    if (!ok)
      WriteStderr(EscapeForTerminal(HeaderBytes().data(), HeaderBytes().size(), false));
  }

  void RawWrite(const void* data, unsigned long size, bool flag) override {
    if (flag)
      return;
    if (InRecord())
      FText.append(static_cast<const char*>(data), size);
    else
      WriteStderr(EscapeForTerminal(static_cast<const char*>(data), size, false));
  }

  void DoRecordEnd() override {
    const TKvLogRecordHeader& h = Header();
    const TKvDateTime time = TKvDateTime::FromRFCString(h.Time);
    std::string line = time.IsValid() ? time.ToLocaleString(1) : h.Time;
    line += ' ';
    line += TypeText(h.Type);
    line += ' ';
    if (!h.Source.empty()) {
      line += '[';
      line += EscapeForTerminal(h.Source.data(), h.Source.size(), true);
      line += "] ";
    }
    line += EscapeForTerminal(FText.data(), FText.size(), true);
    line += '\n';
    FText.clear();
    WriteStderr(line);
  }

  std::mutex FMutex;
  std::string FText;
};

// The process-wide log. Never destroyed: records written from static
// destructors at exit still find it.
struct TLogState {
  std::recursive_mutex Mutex;
  var_a<TKvStream*> Log = KvLogCreateStderrStream();
};

TLogState& LogState() {
  static TLogState* state = new TLogState;
  return *state;
}

// Records a stream logs while it is being written to, held back until the
// record in progress is complete (per thread; the log lock is held).
thread_local int tLogDepth = 0;
thread_local std::vector<std::string> tLogPending;
constexpr size_t kMaxPendingRecords = 1000;

void WriteToLogStream(const var_a<TKvStream*>& log, const std::string& record) {
  try {
    if (!log->WriteAll(record.data(), record.size()))
      WriteStderr("log: the log stream did not take a record\n");
  } catch (...) {
    NoteFailure("the log stream failed");
  }
}

} // namespace

// Writing -------------------------------------------------------------------

var_a<TKvStream*> KvLogCreateStderrStream() { return var_a<TKvStream*>(std::make_shared<TStderrLogStream>()); }

var_a<TKvStream*> KvLogGetLogV() {
  TLogState& s = LogState();
  std::lock_guard<std::recursive_mutex> lock(s.Mutex);
  return s.Log;
}

void KvLogSetLogV(const var_a<TKvStream*>& log) {
  TLogState& s = LogState();
  var_a<TKvStream*> old; // released after the lock: its destructor may log
  std::lock_guard<std::recursive_mutex> lock(s.Mutex);
  old = s.Log;
  s.Log = log ? log : KvLogCreateStderrStream();
}

namespace {

template <class T> void AppendNumber(std::string& out, T v) {
  char buf[24];
  out.append(buf, std::to_chars(buf, buf + sizeof buf, v).ptr);
}

// The current time as RFC text with milliseconds. Each thread formats the
// text up to the seconds once per second: a log written in a tight loop
// pays for the clock and three digits, not for a calendar conversion.
void AppendNow(std::string& out) {
  struct timespec ts;
  clock_gettime(CLOCK_REALTIME, &ts);
  const int64_t ms = static_cast<int64_t>(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
  const int64_t second = ms >= 0 ? ms / 1000 : (ms - 999) / 1000;
  const int milli = static_cast<int>(ms - second * 1000);
  thread_local int64_t tSecond = INT64_MIN;
  thread_local std::string tHead; // "2026-12-05T19:00:00."
  if (second != tSecond) {
    const std::string full = TKvDateTime::FromMSecsSinceEpoch(second * 1000).ToRFCString(3);
    if (full.size() < 4) {
      out += full;
      return;
    }
    tHead.assign(full, 0, full.size() - 4); // without "000Z"
    tSecond = second;
  }
  out += tHead;
  const char digits[4] = {static_cast<char>('0' + milli / 100), static_cast<char>('0' + milli / 10 % 10),
                          static_cast<char>('0' + milli % 10), 'Z'};
  out.append(digits, 4);
}

void AppendRecord(std::string& out, const std::string& source, const std::string& text, TKvLogMsgType type,
                  TKvLogMsgLevel level, int code, const std::string& timeText) {
  size_t srcSize = std::min(source.size(), kMaxSource);
  if (srcSize < source.size()) // do not cut a UTF-8 sequence in two
    while (srcSize > 0 && (static_cast<unsigned char>(source[srcSize]) & 0xC0) == 0x80)
      --srcSize;
  const size_t textSize = static_cast<size_t>(std::min<uint64_t>(text.size(), kMaxText));

  out.reserve(out.size() + 80 + srcSize + textSize);
  out += static_cast<char>(kRS);
  out += "KV1 ";
  if (timeText.empty()) {
    AppendNow(out);
  } else {
    const size_t timeStart = out.size();
    out.append(timeText, 0, kMaxTime);
    for (size_t i = timeStart; i < out.size(); ++i)
      if (!IsTimeChar(static_cast<unsigned char>(out[i])))
        out[i] = '_';
  }
  out += ' ';
  if (type >= 0 && type < 128 && IsLetter(static_cast<unsigned char>(type)))
    out += static_cast<char>(type);
  else
    AppendNumber(out, type);
  out += ' ';
  AppendNumber(out, level);
  out += ' ';
  AppendNumber(out, code);
  out += ' ';
  AppendNumber(out, srcSize);
  out += ':';
  out.append(source, 0, srcSize);
  out += ' ';
  AppendNumber(out, textSize);
  out += '\n';
  out.append(text, 0, textSize);
  out += '\n';
}

} // namespace

std::string KvLogFormatRecord(const std::string& source, const std::string& text, TKvLogMsgType type,
                              TKvLogMsgLevel level, int code, const std::string& timeText) {
  std::string out;
  AppendRecord(out, source, text, type, level, code, timeText);
  return out;
}

void KvLogWriteRecord(TKvStream& stream, const std::string& source, const std::string& text, TKvLogMsgType type,
                      TKvLogMsgLevel level, int code, const std::string& timeText) {
  const std::string record = KvLogFormatRecord(source, text, type, level, code, timeText);
  stream.WriteAll(record.data(), record.size());
}

void KvLogWrite(TKvLogMsgType type, const std::string& source, const std::string& text, TKvLogMsgLevel level,
                int code) {
  // Formatted outside the lock, into a buffer each thread reuses (a record
  // written from inside a log stream gets its own: the outer one is still
  // being written).
  thread_local std::string tBuffer;
  std::string nested;
  std::string& record = tLogDepth > 0 ? nested : tBuffer;
  try {
    record.clear();
    AppendRecord(record, source, text, type, level, code, std::string());
  } catch (...) { // out of memory: the record is lost, say so cheaply
    WriteStderr("log: a record could not be formatted\n");
    return;
  }
  TLogState& s = LogState();
  std::lock_guard<std::recursive_mutex> lock(s.Mutex);
  if (tLogDepth > 0) {
    if (tLogPending.size() < kMaxPendingRecords)
      tLogPending.push_back(std::move(record));
    else
      WriteStderr("log: too many records written from inside the log stream; one dropped\n");
    return;
  }
  struct TDepth {
    TDepth() { ++tLogDepth; }
    ~TDepth() { --tLogDepth; }
  } depth;
  // Held so that a stream replaced while it writes stays alive until it returns.
  const var_a<TKvStream*> log = s.Log;
  WriteToLogStream(log, record);
  for (size_t i = 0; i < tLogPending.size(); ++i)
    WriteToLogStream(log, std::string(tLogPending[i]));
  tLogPending.clear();
  if (record.capacity() > 64 * 1024)
    std::string().swap(record); // a huge record leaves no huge buffer behind
}

void KvLogWriteInfo(const std::string& source, const std::string& text, TKvLogMsgLevel level, int code) {
  KvLogWrite(lmtInfo, source, text, level, code);
}
void KvLogWriteWarning(const std::string& source, const std::string& text, TKvLogMsgLevel level, int code) {
  KvLogWrite(lmtWarning, source, text, level, code);
}
void KvLogWriteError(const std::string& source, const std::string& text, TKvLogMsgLevel level, int code) {
  KvLogWrite(lmtError, source, text, level, code);
}
void KvLogWriteInfo(const std::string& text, TKvLogMsgLevel level, int code) {
  KvLogWrite(lmtInfo, std::string(), text, level, code);
}
void KvLogWriteWarning(const std::string& text, TKvLogMsgLevel level, int code) {
  KvLogWrite(lmtWarning, std::string(), text, level, code);
}
void KvLogWriteError(const std::string& text, TKvLogMsgLevel level, int code) {
  KvLogWrite(lmtError, std::string(), text, level, code);
}

// Parsing -------------------------------------------------------------------

TKvLogParser::TKvLogParser() = default;
TKvLogParser::~TKvLogParser() = default;

void TKvLogParser::DoHeaderParsed(bool) {}
void TKvLogParser::RawWrite(const void*, unsigned long, bool) {}
void TKvLogParser::DoRecordEnd() {}

void TKvLogParser::ResetParser() {
  FState = sOutside;
  FHeader = TKvLogRecordHeader();
  FHeaderBytes.clear();
  FBodyLeft = 0;
  FField = fStart;
  FFieldLen = 0;
  FSourceLeft = 0;
}

bool TKvLogParser::TakeHeaderByte(unsigned char c) {
  auto next = [this](int field) {
    FField = field;
    FFieldLen = 0;
  };
  switch (FField) {
  case fStart:
    if (c != kRS)
      return false;
    next(fMagic);
    break;
  case fMagic:
    if (c != static_cast<unsigned char>("KV1 "[FFieldLen]))
      return false;
    if (++FFieldLen == 4)
      next(fTime);
    break;
  case fTime:
    if (c == ' ' && FFieldLen > 0) {
      next(fType);
      break;
    }
    if (!IsTimeChar(c) || FFieldLen >= kMaxTime)
      return false;
    ++FFieldLen;
    break;
  case fType:
  case fLevel:
  case fCode:
    if (c == ' ' && FFieldLen > 0) {
      next(FField + 1);
      break;
    }
    if (!(IsDigit(c) || c == '-' || (FField == fType && IsLetter(c))) || FFieldLen >= kMaxNumber)
      return false;
    ++FFieldLen;
    break;
  case fSrcLen:
    if (c == ':' && FFieldLen > 0) {
      uint64_t length = 0;
      const char* last = FHeaderBytes.data() + FHeaderBytes.size();
      ToNumber(last - FFieldLen, last, length);
      // The rest of the header needs at least ":", the source, " ", a digit and LF.
      if (FHeaderBytes.size() + length + 4 > kMaxHeader)
        return false;
      FSourceLeft = length;
      next(length ? fSource : fGap);
      break;
    }
    if (!IsDigit(c) || FFieldLen >= kMaxSrcLen)
      return false;
    ++FFieldLen;
    break;
  case fGap:
    if (c != ' ')
      return false;
    next(fTextLen);
    break;
  case fTextLen:
    if (c == '\n' && FFieldLen > 0) {
      next(fDone);
      break;
    }
    if (!IsDigit(c) || FFieldLen >= kMaxTextLen || FHeaderBytes.size() >= kMaxHeader)
      return false;
    ++FFieldLen;
    break;
  default:
    return false;
  }
  FHeaderBytes += static_cast<char>(c);
  return true;
}

bool TKvLogParser::ParseHeaderBytes() {
  // The byte scanner already checked the shape; here the fields convert.
  const char* p = FHeaderBytes.data() + 5; // RS "KV1 "
  const char* end = FHeaderBytes.data() + FHeaderBytes.size();
  auto token = [&](char stop, const char*& first, const char*& last) {
    first = p;
    while (p < end && *p != stop)
      ++p;
    last = p;
    if (p == end)
      return false;
    ++p;
    return true;
  };
  TKvLogRecordHeader h;
  const char *a, *b;
  if (!token(' ', a, b))
    return false;
  h.Time.assign(a, b);
  if (!token(' ', a, b))
    return false;
  if (b - a == 1 && IsLetter(static_cast<unsigned char>(*a)))
    h.Type = static_cast<unsigned char>(*a);
  else if (!ToNumber(a, b, h.Type))
    return false;
  if (!token(' ', a, b) || !ToNumber(a, b, h.Level))
    return false;
  if (!token(' ', a, b) || !ToNumber(a, b, h.Code))
    return false;
  size_t srcLen = 0;
  if (!token(':', a, b) || !ToNumber(a, b, srcLen) || static_cast<size_t>(end - p) < srcLen + 1)
    return false;
  h.Source.assign(p, srcLen);
  p += srcLen + 1;
  if (!token('\n', a, b) || !ToNumber(a, b, h.TextSize) || h.TextSize > kMaxText)
    return false;
  FHeader = std::move(h);
  return true;
}

void TKvLogParser::Parse(const void* data, unsigned long size) {
  if (!data || size == 0)
    return;
  const unsigned char* p = static_cast<const unsigned char*>(data);
  const unsigned char* const end = p + size;
  while (p < end) {
    switch (FState) {
    case sOutside: {
      const unsigned char* rs = static_cast<const unsigned char*>(std::memchr(p, kRS, static_cast<size_t>(end - p)));
      const unsigned char* from = p;
      p = rs ? rs : end;
      if (p > from)
        RawWrite(from, static_cast<unsigned long>(p - from), false);
      if (rs) {
        FState = sHeader;
        FHeader = TKvLogRecordHeader();
        FHeaderBytes.clear();
        FField = fStart;
        FFieldLen = 0;
        FSourceLeft = 0;
      }
      break;
    }
    case sHeader: {
      const unsigned char* run = p;
      bool failed = false;
      while (p < end && FField != fDone) {
        if (FField == fSource) {
          const size_t n = static_cast<size_t>(std::min<uint64_t>(FSourceLeft, static_cast<uint64_t>(end - p)));
          FHeaderBytes.append(reinterpret_cast<const char*>(p), n);
          p += n;
          FSourceLeft -= n;
          if (FSourceLeft == 0)
            FField = fGap;
        } else if (TakeHeaderByte(*p)) {
          ++p;
        } else {
          failed = true;
          break;
        }
      }
      if (p > run)
        RawWrite(run, static_cast<unsigned long>(p - run), true);
      if (failed) {
        // The failing byte stays unread: it may be the RS of the next record.
        FState = sOutside;
        FHeader = TKvLogRecordHeader();
        DoHeaderParsed(false);
      } else if (FField == fDone) {
        const bool ok = ParseHeaderBytes();
        if (ok) {
          FBodyLeft = FHeader.TextSize;
          FState = FBodyLeft ? sBody : sTerminator;
        } else {
          FHeader = TKvLogRecordHeader();
          FState = sOutside;
        }
        DoHeaderParsed(ok);
      }
      break;
    }
    case sBody: {
      const uint64_t n = std::min<uint64_t>(FBodyLeft, static_cast<uint64_t>(end - p));
      const unsigned char* from = p;
      p += n;
      FBodyLeft -= n;
      if (FBodyLeft == 0)
        FState = sTerminator;
      RawWrite(from, static_cast<unsigned long>(n), false);
      break;
    }
    case sTerminator:
      if (*p == '\n') {
        ++p;
        try {
          RawWrite(p - 1, 1, true);
        } catch (...) {
          FState = sOutside;
          throw;
        }
      }
      FState = sOutside;
      DoRecordEnd();
      break;
    }
  }
}

// Routing -------------------------------------------------------------------

struct TKvLogRedirect::TOutput {
  std::shared_ptr<TKvStream> Strong;
  std::weak_ptr<TKvStream> Weak;
  TKvStream* Raw = nullptr;
  TFilter Filter;
  bool Removed = false; // no longer an output; a loop that still holds it skips it

  std::shared_ptr<TKvStream> Lock() const { return Strong ? Strong : Weak.lock(); }
  bool Alive() const { return Strong || !Weak.expired(); }
};

namespace {

bool IsMainThread() { return gettid() == getpid(); }

// One output's share; an output that throws loses these bytes only.
void SendTo(const std::shared_ptr<TKvStream>& stream, const void* data, unsigned long size) {
  if (!stream || size == 0)
    return;
  try {
    stream->WriteAll(data, size);
  } catch (...) {
    NoteFailure("a log output failed");
  }
}

} // namespace

TKvLogRedirect::TFilter TKvLogRedirect::GetAllFilter() {
  const uint32_t all = 0xFFFFFFFFu;
  return MakeFilter(fPassOtherTypes | fPassUnframed, all, all, all, all, all, all);
}

TKvLogRedirect::TFilter TKvLogRedirect::MakeFilter(uint32_t flags, uint32_t mainE, uint32_t mainW, uint32_t mainI,
                                                   uint32_t threadE, uint32_t threadW, uint32_t threadI) {
  TFilter f;
  f.Flags = flags;
  f.MainError = mainE;
  f.MainWarning = mainW;
  f.MainInfo = mainI;
  f.ThreadError = threadE;
  f.ThreadWarning = threadW;
  f.ThreadInfo = threadI;
  return f;
}

bool TKvLogRedirect::Passes(const TFilter& f, const TKvLogRecordHeader& h, bool mainThread) {
  uint32_t limit;
  switch (h.Type) {
  case lmtError: limit = mainThread ? f.MainError : f.ThreadError; break;
  case lmtWarning: limit = mainThread ? f.MainWarning : f.ThreadWarning; break;
  case lmtInfo: limit = mainThread ? f.MainInfo : f.ThreadInfo; break;
  default: return (f.Flags & fPassOtherTypes) != 0;
  }
  const uint32_t level = h.Level < 0 ? 0u : static_cast<uint32_t>(h.Level);
  return level <= limit;
}

TKvLogRedirect::TKvLogRedirect() = default;

TKvLogRedirect::~TKvLogRedirect() = default;

void TKvLogRedirect::AddStream(const var_a<TKvStream*>& stream, const TFilter& filter, bool weak) {
  if (!stream)
    return;
  std::lock_guard<std::recursive_mutex> lock(FMutex);
  std::shared_ptr<TOutput> o;
  for (const std::shared_ptr<TOutput>& existing : FOutputs)
    if (existing->Raw == stream.get() && existing->Alive())
      o = existing;
  if (!o) {
    o = std::make_shared<TOutput>();
    FOutputs.push_back(o);
  }
  o->Raw = stream.get();
  o->Filter = filter;
  o->Strong = weak ? nullptr : stream.shared();
  o->Weak = stream.shared();
}

void TKvLogRedirect::RemoveStream(TKvStream* stream) {
  std::lock_guard<std::recursive_mutex> lock(FMutex);
  for (auto it = FOutputs.begin(); it != FOutputs.end();) {
    if ((*it)->Raw == stream || !(*it)->Alive()) {
      // Loops in progress keep their own reference and skip it from now on.
      (*it)->Removed = true;
      FCurrent.erase(std::remove(FCurrent.begin(), FCurrent.end(), *it), FCurrent.end());
      it = FOutputs.erase(it);
    } else {
      ++it;
    }
  }
}

size_t TKvLogRedirect::StreamCount() const {
  std::lock_guard<std::recursive_mutex> lock(FMutex);
  return static_cast<size_t>(
    std::count_if(FOutputs.begin(), FOutputs.end(), [](const std::shared_ptr<TOutput>& o) { return o->Alive(); }));
}

unsigned long TKvLogRedirect::Write(const void* data, unsigned long size) {
  std::lock_guard<std::recursive_mutex> lock(FMutex);
  RemoveStream(nullptr); // only drops the weak outputs that are gone
  FMainThread = IsMainThread();
  Parse(data, size);
  return size;
}

bool TKvLogRedirect::Flush() {
  std::lock_guard<std::recursive_mutex> lock(FMutex);
  bool ok = true;
  for (const std::shared_ptr<TOutput>& o : std::vector<std::shared_ptr<TOutput>>(FOutputs)) {
    if (o->Removed)
      continue;
    const std::shared_ptr<TKvStream> s = o->Lock();
    try {
      if (s && !s->Flush())
        ok = false;
    } catch (...) {
      ok = false;
    }
  }
  return ok;
}

// An output may remove itself or another one while it writes (which frees
// nothing the loops below still use: they walk copies of the shared lists and
// skip what was removed meanwhile).

void TKvLogRedirect::DoHeaderParsed(bool ok) {
  FCurrent.clear();
  if (!ok) {
    // Not a record: the bytes go where unframed bytes go.
    for (const std::shared_ptr<TOutput>& o : std::vector<std::shared_ptr<TOutput>>(FOutputs))
      if (!o->Removed && (o->Filter.Flags & fPassUnframed))
        SendTo(o->Lock(), HeaderBytes().data(), static_cast<unsigned long>(HeaderBytes().size()));
    return;
  }
  for (const std::shared_ptr<TOutput>& o : FOutputs)
    if (Passes(o->Filter, Header(), FMainThread))
      FCurrent.push_back(o);
  for (const std::shared_ptr<TOutput>& o : std::vector<std::shared_ptr<TOutput>>(FCurrent))
    if (!o->Removed)
      SendTo(o->Lock(), HeaderBytes().data(), static_cast<unsigned long>(HeaderBytes().size()));
}

void TKvLogRedirect::RawWrite(const void* data, unsigned long size, bool flag) {
  if (InRecord()) {
    for (const std::shared_ptr<TOutput>& o : std::vector<std::shared_ptr<TOutput>>(FCurrent))
      if (!o->Removed)
        SendTo(o->Lock(), data, size);
  } else if (!flag) {
    for (const std::shared_ptr<TOutput>& o : std::vector<std::shared_ptr<TOutput>>(FOutputs))
      if (!o->Removed && (o->Filter.Flags & fPassUnframed))
        SendTo(o->Lock(), data, size);
  }
  // Header bytes wait for DoHeaderParsed, which knows where the record goes.
}

void TKvLogRedirect::DoRecordEnd() { FCurrent.clear(); }

// Counting ------------------------------------------------------------------

TKvLogCounter::TKvLogCounter() = default;

unsigned long TKvLogCounter::Write(const void* data, unsigned long size) {
  std::lock_guard<std::mutex> lock(FMutex);
  Parse(data, size);
  return size;
}

void TKvLogCounter::DoHeaderParsed(bool ok) {
  if (!ok)
    return;
  const TKvLogRecordHeader& h = Header();
  switch (h.Type) {
  case lmtError:
    ++FErrors;
    FImportant = true;
    break;
  case lmtWarning:
    ++FWarnings;
    FImportant = true;
    break;
  case lmtInfo:
    ++FInfos;
    if (h.Level <= lmlImportant)
      FImportant = true;
    break;
  default:
    ++FOthers;
    break;
  }
}

void TKvLogCounter::ResetCounters() {
  std::lock_guard<std::mutex> lock(FMutex);
  FErrors = FWarnings = FInfos = FOthers = 0;
  FImportant = false;
}

bool TKvLogCounter::HaveImportantMessages() const {
  std::lock_guard<std::mutex> lock(FMutex);
  return FImportant;
}

unsigned long TKvLogCounter::GetErrorCount() const {
  std::lock_guard<std::mutex> lock(FMutex);
  return FErrors;
}

unsigned long TKvLogCounter::GetWarningCount() const {
  std::lock_guard<std::mutex> lock(FMutex);
  return FWarnings;
}

unsigned long TKvLogCounter::GetInfoCount() const {
  std::lock_guard<std::mutex> lock(FMutex);
  return FInfos;
}

unsigned long TKvLogCounter::GetTotalCount() const {
  std::lock_guard<std::mutex> lock(FMutex);
  return FErrors + FWarnings + FInfos + FOthers;
}
