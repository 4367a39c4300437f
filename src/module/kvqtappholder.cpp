#include "module/kvqtappholder.h"

#include <QApplication>
#include <QKeyEvent>

QCoreApplication* KvQtAppHolder::KvGetApp() { return QCoreApplication::instance(); }

QWidget* KvQtAppHolder::KvGetTopWindow() {
  return qobject_cast<QApplication*>(QCoreApplication::instance()) ? QApplication::activeWindow() : nullptr;
}

void KvQtAppHolder::ProcessMessages() { QCoreApplication::processEvents(QEventLoop::AllEvents, 10); }

void KvQtAppHolder::InitApp() {
  // An empty library icon leaves the icon the application set itself.
  if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
    return;
  const QIcon icon = KvLoadQApplicationMainIcon();
  if (!icon.isNull())
    QApplication::setWindowIcon(icon);
}

QIcon KvLoadQApplicationMainIcon() { return QIcon(); }

std::string QtToKvStr(const QString& text) {
  const QByteArray utf8 = text.toUtf8();
  return std::string(utf8.constData(), static_cast<size_t>(utf8.size()));
}

int KvGetKeyCode(const QKeyEvent& event) { return event.key(); }

int KvGetShiftState(const QInputEvent& event) {
  const Qt::KeyboardModifiers m = event.modifiers();
  int state = 0;
  if (m & Qt::ShiftModifier)
    state |= 1;
  if (m & Qt::AltModifier)
    state |= 2;
  if (m & Qt::ControlModifier)
    state |= 4;
  return state;
}
