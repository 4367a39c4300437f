#pragma once
// TKvButtonDecisionDlg: a message and 1 to 30 buttons in a grid; the answer
// is the index of the button pressed.
//
// Orientation 0 lays the buttons out in one column, 1 in one row, any other
// value in a grid of at most 10 rows ((count + 9) / 10 columns, filled row by
// row). Pressing button i ends the dialog with result i. Escape and the close
// box answer `cancelIndex`; a default or cancel index that names no button
// stands for the last button.

#include "kvqtcpnt_export.h"

#include "module/tkvqdialog.h"

#include "kvsuite/kvorientation.h"

#include <string>
#include <vector>

class QButtonGroup;
class QGridLayout;
class Ui_TKvButtonDecisionDlg;

class KVQTCPNT_EXPORT TKvButtonDecisionDlg : public TKvQDialog {
public:
  // At most this many buttons.
  static constexpr unsigned long MaxButtons = 30;

  explicit TKvButtonDecisionDlg(QWidget* parent = nullptr);
  ~TKvButtonDecisionDlg() override;

  // Texts are UTF-8. Throws a technical TKvMessage for no buttons or more
  // than MaxButtons, before anything is shown.
  static unsigned long Execute(const std::string& caption, const std::string& text,
                               const std::vector<std::string>& buttons, const TKvOrientation& orientation,
                               unsigned long defaultIndex, unsigned long cancelIndex);

  // Builds the label and the buttons; throws as Execute does.
  void setParams(const std::string& caption, const std::string& text, const std::vector<std::string>& buttons,
                 const TKvOrientation& orientation, unsigned long defaultIndex);
  QGridLayout* grid() const { return FGrid; }

private:
  Ui_TKvButtonDecisionDlg* FForm;
  QGridLayout* FGrid;
  QButtonGroup* FButtons;
};

// Execute with default index 0; Escape and the close box answer the last index.
KVQTCPNT_EXPORT unsigned long KvQtGetChButtonDecision(const std::string& caption, const std::string& text,
                                                      const std::vector<std::string>& buttons,
                                                      const TKvOrientation& orientation);
