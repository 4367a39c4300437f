#pragma once
// TKvQtLogViewStream: the write-only suite stream that turns the log records
// written into it into rows of a TKvQtLogTable.
//
// Record headers start a row (time prefix only); the record's text follows
// as it arrives, with control bytes other than the line feed shown as
// "\xNN". Bytes outside any record continue the last row. The table does not
// own the stream: writers keep it through var_a, and the window that owns
// the table calls Detach() before the table dies; later writes are accepted
// and dropped.
//
// Threads. The table is a widget, so it is only ever touched on its own (the
// GUI) thread. Written bytes are parsed at once, on the writer's thread, into
// a queue of records, in the order of the writes across all threads. A write
// on the GUI thread then shows the queue at once; records written on other
// threads are shown by a queued call when the GUI thread processes events.
// A write never waits for the GUI thread, so a worker that logs while the GUI
// thread is busy (or waits for that worker) cannot deadlock.
//
// A storm of records from workers must neither freeze the window nor eat
// memory while the GUI thread falls behind:
// - The GUI thread shows the queue in slices (at most kSliceRecords records
//   and about 10 ms at a time) and returns to its event loop between them,
//   so input, timers and painting go on whatever the rate of writing.
// - Condensing, not back-pressure: writers are never slowed down. Once the
//   queue holds more than twice the table's message limit (plus a margin),
//   the records that the table's purge would remove anyway are dropped from
//   the queue. This is exact: the purge of a table followed by the queue
//   ends the same whether or not the queue was condensed first, so the table
//   ends with exactly the rows it would hold had every record arrived on its
//   own (each queued record remembers the class of the record that followed
//   it, which decides whether its row loses a trailing line feed). The queue
//   therefore stays below about three times the limit; a table without a
//   limit keeps everything, and so does its queue. The outputs beside this
//   stream in a log redirect (the previous log, a counter) see every record
//   as before. With no protected newest messages (a limit of the form
//   (n, 0)) the newest record itself may be condensed away; the rest of its
//   text is then dropped with it instead of continuing the row before.
// Replay needs the stream to be owned by a var_a (the queued call keeps only
// a weak reference, so a stream released meanwhile is simply not replayed);
// a stream owned otherwise is replayed at its next GUI-thread write or Flush.
// A write made while the table is already showing records (a messages-changed
// callback that logs) is queued and shown right after them.

#include "kvqtcpnt_export.h"

#include "logview/tkvqtlogtable.h"

#include "kvsuite/kvlog.h"
#include "kvsuite/kvstream.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>

class QThread;

class KVQTCPNT_EXPORT TKvQtLogViewStream : public TKvStream,
                                           private TKvLogParser,
                                           public std::enable_shared_from_this<TKvQtLogViewStream> {
public:
  // `table` is not owned; it must outlive the stream or be detached first.
  explicit TKvQtLogViewStream(TKvQtLogTable* table);
  ~TKvQtLogViewStream() override;

  // Forgets the table (GUI thread); records still queued are dropped.
  void Detach();
  TKvQtLogTable* Table() const { return FTable; }

  unsigned long getPosition() override;
  unsigned long Read(void* data, unsigned long size) override;
  unsigned long Write(const void* data, unsigned long size) override;
  unsigned long getSize() override;
  bool setSize(unsigned long size) override;
  bool setPosition(unsigned long pos) override;
  // On the GUI thread: shows every record queued so far.
  bool Flush() override;
  explicit operator bool() override;

  // Records written but not shown yet (any thread).
  size_t QueuedRecords();

  // Records shown per slice of the GUI thread's time.
  static const size_t kSliceRecords = 4096;

private:
  void DoHeaderParsed(bool ok) override;
  void RawWrite(const void* data, unsigned long size, bool flag) override;

  bool OnGuiThread() const;
  // Both with FMutex held.
  void PostDrain();
  void Condense();
  // GUI thread: shows queued records for at most `budgetMs` (-1: no limit),
  // taking no more than `maxRecords` of them.
  void Drain(int budgetMs, size_t maxRecords);
  void DrainPosted();

  TKvQtLogTable* FTable;

  QThread* FGuiThread;
  std::mutex FMutex;                               // guards what follows and FTable for other threads
  std::string FHeadText;                           // text that continues the table's last message
  std::deque<TKvQtLogTable::TNewMessage> FQueue;   // records not shown yet, oldest first
  bool FDropBody = false;                          // the record being parsed was condensed away
  int FFollowingClass = -1;                        // class of the record after the table's last one
  bool FDrainPosted = false;
  bool FDraining = false;                          // GUI thread only
};
