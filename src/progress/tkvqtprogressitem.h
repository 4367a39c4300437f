#pragma once
// One level of a progress frame: the level's message, a bar, the percentage
// and, for the outermost level only, the elapsed and estimated remaining time.
//
// The frame owns its items (through the level records) and drives their
// clocks: started with the level, paused while the frame is paused, frozen
// while a nested level runs and stopped when the level ends. StartTimer
// resumes the clock (it starts from zero only after ResetTimer), so a pause
// does not lose the time elapsed before it.

#include "kvqtcpnt_export.h"

#include "kvsuite/kvtime.h"

#include <QWidget>

#include <string>

class Ui_TKvQtProgressItem;

class KVQTCPNT_EXPORT TKvQtProgressItem : public QWidget {
  Q_OBJECT

public:
  // Only a top-level item (level 0) shows the time row. `parent` owns the item
  // when given.
  TKvQtProgressItem(bool topLevel, QWidget* parent);
  ~TKvQtProgressItem() override;

  void SetMessage(const std::string& text);
  std::string GetMessage() const;
  // Clamped to 0..1.
  void SetPos(double pos);
  double GetPos() const { return FPos; }
  void SetIndefinite(bool indefinite);
  void ShowControls();

  void StartTimer();
  void StopTimer();
  void ResetTimer();
  void WaitForSubprogress();
  void ContinueTimer();
  std::string GetElapsedTimeStr() const;
  void UpdateState();

  // "h:mm:ss.t" for a time in milliseconds; hours are not padded; beyond
  // 10000 hours ">9999:59:59.9".
  static std::string FormatTime(double ms);

private:
  Ui_TKvQtProgressItem* ui;
  bool FTopLevel;
  double FPos = 0;
  TTimeCounter FTimer;
};
