#include "widgets/tkvpresetqcombobox.h"

#include "appservices/kvqticonlib.h"
#include "dialogs/tkvqmessagebox.h"
#include "module/kvmodule_initializer.h"
#include "module/kvqtappholder.h"
#include "module/tkvqtautoblocksignals.h"

#include "kvsuite/kvconfig.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace {

const char kSection[] = "Items";

// An entry's text without byte-order marks in front: QString::fromUtf8 drops
// only the first, so an entry that starts with two would lose one at each
// save and load.
QString entryText(const std::string& value) {
  QString text = QString::fromUtf8(value.data(), static_cast<int>(value.size()));
  int marks = 0;
  while (marks < text.size() && text.at(marks) == QChar(0xFEFF))
    ++marks;
  return text.mid(marks);
}

} // namespace

TKvPresetQComboBox::TKvPresetQComboBox(QWidget* parent) : QWidget(parent) {
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(5, 5, 5, 5);
  layout->setSpacing(5);

  FCombo = new QComboBox(this);
  FCombo->setEditable(true);
  // Entries confirmed with Return are added here rather than by QComboBox,
  // which refuses new entries once the list is full instead of dropping the
  // oldest.
  FCombo->setInsertPolicy(QComboBox::NoInsert);
  FCombo->setDuplicatesEnabled(false);
  FCombo->setMaxCount(DefaultMaxItems);
  layout->addWidget(FCombo);

  FClearButton = new QPushButton(this);
  FClearButton->setIcon(KvGetIconFromIconLib("trash", 16, 16));
  FClearButton->setToolTip(QString::fromStdString(KvQtResString("global.ClearList")));
  FClearButton->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Preferred);
  layout->addWidget(FClearButton);

  connect(FCombo, &QComboBox::editTextChanged, this, &TKvPresetQComboBox::textChanged);
  connect(FCombo, &QComboBox::currentTextChanged, this, &TKvPresetQComboBox::textChanged);
  connect(FClearButton, &QPushButton::clicked, this, &TKvPresetQComboBox::slotClearButtonClicked);
  connect(FCombo->lineEdit(), &QLineEdit::returnPressed, this, [this] { addPreset(FCombo->currentText()); });
}

TKvPresetQComboBox::~TKvPresetQComboBox() {
  disconnect(FCombo, nullptr, nullptr, nullptr);
  disconnect(FClearButton, nullptr, nullptr, nullptr);
}

void TKvPresetQComboBox::setMaxItems(int count) {
  const int n = qMax(1, count);
  // QComboBox drops the items past a lowered limit itself.
  FCombo->setMaxCount(n);
}

int TKvPresetQComboBox::maxItems() const { return FCombo->maxCount(); }

void TKvPresetQComboBox::addPreset(const QString& text) {
  if (text.isEmpty())
    return;
  {
    TKvQtAutoBlockSignals block(FCombo);
    const int at = FCombo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (at >= 0)
      FCombo->removeItem(at);
    if (FCombo->count() >= FCombo->maxCount())
      FCombo->removeItem(FCombo->count() - 1);
    FCombo->insertItem(0, text);
  }
  FCombo->setCurrentIndex(0);
}

QStringList TKvPresetQComboBox::presets() const {
  QStringList out;
  for (int i = 0; i < FCombo->count(); ++i)
    out << FCombo->itemText(i);
  return out;
}

QString TKvPresetQComboBox::currentText() const { return FCombo->currentText(); }

void TKvPresetQComboBox::setCurrentText(const QString& text) { FCombo->setCurrentText(text); }

void TKvPresetQComboBox::Load(TKvXIniReader* reader) {
  FCombo->clear();
  if (!reader || !reader->EnterSectionS(kSection))
    return;
  const int limit = FCombo->maxCount();
  std::string value;
  for (size_t i = 0; FCombo->count() < limit && reader->Read(i, value); ++i) {
    if (value.empty() || value.size() > static_cast<size_t>(MaxItemBytes))
      continue;
    // An entry of byte-order marks alone comes out empty and is skipped.
    const QString text = entryText(value);
    if (!text.isEmpty() && FCombo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive) < 0)
      FCombo->addItem(text);
  }
  if (FCombo->count() > 0)
    FCombo->setCurrentIndex(0);
  reader->LeaveSection();
}

void TKvPresetQComboBox::Save(TKvXIniWriter* writer) {
  if (!writer)
    return;
  const int n = FCombo->count();
  const QString current = FCombo->currentText();
  int found = -1;
  for (int i = 0; i < n && found < 0; ++i)
    if (FCombo->itemText(i) == current)
      found = i;
  std::vector<std::string> items;
  items.reserve(static_cast<size_t>(n));
  if (found >= 0)
    items.push_back(QtToKvStr(current));
  for (int i = 0; i < n; ++i)
    if (i != found)
      items.push_back(QtToKvStr(FCombo->itemText(i)));
  SaveItemsSE(writer, items);
}

void TKvPresetQComboBox::SaveItemsSE(TKvXIniWriter* writer, const std::vector<std::string>& items) {
  if (!writer)
    return;
  writer->BeginSectionSE(kSection);
  for (const std::string& s : items)
    if (!writer->WriteS(std::string(), s))
      writer->Error("Cannot write the entry \"" + s + "\" of the section \"" + kSection + "\"");
  writer->EndSection();
}

void TKvPresetQComboBox::slotClearButtonClicked() {
  try {
    if (!KvQtQuestYesNo(KvQtResString("global.QuestClearList"), nullptr, std::string(), nullptr))
      return;
    {
      TKvQtAutoBlockSignals block(FCombo);
      FCombo->clear();
    }
    emit clearClicked();
  } catch (...) {
  }
}
