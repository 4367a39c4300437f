// Random bytes, written in random pieces, into a log view stream over a
// table: it must never crash, and the rows must be the same as when the
// same bytes arrive in one write.
//
// The first byte seeds the piece sizes; the rest is the stream's input.

#include "logview/tkvqtlogtable.h"
#include "logview/tkvqtlogviewstream.h"

#include <QApplication>

#include <cstdint>
#include <cstdlib>

namespace {

void EnsureApplication() {
  if (QCoreApplication::instance())
    return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char arg0[] = "fuzz_logviewstream";
  static char* argv[] = {arg0, nullptr};
  new QApplication(argc, argv); // lives for the whole process
}

struct TRows {
  QStringList texts;
  QList<bool> hidden;
  bool operator==(const TRows& o) const { return texts == o.texts && hidden == o.hidden; }
};

TRows Rows(const TKvQtLogTable& t) {
  TRows r;
  for (int row = 0; row < t.rowCount(); ++row) {
    r.texts << t.item(row, 1)->text();
    r.hidden << t.isRowHidden(row);
  }
  return r;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  EnsureApplication();
  if (size == 0)
    return 0;
  uint32_t seed = data[0] * 2654435761u + 1;
  ++data;
  --size;

  TKvQtLogTable whole;
  whole.SetMaxMessages(40, 5); // small, so that the purge runs too
  {
    auto stream = new_a<TKvQtLogViewStream>(&whole);
    stream->Write(data, static_cast<unsigned long>(size));
  }

  TKvQtLogTable pieces;
  pieces.SetMaxMessages(40, 5);
  auto stream = new_a<TKvQtLogViewStream>(&pieces);
  size_t pos = 0;
  while (pos < size) {
    seed = seed * 1103515245u + 12345u;
    size_t n = 1 + (seed >> 16) % 17;
    if (n > size - pos)
      n = size - pos;
    stream->Write(data + pos, static_cast<unsigned long>(n));
    pos += n;
  }

  if (!(Rows(whole) == Rows(pieces)))
    std::abort();
  if (whole.Messages().size() != static_cast<size_t>(whole.rowCount()))
    std::abort();

  stream->Detach();
  stream->Write(data, static_cast<unsigned long>(size)); // parsed, shown nowhere
  return 0;
}
