#include "dialogs/tkvbuttondecisiondlg.h"

#include "dialogs/kvqtdialogs_p.h"
#include "ui_tkvbuttondecisiondlg.h"

#include "kvsuite/kvmessage.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QPushButton>

#include <climits>

using kvdlg::FromUtf8;

TKvButtonDecisionDlg::TKvButtonDecisionDlg(QWidget* parent)
  : TKvQDialog(parent), FForm(new Ui_TKvButtonDecisionDlg), FGrid(new QGridLayout), FButtons(new QButtonGroup(this)) {
  FForm->setupUi(this);
  FGrid->setContentsMargins(5, 5, 5, 5);
  FGrid->setSpacing(5);
  FForm->verticalLayout->addLayout(FGrid);
  // The button's id is the dialog's result.
  connect(FButtons, &QButtonGroup::idClicked, this, &QDialog::done);
}

TKvButtonDecisionDlg::~TKvButtonDecisionDlg() { delete FForm; }

void TKvButtonDecisionDlg::setParams(const std::string& caption, const std::string& text,
                                     const std::vector<std::string>& buttons, const TKvOrientation& orientation,
                                     unsigned long defaultIndex) {
  if (!caption.empty())
    setWindowTitle(FromUtf8(caption));
  FForm->TextLabel->setText(FromUtf8(text));

  const unsigned long count = buttons.size();
  if (count == 0 || count > MaxButtons)
    throw TKvMessage("@TKvButtonDecisionDlg: number of buttons is out of range [1..%1%]") << MaxButtons;

  const unsigned char shape = static_cast<unsigned char>(orientation);
  const unsigned long columns = shape == kvoVertical ? 1 : shape == kvoHorizontal ? count : (count + 9) / 10;
  if (defaultIndex >= count)
    defaultIndex = count - 1;
  for (unsigned long i = 0; i < count; ++i) {
    auto* button = new QPushButton(FromUtf8(buttons[i]), this);
    button->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
    FButtons->addButton(button, static_cast<int>(i));
    FGrid->addWidget(button, static_cast<int>(i / columns), static_cast<int>(i % columns));
  }
  static_cast<QPushButton*>(FButtons->button(static_cast<int>(defaultIndex)))->setDefault(true);
  adjustSize();
}

unsigned long TKvButtonDecisionDlg::Execute(const std::string& caption, const std::string& text,
                                            const std::vector<std::string>& buttons,
                                            const TKvOrientation& orientation, unsigned long defaultIndex,
                                            unsigned long cancelIndex) {
  kvdlg::TDialogGuard<TKvButtonDecisionDlg> dlg(new TKvButtonDecisionDlg());
  dlg->setParams(caption, text, buttons, orientation, defaultIndex);
  const int result = dlg->exec();
  const unsigned long last = buttons.size() - 1;
  // Only a button's id (0..29) means a button; anything else is a cancel.
  if (dlg && result >= 0 && static_cast<unsigned long>(result) <= last)
    return static_cast<unsigned long>(result);
  return cancelIndex > last ? last : cancelIndex;
}

unsigned long KvQtGetChButtonDecision(const std::string& caption, const std::string& text,
                                      const std::vector<std::string>& buttons, const TKvOrientation& orientation) {
  return TKvButtonDecisionDlg::Execute(caption, text, buttons, orientation, 0, ULONG_MAX);
}
