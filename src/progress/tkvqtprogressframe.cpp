#include "progress/tkvqtprogressframe.h"

#include "dialogs/tkvqmessagebox.h"
#include "module/kvmodule_initializer.h"
#include "module/kvqtappholder.h"
#include "progress/tkvqtprogressitem.h"
#include "ui_tkvqtprogressframe.h"

#include "kvsuite/kvmessage.h"
#include "kvsuite/kvprogress.h"
#include "kvsuite/kvtime.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QMutexLocker>
#include <QPointer>
#include <QTimer>

#include <algorithm>

namespace {

// Shared by every frame of the process; read by the progress handlers.
std::atomic<unsigned> g_UpdateTimeout{100};
std::atomic<unsigned> g_TickTimeout{100};

// How often a paused frame asks its outside control for a resume or cancel.
constexpr int kPausedControlPollMs = 100;

std::string ResText(const char* key, const char* fallback) {
  return KvModule_Initializer::getInst().get_resource_string(key, fallback);
}

// Looked up once: the status line and pause label keep the language they
// were first shown in for the life of the process.
const QString& PauseMsg() {
  static const QString text = QString::fromStdString(ResText("global.PauseMsg", "Paused"));
  return text;
}
const QString& CancelMsg() {
  static const QString text = QString::fromStdString(ResText("global.CancelMsg", "Cancelling..."));
  return text;
}
const QString& RunMsg() {
  static const QString text = QString::fromStdString(ResText("global.RunMsg", "Running"));
  return text;
}
const QString& PauseLabel() {
  static const QString text = QString::fromStdString(ResText("global.PauseLabel", "[Paused] "));
  return text;
}

std::string UserBreakText() { return ResText("global.Msg_UserBreak", "The operation was cancelled by the user."); }

} // namespace

TKvQtProgressFrame::TKvQtProgressFrame(QWidget* parent)
    : QWidget(parent), ui(new Ui_TKvQtProgressFrame),
      FInterfaces(this, nullptr, [this](int height) { GuiProgressExtHeightChanged(height); }) {
  ui->setupUi(this);
  FInterfaces.GuiProgress().SetLayout(ui->ExtendersLayout);

  ui->BtnPause->hide();
  ui->BtnResume->hide();
  ui->BtnAuxFunctions->hide();
  UpdatePauseButtons(false);

  DefaultStatusState();
  ui->scrollArea->setFrameStyle(0);

  connect(ui->BtnCancel, &QPushButton::clicked, this, &TKvQtProgressFrame::slotButtonCancelClicked);
  connect(ui->BtnPause, &QPushButton::clicked, this, &TKvQtProgressFrame::slotButtonPauseClicked);
  connect(ui->BtnResume, &QPushButton::clicked, this, &TKvQtProgressFrame::slotButtonResumeClicked);
  connect(ui->BtnPauseResume, &QPushButton::clicked, this, &TKvQtProgressFrame::slotButtonPauseResumeClicked);
  connect(ui->BtnAuxFunctions, &QPushButton::clicked, this, &TKvQtProgressFrame::slotButtonAuxFunctionsClicked);
}

TKvQtProgressFrame::~TKvQtProgressFrame() {
  // Release the workers blocked in ThreadTick, and wait until each has left
  // the pause: on waking it locks FPauseMutex again, which must still exist.
  {
    QMutexLocker lock(&FPauseMutex);
    FPaused.store(false);
    FPauseWait.wakeAll();
    while (FPauseWaiters > 0)
      FPauseLeft.wait(&FPauseMutex);
  }
  FProgressLevels.clear();
  FAuxMenuHandler = nullptr;
  FOnExtHeightChanged = nullptr;
  FMakeTrueModal = nullptr;
  delete ui;
}

// Levels ---------------------------------------------------------------------

void TKvQtProgressFrame::EnsureLevel(unsigned long level) {
  const unsigned long n = GetLevelCount();
  if (level > n)
    throw TKvMessage("@TKvQtProgressFrame::EnsureLevel(): prg_level too big. prg_level=%1%, "
                     "FProgressLevels.size()=%2%")
        << level << n;
  if (level < n)
    return;

  var_a<TKvQtProgressItem*> item(new TKvQtProgressItem(level == 0, ui->scrollArea));
  ui->scrollAreaLayout->insertWidget(ui->scrollAreaLayout->count() - 1, item.get());
  TProgressLevel record;
  record.Item = item;
  FProgressLevels.push_back(std::move(record));

  repaint();
  int nested = 0;
  for (size_t i = 1; i < FProgressLevels.size(); ++i)
    nested += FProgressLevels[i].Item->height();
  if (nested > FExtHeight) {
    FExtHeight = nested;
    GuiProgressExtHeightChanged(0);
  }
}

void TKvQtProgressFrame::Start(unsigned long level, TKvLogMsgLevel logLevel) { StartLevel(level, logLevel, false); }

void TKvQtProgressFrame::StartIndefinite(unsigned long level, TKvLogMsgLevel logLevel) {
  StartLevel(level, logLevel, true);
}

void TKvQtProgressFrame::StartLevel(unsigned long level, TKvLogMsgLevel logLevel, bool indefinite) {
  TKvFPUSaver fpu;
  if (level < GetLevelCount())
    FProgressLevels.resize(level + 1);
  ApplyOptions();
  EnsureLevel(level);

  TProgressLevel& record = FProgressLevels[level];
  TKvQtProgressItem* item = record.Item.get();
  item->SetIndefinite(indefinite);
  item->ResetTimer();
  item->StartTimer();
  item->show();
  ui->scrollArea->repaint();

  const std::string message = item->GetMessage();
  const TKvLogMsgLevel effective = message.empty() && logLevel < lmlInternal ? lmlInternal : logLevel;
  record.LogLevel = effective;
  record.Started = true;
  KvLogWriteInfo("Progress", (TKvMessage(ResText("global.PrgBegan_msg", "Started: %1%")) << message).std_str(),
                 effective, 0);

  if (level == 0 && !indefinite)
    SetAppTitlePrefix(0.0);
  AppProcessMessages();
}

void TKvQtProgressFrame::End(unsigned long level) noexcept {
  try {
    TKvFPUSaver fpu;
    const std::string format = ResText("global.PrgFinished_msg_time", "Finished: %1% (%2%)");
    while (FProgressLevels.size() > level) {
      TProgressLevel& record = FProgressLevels.back();
      record.Item->StopTimer();
      KvLogWriteInfo("Progress",
                     (TKvMessage(format) << record.Item->GetMessage() << record.Item->GetElapsedTimeStr()).std_str(),
                     record.LogLevel, 0);
      FProgressLevels.pop_back();
    }
    ApplyOptions();
    ui->scrollArea->repaint();
    if (level == 0)
      RemoveAppTitlePrefix();
    AppProcessMessages();
  } catch (...) {
    try {
      std::string messages;
      for (const TProgressLevel& record : FProgressLevels)
        messages += "\"" + record.Item->GetMessage() + "\"";
      KvLogWriteError("Progress",
                      (TKvMessage("@TKvQtProgressFrame::End(%1%), msg=\"%2%\": Exception \"%3%\"")
                       << level << messages << KvGetExceptionReason())
                          .std_str(),
                      lmlCritical, 0);
    } catch (...) {
      // Nothing left to report through.
    }
  }
}

void TKvQtProgressFrame::SetPos(unsigned long level, double pos) {
  TKvFPUSaver fpu;
  EnsureLevel(level);
  TProgressLevel& record = FProgressLevels[level];
  record.Item->SetPos(pos);
  if (level == 0 && record.Started)
    SetAppTitlePrefix(record.Item->GetPos());
  Refresh();
}

double TKvQtProgressFrame::GetPos(unsigned long level) {
  TKvFPUSaver fpu;
  EnsureLevel(level);
  return FProgressLevels[level].Item->GetPos();
}

void TKvQtProgressFrame::SetMessage(unsigned long level, const std::string& text) {
  TKvFPUSaver fpu;
  EnsureLevel(level);
  TKvQtProgressItem* item = FProgressLevels[level].Item.get();
  item->SetMessage(text);
  item->repaint();
  ui->scrollArea->repaint();
  AppProcessMessages();
}

std::string TKvQtProgressFrame::GetMessage(unsigned long level) const {
  return level < GetLevelCount() ? FProgressLevels[level].Item->GetMessage() : std::string();
}

void TKvQtProgressFrame::SetOptions(unsigned long level, int options) {
  TKvFPUSaver fpu;
  EnsureLevel(level);
  FProgressLevels[level].Options = options;
  ApplyOptions();
}

int TKvQtProgressFrame::GetOptions(unsigned long level) const {
  return level < GetLevelCount() ? FProgressLevels[level].Options : 0;
}

unsigned long TKvQtProgressFrame::GetInnermostProgressLevel() const {
  return FProgressLevels.empty() ? 0 : GetLevelCount() - 1;
}

void TKvQtProgressFrame::RemoveLevels(unsigned long count) {
  if (FProgressLevels.size() > count)
    FProgressLevels.resize(count);
  ApplyOptions();
}

void TKvQtProgressFrame::Refresh() {
  TKvFPUSaver fpu;
  for (TProgressLevel& record : FProgressLevels)
    record.Item->UpdateState();
  ui->scrollArea->repaint();
  AppProcessMessages();
}

void TKvQtProgressFrame::UpdateStatus() {
  QLabel* label = ui->LbStatusText;
  QPalette palette = label->palette();
  label->setAutoFillBackground(true);
  QColor background, foreground;
  const QString* text;
  switch (FStatusState.State) {
  case ssPause:
    background = QColor(255, 255, 255);
    foreground = QColor(0, 0, 0);
    text = &PauseMsg();
    break;
  case ssCancel:
    background = QColor(255, 0, 0);
    foreground = QColor(255, 255, 255);
    text = &CancelMsg();
    break;
  default:
    background = palette.brush(QPalette::Button).color();
    foreground = palette.brush(QPalette::ButtonText).color();
    text = &RunMsg();
    break;
  }
  palette.setColor(QPalette::All, label->backgroundRole(), background);
  palette.setColor(QPalette::All, label->foregroundRole(), foreground);
  label->setPalette(palette);
  label->setText(*text);
  label->repaint();
}

void TKvQtProgressFrame::ApplyOptions() { ui->BtnCancel->setEnabled(!FCancelled && !FCancelDisabled); }

void TKvQtProgressFrame::AppProcessMessages() {
  if (!FTrueModal && !(FMakeTrueModal && FMakeTrueModal()))
    return;
  TKvFPUSaver fpu;
  UpdateCurr();
  // Pending events may close the window that holds this frame.
  QPointer<TKvQtProgressFrame> self(this);
  KvQtAppHolder::ProcessMessages();
  if (self)
    ProcessProgressControl();
}

void TKvQtProgressFrame::UpdateCurr() {
  const uint32_t tick = KvGetTickCount() & ~uint32_t(63);
  if (tick != FCurrTick) {
    FCurrTick = tick;
    FCurr = (FCurr + 1) % 16;
  }
}

void TKvQtProgressFrame::SetAppTitlePrefix(double pos) {
  TKvFPUSaver fpu;
  QString name = QCoreApplication::applicationName();
  if (name.startsWith(QLatin1Char('{')))
    name = name.mid(name.indexOf(QLatin1Char('}')) + 1);
  else if (!name.isEmpty())
    name.prepend(QLatin1String(" - "));
  QCoreApplication::setApplicationName(QStringLiteral("{%1 %}").arg(pos * 100.0, 0, 'f', 1) + name);
}

void TKvQtProgressFrame::RemoveAppTitlePrefix() {
  TKvFPUSaver fpu;
  const QString name = QCoreApplication::applicationName();
  if (!name.startsWith(QLatin1Char('{')))
    return;
  const int separator = name.indexOf(QLatin1String("} - "));
  if (separator >= 0)
    QCoreApplication::setApplicationName(name.mid(separator + 4));
}

void TKvQtProgressFrame::SetOnExtHeightChanged(TOnExtHeightChanged callback) {
  FOnExtHeightChanged = std::move(callback);
}

void TKvQtProgressFrame::GuiProgressExtHeightChanged(int) {
  // The layout is laid out lazily; a frame that is not shown yet has no
  // geometry, so fall back to what the panels ask for.
  if (layout())
    layout()->activate();
  const QRect geometry = ui->ExtendersLayout->geometry();
  const int panels = geometry.isValid() ? geometry.height() : ui->ExtendersLayout->sizeHint().height();
  repaint();
  if (FOnExtHeightChanged)
    FOnExtHeightChanged(FExtHeight + panels);
}

// Control --------------------------------------------------------------------

void TKvQtProgressFrame::RaiseUserBreak() {
  SetPaused(false);
  RestoreStatus();
  FCancelled = false;
  ui->BtnCancel->setEnabled(!FCancelDisabled);
  const std::string text = UserBreakText();
  KvLogWriteWarning("Progress", text, lmlImportant, 0);
  FUserBreak = true;
  throw TKvMessage(text);
}

void TKvQtProgressFrame::UserBreakE() const {
  if (FUserBreak)
    throw TKvMessage(UserBreakText());
}

void TKvQtProgressFrame::SetCancelled(bool cancelled) {
  SetPaused(false);
  if (FCancelled && !cancelled)
    RestoreStatus();
  else if (!FCancelled && cancelled)
    EnterStatus(ssCancel);
  FCancelled = cancelled;
  ui->BtnCancel->setEnabled(!cancelled && !FCancelDisabled);
}

void TKvQtProgressFrame::SetCancelDisabled(bool disabled) {
  FCancelDisabled = disabled;
  ApplyOptions();
}

void TKvQtProgressFrame::SetPaused(bool pause) {
  const bool wasPaused = FPaused.load();
  if (wasPaused && !pause) {
    RestoreStatus();
    QCoreApplication::setApplicationName(FSavedAppName);
    setWindowTitle(FSavedTitle);
  } else if (!wasPaused && pause) {
    EnterStatus(ssPause);
    FSavedAppName = QCoreApplication::applicationName();
    FSavedTitle = windowTitle();
    QCoreApplication::setApplicationName(PauseLabel() + FSavedAppName);
    setWindowTitle(FSavedTitle + PauseLabel());
  }
  {
    // Changed and signalled under the mutex that ThreadTick tests it under,
    // so a worker between its test and its wait cannot miss the wake-up.
    QMutexLocker lock(&FPauseMutex);
    FPaused.store(pause, std::memory_order_release);
    if (!pause)
      FPauseWait.wakeAll();
  }
  UpdatePauseButtons(pause);
  if (FProgressControl)
    FProgressControl->Notify(pause ? TKvProgressControl::pnPaused : TKvProgressControl::pnRunning);
}

void TKvQtProgressFrame::WaitWhilePaused() {
  QMutexLocker lock(&FPauseMutex);
  ++FPauseWaiters;
  while (FPaused.load(std::memory_order_acquire))
    FPauseWait.wait(&FPauseMutex);
  if (--FPauseWaiters == 0)
    FPauseLeft.wakeAll();
}

void TKvQtProgressFrame::UpdatePauseButtons(bool paused) {
  ui->BtnPause->setEnabled(!paused);
  ui->BtnResume->setEnabled(paused);
  ui->BtnPauseResume->setText(paused ? ui->BtnResume->text() : ui->BtnPause->text());
  ui->BtnPauseResume->setEnabled(true);
}

void TKvQtProgressFrame::DoPause() {
  if (FPaused.load() || !FTrueModal)
    return;
  PauseTimer();
  SetPaused(true);

  QPointer<TKvQtProgressFrame> self(this);
  QTimer controlPoll;
  controlPoll.setInterval(kPausedControlPollMs);
  connect(&controlPoll, &QTimer::timeout, this, [this] {
    try {
      ProcessProgressControl();
    } catch (...) {
    }
  });
  controlPoll.start();
  while (self && self->FPaused.load())
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  if (self)
    UnPauseTimer();
}

void TKvQtProgressFrame::PauseTimer() {
  for (TProgressLevel& record : FProgressLevels)
    record.Item->StopTimer();
}

void TKvQtProgressFrame::UnPauseTimer() {
  for (TProgressLevel& record : FProgressLevels)
    record.Item->StartTimer();
}

void TKvQtProgressFrame::PushStatusState(TState state) { EnterStatus(state); }

void TKvQtProgressFrame::PopStatusState() {
  if (FStatusStates.empty())
    return;
  FStatusState = FStatusStates.back();
  FStatusStates.pop_back();
  UpdateStatus();
}

void TKvQtProgressFrame::DefaultStatusState() {
  FStatusStates.clear();
  FStatusState.State = ssRun;
  UpdateStatus();
}

void TKvQtProgressFrame::EnterStatus(TState state) {
  FStatusStates.push_back(FStatusState);
  FStatusState.State = state;
  UpdateStatus();
}

void TKvQtProgressFrame::RestoreStatus() {
  if (FStatusStates.empty()) {
    FStatusState.State = ssRun;
  } else {
    FStatusState = FStatusStates.back();
    FStatusStates.pop_back();
  }
  UpdateStatus();
}

void TKvQtProgressFrame::ResetProgress() {
  TKvFPUSaver fpu;
  SetPaused(false);
  SetPaused(false);
  if (FCancelled)
    RestoreStatus();
  FCancelled = false;
  ui->BtnCancel->setEnabled(!FCancelDisabled);
  FUserBreak = false;
  DefaultStatusState();
}

void TKvQtProgressFrame::SetTimeoutsSt(unsigned update, unsigned tick) {
  g_UpdateTimeout.store(update, std::memory_order_relaxed);
  g_TickTimeout.store(tick, std::memory_order_relaxed);
}

void TKvQtProgressFrame::GetTimeoutsSt(unsigned* update, unsigned* tick) {
  if (update)
    *update = g_UpdateTimeout.load(std::memory_order_relaxed);
  if (tick)
    *tick = g_TickTimeout.load(std::memory_order_relaxed);
}

void TKvQtProgressFrame::SetTimerWait(unsigned long level, bool wait) {
  if (wait) {
    EnsureLevel(level);
    for (unsigned long i = 0; i < level; ++i)
      FProgressLevels[i].Item->WaitForSubprogress();
  } else {
    const unsigned long n = std::min(level, GetLevelCount());
    for (unsigned long i = 0; i < n; ++i)
      FProgressLevels[i].Item->ContinueTimer();
  }
}

void TKvQtProgressFrame::RequestCancel() {
  SetPaused(false);
  if (!FCancelled)
    EnterStatus(ssCancel);
  FCancelled = true;
  ui->BtnCancel->setEnabled(false);
}

void TKvQtProgressFrame::ProcessProgressControl() {
  if (!FProgressControl)
    return;
  const int command = FProgressControl->GetPendingCommand();
  switch (command) {
  case TKvProgressControl::pcNone:
    break;
  case TKvProgressControl::pcPause:
    if (!FPaused.load())
      DoPause();
    break;
  case TKvProgressControl::pcResume:
    if (FPaused.load())
      SetPaused(false);
    break;
  case TKvProgressControl::pcCancel:
    RequestCancel();
    break;
  default:
    KvLogWriteError(
        (TKvMessage("@TKvQtProgressFrame::ProcessProgressControl(): Unknown progress control command (%1%).") << command)
            .std_str(),
        lmlInternal, 0);
    break;
  }
}

void TKvQtProgressFrame::SetMakeTrueModal(TMakeTrueModal callback) { FMakeTrueModal = std::move(callback); }

bool TKvQtProgressFrame::MakeTrueModal() { return FTrueModal || (FMakeTrueModal && FMakeTrueModal()); }

void TKvQtProgressFrame::SetAuxMenuHandler(TAuxMenuHandler handler) { FAuxMenuHandler = std::move(handler); }

void TKvQtProgressFrame::closeEvent(QCloseEvent* event) {
  slotButtonCancelClicked();
  event->accept();
}

void TKvQtProgressFrame::slotButtonCancelClicked() {
  try {
    if (!FTrueModal)
      return;
    const bool wasPaused = FPaused.load();
    QPointer<TKvQtProgressFrame> self(this);
    // The pause shows while the question is open; it ends with the question
    // unless the user had paused before.
    auto endQuestionPause = [&] {
      if (self && !wasPaused) {
        SetPaused(false);
        UnPauseTimer();
      }
    };
    try {
      if (!wasPaused) {
        PauseTimer();
        SetPaused(true);
      }
      const bool yes = KvQtQuestYesNo(ResText("global.Progress_Interrupt", "Cancel the operation?"), nullptr,
                                      std::string(), nullptr);
      if (yes && self)
        RequestCancel();
    } catch (...) {
      endQuestionPause();
      throw;
    }
    endQuestionPause();
  } catch (...) {
  }
}

void TKvQtProgressFrame::slotButtonPauseClicked() {
  try {
    DoPause();
  } catch (...) {
  }
}

void TKvQtProgressFrame::slotButtonResumeClicked() {
  try {
    SetPaused(false);
  } catch (...) {
  }
}

void TKvQtProgressFrame::slotButtonPauseResumeClicked() {
  try {
    if (FPaused.load())
      SetPaused(false);
    else
      DoPause();
  } catch (...) {
  }
}

void TKvQtProgressFrame::slotButtonAuxFunctionsClicked() {}
