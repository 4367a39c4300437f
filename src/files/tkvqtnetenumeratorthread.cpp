#include "files/tkvqtnetenumeratorthread.h"

#include "files/qtnetserverenumerator.h"

#include <QThread>

TKvQtNetEnumeratorThread::TKvQtNetEnumeratorThread(const TKvQtNetServerSources& sources)
    : FThread(new QThread), FEnumerator(new QtNetServerEnumerator) {
  FThread->setObjectName(QStringLiteral("KvNetServerEnumerator"));
  FEnumerator->setSources(sources);
  FEnumerator->moveToThread(FThread.get());
  QObject::connect(FThread.get(), &QThread::started, FEnumerator.get(), &QtNetServerEnumerator::process);
  QObject::connect(FEnumerator.get(), &QtNetServerEnumerator::finished, FThread.get(), &QThread::quit,
                   Qt::DirectConnection);
  FThread->start();
}

TKvQtNetEnumeratorThread::~TKvQtNetEnumeratorThread() {
  stop(ULONG_MAX);
  // The enumerator was moved to the thread; it is deleted here, after the
  // thread ended, from the thread that owns this object.
}

bool TKvQtNetEnumeratorThread::stop(unsigned long ms) {
  FEnumerator->stop();
  // Also ends a thread whose loop never started (stopped before started()).
  FThread->quit();
  return FThread->wait(ms);
}
