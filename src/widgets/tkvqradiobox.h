#pragma once
// TKvQRadioBox: a group box of mutually exclusive radio choices built from a
// list of strings, laid out in a row, a column or a grid, with the current
// choice reported by index. Indexes stay as they were given while the layout
// is rearranged; an index that no choice has is ignored by the setters and
// answers false, -1 or an empty text in the getters.
//
// A grid dimention below 1 is taken as 1.
//
// The choices are QRadioButtons owned by the box. The box's layout must stay
// the QGridLayout it creates; with any other layout addChoice and
// reorderButtons throw a TKvMessage.

#include "kvqtcpnt_export.h"

#include <QGroupBox>
#include <QHash>
#include <QList>
#include <QPointer>
#include <QStringList>

class QAbstractButton;

class KVQTCPNT_EXPORT TKvQRadioBox : public QGroupBox {
  Q_OBJECT
public:
  enum TKvDirection { rdHorizontal = 0, rdVertical = 1, rdRows = 2, rdColumns = 3 };

  explicit TKvQRadioBox(QWidget* parent = nullptr);

  int addChoice(const QString& text);
  void setChoices(const QStringList& choices);
  void clearChoices();
  QStringList choices() const;
  int count() const { return FButtons.size(); }

  int currentIdx() const;
  void setCurrentIdx(int idx);

  void setChoiceEnabled(int idx, bool enabled);
  bool isChoiceEnabled(int idx) const;
  void setChoiceVisible(int idx, bool visible);
  bool isChoiceVisible(int idx) const;
  void setChoiceText(int idx, const QString& text);
  QString choiceText(int idx) const;

  TKvDirection direction() const { return FDirection; }
  void setDirection(TKvDirection direction);
  int dimention() const { return FDimention; }
  void setDimention(int dimention);

  int margin() const;
  void setMargin(int margin);
  int spacing() const;
  void setSpacing(int spacing);
  void setStretch(double stretch);

  void reorderButtons();

signals:
  void currentChanged(int idx);

private:
  void addWidgetToLayout(QWidget* button);
  QAbstractButton* buttonAt(int idx) const;
  void buttonToggled(QAbstractButton* button, bool checked);

  QList<QAbstractButton*> FButtons;
  QPointer<QAbstractButton> FCurrent;
  QHash<QAbstractButton*, int> FIndexes;
  TKvDirection FDirection = rdVertical;
  int FDimention = 1;
};
