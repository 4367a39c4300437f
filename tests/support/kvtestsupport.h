#pragma once
// Helpers shared by the library's tests.

#include <QApplication>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <QtTest>

#include <functional>

namespace kvtest {

// Acts on the next modal widget that appears. Poll with start(), run the code
// that opens the modal widget, then assert fired(): a widget that never
// appeared fails the test instead of hanging it. The action runs once, inside
// the modal loop. With a match function, only a modal widget it accepts counts.
class ModalDriver : public QObject {
public:
  using Action = std::function<void(QWidget*)>;
  using Match = std::function<bool(QWidget*)>;

  explicit ModalDriver(Action action, int timeoutMs = 5000, Match match = {});
  ~ModalDriver() override;

  void start();
  bool fired() const { return FFired; }
  // The widget the action ran on (null once it is gone).
  QWidget* widget() const { return FWidget; }

private:
  void poll();
  Action FAction;
  Match FMatch;
  QTimer FTimer;
  int FTimeoutMs;
  qint64 FStarted = 0;
  bool FFired = false;
  QPointer<QWidget> FWidget;
};

// Closes any modal widget that stays open past the timeout so that a broken
// test cannot hang; returns the number of widgets it had to close.
int closeStrayModals();

// Top-level widgets that are not hidden native helper windows; use in
// cleanup() to check that a test left nothing behind.
QWidgetList liveTopLevels();

// Presses the standard button of a QMessageBox or QDialogButtonBox found in w.
bool clickButtonWithText(QWidget* w, const QString& text);
// Sends a close event (the window's close box).
void closeBox(QWidget* w);
// Sends Escape to the widget.
void pressEscape(QWidget* w);

// A fresh, empty folder under the test's temporary area (KV_TEST_TMP or /tmp).
QString freshDir(const QString& name);

} // namespace kvtest

// In cleanup(): fails when a test left a top-level widget behind.
#define KV_VERIFY_NO_TOPLEVELS() \
  do { \
    const QWidgetList left__ = kvtest::liveTopLevels(); \
    for (QWidget* w__ : left__) \
      qWarning() << "left behind:" << w__->metaObject()->className() << w__->objectName() << w__->windowTitle(); \
    for (QWidget* w__ : left__) delete w__; \
    QVERIFY2(left__.isEmpty(), "a top-level widget was left behind"); \
  } while (0)
