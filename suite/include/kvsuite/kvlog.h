#pragma once
// The suite's log: records, the process-wide log stream, and the parser,
// redirect and counter that route and count records.
//
// Record format (what KvLogWrite... put into the log stream, one Write call
// per record):
//
//   RS "KV1" SP time SP type SP level SP code SP srclen ":" source SP textlen LF text LF
//
//   RS       the byte 0x1E, which starts every record
//   time     RFC 3339 UTC time with milliseconds, "2026-12-05T19:00:00.123Z"
//            (at most 64 bytes of letters, digits and ".:+-_"; a writer
//            replaces other bytes with "_")
//   type     one ASCII letter: E error, W warning, I information, D debug
//            (TKvLogMsgType holds its code: 69, 87, 73, 68); a type code
//            that is not a letter is written as a signed decimal number
//   level    TKvLogMsgLevel in decimal, normally 0..9 (smaller is more
//            important); any int is carried
//   code     a signed decimal number, 0 when the writer has none
//   srclen   byte length of source, then ":" and the source bytes (any bytes)
//   textlen  byte length of text in decimal
//   text     textlen bytes, any bytes at all (line feeds, NULs, invalid UTF-8)
//   LF       one line feed ends the record; it is not part of the text
//
// The lengths make the format binary-safe: the parser never looks for
// delimiters inside the source or the text. Bytes outside any record (a
// writer that wrote plain text) are passed on as unframed body bytes.
//
// Limits: a header is at most 64 KiB (writers cut a source longer than
// 32 KiB), a text at most 1 GiB (writers cut longer texts). A header that
// announces more is not a header.

#include "kvsuite/kvsuite_export.h"
#include "kvsuite/kvstream.h"
#include "kvsuite/var_a.h"

#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

// Smaller is more important: 0 failure of an operation, 1 important,
// 3 visible (the default), 4 invisible, 5 least important (internal errors).
typedef int TKvLogMsgLevel;
enum : int { lmlCritical = 0, lmlImportant = 1, lmlNormal = 2, lmlVisible = 3, lmlInvisible = 4, lmlInternal = 5 };

typedef int TKvLogMsgType;
enum : int { lmtError = 'E', lmtWarning = 'W', lmtInfo = 'I', lmtDebug = 'D' };

struct TKvLogRecordHeader {
  std::string Time;    // RFC 3339 text as written
  TKvLogMsgType Type = lmtInfo;
  TKvLogMsgLevel Level = lmlVisible;
  int Code = 0;
  std::string Source;
  uint64_t TextSize = 0;
};

// Writing records -----------------------------------------------------------

// The process-wide log stream. Safe from any thread: records are written
// whole, one at a time, each in one Write call, under the log's lock (which is
// recursive, so a stream may itself log while writing: such a record is held
// back and written once the record being written is complete). The default
// stream prints readable lines to stderr. Setting a null stream goes back to
// that default. The log functions never throw: a stream that throws or fails
// costs its record, and a note goes to stderr.
KVSUITE_EXPORT var_a<TKvStream*> KvLogGetLogV();
KVSUITE_EXPORT void KvLogSetLogV(const var_a<TKvStream*>& log);
// The stream that prints readable lines to stderr (what the log starts with):
// "2026-12-05 22:00:00.123 W [source] text" in local time, without the
// brackets for an empty source; control bytes of the text appear as "\x1b",
// a line feed starts an indented continuation line. Unframed bytes are
// printed as they come, control bytes other than tab and line feed escaped.
KVSUITE_EXPORT var_a<TKvStream*> KvLogCreateStderrStream();

KVSUITE_EXPORT void KvLogWriteInfo(const std::string& source, const std::string& text,
                                   TKvLogMsgLevel level = lmlVisible, int code = 0);
KVSUITE_EXPORT void KvLogWriteWarning(const std::string& source, const std::string& text,
                                      TKvLogMsgLevel level = lmlVisible, int code = 0);
KVSUITE_EXPORT void KvLogWriteError(const std::string& source, const std::string& text,
                                    TKvLogMsgLevel level = lmlVisible, int code = 0);
// Forms without a source (the source is then empty).
KVSUITE_EXPORT void KvLogWriteInfo(const std::string& text, TKvLogMsgLevel level, int code);
KVSUITE_EXPORT void KvLogWriteWarning(const std::string& text, TKvLogMsgLevel level, int code);
KVSUITE_EXPORT void KvLogWriteError(const std::string& text, TKvLogMsgLevel level, int code);
// Any type, to the process-wide log.
KVSUITE_EXPORT void KvLogWrite(TKvLogMsgType type, const std::string& source, const std::string& text,
                               TKvLogMsgLevel level, int code);

// Writes one record into a given stream. An empty time text means now.
KVSUITE_EXPORT void KvLogWriteRecord(TKvStream& stream, const std::string& source, const std::string& text,
                                     TKvLogMsgType type, TKvLogMsgLevel level, int code,
                                     const std::string& timeText = std::string());
// The bytes of one record, as KvLogWriteRecord writes them.
KVSUITE_EXPORT std::string KvLogFormatRecord(const std::string& source, const std::string& text,
                                             TKvLogMsgType type, TKvLogMsgLevel level, int code,
                                             const std::string& timeText = std::string());

// Parsing records -----------------------------------------------------------

// Incremental record parser: feed it bytes in pieces of any size; the calls
// it makes are the same however the bytes are split, except that a run of
// header, body or unframed bytes may arrive in several RawWrite calls. A
// header cut off at the end of the data waits for the next bytes.
//
// For each record: RawWrite(header bytes, true) (possibly in pieces), then
// DoHeaderParsed(true) with Header() filled, then RawWrite(text, false) in
// pieces, then RawWrite("\n", true) for the terminator, then DoRecordEnd().
// Bytes outside records go to RawWrite(bytes, false). A header that does not
// parse (or grows past 64 KiB) is reported by DoHeaderParsed(false); its
// bytes were passed with flag true and the parser looks for the next record.
//
// A header fails at the first byte that cannot continue it; that byte is not
// part of the failed header but is read again outside a record (so an RS
// there starts the next record at once). A header whose fields do not convert
// (a number out of range) fails after its LF. A record whose terminator is
// not a line feed ends without RawWrite("\n", true): DoRecordEnd() comes and
// the byte is read again outside a record.
//
// InRecord() is true inside DoHeaderParsed(true), the body RawWrite calls and
// the terminator's RawWrite; false in the others. Callbacks must not feed the
// same parser. The parser reads only the bytes it is given and keeps at most
// one header.
class KVSUITE_EXPORT TKvLogParser {
public:
  TKvLogParser();
  virtual ~TKvLogParser();

  void Parse(const void* data, unsigned long size);
  // Forget a partly parsed record.
  void ResetParser();
  const TKvLogRecordHeader& Header() const { return FHeader; }
  // The raw bytes of the last header (from RS through its LF; of a failed
  // header, the bytes that were taken for it).
  const std::string& HeaderBytes() const { return FHeaderBytes; }
  // True between a parsed header and the end of its record.
  bool InRecord() const { return FState == sBody || FState == sTerminator; }

protected:
  virtual void DoHeaderParsed(bool ok);
  virtual void RawWrite(const void* data, unsigned long size, bool flag);
  virtual void DoRecordEnd();

private:
  enum TState { sOutside, sHeader, sBody, sTerminator };
  // Fills FHeader from the complete FHeaderBytes; false when a field does
  // not convert.
  bool ParseHeaderBytes();
  // Whether the byte continues the header being read (and takes it).
  bool TakeHeaderByte(unsigned char c);

  TState FState = sOutside;
  TKvLogRecordHeader FHeader;
  std::string FHeaderBytes;
  uint64_t FBodyLeft = 0;
  int FField = 0;          // the header field being read
  uint32_t FFieldLen = 0;  // its bytes read so far
  uint64_t FSourceLeft = 0;
};

// Routing records -----------------------------------------------------------

// A stream that sends every record written to it to those of its outputs
// whose filter passes the record. Thread-safe.
class KVSUITE_EXPORT TKvLogRedirect : public TKvStream, private TKvLogParser {
public:
  // Which records an output receives. A record passes when its level is at
  // most the field for its type and origin; the origin is the main thread
  // (the process's first thread) or any other thread, taken from the thread
  // that writes the record's header. A negative level counts as 0. Records of
  // types other than E, W and I, and bytes outside records (including the
  // bytes of headers that did not parse), pass only with the flags.
  struct TFilter {
    uint32_t Flags = 0;         // fPassOtherTypes | fPassUnframed
    uint32_t MainError = 0;     // highest level of E records from the main thread
    uint32_t MainWarning = 0;   // ... of W records from the main thread
    uint32_t MainInfo = 0;      // ... of I records from the main thread
    uint32_t ThreadError = 0;   // the same three for records from other threads
    uint32_t ThreadWarning = 0;
    uint32_t ThreadInfo = 0;
  };
  enum : uint32_t { fPassOtherTypes = 1, fPassUnframed = 2 };
  static TFilter GetAllFilter();
  static TFilter MakeFilter(uint32_t flags, uint32_t mainE, uint32_t mainW, uint32_t mainI,
                            uint32_t threadE, uint32_t threadW, uint32_t threadI);
  static bool Passes(const TFilter& f, const TKvLogRecordHeader& h, bool mainThread);

  TKvLogRedirect();
  ~TKvLogRedirect() override;

  // Adds an output. With `weak` true the redirect does not keep the stream
  // alive and drops it once it is gone. Adding a stream that is already an
  // output replaces its filter and strength. An output that throws loses
  // the bytes of that call; the others still get theirs.
  void AddStream(const var_a<TKvStream*>& stream, const TFilter& filter, bool weak);
  // Removes the output (every weak output that is gone goes too, so
  // RemoveStream(nullptr) only tidies). An output must not write into its
  // own redirect.
  void RemoveStream(TKvStream* stream);
  // The outputs that are still alive.
  size_t StreamCount() const;

  unsigned long Write(const void* data, unsigned long size) override;
  bool Flush() override;

private:
  void DoHeaderParsed(bool ok) override;
  void RawWrite(const void* data, unsigned long size, bool flag) override;
  void DoRecordEnd() override;

  struct TOutput;
  std::vector<std::shared_ptr<TOutput>> FOutputs;
  std::vector<std::shared_ptr<TOutput>> FCurrent; // outputs of the record being routed
  mutable std::recursive_mutex FMutex;
  bool FMainThread = true;
};

// Counts the records written to it by type and keeps the important-message
// flag: set by every E or W record and by I records of level 1 or less
// (the filter it is given normally decides what reaches it). Thread-safe.
class KVSUITE_EXPORT TKvLogCounter : public TKvStream, private TKvLogParser {
public:
  TKvLogCounter();
  unsigned long Write(const void* data, unsigned long size) override;

  void ResetCounters();
  bool HaveImportantMessages() const;
  unsigned long GetErrorCount() const;
  unsigned long GetWarningCount() const;
  unsigned long GetInfoCount() const;
  unsigned long GetTotalCount() const;

private:
  void DoHeaderParsed(bool ok) override;

  mutable std::mutex FMutex;
  unsigned long FErrors = 0, FWarnings = 0, FInfos = 0, FOthers = 0;
  bool FImportant = false;
};
