#pragma once
// Replacing the texts of labels: a plain text swap over a widget tree, and
// labels whose texts are report templates filled from named values
// (TKvReportGenerator: "{name}" fields, "{{" and "}}" for literal braces,
// unknown fields left as written).

#include "kvqtcpnt_export.h"

#include <QString>

#include <map>
#include <string>

class QLabel;
class QWidget;

// Every label and check box below `root` (not `root` itself) whose text is
// exactly `oldText` gets `newText`. Null is ignored.
KVQTCPNT_EXPORT void ReplaceLabelText(QWidget* root, const QString& oldText, const QString& newText);

// Remembers labels whose texts begin with a prefix, and later fills the rest
// of each text as a template. The labels must outlive the object (or at least
// the ApplyReport call); it does not own them.
class KVQTCPNT_EXPORT TReplaceQLabelText {
public:
  // A label: recorded when the prefix is empty or its text begins with it,
  // with the text after the prefix as template (recording a label again
  // replaces its template). Any other widget: all its descendant labels.
  void FindControlsByPrefix(QWidget* w, const std::string& prefix);
  // Sets every recorded label's text to its template filled from `values`.
  void ApplyReport(const std::map<std::string, std::string>& values) const;

  // The recorded templates (UTF-8) by label.
  const std::map<QLabel*, std::string>& Labels() const { return FLabels; }

private:
  void RecordLabel(QLabel* label, const std::string& prefix);

  std::map<QLabel*, std::string> FLabels;
};

// FindControlsByPrefix(root, prefix) and ApplyReport(values) in one step.
KVQTCPNT_EXPORT void ReplaceLabelTextReport(QWidget* root, const std::string& prefix,
                                            const std::map<std::string, std::string>& values);
