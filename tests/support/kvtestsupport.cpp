#include "kvtestsupport.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QDir>
#include <QKeyEvent>
#include <QMessageBox>
#include <QUuid>

namespace kvtest {

ModalDriver::ModalDriver(Action action, int timeoutMs, Match match)
  : FAction(std::move(action)), FMatch(std::move(match)), FTimeoutMs(timeoutMs) {
  FTimer.setInterval(10);
  connect(&FTimer, &QTimer::timeout, this, &ModalDriver::poll);
}

ModalDriver::~ModalDriver() { FTimer.stop(); }

void ModalDriver::start() {
  FFired = false;
  FStarted = QDateTime::currentMSecsSinceEpoch();
  FTimer.start();
}

void ModalDriver::poll() {
  QWidget* w = QApplication::activeModalWidget();
  if (w && w->isVisible() && (!FMatch || FMatch(w))) {
    FTimer.stop();
    FFired = true;
    FWidget = w;
    FAction(w);
    return;
  }
  if (QDateTime::currentMSecsSinceEpoch() - FStarted > FTimeoutMs) {
    FTimer.stop();
    // Nothing matching appeared in time: close whatever is modal so the test
    // fails on fired() instead of hanging.
    closeStrayModals();
  }
}

int closeStrayModals() {
  int n = 0;
  while (QWidget* w = QApplication::activeModalWidget()) {
    if (auto* box = qobject_cast<QMessageBox*>(w)) {
      box->done(QMessageBox::Cancel);
    } else if (auto* dlg = qobject_cast<QDialog*>(w)) {
      dlg->reject();
    } else {
      w->close();
      w->hide();
    }
    ++n;
    if (n > 20)
      break;
  }
  return n;
}

QWidgetList liveTopLevels() {
  QWidgetList out;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    // Qt keeps some hidden helper windows (desktop widget, tool tips, menus
    // of combo boxes) that belong to no test.
    if (w->windowType() == Qt::Desktop || w->inherits("QDesktopWidget") || w->inherits("QTipLabel") ||
        w->inherits("QComboBoxPrivateContainer") || w->inherits("QMenu"))
      continue;
    if (w->testAttribute(Qt::WA_DontShowOnScreen) && !w->isVisible())
      continue;
    out << w;
  }
  return out;
}

bool clickButtonWithText(QWidget* w, const QString& text) {
  for (QAbstractButton* b : w->findChildren<QAbstractButton*>()) {
    if (b->text().remove('&') == QString(text).remove('&') && b->isVisible()) {
      b->click();
      return true;
    }
  }
  return false;
}

void closeBox(QWidget* w) {
  QCloseEvent ev;
  QApplication::sendEvent(w, &ev);
}

void pressEscape(QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); }

QString freshDir(const QString& name) {
  QString base = qEnvironmentVariable("KV_TEST_TMP", QDir::tempPath());
  QString path = base + "/" + name + "-" + QUuid::createUuid().toString(QUuid::WithoutBraces);
  QDir().mkpath(path);
  return path;
}

} // namespace kvtest
