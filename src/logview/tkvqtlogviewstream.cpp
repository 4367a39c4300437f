#include "logview/tkvqtlogviewstream.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMetaObject>
#include <QScopedValueRollback>
#include <QThread>

#include <algorithm>
#include <iterator>
#include <vector>

namespace {

// Time the GUI thread gives the log per turn of its event loop.
const int kDrainBudgetMs = 10;
// Records the queue may hold beyond twice the table's limit before it is condensed.
const size_t kCondenseMargin = 1024;

} // namespace

TKvQtLogViewStream::TKvQtLogViewStream(TKvQtLogTable* table)
  : FTable(table), FGuiThread(table ? table->thread() : QThread::currentThread()) {}

TKvQtLogViewStream::~TKvQtLogViewStream() = default;

void TKvQtLogViewStream::Detach() {
  std::lock_guard<std::mutex> lock(FMutex);
  FTable = nullptr;
  FQueue.clear();
  FHeadText.clear();
  FFollowingClass = -1;
}

size_t TKvQtLogViewStream::QueuedRecords() {
  std::lock_guard<std::mutex> lock(FMutex);
  return FQueue.size();
}

bool TKvQtLogViewStream::OnGuiThread() const { return QThread::currentThread() == FGuiThread; }

unsigned long TKvQtLogViewStream::getPosition() { return 0; }

unsigned long TKvQtLogViewStream::Read(void*, unsigned long) { return 0; }

unsigned long TKvQtLogViewStream::getSize() { return 0; }

bool TKvQtLogViewStream::setSize(unsigned long) { return false; }

bool TKvQtLogViewStream::setPosition(unsigned long) { return false; }

TKvQtLogViewStream::operator bool() { return FTable != nullptr; }

unsigned long TKvQtLogViewStream::Write(const void* data, unsigned long size) {
  if (size == 0 || !data)
    return 0;
  const bool gui = OnGuiThread();
  {
    std::lock_guard<std::mutex> lock(FMutex);
    if (!FTable)
      return size; // detached: shown nowhere
    Parse(data, size);
    if (!gui) {
      PostDrain();
      return size;
    }
  }
  // A write on the GUI thread shows at once, unless records are being shown
  // already (a callback that logs): the drain in progress picks it up.
  if (!FDraining)
    Drain(kDrainBudgetMs, static_cast<size_t>(-1));
  return size;
}

// Called with FMutex held.
void TKvQtLogViewStream::PostDrain() {
  if (FDrainPosted)
    return;
  QCoreApplication* app = QCoreApplication::instance();
  std::weak_ptr<TKvQtLogViewStream> self = weak_from_this();
  if (!app || self.expired())
    return; // replayed at the next GUI-thread write or Flush
  FDrainPosted = true;
  QMetaObject::invokeMethod(
    app,
    [self]() {
      if (std::shared_ptr<TKvQtLogViewStream> stream = self.lock())
        stream->DrainPosted();
    },
    Qt::QueuedConnection);
}

void TKvQtLogViewStream::DrainPosted() {
  {
    std::lock_guard<std::mutex> lock(FMutex);
    FDrainPosted = false;
  }
  if (!FDraining)
    Drain(kDrainBudgetMs, static_cast<size_t>(-1));
}

void TKvQtLogViewStream::Drain(int budgetMs, size_t maxRecords) {
  QScopedValueRollback<bool> draining(FDraining, true);
  QElapsedTimer timer;
  timer.start();
  size_t taken = 0;
  for (;;) {
    std::string head;
    std::vector<TKvQtLogTable::TNewMessage> batch;
    int followingClass = -1;
    {
      std::lock_guard<std::mutex> lock(FMutex);
      if (!FTable)
        return;
      const bool more = !FHeadText.empty() || !FQueue.empty();
      if (more && ((budgetMs >= 0 && timer.elapsed() >= budgetMs) || taken >= maxRecords)) {
        PostDrain(); // the rest at the next turn of the event loop
        return;
      }
      if (!more)
        return;
      head.swap(FHeadText);
      followingClass = FFollowingClass;
      FFollowingClass = -1;
      // With a small limit the whole (condensed) queue goes at once: rows are
      // then built only for what survives all of it.
      const uint64_t limit = FTable->GetMaxMessages();
      const size_t slice = limit != 0 && limit <= kSliceRecords ? FQueue.size() : kSliceRecords;
      const size_t n = std::min({FQueue.size(), slice, maxRecords - taken});
      batch.reserve(n);
      std::move(FQueue.begin(), FQueue.begin() + static_cast<std::ptrdiff_t>(n), std::back_inserter(batch));
      FQueue.erase(FQueue.begin(), FQueue.begin() + static_cast<std::ptrdiff_t>(n));
      taken += n;
      if (n > 0 && !FQueue.empty())
        FFollowingClass = batch.back().nextClass; // what followed the new last row

    }
    if (!head.empty())
      FTable->AppendMessage(head);
    if (!batch.empty())
      FTable->AddMessages(batch, followingClass);
  }
}

bool TKvQtLogViewStream::Flush() {
  if (FTable && OnGuiThread() && !FDraining) {
    size_t queued;
    {
      std::lock_guard<std::mutex> lock(FMutex);
      queued = FQueue.size();
    }
    // What is queued now, however long it takes; not what workers add meanwhile.
    Drain(-1, queued + 1);
  }
  return true;
}

// Called with FMutex held.
void TKvQtLogViewStream::Condense() {
  const uint64_t maximum = FTable->GetMaxMessages();
  if (maximum == 0 || FQueue.size() <= 2 * maximum + kCondenseMargin)
    return;
  std::vector<uint8_t> flags;
  flags.reserve(FQueue.size());
  for (const TKvQtLogTable::TNewMessage& m : FQueue)
    flags.push_back(TKvQtLogTable::IsPurgedFirst(m.type, m.level) ? TKvQtLogTable::pfDetail : 0);
  std::vector<uint8_t> fate;
  TKvQtLogTable::SimulatePurge(flags, 0, maximum, FTable->GetProtectedNewest(), fate);
  std::deque<TKvQtLogTable::TNewMessage> kept;
  for (size_t i = 0; i < fate.size(); ++i)
    if (fate[i] & TKvQtLogTable::pfSurvives)
      kept.push_back(std::move(FQueue[i]));
  // The newest record is still receiving its text.
  FDropBody = !(fate.back() & TKvQtLogTable::pfSurvives);
  FQueue.swap(kept);
}

// Parser callbacks: called with FMutex held, on the writer's thread.

void TKvQtLogViewStream::DoHeaderParsed(bool ok) {
  if (!FTable || !ok)
    return;
  const TKvLogRecordHeader& h = Header();
  FDropBody = false;
  // Remembered for when the records between are condensed away.
  const int messageClass = TKvQtLogTable::CalcMessageLevel(h.Type, h.Level);
  if (!FQueue.empty())
    FQueue.back().nextClass = messageClass;
  else if (FFollowingClass < 0)
    FFollowingClass = messageClass;
  FQueue.push_back(TKvQtLogTable::TNewMessage{h.Type, h.Level, h.Code, h.Time, h.Source, std::string()});
  Condense();
}

void TKvQtLogViewStream::RawWrite(const void* data, unsigned long size, bool flag) {
  if (!FTable || size == 0 || flag || (FDropBody && InRecord()))
    return;
  std::string& text = FQueue.empty() ? FHeadText : FQueue.back().text;
  static const char hex[] = "0123456789abcdef";
  const char* bytes = static_cast<const char*>(data);
  text.reserve(text.size() + size);
  const char* run = bytes;
  const char* const end = bytes + size;
  for (const char* p = bytes; p < end; ++p) {
    const unsigned char c = static_cast<unsigned char>(*p);
    if (c == '\n' || c > 31)
      continue;
    text.append(run, static_cast<size_t>(p - run));
    const char escaped[4] = {'\\', 'x', hex[c >> 4], hex[c & 15]};
    text.append(escaped, 4);
    run = p + 1;
  }
  text.append(run, static_cast<size_t>(end - run));
}
