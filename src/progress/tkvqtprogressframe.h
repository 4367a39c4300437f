#pragma once
// The widget that shows a long operation as a stack of nested progress
// levels, one TKvQtProgressItem per level, with a status line, an area for
// extension panels and Pause / Resume / Cancel buttons.
//
// The frame also writes a log record when a level starts and ends, puts the
// percentage of level 0 in front of the application name while it runs, and
// keeps the GUI alive by processing pending events whenever its state changes
// (only while it is true-modal, or when its make-true-modal callback agrees).
// It does no throttling of its own: every call repaints, so operations
// report through TKvCommonProgressImpl, which forwards only what is due.
//
// Control side: a cancel confirmed by the user (or asked for by an outside
// TKvProgressControl) is only recorded; the operation sees it as a
// TKvMessage thrown by its next CheckBreak. A pause blocks the GUI thread in
// a local event loop (DoPause) and worker threads inside ThreadTick.
//
// Choices made here:
// - The paused GUI loop sleeps until an event arrives instead of spinning,
//   and polls the outside control every 100 ms, so a controller that paused
//   the frame can also resume or cancel it.
// - "BtnPauseResume" shows the pause text from construction on, not only
//   after the first pause.
// - The application-name prefix uses the level's clamped position, so it
//   never reads more than 100 %.
// - Resource texts missing from the suite's language files fall back to
//   English defaults instead of empty texts.
// - FCancelDisabled is set with SetCancelDisabled, which applies it at once;
//   FCurr is readable through GetCurr().
//
// All members run on the GUI thread, except ThreadTick. Destroying a paused
// frame releases the workers blocked in ThreadTick and waits until they have
// left it; workers must not call ThreadTick once destruction has begun.

#include "kvqtcpnt_export.h"

#include "progress/tqtprogressinterfaces.h"

#include "kvsuite/kvlog.h"
#include "kvsuite/var_a.h"

#include <QMutex>
#include <QString>
#include <QWaitCondition>
#include <QWidget>

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class QAction;
class TKvProgressControl;
class TKvQtProgressItem;
class Ui_TKvQtProgressFrame;

class KVQTCPNT_EXPORT TKvQtProgressFrame : public QWidget {
  Q_OBJECT

public:
  enum TState { ssRun = 0, ssPause = 1, ssCancel = 2 };
  struct TStatusState {
    TState State = ssRun;
  };
  struct TProgressLevel {
    int Options = 0;
    TKvLogMsgLevel LogLevel = lmlInternal;
    var_a<TKvQtProgressItem*> Item;
    bool Started = false;
  };
  typedef std::function<void(QAction*)> TAuxMenuHandler;
  typedef std::function<void(int)> TOnExtHeightChanged;
  typedef std::function<bool()> TMakeTrueModal;

  explicit TKvQtProgressFrame(QWidget* parent = nullptr);
  ~TKvQtProgressFrame() override;

  // Levels ----------------------------------------------------------------
  void Start(unsigned long level, TKvLogMsgLevel logLevel);
  void StartIndefinite(unsigned long level, TKvLogMsgLevel logLevel);
  // Ends `level` and every deeper one. Never throws: failures are logged.
  void End(unsigned long level) noexcept;
  void SetPos(unsigned long level, double pos);
  // May create the level.
  double GetPos(unsigned long level);
  void SetMessage(unsigned long level, const std::string& text);
  // Empty for a level that does not exist (none is created).
  std::string GetMessage(unsigned long level) const;
  void SetOptions(unsigned long level, int options);
  int GetOptions(unsigned long level) const;
  unsigned long GetInnermostProgressLevel() const;
  unsigned long GetLevelCount() const { return static_cast<unsigned long>(FProgressLevels.size()); }
  // Makes levels 0..level exist; a level more than one below the innermost throws.
  void EnsureLevel(unsigned long level);
  // Drops levels from the innermost until at most `count` remain; no log records.
  void RemoveLevels(unsigned long count);
  void Refresh();
  void UpdateStatus();
  void ApplyOptions();
  void AppProcessMessages();
  void UpdateCurr();
  int GetCurr() const { return FCurr; }

  static void SetAppTitlePrefix(double pos);
  static void RemoveAppTitlePrefix();

  TKvLogMsgLevel GetPrgLogLevelVisible() const { return lmlVisible; }
  TKvLogMsgLevel GetPrgLogLevelInvisible() const { return lmlInvisible; }
  TKvLogMsgLevel GetPrgLogLevelImportant() const { return lmlImportant; }

  void SetOnExtHeightChanged(TOnExtHeightChanged callback);
  void GuiProgressExtHeightChanged(int);
  int GetExtHeight() const { return FExtHeight; }
  // The GUI-panel service (IKvQtGuiProgress) and the iterations progress.
  IKvInterface* KvInterface() { return &FInterfaces; }

  // Control ---------------------------------------------------------------
  // Throws the user-break TKvMessage once per confirmed cancel request.
  void CheckBreak() {
    if (FCancelled)
      RaiseUserBreak();
  }
  bool UserBreak() const { return FUserBreak; }
  void UserBreakE() const;
  void SetUserBreak(bool userBreak) { FUserBreak = userBreak; }
  bool IsCancelled() const { return FCancelled; }
  void SetCancelled(bool cancelled);
  void SetCancelDisabled(bool disabled);
  bool IsCancelDisabled() const { return FCancelDisabled; }
  void SetPaused(bool pause);
  bool IsPaused() const { return FPaused.load(std::memory_order_relaxed); }
  void DoPause();
  void PauseTimer();
  void UnPauseTimer();
  void PushStatusState(TState state);
  void PopStatusState();
  void DefaultStatusState();
  TState GetStatusState() const { return FStatusState.State; }
  void ResetProgress();

  static void SetTimeoutsSt(unsigned update, unsigned tick);
  static void GetTimeoutsSt(unsigned* update, unsigned* tick);
  void GetTimeouts(unsigned* update, unsigned* tick) const { GetTimeoutsSt(update, tick); }

  void SetTimerWait(unsigned long level, bool wait);
  // Not owned; null detaches.
  void SetProgressControl(TKvProgressControl* control) { FProgressControl = control; }
  TKvProgressControl* GetProgressControl() const { return FProgressControl; }
  void ProcessProgressControl();

  // Any thread: returns at once unless paused, else blocks until resumed.
  void ThreadTick() {
    if (FPaused.load(std::memory_order_acquire))
      WaitWhilePaused();
  }

  void SetTrueModalFlag(bool trueModal) { FTrueModal = trueModal; }
  bool IsTrueModal() const { return FTrueModal; }
  bool IsInteractive() const { return FTrueModal; }
  void SetMakeTrueModal(TMakeTrueModal callback);
  bool MakeTrueModal();
  void SetAuxMenuHandler(TAuxMenuHandler handler);

protected:
  void closeEvent(QCloseEvent* event) override;

private slots:
  void slotButtonCancelClicked();
  void slotButtonPauseClicked();
  void slotButtonResumeClicked();
  void slotButtonPauseResumeClicked();
  void slotButtonAuxFunctionsClicked();

private:
  void StartLevel(unsigned long level, TKvLogMsgLevel logLevel, bool indefinite);
  [[noreturn]] void RaiseUserBreak();
  void WaitWhilePaused();
  void EnterStatus(TState state);
  void RestoreStatus();
  void UpdatePauseButtons(bool paused);
  void RequestCancel();

  Ui_TKvQtProgressFrame* ui;
  bool FCancelDisabled = false;
  bool FCancelled = false;
  bool FUserBreak = false;
  std::atomic<bool> FPaused{false};
  QMutex FPauseMutex;
  QWaitCondition FPauseWait;
  // Workers inside WaitWhilePaused, and the signal that the last one left
  // (both under FPauseMutex): the destructor waits for them.
  int FPauseWaiters = 0;
  QWaitCondition FPauseLeft;
  int FCurr = 0;
  uint32_t FCurrTick = 0;
  TStatusState FStatusState;
  std::vector<TStatusState> FStatusStates;
  QString FSavedAppName;
  QString FSavedTitle;
  TAuxMenuHandler FAuxMenuHandler;
  TOnExtHeightChanged FOnExtHeightChanged;
  int FExtHeight = 0;
  TQtProgressInterfaces FInterfaces;
  bool FTrueModal = false;
  TMakeTrueModal FMakeTrueModal;
  TKvProgressControl* FProgressControl = nullptr;
  std::vector<TProgressLevel> FProgressLevels;
};
