#pragma once
// TKvQtHistogramDlg: the frame of the histogram views of applications: a
// drawing area ("HistogramWidget"), a vertical tool bar with a
// show-coordinates toggle, a one-row statistics table, an optional rebuild
// button and a close button. Derived dialogs draw in the area from the
// virtual drawHistogram() (called on every paint of the area; a QPainter on
// histogramWidget() is allowed there) and recalculate in
// slotRecalcButtonClicked().
//
// Ctrl+C copies the selected cells: as plain text their display texts joined
// by single spaces, and beside it an HTML table keeping the cells in their
// rows and columns, which spreadsheets paste as cells.
// A parameter record with fewer than two horizontal values leaves the step
// cell empty.

#include "kvqtcpnt_export.h"
#include "module/tkvqdialog.h"

#include <QPoint>

#include <string>
#include <vector>

class Ui_TKvQtHistogramDlg;

class KVQTCPNT_EXPORT TKvQtHistogramDlg : public TKvQDialog {
  Q_OBJECT
public:
  struct THistogramParams {
    double Mean = 0;
    double RMS = 0;
    double StdDev = 0;
    double MeanAbs = 0;
    double Mode = 0;
    double Median = 0;
    // Values along the horizontal axis; the step shown is [1] - [0].
    std::vector<double> XValues;
    // Free for the drawing code of derived dialogs.
    std::vector<int> Counts;
    int Tag = 0;
  };

  explicit TKvQtHistogramDlg(QWidget* parent = nullptr);
  ~TKvQtHistogramDlg() override;

  QWidget* histogramWidget();
  void setHistogramParams(const THistogramParams& params);
  const THistogramParams& histogramParams() const { return FParams; }
  void setUnitName(const std::string& name);
  void hideUnitsColumn();
  void hideStatisticWidget();
  void showRecalButton();
  QString getStringFromDouble(double v);

  bool eventFilter(QObject* object, QEvent* event) override;

public slots:
  virtual void slotRecalcButtonClicked();

protected:
  void keyPressEvent(QKeyEvent* e) override;
  virtual void drawHistogram();
  // The last mouse position over the drawing area.
  QPoint lastMousePos() const { return FLastMousePos; }

  Ui_TKvQtHistogramDlg* FForm;
  THistogramParams FParams;
  QPoint FLastMousePos;
};
