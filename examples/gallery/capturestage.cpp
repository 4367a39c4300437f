#include "capturestage.h"

#include "kvsuite/kvmessage.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include <exception>

namespace {

// The answer a person gives by pressing Escape.
void Dismiss(QWidget* w) {
  if (auto* box = qobject_cast<QMessageBox*>(w)) {
    if (QAbstractButton* escape = box->escapeButton()) {
      escape->click();
      return;
    }
  }
  if (auto* dlg = qobject_cast<QDialog*>(w)) {
    dlg->reject();
    return;
  }
  w->close();
}

} // namespace

CaptureStage::CaptureStage(TOnWindow onWindow, int modalTimeoutMs)
    : FOnWindow(std::move(onWindow)), FModalTimeoutMs(modalTimeoutMs) {}

void CaptureStage::Settle(QWidget* window, int lingerMs) {
  if (!window->isVisible())
    window->show();
  // Layouts post their requests; a few rounds let nested ones finish.
  for (int i = 0; i < 3; ++i)
    QApplication::processEvents();
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < lingerMs)
    QApplication::processEvents(QEventLoop::AllEvents, 10);
  QApplication::processEvents();
}

void CaptureStage::Present(QWidget* window, int lingerMs) {
  Settle(window, lingerMs);
  ++FWindows;
  FOnWindow(window);
  window->hide();
}

void CaptureStage::PresentModal(const std::function<void()>& open, int lingerMs) {
  bool seen = false;
  QElapsedTimer clock;
  clock.start();
  QTimer poll;
  poll.setInterval(5);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    QPointer<QWidget> w = QApplication::activeModalWidget();
    if (w && w->isVisible()) {
      poll.stop();
      seen = true;
      Settle(w, lingerMs);
      ++FWindows;
      FOnWindow(w);
      if (w)
        Dismiss(w);
      return;
    }
    if (clock.elapsed() > FModalTimeoutMs) {
      poll.stop();
      FErrors << "a modal window did not appear in time";
      for (QWidget* top : QApplication::topLevelWidgets())
        if (top->isVisible() && top->isModal())
          Dismiss(top);
    }
  });
  poll.start();
  open();
  poll.stop();
  if (!seen)
    FErrors << "the modal call returned without showing a window";
}

bool BuildPage(const GalleryPage& page, CaptureStage& stage) {
  const int before = stage.Windows();
  const int errors = stage.Errors().size();
  try {
    page.Build(stage);
  } catch (const TKvMessage& e) {
    stage.AddError(QString("%1: %2").arg(page.Id, QString::fromStdString(e.std_str())));
  } catch (const std::exception& e) {
    stage.AddError(QString("%1: %2").arg(page.Id, e.what()));
  }
  if (stage.Windows() == before)
    stage.AddError(QString("%1: no window was presented").arg(page.Id));
  return stage.Windows() > before && stage.Errors().size() == errors;
}
