// Feeds arbitrary bytes to the log-record parser, once whole and then in
// pieces whose sizes come from the input itself. The parser must report the
// same records, failed headers and unframed bytes however the bytes are
// split; a difference, or a record whose text does not have the announced
// size, aborts.

#include "kvsuite/kvlog.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace {

// What the parser reported, with consecutive bytes of one kind joined.
class TTrace : public TKvLogParser {
public:
  std::string Events;

  void FeedPiece(const uint8_t* data, size_t size) {
    // A buffer of exactly the piece's size: reading past it is a finding.
    std::unique_ptr<uint8_t[]> copy(new uint8_t[size ? size : 1]);
    if (size)
      std::memcpy(copy.get(), data, size);
    Parse(copy.get(), static_cast<unsigned long>(size));
  }

protected:
  void DoHeaderParsed(bool ok) override {
    FKind = 0;
    if (!ok) {
      Events += "<bad>";
      return;
    }
    if (!InRecord())
      Fail("InRecord() is false inside DoHeaderParsed(true)");
    if (HeaderBytes().size() > 64 * 1024)
      Fail("a header longer than the limit was accepted");
    const TKvLogRecordHeader& h = Header();
    Events += "<" + h.Time + " " + std::to_string(h.Type) + " " + std::to_string(h.Level) + " " +
              std::to_string(h.Code) + " " + std::to_string(h.Source.size()) + ":" + h.Source + " " +
              std::to_string(h.TextSize) + ">";
    FBody = 0;
  }

  void RawWrite(const void* data, unsigned long size, bool flag) override {
    const char kind = flag ? (InRecord() ? 't' : 'h') : (InRecord() ? 'b' : 'u');
    if (kind == 'b' && (FBody += size) > Header().TextSize)
      Fail("a record got more text than its header announced");
    if (kind != FKind)
      Events += std::string("|") + kind + ":";
    FKind = kind;
    Events.append(static_cast<const char*>(data), size);
  }

  void DoRecordEnd() override {
    FKind = 0;
    if (FBody != Header().TextSize)
      Fail("a record ended with a text of the wrong size");
    Events += "<end>";
  }

private:
  [[noreturn]] static void Fail(const char* what) {
    std::fprintf(stderr, "log parser: %s\n", what);
    std::abort();
  }

  char FKind = 0;
  uint64_t FBody = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TTrace whole;
  whole.FeedPiece(data, size);

  // Piece sizes from a generator seeded with the input's own bytes; zero-size
  // pieces included.
  uint64_t seed = 1469598103934665603ull;
  for (size_t i = 0; i < size; ++i)
    seed = (seed ^ data[i]) * 1099511628211ull;
  for (int round = 0; round < 3; ++round) {
    TTrace pieces;
    const uint64_t maxPiece = round == 0 ? 1 : round == 1 ? 7 : 300;
    for (size_t pos = 0; pos < size;) {
      seed ^= seed << 13;
      seed ^= seed >> 7;
      seed ^= seed << 17;
      const size_t n = static_cast<size_t>(seed % (maxPiece + 1));
      const size_t take = n < size - pos ? n : size - pos;
      pieces.FeedPiece(data + pos, take);
      pos += take;
    }
    if (pieces.Events != whole.Events) {
      std::fprintf(stderr, "log parser: pieces of at most %llu bytes parse differently\n",
                   static_cast<unsigned long long>(maxPiece));
      std::abort();
    }
  }
  return 0;
}
