#pragma once
// Drives the demo without a person: pauses and resumes once, lets the
// operation finish, presses OK, and saves screenshots of the log window at
// the moments worth seeing and of each kind of message box.

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
  bool FCancel = false;
  bool FCancelConfirmed = false;
};
