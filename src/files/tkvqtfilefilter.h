#pragma once
// The suite's filter strings for file choosers, taken apart.
//
// A filter string alternates filter names and pattern parts, separated by
// "|": "Text files (*.txt *.asc)|*.txt;*.asc|All files (*)|*". It is split at
// every "|" with empty parts kept; parts 0, 2, 4 ... are the names the dialog
// shows (its filter list, joined with ";;" for QFileDialog), parts 1, 3, 5 ...
// the patterns of the name before them, used only for the default extension.
// An odd number of parts ends with a name without patterns; an empty string
// is one empty name. Dialog filter numbers count from 1; 0 means none.
//
// Any caller text is accepted: nothing here throws, and the work is linear in
// the length of the string.

#include "kvqtcpnt_export.h"

#include <QString>
#include <QStringList>

class KVQTCPNT_EXPORT TKvQtFileFilter {
public:
  TKvQtFileFilter() = default;
  explicit TKvQtFileFilter(const QString& filter);

  // The filter names, in order (never empty after construction from a text).
  const QStringList& names() const { return FNames; }
  // The pattern part of each name, position for position (null for none).
  const QStringList& patterns() const { return FPatterns; }
  // The names joined with ";;", as QFileDialog takes them.
  QString qtFilter() const { return FNames.join(QStringLiteral(";;")); }

  // The name with this 1-based number, or an empty text when out of range.
  QString nameOf(unsigned long number) const;
  // The 1-based number of the first name equal to `name` (or, failing that,
  // equal to it with blanks collapsed, as QFileDialog reports its names);
  // 0 for an empty text or no match.
  unsigned long numberOf(const QString& name) const;
  // The extension ".txt" a file saved under filter `number` should get: the
  // first piece of its pattern part with every "*" removed ("*.txt;*.asc"
  // gives ".txt"). Only a real extension is given back, one that starts with
  // "." and holds no wildcard, separator or blank; otherwise (pattern "*",
  // "Makefile", no pattern part) an empty text.
  QString defaultExt(unsigned long number) const;

  // The names only ("|" split, parts 0, 2, 4 ...), as the path edits keep them.
  static QStringList namesOf(const QString& filter);

private:
  QStringList FNames;
  QStringList FPatterns;
};
