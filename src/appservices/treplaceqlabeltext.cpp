#include "appservices/treplaceqlabeltext.h"

#include "module/kvqtappholder.h"

#include "kvsuite/kvreport.h"

#include <QCheckBox>
#include <QLabel>

void ReplaceLabelText(QWidget* root, const QString& oldText, const QString& newText) {
  if (!root)
    return;
  for (QObject* child : root->children()) {
    auto* w = qobject_cast<QWidget*>(child);
    if (!w)
      continue;
    ReplaceLabelText(w, oldText, newText);
    if (auto* label = qobject_cast<QLabel*>(w)) {
      if (label->text() == oldText)
        label->setText(newText);
    } else if (auto* check = qobject_cast<QCheckBox*>(w)) {
      if (check->text() == oldText)
        check->setText(newText);
    }
  }
}

void TReplaceQLabelText::RecordLabel(QLabel* label, const std::string& prefix) {
  const std::string text = QtToKvStr(label->text());
  if (!prefix.empty() && text.compare(0, prefix.size(), prefix) != 0)
    return;
  FLabels[label] = text.substr(prefix.size());
}

void TReplaceQLabelText::FindControlsByPrefix(QWidget* w, const std::string& prefix) {
  if (!w)
    return;
  if (auto* label = qobject_cast<QLabel*>(w)) {
    RecordLabel(label, prefix);
    return;
  }
  for (QLabel* label : w->findChildren<QLabel*>())
    RecordLabel(label, prefix);
}

void TReplaceQLabelText::ApplyReport(const std::map<std::string, std::string>& values) const {
  for (const auto& entry : FLabels)
    entry.first->setText(QString::fromUtf8(TKvReportGenerator::Parse(entry.second, values).c_str()));
}

void ReplaceLabelTextReport(QWidget* root, const std::string& prefix,
                            const std::map<std::string, std::string>& values) {
  TReplaceQLabelText replacer;
  replacer.FindControlsByPrefix(root, prefix);
  replacer.ApplyReport(values);
}
