#include "widgets/tkvqthistogramdlg.h"

#include "ui_tkvqthistogramdlg.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMap>
#include <QMimeData>
#include <QMouseEvent>

#include <cmath>

TKvQtHistogramDlg::TKvQtHistogramDlg(QWidget* parent) : TKvQDialog(parent), FForm(new Ui_TKvQtHistogramDlg) {
  FForm->setupUi(this);
  FForm->ResidualsTableWidget->resizeColumnsToContents();
  FForm->actionShowCoords->setChecked(false);
  FForm->label->hide();
  FForm->RecalcBtn->hide();
  FForm->HistogramWidget->installEventFilter(this);
  connect(FForm->RecalcBtn, &QPushButton::clicked, this, &TKvQtHistogramDlg::slotRecalcButtonClicked);
  connect(FForm->CloseBtn, &QPushButton::clicked, this, &TKvQtHistogramDlg::reject);
  connect(FForm->actionShowCoords, &QAction::triggered, FForm->HistogramWidget, &QWidget::setMouseTracking);
}

TKvQtHistogramDlg::~TKvQtHistogramDlg() { delete FForm; }

QWidget* TKvQtHistogramDlg::histogramWidget() { return FForm->HistogramWidget; }

QString TKvQtHistogramDlg::getStringFromDouble(double v) { return QString::number(v, 'f', 3); }

void TKvQtHistogramDlg::setHistogramParams(const THistogramParams& params) {
  FParams = params;
  QTableWidget* t = FForm->ResidualsTableWidget;
  const double values[] = {params.Mean, params.MeanAbs, params.RMS, params.StdDev, params.Mode, params.Median};
  for (int c = 0; c < 6; ++c)
    t->item(0, c)->setText(getStringFromDouble(values[c]));
  t->item(0, 6)->setText(params.XValues.size() >= 2 ? getStringFromDouble(params.XValues[1] - params.XValues[0])
                                                    : QString());
  t->resizeColumnsToContents();
}

void TKvQtHistogramDlg::setUnitName(const std::string& name) {
  QTableWidget* t = FForm->ResidualsTableWidget;
  t->item(0, t->columnCount() - 1)->setText(QString::fromStdString(name));
}

void TKvQtHistogramDlg::hideUnitsColumn() {
  FForm->ResidualsTableWidget->hideColumn(FForm->ResidualsTableWidget->columnCount() - 1);
}

void TKvQtHistogramDlg::hideStatisticWidget() { FForm->StatisticWidget->hide(); }

void TKvQtHistogramDlg::showRecalButton() { FForm->RecalcBtn->show(); }

bool TKvQtHistogramDlg::eventFilter(QObject* object, QEvent* event) {
  if (object == FForm->HistogramWidget) {
    try {
      if (event->type() == QEvent::MouseMove) {
        const QPointF p = static_cast<QMouseEvent*>(event)->localPos();
        FLastMousePos = QPoint(qRound(p.x()), qRound(p.y()));
        repaint();
      } else if (event->type() == QEvent::Paint) {
        drawHistogram();
      }
    } catch (...) {
      // A derived dialog's drawing failure must not escape into Qt.
    }
  }
  return QObject::eventFilter(object, event);
}

void TKvQtHistogramDlg::keyPressEvent(QKeyEvent* e) {
  if ((e->modifiers() & Qt::ControlModifier) && e->key() == Qt::Key_C) {
    const QList<QTableWidgetItem*> items = FForm->ResidualsTableWidget->selectedItems();
    if (items.isEmpty())
      return;
    QStringList texts;
    QMap<int, QMap<int, QString>> grid; // row -> column -> text
    for (QTableWidgetItem* item : items) {
      texts << item->text();
      grid[item->row()][item->column()] = item->text();
    }
    QString html = QStringLiteral("<table>");
    for (auto row = grid.cbegin(); row != grid.cend(); ++row) {
      html += QStringLiteral("<tr>");
      for (const QString& cell : row.value())
        html += QStringLiteral("<td>") + cell.toHtmlEscaped() + QStringLiteral("</td>");
      html += QStringLiteral("</tr>");
    }
    html += QStringLiteral("</table>");
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
      auto* mime = new QMimeData;
      mime->setText(texts.join(QLatin1Char(' ')));
      mime->setHtml(html);
      app->clipboard()->setMimeData(mime);
    }
    return;
  }
  QDialog::keyPressEvent(e);
}

void TKvQtHistogramDlg::drawHistogram() {}

void TKvQtHistogramDlg::slotRecalcButtonClicked() {}
