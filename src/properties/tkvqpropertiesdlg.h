#pragma once
// TKvQPropertiesDlg: a dialog that edits the caller's variables described by a
// TQProperties list, one row per descriptor in a tree property browser, and
// writes every value back when the user presses OK. Closing the window any
// other way writes nothing.
//
// Choices of this class:
// - Write-back reads each row's value, not its display text: the text of a
//   bool, enum or floating row (a word, a caption, a rounded number in the
//   locale's notation) does not parse back into the variable. A row nobody
//   touched therefore writes back exactly what it was given.
// - Caller errors are refused with a TKvMessage from setParams() (and so from
//   Execute()), before any row is made: a descriptor without a bound
//   variable, an enum whose size is outside 1..8 bytes, a number whose
//   minimum lies above its maximum (or is not a number). A null descriptor is
//   skipped.
// - An enum with fewer captions than values shows the missing ones as the
//   value's number; captions beyond the values are not shown. An enum left
//   with nothing chosen (its variable held none of the values) is not
//   written.
// - Floating rows show as many decimals (at least two) as the value and the
//   step need to read exactly, up to 7 for float and 13 for double.
// - A browser whose variant manager knows no unsigned 64-bit type (some
//   installed copies) gets a text row for unsigned long descriptors; on OK
//   its text is written back when it is a whole number within the range and
//   left alone otherwise.
// - A descriptor of an unknown kind gives a disabled "Unknown type" row that
//   OK leaves alone.

#include "kvqtcpnt_export.h"

#include "module/tkvqdialog.h"

#include <vector>

class QtProperty;
class QtVariantEditorFactory;
class QtVariantPropertyManager;
class TKvQtFilePropertyManager;
class TKvQtOpenFileEditorFactory;
class TKvQtSaveFileEditorFactory;
class TQProperties;
class TQProperty;
class Ui_TKvQPropertiesDlg;

class KVQTCPNT_EXPORT TKvQPropertiesDlg : public TKvQDialog {
  Q_OBJECT
public:
  // Managers and factories are children of the dialog.
  explicit TKvQPropertiesDlg(QWidget* parent = nullptr);
  ~TKvQPropertiesDlg() override;

  // Shows the dialog for `props` (not owned, may be null: an empty sheet);
  // true when the user pressed OK and the variables were written.
  static bool Execute(const QString& title, TQProperties* props);

  // Adds one row per descriptor of `props` (not owned; it and its variables
  // must outlive the dialog). Throws TKvMessage for a caller error.
  void setParams(TQProperties* props);
  // Writes every row back into its variable and ends the dialog with 5100.
  void accept() override;

private:
  QtProperty* createRow(TQProperty* item);
  void validate(const TQProperties* props) const;

  Ui_TKvQPropertiesDlg* FUi;
  TQProperties* FProps = nullptr;
  std::vector<QtProperty*> FQtProps;
  QtVariantPropertyManager* FVariantManager;
  QtVariantEditorFactory* FVariantFactory;
  TKvQtFilePropertyManager* FOpenManager;
  TKvQtOpenFileEditorFactory* FOpenFactory;
  TKvQtFilePropertyManager* FSaveManager;
  TKvQtSaveFileEditorFactory* FSaveFactory;
};
