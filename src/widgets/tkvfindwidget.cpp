#include "widgets/tkvfindwidget.h"

#include "module/kvmodule_initializer.h"

#include "ui_tkvfindwidget.h"

TKvFindWidget::TKvFindWidget(QWidget* parent) : QWidget(parent), FForm(new Ui_TKvFindWidget) {
  FForm->setupUi(this);
  configureUI();
  connect(FForm->ReverseBtn, &QPushButton::clicked, this, &TKvFindWidget::slotReverseButtonClicked);
  connect(FForm->ForwardBtn, &QPushButton::clicked, this, &TKvFindWidget::slotForwardButtonClicked);
}

TKvFindWidget::~TKvFindWidget() { delete FForm; }

void TKvFindWidget::configureUI() {
  if (!FWholeWordAction) {
    auto add = [this](const char* key, void (TKvFindWidget::*slot)(bool)) {
      QAction* a = FMenu.addAction(QString::fromStdString(KvQtResString(key)));
      a->setCheckable(true);
      connect(a, &QAction::triggered, this, slot);
      return a;
    };
    FWholeWordAction = add("global.WholeWord", &TKvFindWidget::slotWholeWordActionClicked);
    FMatchCaseAction = add("global.MatchCase", &TKvFindWidget::slotMatchCaseActionClicked);
    FAddToSelectedAction = add("global.AddToSelected", &TKvFindWidget::slotAddToSelectedActionClicked);
    FForm->SettingsBtn->setMenu(&FMenu);
  }
  setShowOptions(FShowOptions);
}

void TKvFindWidget::setFindOptions(int options) {
  FFindOptions = options;
  FWholeWordAction->setChecked(options & foWholeWord);
  FMatchCaseAction->setChecked(options & foMatchCase);
  FAddToSelectedAction->setChecked(options & foAddToSelected);
}

void TKvFindWidget::setShowOptions(int options) {
  FShowOptions = options;
  FWholeWordAction->setVisible(!(options & soHideWholeWord));
  FMatchCaseAction->setVisible(!(options & soHideMatchCase));
  FAddToSelectedAction->setVisible(options & soShowAddToSelected);
  FForm->ReverseBtn->setVisible(!(options & soHideBack));
}

QString TKvFindWidget::searchText() const { return FForm->SearchTextLineEdit->text(); }

void TKvFindWidget::setSearchText(const QString& text) { FForm->SearchTextLineEdit->setText(text); }

void TKvFindWidget::setBit(int bit, bool on) { FFindOptions = on ? (FFindOptions | bit) : (FFindOptions & ~bit); }

void TKvFindWidget::slotWholeWordActionClicked(bool on) { setBit(foWholeWord, on); }

void TKvFindWidget::slotMatchCaseActionClicked(bool on) { setBit(foMatchCase, on); }

void TKvFindWidget::slotAddToSelectedActionClicked(bool on) { setBit(foAddToSelected, on); }

void TKvFindWidget::slotReverseButtonClicked() {
  setBit(foBackward, true);
  emit findClicked(FForm->SearchTextLineEdit->text());
}

void TKvFindWidget::slotForwardButtonClicked() {
  setBit(foBackward, false);
  emit findClicked(FForm->SearchTextLineEdit->text());
}
