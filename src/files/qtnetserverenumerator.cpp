#include "files/qtnetserverenumerator.h"

#include "kvsuite/kvlog.h"
#include "kvsuite/kvmessage.h"

#include <QMutexLocker>

#include <algorithm>

QtNetServerEnumerator::QtNetServerEnumerator() : FSources(KvQtDefaultNetServerSources()) {}

QtNetServerEnumerator::~QtNetServerEnumerator() = default;

bool QtNetServerEnumerator::cachedServerList(std::vector<QString>& out) {
  QMutexLocker lock(&FMutex);
  if (!FCacheValid)
    return false;
  out = FServers;
  return true;
}

void QtNetServerEnumerator::setSources(const TKvQtNetServerSources& sources) {
  QMutexLocker lock(&FMutex);
  FSources = sources;
}

std::vector<QString> QtNetServerEnumerator::discover() {
  TKvQtNetServerSources sources;
  {
    QMutexLocker lock(&FMutex);
    sources = FSources;
  }
  const auto cancelled = [this] {
    QMutexLocker lock(&FMutex);
    return !FRunning;
  };
  std::vector<QString> found;
  for (const auto& source : sources) {
    if (!source || cancelled())
      continue;
    QStringList names;
    try {
      names = source->discover(cancelled);
    } catch (...) {
      KvLogWriteError("@Network server discovery failed: " + KvGetExceptionReason(), lmlInternal, 0);
    }
    for (const QString& n : names)
      if (!n.isEmpty() && std::find(found.begin(), found.end(), n) == found.end())
        found.push_back(n);
  }
  return found;
}

void QtNetServerEnumerator::process() {
  FMutex.lock();
  while (FRunning) {
    if (FCacheValid) {
      FCondition.wait(&FMutex);
      if (!FRunning)
        break;
    }
    FMutex.unlock();
    std::vector<QString> fresh = discover();
    FMutex.lock();
    if (!FRunning)
      break;
    FServers.swap(fresh);
    FCacheValid = true;
    FMutex.unlock();
    Q_EMIT netListReady();
    fresh.clear(); // the old list
    FMutex.lock();
  }
  FMutex.unlock();
  Q_EMIT finished();
}

void QtNetServerEnumerator::refresh() { FCondition.wakeOne(); }

void QtNetServerEnumerator::stop() {
  QMutexLocker lock(&FMutex);
  FRunning = false;
  FCondition.wakeOne();
}

void QtNetServerEnumerator::invalidateCache() {
  QMutexLocker lock(&FMutex);
  FCacheValid = false;
}
