#pragma once
// TKvQMainWindow: a main window that can also run modally like a dialog.
//
// exec() shows the window application-modal and runs a nested event loop
// until finished() is emitted (done, accept, reject, finalize, or a close box
// that rejects), answering 5100 (accepted) or 5101 (rejected) like TKvQDialog.
// hide(r) and a later finalize(r, r) split done(r) in two: the window vanishes
// at once and reports its end later.
//
// Under X11 a window with a parent is kept off the task bar, and the window is
// raised whenever its activation changes. On other platforms neither hint is
// given: there is no portable equivalent, and the window still works.
//
// Choices of this class:
// - A close box while exec() runs ends the run through reject(); a subclass
//   whose reject() keeps the window visible also keeps the close event
//   ignored, so the window stays.
// - Deleting the window while its exec() runs ends the loop; exec() answers
//   5101 without touching the dead window.

#include "kvqtcpnt_export.h"

#include <QEventLoop>
#include <QMainWindow>
#include <QPointer>

class KVQTCPNT_EXPORT TKvQMainWindow : public QMainWindow {
  Q_OBJECT
public:
  static constexpr int ResultAccepted = 5100;
  static constexpr int ResultRejected = 5101;

  // Adds a title with minimise, maximise and close buttons to `flags`.
  explicit TKvQMainWindow(QWidget* parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());
  ~TKvQMainWindow() override;

  // The code of the last done() / hide(int); 5101 before any.
  int result() const { return FResult; }
  bool isExecuting() const { return !FEventLoop.isNull(); }

  using QMainWindow::hide;
  // Hides the window and keeps the code, without ending exec().
  void hide(int result);
  // Emits accepted() (code 5100) or rejected() (code 5101), then finished(result).
  void finalize(int result, int code);

signals:
  void finished(int result);
  void accepted();
  void rejected();

public slots:
  // The modal run; -1 (after an error message) when it is already running.
  virtual int exec();
  virtual void done(int result);
  virtual void accept();
  virtual void reject();

protected:
  void closeEvent(QCloseEvent* e) override;
  void changeEvent(QEvent* e) override;

private:
  int FResult = ResultRejected;
  QPointer<QEventLoop> FEventLoop;
};
