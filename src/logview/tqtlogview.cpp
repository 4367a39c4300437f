#include "logview/tqtlogview.h"

#include "logview/tkvqtlogviewstream.h"
#include "progress/tkvqtprogressframe.h"
#include "ui_tqtlogview.h"

#include "appservices/kvqticonlib.h"

#include "kvsuite/kvconfig.h"
#include "kvsuite/kvstrings.h"
#include "kvsuite/kvtime.h"

#include <QApplication>
#include <QCloseEvent>
#include <QPointer>
#include <QStyle>

namespace {

// Read once per process, by the first window: every log window of a program
// behaves alike, and the settings file is not read for each operation.
unsigned SmartModalTimeout = 500;
bool PrgTimeoutLoaded = false;

const unsigned kDefaultSmartModalTimeout = 500;
const unsigned kDefaultProgressTimeout = 100;

} // namespace

TQtLogView::TQtLogView(QWidget* parent) : TKvQMainWindow(parent, Qt::WindowFlags()), ui(new Ui_TQtLogView) {
  ui->setupUi(this);
  setWindowFlags(windowFlags() & ~(Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
  FHeightOffset = style()->pixelMetric(QStyle::PM_SliderThickness) + 130;

  TKvQtProgressFrame* frame = ui->ProgressFrame;
  frame->SetOnExtHeightChanged([this](int height) { DoProgressExtHeightChanged(height); });

  LoadTimeoutsOnce();

  ui->LogView->OnMessagesChanged = [this]() { DoOnLogMessagesChanged(); };
  ui->LogView->setFocus();

  SetMsgLevel(TKvQtLogTable::mlInfo);

  FStream = new_a<TKvQtLogViewStream>(ui->LogView);

  DoOnLogMessagesChanged();

  frame->hide();
  frame->SetAuxMenuHandler([this](QAction* action) { PopupAuxMenu(action); });
  frame->SetMakeTrueModal([this]() { return DoMakeTrueModal(); });

  const struct {
    QPushButton* button;
    const char* icon;
  } levelButtons[] = {
    {ui->BtnE, "msg_error"}, {ui->BtnW, "msg_warn"}, {ui->BtnI, "msg_info"}, {ui->BtnO, "msg_other"}};
  for (const auto& b : levelButtons) {
    // Every size of the library: a scaled screen gets a sharp icon, not a blown-up 16.
    b.button->setIcon(KvGetIconSetFromIconLib(b.icon));
    b.button->setCheckable(true);
    connect(b.button, &QPushButton::toggled, this, &TQtLogView::slotBtnMsgLevelToggled);
  }
  connect(ui->BtnOK, &QPushButton::clicked, this, &TQtLogView::slotBtnOKClicked);
  ui->BtnAuxFunctions->hide();
  ui->OKHolder->hide();

  setWindowFlags(windowFlags() & ~(Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint));
  setWindowModality(Qt::ApplicationModal);

  setWindowTitle(QString::fromUtf8(("QUORVANT " + GetBuildVerString(true, false)).c_str()));
}

TQtLogView::~TQtLogView() {
  // Writers may keep the stream past the window: it must forget the table
  // before the table goes.
  if (FStream)
    FStream->Detach();
  FStream.reset();
  ui->LogView->OnMessagesChanged.clear();
  delete ui;
}

void TQtLogView::LoadTimeoutsOnce() {
  if (PrgTimeoutLoaded)
    return;
  PrgTimeoutLoaded = true;

  const int smTimeout = KvModuleDebugMode("PrgSMTimeout");
  if (smTimeout == -1)
    SmartModalTimeout = 0;
  else if (smTimeout < 1 || smTimeout > 100000)
    SmartModalTimeout = kDefaultSmartModalTimeout;
  else
    SmartModalTimeout = static_cast<unsigned>(smTimeout);

  int t = KvModuleDebugMode("PrgTimeout");
  if (t < 10 || t > 100000)
    t = static_cast<int>(kDefaultProgressTimeout);
  TKvQtProgressFrame::SetTimeoutsSt(static_cast<unsigned>(t), static_cast<unsigned>(t));
}

unsigned TQtLogView::GetSmartModalTimeout() { return SmartModalTimeout; }

TKvQtLogViewStream* TQtLogView::GetStream() { return FStream.get(); }

TKvQtProgressFrame* TQtLogView::GetProgress() { return ui->ProgressFrame; }

TKvQtLogTable* TQtLogView::GetLogTable() { return ui->LogView; }

void TQtLogView::ShowProgress(bool show) {
  ui->ProgressFrame->setVisible(show);
  if (!show)
    ui->ProgressFrame->ResetProgress();
  update();
}

void TQtLogView::ClearLog() { ui->LogView->Clear(); }

void TQtLogView::SetMsgLevel(TKvQtLogTable::TMessageLevel level) {
  const bool wasUpdating = FUpdatingLevelButtons;
  FUpdatingLevelButtons = true;
  ui->BtnE->setChecked(level >= TKvQtLogTable::mlError);
  ui->BtnW->setChecked(level >= TKvQtLogTable::mlWarning);
  ui->BtnI->setChecked(level >= TKvQtLogTable::mlInfo);
  ui->BtnO->setChecked(level >= TKvQtLogTable::mlOther);
  ui->LogView->SetMessageLevel(level);
  FUpdatingLevelButtons = wasUpdating;
}

void TQtLogView::slotBtnMsgLevelToggled(bool) {
  if (FUpdatingLevelButtons)
    return;
  auto* button = qobject_cast<QPushButton*>(sender());
  if (!button)
    return;
  try {
    if (button == ui->BtnE)
      SetMsgLevel(TKvQtLogTable::mlError);
    else if (button == ui->BtnW)
      SetMsgLevel(TKvQtLogTable::mlWarning);
    else if (button == ui->BtnI)
      SetMsgLevel(TKvQtLogTable::mlInfo);
    else if (button == ui->BtnO)
      SetMsgLevel(TKvQtLogTable::mlOther);
    ui->LogView->setFocus(Qt::OtherFocusReason);
  } catch (...) {
  }
}

void TQtLogView::DoOnLogMessagesChanged() {
  const TKvQtLogTable::TMessageCounts counts = ui->LogView->CountMessages();
  QLabel* const labels[] = {ui->LbE, ui->LbW, ui->LbI, ui->LbO};
  for (size_t i = 0; i < counts.size(); ++i)
    labels[i]->setText(QString::number(counts[i]));

  if (counts[0] == 0 && counts[1] == 0 && counts[2] == 0 && counts[3] == 0) {
    SetMsgLevel(TKvQtLogTable::mlOther);
    FAutoLevelArmed = true;
  } else if ((counts[0] != 0 || counts[1] != 0 || counts[2] != 0) && FAutoLevelArmed &&
             ui->LogView->GetMessageLevel() >= TKvQtLogTable::mlOther) {
    // Real messages arrived: hide the detail that would bury them, once.
    SetMsgLevel(TKvQtLogTable::mlInfo);
    FAutoLevelArmed = false;
  }
}

bool TQtLogView::IsTrueModal() const { return windowModality() != Qt::NonModal; }

void TQtLogView::TrueModalShow() {
  DoBeforeModalShow();
  if (isMaximized())
    showNormal();
  hide();
  setWindowModality(Qt::ApplicationModal);
  show();
  DoAfterModalShow();
}

void TQtLogView::DoModalHide() {
  DoBeforeModalHide();
  hide();
  setWindowModality(Qt::NonModal);
  DoAfterModalHide();
}

void TQtLogView::ModalShow() { TrueModalShow(); }

void TQtLogView::ModalHide() { DoModalHide(); }

void TQtLogView::SmartModalShow() {
  if (++FSmartModalDepth != 1)
    return;
  FSmartModalStartTick = KvGetTickCount();
  if (SmartModalTimeout == 0)
    TrueModalShow();
}

void TQtLogView::SmartModalHide() {
  if (FSmartModalDepth == 0)
    return;
  if (FSmartModalDepth == 1)
    DoModalHide();
  --FSmartModalDepth;
}

bool TQtLogView::DoMakeTrueModal() {
  if (FSmartModalDepth == 0 || KvGetTickCount() - FSmartModalStartTick < SmartModalTimeout)
    return false;
  TrueModalShow();
  return true;
}

void TQtLogView::WaitOK() {
  if (FSmartModalDepth == 0)
    return;
  if (!IsTrueModal() || !isVisible())
    TrueModalShow();

  ui->OKHolder->show();
  ui->BtnOK->setFocus();
  update();

  const TKvQtLogTable::TMessageCounts counts = ui->LogView->CountMessages();
  if ((counts[0] != 0 || counts[1] != 0 || counts[2] != 0) &&
      ui->LogView->GetMessageLevel() >= TKvQtLogTable::mlOther) {
    SetMsgLevel(TKvQtLogTable::mlInfo);
    FAutoLevelArmed = false;
  }

  // The window may be closed or even deleted by what runs in here.
  QPointer<TQtLogView> self(this);
  QPointer<QWidget> holder(ui->OKHolder);
  while (self && holder && holder->isVisible())
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

void TQtLogView::slotBtnOKClicked() {
  try {
    ui->OKHolder->hide();
    ui->LogView->Clear();
    SetMsgLevel(TKvQtLogTable::mlOther);
  } catch (...) {
  }
}

void TQtLogView::DoDebugBreakCheck() {
  if (!FDebugBreakRequest)
    return;
  FDebugBreakRequest = false;
  KvDebugBreak();
}

void TQtLogView::PrepareAuxMenu() {}

void TQtLogView::PopupAuxMenu(QAction*) {}

void TQtLogView::DoBeforeModalShow() {}

void TQtLogView::DoAfterModalShow() { ui->ProgressFrame->SetTrueModalFlag(true); }

void TQtLogView::DoBeforeModalHide() {
  ui->ProgressFrame->SetTrueModalFlag(false);
  TKvQtProgressFrame::RemoveAppTitlePrefix();
}

void TQtLogView::DoAfterModalHide() {}

void TQtLogView::DoProgressExtHeightChanged(int height) {
  const int target = height + FHeightOffset;
  QWidget* frame = ui->ProgressFrame;
  const int frameMin = frame->minimumHeight();
  if (target == frameMin)
    return;
  frame->setBaseSize(width(), target);
  setBaseSize(width(), this->height() + target - frameMin);
  if (target > frameMin) {
    // Room for the new panels comes from a taller window, not from the log.
    frame->setMinimumHeight(target);
    resize(width(), this->height() + target - frameMin);
  }
  update();
}

void TQtLogView::closeEvent(QCloseEvent* e) { TKvQMainWindow::closeEvent(e); }

void TQtLogView::changeEvent(QEvent* e) {
  // Only window-state changes matter here; the log window follows the
  // application as a whole and has nothing else to react to.
  if (e->type() != QEvent::WindowStateChange)
    return;
  const bool minimized = windowState() & Qt::WindowMinimized;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w == this || !w->isVisible() || w->windowType() == Qt::Desktop)
      continue;
    const bool wMinimized = w->windowState() & Qt::WindowMinimized;
    if (minimized && !wMinimized)
      w->setWindowState(Qt::WindowMinimized);
    else if (!minimized && wMinimized)
      w->setWindowState(Qt::WindowActive);
  }
}
