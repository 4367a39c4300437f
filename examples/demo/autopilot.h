#pragma once
// Drives the demo without a person: accepts the parameter sheet, pauses and
// resumes once, lets the operation finish, presses OK, closes the result
// views, and saves screenshots of the log window at the moments worth seeing,
// of each kind of message box and of each dialog.

#include <QDir>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>
#include <QTimer>

class QWidget;

class Autopilot : public QObject {
public:
  // With `cancel`, the run cancels the operation (confirming the question)
  // instead of pausing and resuming it.
  Autopilot(const QString& shotsDir, bool cancel);

  void start();
  // Screenshots taken so far, in order.
  const QStringList& shots() const { return FShots; }
  // Grabs the window into the shots folder under that name.
  void shoot(QWidget* w, const QString& name);
  // The operation shows its nested levels now: grab them and pause once.
  void nestedLevelsShown();
  // Answers the next modal box with its default button after grabbing it.
  void answerNextBox(const QString& shotName);
  // Ends the next modal dialog (not a message box) after grabbing it: with
  // its "OkBtn" when it has one, otherwise by rejecting it.
  void acceptNextDialog(const QString& shotName);
  bool pausedOnce() const { return FResumed; }
  bool cancelMode() const { return FCancel; }
  bool cancelConfirmed() const { return FCancelConfirmed; }

  // The visible log window, if any.
  static QWidget* logWindow();

private:
  void tick();

  QString FDir;
  QTimer FTimer;
  QStringList FShots;
  QSet<QString> FDone;
  qint64 FPausedAt = 0;
  bool FResumed = false;
  QString FBoxShot;
  QString FDialogShot;
  qint64 FDialogSeenAt = 0;
  bool FCancel = false;
  bool FCancelConfirmed = false;
};
