#include "files/kvqtselectcomputer.h"

#include "files/qtnetdlg.h"
#include "files/qtnetserverenumerator.h"
#include "files/tkvqtnetenumeratorthread.h"
#include "module/kvqtappholder.h"

#include <QApplication>
#include <QEventLoop>
#include <QFileIconProvider>
#include <QPointer>
#include <QTimer>

namespace {

// Longer than the slowest built-in source needs.
constexpr int kDiscoveryTimeoutMs = 4000;

struct TOverrideCursor {
  TOverrideCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~TOverrideCursor() { QApplication::restoreOverrideCursor(); }
};

} // namespace

std::string KvQtSelectComputer(QWidget* parent, const std::string& title) {
  if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
    return std::string();
  QPointer<QWidget> owner(parent);
  TKvQtNetEnumeratorThread worker;
  std::vector<QString> servers;
  {
    TOverrideCursor cursor;
    QEventLoop loop;
    QObject::connect(worker.enumerator(), &QtNetServerEnumerator::netListReady, &loop, &QEventLoop::quit,
                     Qt::QueuedConnection);
    QTimer::singleShot(kDiscoveryTimeoutMs, &loop, &QEventLoop::quit);
    if (!worker.enumerator()->cachedServerList(servers))
      loop.exec(QEventLoop::ExcludeUserInputEvents);
  }
  if (!worker.enumerator()->cachedServerList(servers) || servers.empty())
    return std::string();

  QFileIconProvider icons;
  // On the heap: the parent may delete it while it runs.
  QPointer<QtNetDlg> dlg = new QtNetDlg(worker.enumerator(), &icons, owner.data());
  if (!title.empty())
    dlg->setWindowTitle(QString::fromUtf8(title.c_str()));
  const int result = dlg->exec();
  std::string chosen;
  if (dlg) {
    if (result == QDialog::Accepted)
      chosen = QtToKvStr(dlg->selected());
    delete dlg.data();
  }
  return chosen;
}
