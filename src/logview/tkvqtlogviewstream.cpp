#include "logview/tkvqtlogviewstream.h"

#include "logview/tkvqtlogtable.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QScopedValueRollback>
#include <QThread>

#include <cstdio>

TKvQtLogViewStream::TKvQtLogViewStream(TKvQtLogTable* table)
  : FTable(table), FGuiThread(table ? table->thread() : QThread::currentThread()) {}

TKvQtLogViewStream::~TKvQtLogViewStream() = default;

void TKvQtLogViewStream::Detach() {
  std::lock_guard<std::mutex> lock(FMutex);
  FTable = nullptr;
  // Bytes still queued belong to the parser's stream of records: parse them
  // (to nowhere) so that a record split across the detach stays whole.
  if (!FPending.empty()) {
    std::string pending;
    pending.swap(FPending);
    Parse(pending.data(), pending.size());
  }
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

  // Only the GUI thread changes FTable, so it alone may read it unlocked.
  const bool gui = OnGuiThread();
  if (!gui || !FTable) {
    std::lock_guard<std::mutex> lock(FMutex);
    if (!FTable) {
      // Detached: parsed so that the parser keeps its place, shown nowhere.
      Parse(data, size);
      return size;
    }
    QueueForGui(data, size);
    return size;
  }

  if (FParsing) {
    // A write made while a record is being shown (a callback that logs).
    std::lock_guard<std::mutex> lock(FMutex);
    FPending.append(static_cast<const char*>(data), size);
    return size;
  }

  Drain();
  {
    QScopedValueRollback<bool> parsing(FParsing, true);
    Parse(data, size);
  }
  Drain();
  return size;
}

// Called with FMutex held.
void TKvQtLogViewStream::QueueForGui(const void* data, unsigned long size) {
  FPending.append(static_cast<const char*>(data), size);
  if (FReplayPosted)
    return;
  QCoreApplication* app = QCoreApplication::instance();
  std::weak_ptr<TKvQtLogViewStream> self = weak_from_this();
  if (!app || self.expired())
    return; // replayed at the next GUI-thread write or Flush
  FReplayPosted = true;
  QMetaObject::invokeMethod(
    app,
    [self]() {
      if (std::shared_ptr<TKvQtLogViewStream> stream = self.lock())
        stream->Drain();
    },
    Qt::QueuedConnection);
}

void TKvQtLogViewStream::Drain() {
  if (FParsing)
    return; // the write in progress drains when it is done
  for (;;) {
    std::string chunk;
    {
      std::lock_guard<std::mutex> lock(FMutex);
      chunk.swap(FPending);
      FReplayPosted = false;
    }
    if (chunk.empty())
      return;
    QScopedValueRollback<bool> parsing(FParsing, true);
    Parse(chunk.data(), chunk.size());
  }
}

bool TKvQtLogViewStream::Flush() {
  if (FTable && OnGuiThread())
    Drain();
  return true;
}

void TKvQtLogViewStream::DoHeaderParsed(bool ok) {
  if (!FTable || !ok)
    return;
  const TKvLogRecordHeader& h = Header();
  FTable->AddMessage(h.Type, h.Level, h.Code, h.Time, h.Source, std::string());
}

void TKvQtLogViewStream::RawWrite(const void* data, unsigned long size, bool flag) {
  if (!FTable || size == 0 || flag)
    return;
  const char* bytes = static_cast<const char*>(data);
  std::string text;
  text.reserve(size);
  for (unsigned long i = 0; i < size; ++i) {
    const unsigned char c = static_cast<unsigned char>(bytes[i]);
    if (c == '\n' || c > 31) {
      text += bytes[i];
    } else {
      char escaped[5];
      std::snprintf(escaped, sizeof escaped, "\\x%02x", c);
      text.append(escaped, 4);
    }
  }
  FTable->AppendMessage(text);
}
