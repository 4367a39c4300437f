#pragma once
// Progress interfaces of the suite: the handler a long operation reports to,
// an outside controller of a running progress, the iterations progress of
// iterative computations and the log-bound progress that ties a progress
// display to the log. The suite only declares them; GUI libraries implement
// them.

#include "kvsuite/kvinterface.h"
#include "kvsuite/kvlog.h"
#include "kvsuite/kvsuite_export.h"
#include "kvsuite/var_a.h"

#include <string>

// What a long operation holds to report its progress. Positions are fractions
// 0..1; "NB" operations never check for a user break. Handlers form a tree
// (SubProgress) that mirrors the operation's call tree.
//
// Handlers are always held by var_a and destroyed through it (var_a keeps the
// deleter of the concrete class), so the destructor is protected and not
// virtual: deleting through a plain pointer to the interface does not compile.
// Only ThreadTick may be called from threads other than the GUI thread.
class KVSUITE_EXPORT TKvProgressHandler {
public:
  virtual void Start() = 0;
  // Start without a known end: a busy display instead of a bar.
  virtual void StartIndefinite() = 0;
  virtual void Stop() = 0;
  // True when the display is due for an update.
  virtual bool Timeout() = 0;
  virtual bool IsStarted() = 0;
  // Keeps the display alive and checks for a break.
  virtual void Tick() = 0;
  // For worker threads: blocks while the progress is paused.
  virtual void ThreadTick() = 0;
  virtual double GetPos() = 0;
  virtual void SetPosNB(double pos) = 0;
  // Moves by delta; displays only when forced or due. True when displayed.
  virtual bool MoveNB(double delta, bool force) = 0;
  virtual void SetMessage(const std::string& text) = 0;
  virtual std::string GetMessage() = 0;
  virtual bool UserBreak() = 0;
  // Throws a TKvMessage when a break has been raised.
  virtual void UserBreakE() = 0;
  // Throws a TKvMessage when the user asked to cancel since the last check.
  virtual void CheckBreak() = 0;
  virtual void SetOptions(int options) = 0;
  virtual int GetOptions() = 0;
  // A child covering from..to of this handler's range.
  virtual var_a<TKvProgressHandler*> SubProgress(double from, double to, TKvLogMsgLevel visibility,
                                                 TKvLogMsgLevel logLevel) = 0;
  // A child attached to the innermost level currently shown; it never moves
  // this handler.
  virtual var_a<TKvProgressHandler*> InnermostSubProgress(TKvLogMsgLevel visibility, TKvLogMsgLevel logLevel) = 0;
  // Further interfaces of the display (GUI panels, iterations progress); may be null.
  virtual IKvInterface* KvInterface() = 0;
  virtual bool GetBlockFlag() = 0;

protected:
  TKvProgressHandler() = default;
  TKvProgressHandler(const TKvProgressHandler&) = default;
  TKvProgressHandler& operator=(const TKvProgressHandler&) = default;
  ~TKvProgressHandler() = default;
};

// An outside source of pause, resume and cancel commands for a running
// progress (a remote control, a scheduler), told in turn when the progress
// pauses or runs again. The progress does not own it.
class KVSUITE_EXPORT TKvProgressControl {
public:
  enum TCommand { pcNone = 0, pcPause = 1, pcResume = 2, pcCancel = 3 };
  enum TNotification { pnPaused = 1, pnRunning = 2 };

  // The next pending command (a TCommand value); reading consumes it.
  virtual int GetPendingCommand() = 0;
  // The progress is now paused (pnPaused) or running (pnRunning).
  virtual void Notify(int state) = 0;
  virtual ~TKvProgressControl();
};

// Progress of an iterative computation: each iteration reports its
// correction; the display may let the user stop at the current iteration.
class KVSUITE_EXPORT IKvIterationsProgress : public virtual IKvInterface {
public:
  // Maps a value onto the plot's height: 0 top edge, 1 bottom edge.
  typedef double (*TFnValueToPos)(double value, double top, double low);

  static TKvUIDObject IKvIterationsProgressUIDObj;

  IKvInterface* GetInterface_Int(TKvUIDObject* id) override;
  ~IKvIterationsProgress() override;
  virtual void Start(double eps, TFnValueToPos valueToPos) = 0;
  // False once the user asked to stop.
  virtual bool NextIteration(int iteration, double value, double sigma) = 0;
  // False while a stop is requested.
  virtual bool CheckIterationBreak() = 0;
  // Clears a stop request: false when there was one (once), true otherwise.
  virtual bool ResetIterationBreak() = 0;
  virtual void End() = 0;
};

// A progress bound to the log: diverts the suite's log into its own window
// while an operation runs, counts the messages and lets the user read them
// at the end. Held by var_a.
class KVSUITE_EXPORT TKvLogProgress {
public:
  virtual ~TKvLogProgress();
  virtual void HookLog() = 0;
  virtual void UnhookLog() = 0;
  virtual void ClearMessages() = 0;
  virtual bool HaveImportantMessages() = 0;
  virtual void ModalShow() = 0;
  virtual void ModalHide() = 0;
  virtual bool Visible() = 0;
  // The root progress handler of an operation.
  virtual var_a<TKvProgressHandler*> CreateProgress() = 0;
  // Lets the user read the log and confirm; unless `always`, only when
  // important messages were logged.
  virtual void WaitOK(bool always) = 0;
  // The control is not owned; null detaches.
  virtual void SetProgressControl(TKvProgressControl* control) = 0;
};
