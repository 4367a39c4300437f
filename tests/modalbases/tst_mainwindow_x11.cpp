// Window-manager hints of the main-window base, read back from the X server.
#include "module/kvmodule_initializer.h"
#include "module/tkvqmainwindow.h"

#include "kvtestsupport.h"

#include <QX11Info>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <algorithm>
#include <vector>

namespace {

bool hasSkipTaskbar(Window win) {
  Display* dpy = QX11Info::display();
  const Atom skip = XInternAtom(dpy, "_NET_WM_STATE_SKIP_TASKBAR", False);
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  bool found = false;
  if (XGetWindowProperty(dpy, win, XInternAtom(dpy, "_NET_WM_STATE", False), 0, 64, False, XA_ATOM, &type, &format,
                         &count, &after, &data) == Success && data) {
    const auto* values = reinterpret_cast<const unsigned long*>(data);
    found = type == XA_ATOM && format == 32 && std::find(values, values + count, skip) != values + count;
    XFree(data);
  }
  return found;
}

} // namespace

class TstMainWindowX11 : public QObject {
  Q_OBJECT
private slots:
  void initTestCase();
  void cleanup() { KV_VERIFY_NO_TOPLEVELS(); }
  void skipTaskbarOnlyWithParent();
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

QTEST_MAIN(TstMainWindowX11)
#include "tst_mainwindow_x11.moc"
