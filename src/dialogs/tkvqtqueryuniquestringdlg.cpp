#include "dialogs/tkvqtqueryuniquestringdlg.h"

#include "dialogs/kvqtdialogs_p.h"
#include "module/kvmodule_initializer.h"
#include "module/kvqtappholder.h"
#include "ui_tkvqtqueryuniquestringdlg.h"

#include "kvsuite/kvmessage.h"

#include <QRegExpValidator>

#include <algorithm>

using kvdlg::FromUtf8;

namespace {

// The class validator plus the forbidden characters that the class cannot
// hold as one QChar (surrogate pairs).
class TForbiddenValidator : public QRegExpValidator {
public:
  TForbiddenValidator(const QRegExp& rx, std::vector<uint> wide, QObject* parent)
    : QRegExpValidator(rx, parent), FWide(std::move(wide)) {}

  State validate(QString& input, int& pos) const override {
    const State s = QRegExpValidator::validate(input, pos);
    if (s == Invalid || FWide.empty())
      return s;
    for (uint c : input.toUcs4())
      if (std::find(FWide.begin(), FWide.end(), c) != FWide.end())
        return Invalid;
    return s;
  }

private:
  std::vector<uint> FWide;
};

// "[^" + class + "]*"; escapeAll puts a backslash before every character.
QRegExp ForbiddenRx(const QString& chars, bool escapeAll) {
  QString pattern = QStringLiteral("[^");
  for (QChar c : chars) {
    if (escapeAll || c == QLatin1Char('[') || c == QLatin1Char(']'))
      pattern += QLatin1Char('\\');
    pattern += c;
  }
  pattern += QStringLiteral("]*");
  return QRegExp(pattern, Qt::CaseSensitive, QRegExp::RegExp);
}

} // namespace

TKvQtQueryUniqueStringDlg::TKvQtQueryUniqueStringDlg(QWidget* parent)
  : TKvQDialog(parent), FForm(new Ui_TKvQtQueryUniqueStringDlg) {
  FForm->setupUi(this);
  connect(FForm->LineEdit, &QLineEdit::textEdited, this, &TKvQtQueryUniqueStringDlg::slotTextEdited);
  connect(FForm->OkBtn, &QPushButton::clicked, this, &TKvQDialog::accept);
  connect(FForm->CancelBtn, &QPushButton::clicked, this, &TKvQDialog::reject);
}

TKvQtQueryUniqueStringDlg::~TKvQtQueryUniqueStringDlg() { delete FForm; }

void TKvQtQueryUniqueStringDlg::setParams(const std::string& text, const std::string& caption,
                                          const std::vector<std::string>& names, const std::string& forbidden,
                                          const std::string& value) {
  FForm->CaptionLabel->setText(FromUtf8(text));
  if (!caption.empty())
    setWindowTitle(FromUtf8(caption));
  FNames = std::set<std::string>(names.begin(), names.end());

  FForm->LineEdit->setValidator(nullptr);
  if (!forbidden.empty()) {
    QString inClass;
    std::vector<uint> wide;
    for (uint c : FromUtf8(forbidden).toUcs4()) {
      if (QChar::requiresSurrogates(c))
        wide.push_back(c);
      else
        inClass += QChar(static_cast<ushort>(c));
    }
    // A backslash at the very end has nothing to escape but the closing
    // bracket; it is meant as a character of its own.
    int trailing = 0;
    while (trailing < inClass.size() && inClass.at(inClass.size() - 1 - trailing) == QLatin1Char('\\'))
      ++trailing;
    if (trailing % 2 == 1)
      inClass += QLatin1Char('\\');
    QRegExp rx = ForbiddenRx(inClass, false);
    if (!rx.isValid())
      rx = ForbiddenRx(inClass, true);
    // Only wide characters: the class of nothing would bar nothing anyway.
    if (inClass.isEmpty())
      rx = QRegExp(QStringLiteral(".*"));
    FForm->LineEdit->setValidator(new TForbiddenValidator(rx, std::move(wide), this));
  }

  FForm->LineEdit->setText(FromUtf8(value));
}

std::string TKvQtQueryUniqueStringDlg::value() const { return QtToKvStr(FForm->LineEdit->text()); }

void TKvQtQueryUniqueStringDlg::slotTextEdited(const QString& newText) {
  try {
    const char* problem = nullptr;
    if (newText.isEmpty())
      problem = "global.ErrEmptyName";
    else if (FNames.count(QtToKvStr(newText)) != 0)
      problem = "global.ErrNameExist";
    FForm->ErrorLabel->setText(problem ? FromUtf8(KvQtResString(problem)) : QString());
    FForm->OkBtn->setEnabled(problem == nullptr);
  } catch (...) {
  }
}

bool TKvQtQueryUniqueStringDlg::ExecuteEx(const std::string& text, const std::string& caption,
                                          const std::vector<std::string>& names, const std::string& forbidden,
                                          std::string& value) {
  kvdlg::TDialogGuard<TKvQtQueryUniqueStringDlg> dlg(new TKvQtQueryUniqueStringDlg());
  dlg->setParams(text, caption, names, forbidden, value);
  const int result = dlg->exec();
  if (!dlg || result != ResultAccepted)
    return false;
  value = dlg->value();
  return true;
}

bool TKvQtQueryUniqueStringDlg::Execute(const std::string& text, const std::string& caption,
                                        const std::vector<std::string>& names, const std::string& forbidden,
                                        std::string* value) {
  KV_ASSERT(value != nullptr);
  return ExecuteEx(text, caption, names, forbidden, *value);
}
