#include "module/tkvqmainwindow.h"

#include "dialogs/tkvqmessagebox.h"

#include <QCloseEvent>
#include <QX11Info>

// Xlib last: its macros (Bool, Status, None...) clash with Qt's names.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace {

Display* X11Display() { return QX11Info::isPlatformX11() ? QX11Info::display() : nullptr; }

// Asks the window manager to leave the window off the task bar: append
// _NET_WM_STATE_SKIP_TASKBAR to the window's _NET_WM_STATE.
void SetSkipTaskbar(QWidget* w) {
  Display* dpy = X11Display();
  if (!dpy)
    return;
  const Window win = static_cast<Window>(w->winId());
  Atom skip = XInternAtom(dpy, "_NET_WM_STATE_SKIP_TASKBAR", False);
  const Atom state = XInternAtom(dpy, "_NET_WM_STATE", False);
  XChangeProperty(dpy, win, state, XA_ATOM, 32, PropModeAppend, reinterpret_cast<unsigned char*>(&skip), 1);
}

void RaiseNative(QWidget* w) {
  Display* dpy = X11Display();
  // Only a window that already has a native handle: an activation change
  // must not create one.
  if (!dpy || !w->internalWinId())
    return;
  XRaiseWindow(dpy, static_cast<Window>(w->internalWinId()));
}

} // namespace

TKvQMainWindow::TKvQMainWindow(QWidget* parent, Qt::WindowFlags flags)
  : QMainWindow(parent, flags | Qt::Window | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint |
                            Qt::WindowCloseButtonHint) {
  if (parent)
    SetSkipTaskbar(this);
}

TKvQMainWindow::~TKvQMainWindow() {
  // A window deleted during its own exec() must not leave the loop waiting
  // for a finished() that can no longer come.
  if (FEventLoop)
    FEventLoop->quit();
}

int TKvQMainWindow::exec() {
  if (FEventLoop) {
    KvQtErrorMessage("TKvQMainWindow::exec: Recursive call detected");
    return -1;
  }

  const bool deleteOnClose = testAttribute(Qt::WA_DeleteOnClose);
  setAttribute(Qt::WA_DeleteOnClose, false);
  const bool showModal = testAttribute(Qt::WA_ShowModal);
  setAttribute(Qt::WA_ShowModal, true);

  FResult = ResultRejected;
  QPointer<TKvQMainWindow> self(this);
  QEventLoop loop;
  FEventLoop = &loop;
  // finished() may come while the window is being shown, before the loop
  // runs; a quit() then would be lost, so remember it.
  bool ended = false;
  connect(this, &TKvQMainWindow::finished, &loop, [&ended, &loop] {
    ended = true;
    loop.quit();
  });
  show();
  if (self && !ended)
    loop.exec(QEventLoop::DialogExec);
  if (!self)
    return ResultRejected;

  FEventLoop = nullptr;
  setAttribute(Qt::WA_ShowModal, showModal);
  const int result = FResult;
  if (deleteOnClose)
    delete this;
  return result;
}

void TKvQMainWindow::done(int result) {
  FResult = result;
  QPointer<TKvQMainWindow> self(this);
  QMainWindow::hide();
  if (self)
    finalize(result, result);
}

void TKvQMainWindow::hide(int result) {
  FResult = result;
  QMainWindow::hide();
}

void TKvQMainWindow::finalize(int result, int code) {
  QPointer<TKvQMainWindow> self(this);
  if (code == ResultRejected)
    emit rejected();
  else if (code == ResultAccepted)
    emit accepted();
  if (self)
    emit finished(result);
}

void TKvQMainWindow::accept() { done(ResultAccepted); }

void TKvQMainWindow::reject() { done(ResultRejected); }

void TKvQMainWindow::closeEvent(QCloseEvent* e) {
  bool keepOpen = false;
  if (FEventLoop) {
    if (isVisible()) {
      QPointer<TKvQMainWindow> self(this);
      reject();
      if (!self)
        return;
      keepOpen = isVisible();
    }
  }
  QMainWindow::closeEvent(e);
  // The base accepts every close; a window that reject() kept visible wants
  // the close ignored.
  if (keepOpen)
    e->ignore();
}

void TKvQMainWindow::changeEvent(QEvent* e) {
  if (e->type() == QEvent::ActivationChange)
    RaiseNative(this);
  QMainWindow::changeEvent(e);
}
