#include "progress/tkvqtguiprogress.h"

#include "kvsuite/kvlog.h"
#include "kvsuite/kvmessage.h"
#include "kvsuite/kvtime.h"

#include <QBoxLayout>
#include <QWidget>

#include <algorithm>
#include <stdexcept>

TKvQtGuiProgress::TKvQtGuiProgress(QWidget* pnExtenders, QBoxLayout* layout, THeightChangedEvent onHeightChanged)
    : FPnExtenders(pnExtenders), FLayout(layout), FOnHeightChanged(std::move(onHeightChanged)) {
  KV_ASSERT_IN("TKvQtGuiProgress::TKvQtGuiProgress(QWidget *, QBoxLayout *, TKvQtGuiProgress::THeightChangedEvent)",
               FPnExtenders);
}

// The panels are children of FPnExtenders and die with it; only the list goes.
TKvQtGuiProgress::~TKvQtGuiProgress() = default;

QWidget* TKvQtGuiProgress::CreateWidget() { return FPnExtenders; }

void TKvQtGuiProgress::ShowWidget(QWidget*, QWidget* panel) {
  TKvFPUSaver fpu;
  KV_ASSERT(panel);
  KV_ASSERT(FLayout);
  if (std::find(FPanels.begin(), FPanels.end(), panel) != FPanels.end())
    throw std::logic_error("@TKvQtGuiProgress::CreatePanel(): Trying to add the same panel twice.");
  FPanels.push_back(panel);
  FLayout->addWidget(panel);
  panel->adjustSize();
  if (FOnHeightChanged)
    FOnHeightChanged(panel->height());
}

void TKvQtGuiProgress::HideWidget(QWidget*, QWidget* panel) {
  TKvFPUSaver fpu;
  const auto it = std::find(FPanels.rbegin(), FPanels.rend(), panel);
  if (it == FPanels.rend()) {
    KvLogWriteError("@TKvQtGuiProgress::DestroyPanel(): Panel not found.", lmlInternal, 0);
    return;
  }
  panel->hide();
  if (FLayout)
    FLayout->removeWidget(panel);
  FPnExtenders->adjustSize();
  FPanels.erase(std::next(it).base());
}

void TKvQtGuiProgress::DestroyWidget(QWidget*) {}

void TKvQtGuiProgress::Arrange() {
  FPnExtenders->update();
  if (FOnHeightChanged)
    FOnHeightChanged(0);
}
