#pragma once
// TKvFindWidget: a one-line find bar (search field, Back and Next buttons and
// an Options drop-down with whole word, match case and add to selected). The
// owner does the searching: it receives findClicked(text) and reads the
// direction and options from findOptions().
//
// Find options (findOptions / setFindOptions): 2 whole word, 4 match case,
// 8 add to selected, 16 search backwards (set by Back, cleared by Next).
// Show options (setShowOptions): 2 hides whole word, 4 hides match case,
// 8 hides Back, 16 shows add to selected (hidden without it).

#include "kvqtcpnt_export.h"

#include <QMenu>
#include <QWidget>

class QAction;
class Ui_TKvFindWidget;

class KVQTCPNT_EXPORT TKvFindWidget : public QWidget {
  Q_OBJECT
public:
  enum TFindOption { foWholeWord = 2, foMatchCase = 4, foAddToSelected = 8, foBackward = 16 };
  enum TShowOption { soHideWholeWord = 2, soHideMatchCase = 4, soHideBack = 8, soShowAddToSelected = 16 };

  explicit TKvFindWidget(QWidget* parent = nullptr);
  ~TKvFindWidget() override;

  void setFindOptions(int options);
  int findOptions() const { return FFindOptions; }
  void setShowOptions(int options);
  int showOptions() const { return FShowOptions; }
  // Builds the options menu (once) and applies the show options.
  void configureUI();
  QString searchText() const;
  void setSearchText(const QString& text);

signals:
  void findClicked(const QString& text);

public slots:
  void slotReverseButtonClicked();
  void slotForwardButtonClicked();
  void slotWholeWordActionClicked(bool on);
  void slotMatchCaseActionClicked(bool on);
  void slotAddToSelectedActionClicked(bool on);

private:
  void setBit(int bit, bool on);

  Ui_TKvFindWidget* FForm;
  int FFindOptions = 0;
  int FShowOptions = 0;
  QMenu FMenu;
  QAction* FWholeWordAction = nullptr;
  QAction* FMatchCaseAction = nullptr;
  QAction* FAddToSelectedAction = nullptr;
};
