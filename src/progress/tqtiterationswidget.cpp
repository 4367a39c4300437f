#include "progress/tqtiterationswidget.h"

#include "progress/tdrawwidget_p.h"
#include "ui_tqtiterationswidget.h"

#include "kvsuite/kvmessage.h"

#include <cstdio>
#include <cstring>

namespace {
const char* const kDefaultFormat = "%.3lg";

// Exactly one conversion, of a floating type, and nothing that writes
// through a pointer: anything else is not safe to hand to printf with a double.
bool IsDoubleFormat(const char* f) {
  int conversions = 0;
  for (const char* c = f; *c; ++c) {
    if (*c != '%')
      continue;
    ++c;
    if (*c == '%')
      continue;
    c += std::strspn(c, "-+ #0");
    c += std::strspn(c, "0123456789");
    if (*c == '.') {
      ++c;
      c += std::strspn(c, "0123456789");
    }
    if (*c == 'l')
      ++c;
    if (!*c || !std::strchr("eEfFgGaA", *c))
      return false;
    ++conversions;
  }
  return conversions == 1;
}
} // namespace

TQtIterationsWidget::TQtIterationsWidget(const char* format, QWidget* parent)
    : QWidget(parent), FFormat(format && *format && IsDoubleFormat(format) ? format : kDefaultFormat),
      ui(new Ui_TQtIterationsWidget) {
  ui->setupUi(this);
  FSigmaCaption = ui->LbSigma0Caption->text();
  connect(ui->BtnStop, &QPushButton::clicked, this, &TQtIterationsWidget::slotBtnStopClicked);
}

TQtIterationsWidget::~TQtIterationsWidget() { delete ui; }

TDrawWidget* TQtIterationsWidget::Plot() const { return ui->PaintWidget; }

void TQtIterationsWidget::Start(double eps, TFnValueToPos value_to_pos) {
  KV_ASSERT_IN("void TQtIterationsWidget::Start(double, TQtIterationsWidget::TFnValueToPos)", value_to_pos);
  FIteration = 0;
  FBreak = false;
  ui->BtnStop->setEnabled(true);
  ui->PaintWidget->Reset(eps, value_to_pos);
  ui->LbIter->setText(QStringLiteral("0"));
  ui->LbSigma0Caption->clear();
  ui->LbSigma0->clear();
  Redraw();
}

bool TQtIterationsWidget::NextIteration(int iteration, double value, double sigma) {
  FIteration = iteration;
  ui->PaintWidget->AddValue(value);
  ui->LbIter->setText(QString::number(iteration));
  if (sigma >= 0) {
    ui->LbSigma0->setText(QString::number(sigma, 'g', 6));
    ui->LbSigma0Caption->setText(FSigmaCaption);
  } else {
    ui->LbSigma0->clear();
    ui->LbSigma0Caption->clear();
  }
  Redraw();
  return !FBreak;
}

bool TQtIterationsWidget::ResetIterationBreak() {
  if (!FBreak)
    return true;
  FBreak = false;
  ui->BtnStop->setEnabled(true);
  return false;
}

void TQtIterationsWidget::End() { FBreak = false; }

void TQtIterationsWidget::Redraw() {
  char buf[128];
  std::snprintf(buf, sizeof buf, FFormat.c_str(), ui->PaintWidget->Values().back());
  ui->LbDiff->setText(QString::fromUtf8(buf));
  update();
}

void TQtIterationsWidget::slotBtnStopClicked() {
  FBreak = true;
  ui->BtnStop->setEnabled(false);
}
