#pragma once
// TKvQtNetEnumeratorThread: a server enumerator running on a thread of its
// own, the way QtNetServerEnumerator expects to be run. The constructor
// starts the thread (the first pass begins at once); the destructor stops
// the loop and waits for the thread, so the enumerator never outlives it.
// GUI thread only.

#include "kvqtcpnt_export.h"

#include "files/ikvqtnetserversource.h"

#include <memory>

class QThread;
class QtNetServerEnumerator;

class KVQTCPNT_EXPORT TKvQtNetEnumeratorThread {
public:
  explicit TKvQtNetEnumeratorThread(const TKvQtNetServerSources& sources = KvQtDefaultNetServerSources());
  ~TKvQtNetEnumeratorThread();
  TKvQtNetEnumeratorThread(const TKvQtNetEnumeratorThread&) = delete;
  TKvQtNetEnumeratorThread& operator=(const TKvQtNetEnumeratorThread&) = delete;

  QtNetServerEnumerator* enumerator() const { return FEnumerator.get(); }
  // Stops the loop and waits up to `ms` milliseconds for the thread; true
  // when it ended. The destructor waits without a limit.
  bool stop(unsigned long ms);

private:
  std::unique_ptr<QThread> FThread;
  std::unique_ptr<QtNetServerEnumerator> FEnumerator;
};
