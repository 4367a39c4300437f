#pragma once
// Asking for one value, and reading numbers typed into line edits.
//
// Query functions ask in the toolkit's standard input dialog, owned by the
// application's active window (KvQtAppHolder::KvGetTopWindow). Each returns
// true when the user confirmed with OK, false on Cancel or the close box;
// none throws for a cancel. The QString and the UTF-8 std::string forms
// ("Std") behave alike except where noted. Text handed in as std::string may
// hold any bytes: invalid UTF-8 shows as replacement characters, embedded
// NULs are kept.
//
// Check functions read a number with the range parsers of the suite
// (kvsuite/kvrangeparse.h: bounds inclusive, "," accepted as the decimal
// point of a double, no digit groups) after stripping blanks at both ends.
//
// All functions run on the GUI thread; GetDouble and GetUlong touch no
// widget and may run on any thread.

#include "kvqtcpnt_export.h"

#include <QString>
#include <QStringList>

#include <string>
#include <vector>

class QLineEdit;

// `decimals` is truncated towards zero (negative counts as 0). On Cancel
// `value` keeps its preset.
KVQTCPNT_EXPORT bool KvQtQueryDouble(const QString& title, const QString& label, double& value, double min,
                                     double max, double decimals);
KVQTCPNT_EXPORT bool KvQtQueryDoubleStd(const std::string& title, const std::string& label, double& value,
                                        double min, double max, double decimals);
// The dialog works in 32-bit int: value and both bounds are truncated to it,
// and `value` comes back truncated in every case, also on Cancel.
KVQTCPNT_EXPORT bool KvQtQueryLong(const QString& title, const QString& label, long& value, long min, long max);
KVQTCPNT_EXPORT bool KvQtQueryLongStd(const std::string& title, const std::string& label, long& value, long min,
                                      long max);
// One line, pre-filled with `text`. On Cancel `text` becomes empty.
KVQTCPNT_EXPORT bool KvQtQueryTextInput(const QString& title, const QString& label, QString& text);
// As above, but on Cancel the caller's `text` stays as it was.
KVQTCPNT_EXPORT bool KvQtQueryTextInputStd(const std::string& title, const std::string& label, std::string& text);
// A non-editable combo box preset to item `index`. `text` receives the
// dialog's text in every case (on Cancel the preset item's text, empty for
// an index outside the list); on OK `index` becomes the position of the first
// item equal to the chosen text. On Cancel `index` is untouched. An empty
// list still shows the dialog; OK then gives index -1 and an empty text.
KVQTCPNT_EXPORT bool KvQtQueryItem(const QString& title, const QString& label, const QStringList& items,
                                   int& index, QString& text);
// On Cancel neither `index` nor `text` changes.
KVQTCPNT_EXPORT bool KvQtQueryItemStd(const std::string& title, const std::string& label,
                                      const std::vector<std::string>& items, int& index, std::string& text);

// The number in `text`, or `min` when it is not a number in [min, max]; then
// *error is set to true. *error is never set to false, so one flag can
// collect the failures of several fields. `error` may be null.
KVQTCPNT_EXPORT double GetDouble(const QString& text, double min, double max, bool* error);
KVQTCPNT_EXPORT unsigned long GetUlong(const QString& text, unsigned long min, unsigned long max, bool* error);

// True when the edit holds a number in [min, max]; it is then stored in
// *value (when `value` is not null). Otherwise the user is warned with a
// message naming the typed text and both bounds, and false is returned;
// CheckGetDouble also gives the edit the focus first. A null edit is a
// programming error: a technical TKvMessage is thrown.
KVQTCPNT_EXPORT bool CheckGetDouble(QLineEdit* edit, double* value, double min, double max);
KVQTCPNT_EXPORT bool CheckGetUlong(QLineEdit* edit, unsigned long* value, unsigned long min, unsigned long max);
