#include "dialogs/tkvqtqueryrbselectdlg.h"

#include "dialogs/kvqtdialogs_p.h"
#include "module/kvqtappholder.h"
#include "ui_tkvqtqueryrbselectdlg.h"

#include <QButtonGroup>
#include <QPushButton>
#include <QStyle>

#include <climits>

using kvdlg::FromUtf8;

TKvQtQueryRBSelectDlg::TKvQtQueryRBSelectDlg(QWidget* parent)
  : TKvQDialog(parent), FForm(new Ui_TKvQtQueryRBSelectDlg), FButtons(new QButtonGroup(this)) {
  FForm->setupUi(this);
  connect(FForm->CancelButton, &QPushButton::clicked, this, &TKvQtQueryRBSelectDlg::slotCancelClicked);
  connect(FButtons, &QButtonGroup::idClicked, this,
          &TKvQtQueryRBSelectDlg::slotCmdButtonClicked);
}

TKvQtQueryRBSelectDlg::~TKvQtQueryRBSelectDlg() { delete FForm; }

void TKvQtQueryRBSelectDlg::setParams(const std::string& caption, const std::string& text,
                                      const std::vector<std::string>& buttons, unsigned long focusIndex,
                                      TKvQDialog::TIcon icon) {
  setWindowTitle(FromUtf8(caption));
  FForm->label->setText(FromUtf8(text));

  int id = 0;
  for (const std::string& b : buttons) {
    auto* button = new QPushButton(FromUtf8(b), this);
    button->setAutoDefault(false);
    FForm->ButtonsLayout->addWidget(button, 1);
    FButtons->addButton(button, id++);
  }
  // Taken as int, as the group's ids are: a huge index names no button.
  if (focusIndex <= static_cast<unsigned long>(INT_MAX))
    if (QAbstractButton* b = FButtons->button(static_cast<int>(focusIndex)))
      b->setFocus(Qt::OtherFocusReason);

  QStyle::StandardPixmap pixmap = QStyle::SP_CustomBase;
  switch (static_cast<int>(icon)) {
  case iconInformation: pixmap = QStyle::SP_MessageBoxInformation; break;
  case iconWarning: pixmap = QStyle::SP_MessageBoxWarning; break;
  case iconCritical: pixmap = QStyle::SP_MessageBoxCritical; break;
  case iconQuestion: pixmap = QStyle::SP_MessageBoxQuestion; break;
  default: FForm->icon->setPixmap(QPixmap()); break;
  }
  if (pixmap != QStyle::SP_CustomBase) {
    const int size = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    FForm->icon->setPixmap(style()->standardIcon(pixmap, nullptr, this).pixmap(size, size));
  }
  // The form's own size fits no particular text or button count: wrapped
  // text and the buttons would be squeezed into it.
  adjustSize();
}

int TKvQtQueryRBSelectDlg::ExecuteU(const std::string& caption, const std::string& text,
                                    const std::vector<std::string>& buttons, unsigned long focusIndex,
                                    TKvQDialog::TIcon icon) {
  try {
    kvdlg::TDialogGuard<TKvQtQueryRBSelectDlg> dlg(new TKvQtQueryRBSelectDlg(KvQtAppHolder::KvGetTopWindow()));
    dlg->setParams(caption, text, buttons, focusIndex, icon);
    const int result = dlg->exec();
    if (!dlg || result != ResultAccepted)
      return -1;
    return dlg->chosenIndex();
  } catch (...) {
    return -1;
  }
}

void TKvQtQueryRBSelectDlg::slotCancelClicked() {
  try {
    reject();
  } catch (...) {
  }
}

void TKvQtQueryRBSelectDlg::slotCmdButtonClicked(int id) {
  try {
    FIndex = id;
    accept();
  } catch (...) {
  }
}
