#include "autopilot.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDateTime>
#include <QDialog>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QWidget>

#include <cstdio>

Autopilot::Autopilot(const QString& shotsDir, bool cancel) : FDir(shotsDir), FCancel(cancel) {
  QDir().mkpath(FDir);
  FTimer.setInterval(40);
  connect(&FTimer, &QTimer::timeout, this, &Autopilot::tick);
}

void Autopilot::start() { FTimer.start(); }

QWidget* Autopilot::logWindow() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->inherits("TQtLogView") && w->isVisible())
      return w;
  return nullptr;
}

void Autopilot::shoot(QWidget* w, const QString& name) {
  if (!w || FDone.contains(name))
    return;
  FDone.insert(name);
  const QString file = FDir + "/" + name + ".png";
  if (w->grab().save(file)) {
    FShots << file;
    std::printf("  screenshot: %s\n", qPrintable(file));
  }
}

void Autopilot::nestedLevelsShown() {
  QWidget* view = logWindow();
  if (!view || FDone.contains("1-progress-nested"))
    return;
  shoot(view, "1-progress-nested");
  if (FCancel) {
    // Cancel asks first; the question is answered with its default (Yes).
    if (auto* cancel = view->findChild<QAbstractButton*>("BtnCancel")) {
      QPointer<QAbstractButton> button(cancel);
      FBoxShot = "2-cancel-question";
      QTimer::singleShot(0, this, [button] {
        if (button)
          button->click();
      });
    }
    return;
  }
  auto* pauseResume = view->findChild<QAbstractButton*>("BtnPauseResume");
  if (pauseResume && pauseResume->isVisible() && pauseResume->isEnabled()) {
    // Pausing runs a loop until resumed; run it from its own timer call,
    // since Qt does not re-enter the polling timer while its handler runs.
    QPointer<QAbstractButton> button(pauseResume);
    QTimer::singleShot(0, this, [button] {
      if (button)
        button->click();
    });
    FPausedAt = QDateTime::currentMSecsSinceEpoch();
  }
}

void Autopilot::answerNextBox(const QString& shotName) { FBoxShot = shotName; }

void Autopilot::acceptNextDialog(const QString& shotName) {
  FDialogShot = shotName;
  FDialogSeenAt = 0;
}

void Autopilot::tick() {
  // A message box first: grab it, then answer with its default button.
  if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
    if (!FBoxShot.isEmpty() && box->isVisible()) {
      shoot(box, FBoxShot);
      if (FBoxShot == "2-cancel-question")
        FCancelConfirmed = true;
      FBoxShot.clear();
      if (QPushButton* b = box->defaultButton())
        b->click();
      else
        box->reject();
    }
    return;
  }
  // Any other dialog: let it settle on screen for a moment, grab and end it.
  if (auto* dlg = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
    if (!FDialogShot.isEmpty() && dlg->isVisible() && !dlg->inherits("TQtLogView")) {
      const qint64 now = QDateTime::currentMSecsSinceEpoch();
      if (!FDialogSeenAt)
        FDialogSeenAt = now;
      if (now - FDialogSeenAt < 300)
        return;
      shoot(dlg, FDialogShot);
      FDialogShot.clear();
      QPointer<QDialog> guard(dlg);
      // Ending the dialog returns from its exec(): do it outside this tick.
      QTimer::singleShot(0, this, [guard] {
        if (!guard)
          return;
        if (auto* ok = guard->findChild<QAbstractButton*>("OkBtn"))
          ok->click();
        else
          guard->reject();
      });
      return;
    }
  }

  QWidget* view = logWindow();
  if (!view)
    return;
  auto* pauseResume = view->findChild<QAbstractButton*>("BtnPauseResume");
  int levels = 0;
  for (QWidget* c : view->findChildren<QWidget*>())
    if (c->inherits("TKvQtProgressItem") && c->isVisible())
      ++levels;
  const qint64 now = QDateTime::currentMSecsSinceEpoch();

  if (levels >= 3)
    nestedLevelsShown();
  if (FPausedAt && !FResumed && now - FPausedAt > 600) {
    shoot(view, "2-paused");
    if (pauseResume)
      pauseResume->click(); // resume
    FResumed = true;
    return;
  }
  auto* ok = view->findChild<QAbstractButton*>("BtnOK");
  auto* okHolder = view->findChild<QWidget*>("OKHolder");
  if (ok && okHolder && okHolder->isVisible()) {
    shoot(view, "4-wait-ok");
    ok->click();
  }
}
