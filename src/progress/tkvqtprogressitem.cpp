#include "progress/tkvqtprogressitem.h"

#include "module/kvqtappholder.h"
#include "ui_tkvqtprogressitem.h"

#include <cmath>
#include <cstdio>

TKvQtProgressItem::TKvQtProgressItem(bool topLevel, QWidget* parent)
    : QWidget(parent), ui(new Ui_TKvQtProgressItem), FTopLevel(topLevel) {
  ui->setupUi(this);
  // As wide as the widest percentage in the label's own font: the text is
  // never cut and the bars of nested levels end on one line.
  ui->LbCurr->setText(QStringLiteral(" 100.0%"));
  ui->LbCurr->setFixedWidth(ui->LbCurr->sizeHint().width());
  ui->ProgressBar->setBarIndefinite(false);
  UpdateState();
  ShowControls();
}

TKvQtProgressItem::~TKvQtProgressItem() { delete ui; }

void TKvQtProgressItem::SetMessage(const std::string& text) { ui->LbMessage->setText(QString::fromStdString(text)); }

std::string TKvQtProgressItem::GetMessage() const { return QtToKvStr(ui->LbMessage->text()); }

void TKvQtProgressItem::SetPos(double pos) {
  // Written so that NaN ends up as 0 rather than passing both comparisons.
  FPos = pos > 1.0 ? 1.0 : (pos >= 0.0 ? pos : 0.0);
  ui->ProgressBar->setValue(std::round(FPos * ui->ProgressBar->maximum()));
  UpdateState();
}

void TKvQtProgressItem::SetIndefinite(bool indefinite) {
  ui->ProgressBar->setBarIndefinite(indefinite);
  ShowControls();
}

void TKvQtProgressItem::ShowControls() {
  const bool determinate = !ui->ProgressBar->isBarIndefinite();
  ui->LbCurr->setVisible(determinate);
  ui->LbSlash->setVisible(determinate);
  ui->LbTimeLeftTitle->setVisible(determinate);
  ui->LbTimeLeft->setVisible(determinate);
  ui->labelsHolder->setVisible(FTopLevel);
}

// Continue rather than restart: after ResetTimer it counts from zero, after a
// pause of the frame it goes on from where it stopped.
void TKvQtProgressItem::StartTimer() { FTimer.Continue(); }

void TKvQtProgressItem::StopTimer() { FTimer.Pause(); }

void TKvQtProgressItem::ResetTimer() {
  FTimer.Reset();
  UpdateState();
}

void TKvQtProgressItem::WaitForSubprogress() {
  FTimer.Wait(true);
  UpdateState();
}

void TKvQtProgressItem::ContinueTimer() {
  FTimer.Continue();
  UpdateState();
}

std::string TKvQtProgressItem::GetElapsedTimeStr() const { return FormatTime(static_cast<double>(FTimer.GetTime())); }

void TKvQtProgressItem::UpdateState() {
  ui->ProgressBar->setValue(FPos * 100.0);
  ui->LbCurr->setText(QStringLiteral(" %1%").arg(FPos * 100.0, 0, 'f', 1));
  const int64_t remaining = FTimer.GetRemainingTime(FPos);
  ui->LbTimeElapsed->setText(QString::fromStdString(GetElapsedTimeStr()));
  ui->LbTimeLeft->setText(remaining < 0 ? QStringLiteral("--:--:--.-")
                                        : QString::fromStdString(FormatTime(static_cast<double>(remaining))));
}

std::string TKvQtProgressItem::FormatTime(double ms) {
  if (ms > 36000000000.0)
    return ">9999:59:59.9";
  const double x = ms * 0.001;
  double whole = 0;
  const double frac = std::modf(x, &whole);
  long long s = static_cast<long long>(whole);
  int d = static_cast<int>(std::lround(frac * 10.0));
  if (d == 10) {
    ++s;
    d = 0;
  }
  char buf[64];
  std::snprintf(buf, sizeof buf, "%lld:%02lld:%02lld.%01d", s / 3600, (s / 60) % 60, s % 60, d);
  return buf;
}
