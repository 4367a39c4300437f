#pragma once
// TKvPresetQComboBox: an editable combo box of earlier entries ("presets")
// with a button that clears the list after asking. The entries are saved to
// the ini section "Items", the current text first, and loaded back.
//
// It behaves as a history: an entry confirmed with Return goes to the top,
// an entry is never listed twice, and at most maxItems() entries are kept
// (20 unless set; older ones drop off the bottom). Loading applies the same
// rules to what it reads, so a damaged or hostile section loads what it can:
// the first maxItems() distinct non-empty values, each at most 64 KiB of text
// (longer values are skipped); invalid UTF-8 is read with replacement
// characters. The section holds no counts, so nothing is sized from stored
// numbers.

#include "kvqtcpnt_export.h"

#include <QWidget>

#include <string>
#include <vector>

class QComboBox;
class QPushButton;
class TKvXIniReader;
class TKvXIniWriter;

class KVQTCPNT_EXPORT TKvPresetQComboBox : public QWidget {
  Q_OBJECT
public:
  static constexpr int DefaultMaxItems = 20;
  static constexpr int MaxItemBytes = 64 * 1024;

  explicit TKvPresetQComboBox(QWidget* parent = nullptr);
  ~TKvPresetQComboBox() override;

  // The reader and writer stay the caller's.
  void Load(TKvXIniReader* reader);
  void Save(TKvXIniWriter* writer);
  static void SaveItemsSE(TKvXIniWriter* writer, const std::vector<std::string>& items);

  // The history limit (at least 1); lowering it drops the oldest entries.
  void setMaxItems(int count);
  int maxItems() const;
  // Puts the text at the top of the list (moving it there when it is listed
  // already) and makes it current; empty texts are ignored.
  void addPreset(const QString& text);
  QStringList presets() const;
  QString currentText() const;
  void setCurrentText(const QString& text);
  QComboBox* comboBox() const { return FCombo; }

signals:
  void clearClicked();
  void textChanged(const QString& text);

private slots:
  void slotClearButtonClicked();

private:
  QComboBox* FCombo;
  QPushButton* FClearButton;
};
