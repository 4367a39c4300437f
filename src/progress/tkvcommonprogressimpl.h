#pragma once
// The progress handler long operations hold, over a progress frame T.
//
// A handler maps its own position 0..1 onto a sub-range of its parent and
// either owns a level of the frame (shows itself there) or shares its
// parent's level (only moves the parent). Children are placed by their
// visibility: important enough ones get a nested level, the rest only move
// their parent. Display traffic is throttled to the frame's update and tick
// timeouts, so MoveNB, Tick and CheckBreak cost a few nanoseconds between
// updates and may sit in an operation's innermost loop.
//
// Ownership: handlers live in var_a. A child keeps a plain pointer to its
// parent, so children must be dropped before their parent (the call tree of
// an operation does this by itself). The frame is not owned and must outlive
// every handler over it.
//
// Choices made here:
// - A child made by InnermostSubProgress is attached to the frame's innermost
//   level but does not forward its positions to this handler: its range is
//   empty and lies at the innermost level's position, which is not this
//   handler's own position.
// - Tick restarts its refresh clock after the refresh, so a slow repaint does
//   not cause back-to-back refreshes.
//
// T needs: CheckBreak, UserBreak, UserBreakE, Start, StartIndefinite, End,
// SetPos, GetPos, SetMessage, GetMessage, SetOptions, GetOptions,
// GetInnermostProgressLevel, Refresh, ThreadTick, SetTimerWait, KvInterface,
// GetTimeouts and the three GetPrgLogLevel... thresholds.

#include "kvqtcpnt_export.h"

#include "kvsuite/kvprogress.h"
#include "kvsuite/kvtime.h"

#include <cstdint>
#include <stdexcept>
#include <string>

template <class T> class TKvCommonProgressImpl : public TKvProgressHandler {
public:
  enum TOwnPrgLevel { oplOwn = 0, oplShareVisible = 1, oplShareImportant = 2 };

  TKvCommonProgressImpl(T* form, unsigned long level, TOwnPrgLevel own, TKvCommonProgressImpl* parent, unsigned tick,
                        double from, double to, TKvLogMsgLevel logLevel);
  // Stops a started handler; never lets an exception out.
  virtual ~TKvCommonProgressImpl();

  // The root handler of a frame: level 0, own level, range 0..1.
  static var_a<TKvProgressHandler*> CreateRoot(T* form, TKvLogMsgLevel logLevel = lmlVisible);

  void Start() override;
  void StartIndefinite() override;
  void Stop() override;
  bool Timeout() override { return IsDue(); }
  bool IsStarted() override { return FStarted; }
  void Tick() override;
  void ThreadTick() override { FForm->ThreadTick(); }
  double GetPos() override { return FPos; }
  void SetPosNB(double pos) override;
  bool MoveNB(double delta, bool force) override;
  void SetMessage(const std::string& text) override;
  std::string GetMessage() override;
  bool UserBreak() override { return FForm->UserBreak(); }
  void UserBreakE() override { FForm->UserBreakE(); }
  void CheckBreak() override { FForm->CheckBreak(); }
  void SetOptions(int options) override;
  int GetOptions() override;
  var_a<TKvProgressHandler*> SubProgress(double from, double to, TKvLogMsgLevel visibility,
                                         TKvLogMsgLevel logLevel) override;
  var_a<TKvProgressHandler*> InnermostSubProgress(TKvLogMsgLevel visibility, TKvLogMsgLevel logLevel) override;
  IKvInterface* KvInterface() override { return FForm->KvInterface(); }
  bool GetBlockFlag() override { return FBlock; }

  // For inspection (tests, diagnostics).
  unsigned long PrgLevel() const { return FPrgLevel; }
  TOwnPrgLevel OwnPrgLevel() const { return FOwnPrgLevel; }
  bool FormUsed() const { return FFormUsed; }

private:
  bool IsDue() const { return KvGetTickCount() - FLastUpdate >= FUpdateTimeout; }
  void DoStart(bool indefinite);
  void Touch();
  void Place(unsigned long level, TKvLogMsgLevel visibility, TOwnPrgLevel& own, unsigned long& childLevel) const;

  T* FForm;
  unsigned long FInitPrgLevel;
  unsigned long FPrgLevel;
  bool FFormUsed = false;
  TOwnPrgLevel FInitOwnPrgLevel;
  TOwnPrgLevel FOwnPrgLevel;
  TKvCommonProgressImpl* FParent;
  double FPos = 0;
  double FFrom;
  double FRange;
  TKvLogMsgLevel FLogLevel;
  bool FStarted = false;
  bool FBlock;
  bool FTimerWait = false;
  uint32_t FLastUpdate;
  uint32_t FLastTick;
  unsigned FUpdateTimeout = 0;
  unsigned FTickTimeout = 0;
};

template <class T>
TKvCommonProgressImpl<T>::TKvCommonProgressImpl(T* form, unsigned long level, TOwnPrgLevel own,
                                                TKvCommonProgressImpl* parent, unsigned tick, double from, double to,
                                                TKvLogMsgLevel logLevel)
    : FForm(form), FInitPrgLevel(level), FPrgLevel(level), FInitOwnPrgLevel(own), FOwnPrgLevel(own), FParent(parent),
      FFrom(from), FRange(to - from), FLogLevel(logLevel), FLastUpdate(tick), FLastTick(tick) {
  FBlock = FRange == 0.0 ? true : (parent ? parent->GetBlockFlag() : false);
  FForm->GetTimeouts(&FUpdateTimeout, &FTickTimeout);
}

template <class T> TKvCommonProgressImpl<T>::~TKvCommonProgressImpl() {
  if (!FStarted)
    return;
  try {
    Stop();
  } catch (...) {
    // Destruction runs during unwinding too; nothing may escape.
  }
}

template <class T> var_a<TKvProgressHandler*> TKvCommonProgressImpl<T>::CreateRoot(T* form, TKvLogMsgLevel logLevel) {
  return var_a<TKvProgressHandler*>(
      new TKvCommonProgressImpl(form, 0, oplOwn, nullptr, KvGetTickCount(), 0.0, 1.0, logLevel));
}

template <class T> void TKvCommonProgressImpl<T>::Touch() {
  FLastUpdate = FLastTick = KvGetTickCount();
  FForm->GetTimeouts(&FUpdateTimeout, &FTickTimeout);
}

template <class T> void TKvCommonProgressImpl<T>::Start() { DoStart(false); }

template <class T> void TKvCommonProgressImpl<T>::StartIndefinite() { DoStart(true); }

// An indefinite level always freezes the outer clocks; a determinate one only
// when its range is empty (it cannot move them).
template <class T> void TKvCommonProgressImpl<T>::DoStart(bool indefinite) {
  FForm->CheckBreak();
  if (indefinite || FBlock) {
    FForm->SetTimerWait(FPrgLevel, true);
    FTimerWait = true;
  }
  if (FOwnPrgLevel == oplOwn) {
    if (indefinite)
      FForm->StartIndefinite(FPrgLevel, FLogLevel);
    else
      FForm->Start(FPrgLevel, FLogLevel);
    FFormUsed = true;
    FStarted = true;
    SetPosNB(0.0);
  } else {
    FStarted = true;
    if (IsDue())
      SetPosNB(0.0);
  }
}

template <class T> void TKvCommonProgressImpl<T>::Stop() {
  if (FTimerWait) {
    FForm->SetTimerWait(FPrgLevel, false);
    FTimerWait = false;
  }
  bool ended = false;
  if (FOwnPrgLevel == oplOwn) {
    FForm->End(FPrgLevel);
    FFormUsed = false;
    ended = true;
  }
  FOwnPrgLevel = FInitOwnPrgLevel;
  FPrgLevel = FInitPrgLevel;

  if (FParent) {
    if (!ended && !IsDue()) {
      FStarted = false;
      return;
    }
    try {
      FParent->SetPosNB(FFrom + FRange);
    } catch (...) {
      // The parent only loses a display update.
    }
    if (!ended) {
      FStarted = false;
      return;
    }
  } else if (!ended) {
    FStarted = false;
    return;
  }
  Touch();
  FStarted = false;
}

template <class T> void TKvCommonProgressImpl<T>::Tick() {
  FForm->CheckBreak();
  if (KvGetTickCount() - FLastTick >= FTickTimeout) {
    FForm->Refresh();
    FLastTick = KvGetTickCount();
    FForm->GetTimeouts(&FUpdateTimeout, &FTickTimeout);
  }
}

template <class T> void TKvCommonProgressImpl<T>::SetPosNB(double pos) {
  FPos = pos;
  if (FOwnPrgLevel == oplOwn) {
    FForm->SetPos(FPrgLevel, pos);
    FFormUsed = true;
  }
  if (FParent)
    FParent->SetPosNB(pos * FRange + FFrom);
  Touch();
}

template <class T> bool TKvCommonProgressImpl<T>::MoveNB(double delta, bool force) {
  if (force || IsDue()) {
    SetPosNB(FPos + delta);
    return true;
  }
  FPos += delta;
  return false;
}

template <class T> void TKvCommonProgressImpl<T>::SetMessage(const std::string& text) {
  if (FOwnPrgLevel == oplOwn) {
    FForm->SetMessage(FPrgLevel, text);
    FFormUsed = true;
  }
  Touch();
}

template <class T> std::string TKvCommonProgressImpl<T>::GetMessage() {
  return FOwnPrgLevel == oplOwn ? FForm->GetMessage(FPrgLevel) : std::string();
}

template <class T> void TKvCommonProgressImpl<T>::SetOptions(int options) {
  FForm->CheckBreak();
  FForm->SetOptions(FPrgLevel, options);
  FFormUsed = true;
}

template <class T> int TKvCommonProgressImpl<T>::GetOptions() {
  FFormUsed = true;
  return FForm->GetOptions(FPrgLevel);
}

template <class T>
void TKvCommonProgressImpl<T>::Place(unsigned long level, TKvLogMsgLevel visibility, TOwnPrgLevel& own,
                                     unsigned long& childLevel) const {
  if (FOwnPrgLevel == oplShareImportant)
    own = visibility <= FForm->GetPrgLogLevelImportant() ? oplOwn : oplShareImportant;
  else if (visibility <= FForm->GetPrgLogLevelVisible())
    own = oplOwn;
  else if (visibility <= FForm->GetPrgLogLevelInvisible())
    own = oplShareVisible;
  else
    own = oplShareImportant;
  childLevel = own == oplOwn ? level + 1 : level;
}

template <class T>
var_a<TKvProgressHandler*> TKvCommonProgressImpl<T>::SubProgress(double from, double to, TKvLogMsgLevel visibility,
                                                                 TKvLogMsgLevel logLevel) {
  if (FOwnPrgLevel == oplOwn && !FStarted) {
    if (FFormUsed)
      throw std::runtime_error("@TKvCommonProgressImpl<T>::SubProgress(): SubProgress() called before Start(), "
                               "but the FForm has already been used.");
    // Unused level: the child takes it over (for the root, level 0 wraps to
    // the value below it, so that an owning child lands on level 0 again).
    FOwnPrgLevel = oplShareVisible;
    --FPrgLevel;
  }
  TOwnPrgLevel own;
  unsigned long level;
  Place(FPrgLevel, visibility, own, level);
  var_a<TKvProgressHandler*> child(new TKvCommonProgressImpl(FForm, level, own, this, FLastUpdate, from, to, logLevel));
  FFormUsed = true;
  return child;
}

template <class T>
var_a<TKvProgressHandler*> TKvCommonProgressImpl<T>::InnermostSubProgress(TKvLogMsgLevel visibility,
                                                                          TKvLogMsgLevel logLevel) {
  const unsigned long innermost = FForm->GetInnermostProgressLevel();
  const double pos = FForm->GetPos(innermost);
  TOwnPrgLevel own;
  unsigned long level;
  Place(innermost, visibility, own, level);
  return var_a<TKvProgressHandler*>(
      new TKvCommonProgressImpl(FForm, level, own, nullptr, FLastUpdate, pos, pos, logLevel));
}

class TKvQtProgressFrame;
extern template class KVQTCPNT_EXPORT TKvCommonProgressImpl<TKvQtProgressFrame>;
