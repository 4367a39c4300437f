#pragma once
// TKvQtLogViewStream: the write-only suite stream that turns the log records
// written into it into rows of a TKvQtLogTable.
//
// Record headers start a row (time prefix only); the record's text follows
// as it arrives, with control bytes other than the line feed shown as
// "\xNN". Bytes outside any record continue the last row. The table does not
// own the stream: writers keep it through var_a, and the window that owns
// the table calls Detach() before the table dies; later writes are still
// accepted and parsed, but shown nowhere.
//
// Threads. The table is a widget, so it is only ever touched on its own (the
// GUI) thread. Bytes written on that thread are parsed at once. Bytes written
// on any other thread, while a table is attached, are queued in the order of
// the writes and replayed on the GUI thread by a queued call as soon as it
// processes events (and before any later write made on the GUI thread, so the
// order of writes is kept across threads). A write never waits for the GUI
// thread, so a worker that logs while the GUI thread is busy cannot deadlock.
// Replay needs the stream to be owned by a var_a (the queued call keeps only
// a weak reference, so a stream released meanwhile is simply not replayed);
// a stream owned otherwise is replayed at its next GUI-thread write or Flush.
// A write made while the table is already handling a record (a messages-changed
// callback that logs) is queued as well and handled right after it.

#include "kvqtcpnt_export.h"

#include "kvsuite/kvlog.h"
#include "kvsuite/kvstream.h"

#include <memory>
#include <mutex>
#include <string>

class QThread;
class TKvQtLogTable;

class KVQTCPNT_EXPORT TKvQtLogViewStream : public TKvStream,
                                           private TKvLogParser,
                                           public std::enable_shared_from_this<TKvQtLogViewStream> {
public:
  // `table` is not owned; it must outlive the stream or be detached first.
  explicit TKvQtLogViewStream(TKvQtLogTable* table);
  ~TKvQtLogViewStream() override;

  // Forgets the table (GUI thread). Queued bytes are dropped with it.
  void Detach();
  TKvQtLogTable* Table() const { return FTable; }

  unsigned long getPosition() override;
  unsigned long Read(void* data, unsigned long size) override;
  unsigned long Write(const void* data, unsigned long size) override;
  unsigned long getSize() override;
  bool setSize(unsigned long size) override;
  bool setPosition(unsigned long pos) override;
  // Replays queued bytes when called on the GUI thread.
  bool Flush() override;
  explicit operator bool() override;

private:
  void DoHeaderParsed(bool ok) override;
  void RawWrite(const void* data, unsigned long size, bool flag) override;

  bool OnGuiThread() const;
  void QueueForGui(const void* data, unsigned long size);
  void Drain();

  TKvQtLogTable* FTable;

  QThread* FGuiThread;
  std::mutex FMutex;      // guards FPending, FReplayPosted and FTable for other threads
  std::string FPending;   // bytes waiting for the GUI thread, in write order
  bool FReplayPosted = false;
  bool FParsing = false;  // GUI thread only
};
