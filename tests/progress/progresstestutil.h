#pragma once
// Log capture for the progress tests: the suite's log goes into a string
// stream for the life of the object, and its records can be read back.

#include "kvsuite/kvlog.h"
#include "kvsuite/kvstream.h"

#include <string>
#include <vector>

namespace kvtest {

struct LogRecord {
  char type = 0;
  int level = 0;
  std::string source;
  std::string text;
};

inline std::vector<LogRecord> parseLog(const std::string& bytes) {
  class Collector : public TKvLogParser {
  public:
    std::vector<LogRecord> records;

  protected:
    void DoHeaderParsed(bool ok) override {
      FIn = ok;
      FBody.clear();
    }
    void RawWrite(const void* data, unsigned long size, bool flag) override {
      if (FIn && !flag)
        FBody.append(static_cast<const char*>(data), size);
    }
    void DoRecordEnd() override {
      records.push_back({static_cast<char>(Header().Type), Header().Level, Header().Source, FBody});
      FIn = false;
    }

  private:
    bool FIn = false;
    std::string FBody;
  };
  Collector c;
  c.Parse(bytes.data(), static_cast<unsigned long>(bytes.size()));
  return c.records;
}

class LogCapture {
public:
  LogCapture() : FSaved(KvLogGetLogV()), FStream(new_a<TKvStringStream>()) { KvLogSetLogV(FStream); }
  ~LogCapture() { KvLogSetLogV(FSaved); }
  LogCapture(const LogCapture&) = delete;
  LogCapture& operator=(const LogCapture&) = delete;

  std::vector<LogRecord> records() const { return parseLog(FStream->str()); }
  // Records of one source only.
  std::vector<LogRecord> records(const std::string& source) const {
    std::vector<LogRecord> out;
    for (const LogRecord& r : records())
      if (r.source == source)
        out.push_back(r);
    return out;
  }
  void clear() { FStream->clear(); }

private:
  var_a<TKvStream*> FSaved;
  var_a<TKvStringStream*> FStream;
};

} // namespace kvtest
