// Window-manager hints of the main-window base, read back from the X server.
#include "module/kvmodule_initializer.h"
#include "module/tkvqmainwindow.h"

#include "kvtestsupport.h"

#include <QX11Info>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <vector>

namespace {

std::vector<Atom> netWmState(Window win) {
  Display* dpy = QX11Info::display();
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  std::vector<Atom> atoms;
  if (XGetWindowProperty(dpy, win, XInternAtom(dpy, "_NET_WM_STATE", False), 0, 64, False, XA_ATOM, &type, &format,
                         &count, &after, &data) == Success &&
      data) {
    if (type == XA_ATOM && format == 32) {
      const auto* values = reinterpret_cast<const unsigned long*>(data);
      atoms.assign(values, values + count);
    }
    XFree(data);
  }
  return atoms;
}

bool hasSkipTaskbar(Window win) {
  const Atom skip = XInternAtom(QX11Info::display(), "_NET_WM_STATE_SKIP_TASKBAR", False);
  for (Atom a : netWmState(win))
    if (a == skip)
      return true;
  return false;
}

// The top-level window of the screen's stacking order that is one of ours.
Window topmostOf(const std::vector<Window>& ours) {
  Display* dpy = QX11Info::display();
  Window root = 0, parent = 0;
  Window* children = nullptr;
  unsigned int n = 0;
  Window top = 0;
  if (XQueryTree(dpy, DefaultRootWindow(dpy), &root, &parent, &children, &n)) {
    for (unsigned int i = 0; i < n; ++i) // bottom to top
      for (Window w : ours)
        if (children[i] == w)
          top = w;
    XFree(children);
  }
  return top;
}

} // namespace

class TstMainWindowX11 : public QObject {
  Q_OBJECT
private slots:
  void initTestCase();
  void cleanup() { KV_VERIFY_NO_TOPLEVELS(); }
  void skipTaskbarOnlyWithParent();
  void raisedWhenActivationChanges();
};

void TstMainWindowX11::initTestCase() {
  if (!QX11Info::isPlatformX11())
    QSKIP("needs the xcb platform");
  Init_KvQtCpnt();
}

void TstMainWindowX11::skipTaskbarOnlyWithParent() {
  QWidget owner;
  auto* child = new TKvQMainWindow(&owner);
  QVERIFY2(child->internalWinId(), "the native window exists right after construction");
  QVERIFY(hasSkipTaskbar(Window(child->winId())));
  child->show();
  QVERIFY(QTest::qWaitForWindowExposed(child));
  QVERIFY2(hasSkipTaskbar(Window(child->winId())), "showing keeps the hint");

  TKvQMainWindow alone;
  QVERIFY(!hasSkipTaskbar(Window(alone.winId())));
}

void TstMainWindowX11::raisedWhenActivationChanges() {
  TKvQMainWindow win;
  win.setGeometry(50, 50, 200, 150);
  QWidget other;
  other.setGeometry(80, 80, 200, 150);
  win.show();
  other.show();
  QVERIFY(QTest::qWaitForWindowExposed(&win));
  QVERIFY(QTest::qWaitForWindowExposed(&other));
  other.raise();
  const std::vector<Window> ours{Window(win.winId()), Window(other.winId())};
  QTRY_COMPARE(topmostOf(ours), Window(other.winId()));

  QEvent activation(QEvent::ActivationChange);
  QApplication::sendEvent(&win, &activation);
  QTRY_COMPARE(topmostOf(ours), Window(win.winId()));
}

QTEST_MAIN(TstMainWindowX11)
#include "tst_mainwindow_x11.moc"
