#pragma once
// QtNetServerEnumerator: finds the network servers on a worker thread and
// keeps the last list for the GUI.
//
// The application creates the thread: move the enumerator to a QThread,
// connect the thread's started() to process() and finished() to the
// thread's quit(), start it; stop() ends the loop (finished() follows once).
// process() makes one pass at once and then sleeps until refresh(), a wake
// from the chooser's Update button or the file-dialog hook's timer; each pass
// asks the enumerator's sources (ikvqtnetserversource.h) and publishes the
// list with netListReady(), which reaches GUI objects queued.
//
// One mutex guards the list and the two flags; one wait condition wakes the
// loop. The sources are asked outside the lock; their cancel check reads the
// running flag under it, so a slow source gives up soon after stop().
//
// Created without a parent; whoever creates it deletes it after finished()
// (or before the thread ever started).

#include "kvqtcpnt_export.h"

#include "files/ikvqtnetserversource.h"

#include <QMutex>
#include <QObject>
#include <QString>
#include <QWaitCondition>

#include <vector>

class KVQTCPNT_EXPORT QtNetServerEnumerator : public QObject {
  Q_OBJECT
public:
  // Starts with the default sources (KvQtDefaultNetServerSources).
  QtNetServerEnumerator();
  ~QtNetServerEnumerator() override;

  // True and the last list in `out` when a pass has finished since the cache
  // was last invalidated; false and `out` untouched otherwise.
  bool cachedServerList(std::vector<QString>& out);
  // Replaces the sources; the next pass uses them.
  void setSources(const TKvQtNetServerSources& sources);

Q_SIGNALS:
  void netListReady();
  void finished();

public Q_SLOTS:
  // The worker loop (on the enumerator's own thread).
  void process();
  // Wakes the worker for a new pass.
  void refresh();
  // Ends the worker loop.
  void stop();
  // The cached list no longer counts (no wake).
  void invalidateCache();

private:
  QWaitCondition FCondition;
  QMutex FMutex;
  std::vector<QString> FServers;
  bool FRunning = true;
  bool FCacheValid = false;

  TKvQtNetServerSources FSources;

  std::vector<QString> discover();
};
