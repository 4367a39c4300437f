#include "dialogs/tkvqmessagebox.h"

#include "module/kvmodule_initializer.h"
#include "module/kvqtappholder.h"

#include "kvsuite/kvconfig.h"
#include "kvsuite/kvmessage.h"
#include "kvsuite/kvstrings.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QPointer>
#include <QThread>

namespace {

// Only these answers can be remembered: Ok | Yes | No.
constexpr int kRememberable = QMessageBox::Ok | QMessageBox::Yes | QMessageBox::No;

const char* const kDontShow = "dont_show";
const char* const kChoice = "choice";

std::string AnswerPrefix(const std::string& key) { return KvIncludeTrailing(key, '/'); }

std::string CaptionId(QMessageBox::Icon icon) {
  switch (icon) {
  case QMessageBox::Information: return "Cap_Info";
  case QMessageBox::Warning: return "Cap_Warning";
  case QMessageBox::Critical: return "Cap_Error";
  case QMessageBox::Question: return "Cap_Question";
  default: return std::string();
  }
}

// The button sets whose texts come from the module's resource strings; any
// other combination keeps the toolkit's texts, so that a mixed box never shows
// half translated, half toolkit captions.
bool IsRelabelledSet(int buttons) {
  using B = QMessageBox;
  static const int sets[] = {B::Ok,           B::Cancel,           B::Ok | B::Cancel, B::Yes,
                             B::No,           B::Yes | B::No,      B::Yes | B::No | B::Cancel,
                             B::Abort,        B::Retry,            B::Ignore,         B::Abort | B::Ignore,
                             B::Retry | B::Cancel, B::Abort | B::Retry | B::Ignore};
  for (int s : sets)
    if (s == buttons)
      return true;
  return false;
}

int ThreeWay(int answer) {
  if (answer == QMessageBox::Yes)
    return 6;
  if (answer == QMessageBox::No)
    return 7;
  return 2;
}

// Widgets can only be made by the GUI thread of a QApplication; anywhere else
// the toolkit aborts the process instead of throwing, so the widget-free
// fallback is the only safe way to get the text out.
bool CanShowWidgets() {
  auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
  return app && QThread::currentThread() == app->thread();
}

} // namespace

TKvQMessageBox::TKvQMessageBox(QWidget* parent, std::string text, QMessageBox::Icon icon, int buttons,
                               int defaultButton, int escapeButton, bool showCheck, bool* pShowOnce)
  : QMessageBox(parent) {
  setIcon(icon);

  if (icon == QMessageBox::NoIcon) {
    setWindowTitle(QCoreApplication::applicationName());
  } else {
    const std::string id = CaptionId(icon);
    if (!id.empty())
      setWindowTitle(QString::fromUtf8(KvMsg_helper(id).std_str().c_str()));
  }

  setText(QString::fromUtf8(text.data(), static_cast<int>(text.size())).trimmed());

  if (showCheck && pShowOnce) {
    FShowOnce = pShowOnce;
    QString label = QString::fromUtf8(KvQtResString("global.ShowOnce").c_str());
    if (label.isEmpty()) // a language file without the key must not give a bare box
      label = QMessageBox::tr("Do not show this message again");
    auto* check = new QCheckBox(label, this);
    check->setChecked(*pShowOnce);
    setCheckBox(check);
    connect(check, &QCheckBox::stateChanged, this, &TKvQMessageBox::slotCheckShowOnceChanged);
  }

  setStandardButtons(QMessageBox::StandardButtons(buttons));
  setDefaultButton(static_cast<QMessageBox::StandardButton>(defaultButton));
  setEscapeButton(static_cast<QMessageBox::StandardButton>(escapeButton));

  if (IsRelabelledSet(buttons)) {
    static const struct {
      QMessageBox::StandardButton Button;
      const char* Key;
    } texts[] = {{QMessageBox::Ok, "global.BtnOk"},       {QMessageBox::Cancel, "global.BtnCancel"},
                 {QMessageBox::Yes, "global.BtnYes"},     {QMessageBox::No, "global.BtnNo"},
                 {QMessageBox::Abort, "global.BtnAbort"}, {QMessageBox::Retry, "global.BtnRetry"},
                 {QMessageBox::Ignore, "global.BtnIgnore"}};
    for (const auto& t : texts) {
      QAbstractButton* b = button(t.Button);
      const std::string label = b ? KvQtResString(t.Key) : std::string();
      // A key missing from the language files keeps the toolkit's text
      // rather than leaving a blank button.
      if (!label.empty())
        b->setText(QString::fromUtf8(label.c_str()));
    }
  }
}

TKvQMessageBox::~TKvQMessageBox() = default;

void TKvQMessageBox::slotCheckShowOnceChanged(int state) {
  if (FShowOnce)
    *FShowOnce = state == Qt::Checked;
}

int ShowDlgMessageBox(const std::string& text, QMessageBox::Icon icon, int buttons, int defaultButton,
                      int escapeButton, TKvOptionTable* ot, const std::string& key, QWidget* parent) {
  const bool remembers = ot && !key.empty();
  std::string prefix;
  if (remembers) {
    prefix = AnswerPrefix(key);
    const int dontShow = ot->GetS<int>(prefix + kDontShow);
    const int choice = ot->GetS<int>(prefix + kChoice);
    // A stored answer that does not fit this box (several bits, not
    // rememberable, not among its buttons) is ignored: the user is asked.
    if (dontShow != 0 && choice != 0 && Is2Power(static_cast<unsigned int>(choice)) &&
        (choice & kRememberable) != 0 && (choice & buttons) != 0)
      return choice;
  }

  bool showOnce = false;
  QPointer<TKvQMessageBox> box = new TKvQMessageBox(parent, text, icon, buttons, defaultButton, escapeButton,
                                                    remembers, &showOnce);
  // An empty library icon leaves the application's own.
  if (!parent && !KvLoadQApplicationMainIcon().isNull())
    box->setWindowIcon(KvLoadQApplicationMainIcon());

  int result = box->exec();
  if (!box) {
    // Destroyed with its parent while open: count it as dismissed, and keep
    // nothing the user may not have meant.
    return escapeButton;
  }
  delete box.data();

  if (remembers && showOnce && (result & kRememberable) != 0 && Is2Power(static_cast<unsigned int>(result))) {
    ot->SetS<int>(prefix + kDontShow, 1);
    ot->SetS<int>(prefix + kChoice, result);
  }
  return result;
}

void KvQtInfoMessage(const std::string& text, TKvOptionTable* ot, const std::string& key, QWidget* parent) {
  ShowDlgMessageBox(text, QMessageBox::Information, QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Ok, ot, key,
                    parent);
}

bool KvQtInfoOKCancel(const std::string& text, QWidget* parent) {
  return ShowDlgMessageBox(text, QMessageBox::Information, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok,
                           QMessageBox::Cancel, nullptr, std::string(), parent) == QMessageBox::Ok;
}

bool KvQtQuestYesNo(const std::string& text, TKvOptionTable* ot, const std::string& key, QWidget* parent) {
  return ShowDlgMessageBox(text, QMessageBox::Question, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes,
                           QMessageBox::No, ot, key, parent) == QMessageBox::Yes;
}

int KvQtQuestYesNoCancel(const std::string& text, TKvOptionTable* ot, const std::string& key, QWidget* parent) {
  return ThreeWay(ShowDlgMessageBox(text, QMessageBox::Question,
                                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes,
                                    QMessageBox::Cancel, ot, key, parent));
}

bool KvQtAttentionYesNo(const std::string& text, TKvOptionTable* ot, const std::string& key, QWidget* parent) {
  return ShowDlgMessageBox(text, QMessageBox::Warning, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes,
                           QMessageBox::No, ot, key, parent) == QMessageBox::Yes;
}

bool KvQtAttentionOKCancel(const std::string& text, QWidget* parent) {
  return ShowDlgMessageBox(text, QMessageBox::Warning, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok,
                           QMessageBox::Cancel, nullptr, std::string(), parent) == QMessageBox::Ok;
}

int KvQtAttentionYesNoCancel(const std::string& text, TKvOptionTable* ot, const std::string& key,
                             QWidget* parent) {
  return ThreeWay(ShowDlgMessageBox(text, QMessageBox::Warning,
                                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes,
                                    QMessageBox::Cancel, ot, key, parent));
}

void KvQtWarningMessage(const std::string& text, TKvOptionTable* ot, const std::string& key, QWidget* parent) {
  ShowDlgMessageBox(text, QMessageBox::Warning, QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Ok, ot, key,
                    parent);
}

int KvQtWarningRetryIgnore(const std::string& text, QWidget* parent) {
  return ShowDlgMessageBox(text, QMessageBox::Warning, QMessageBox::Retry | QMessageBox::Ignore,
                           QMessageBox::Retry, QMessageBox::Ignore, nullptr, std::string(),
                           parent) == QMessageBox::Retry
             ? 4
             : 5;
}

int KvQtWarningAbortIgnore(const std::string& text, QWidget* parent) {
  return ShowDlgMessageBox(text, QMessageBox::Warning, QMessageBox::Abort | QMessageBox::Ignore,
                           QMessageBox::Ignore, QMessageBox::Abort, nullptr, std::string(),
                           parent) == QMessageBox::Abort
             ? 3
             : 5;
}

void KvQtErrorMessage(const std::string& text, QWidget* parent) {
  try {
    if (CanShowWidgets()) {
      ShowDlgMessageBox(text, QMessageBox::Critical, QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Ok, nullptr,
                        std::string(), parent);
      return;
    }
  } catch (...) {
  }
  KvQtErrorMessage_safe(text.c_str());
}

void KvQtErrorMessage_safe(const char* text) {
  KV_ASSERT(text != nullptr);
  std::string caption;
  if (QCoreApplication* app = KvQtAppHolder::KvGetApp())
    caption = QtToKvStr(app->applicationName());
  else
    caption = KvExtractFileNameOnly(TKvPath(KvGetExecutableFileName()));
  KvDisplaySysMsgDialog(caption, text, true);
}

void KvQtForgetAnswer(TKvOptionTable* ot, const std::string& key) {
  if (!ot || key.empty())
    return;
  const std::string prefix = AnswerPrefix(key);
  ot->Remove(prefix + kDontShow);
  ot->Remove(prefix + kChoice);
}

void KvQtForgetAllAnswers(TKvOptionTable* ot) {
  if (!ot)
    return;
  // A remembered answer is a "…/dont_show" entry with its "…/choice" sibling;
  // a lone "…/choice" may be the caller's own data and stays.
  const std::string marker = std::string("/") + kDontShow;
  for (const std::string& name : ot->Names()) {
    if (name.size() < marker.size() || name.compare(name.size() - marker.size(), marker.size(), marker) != 0)
      continue;
    const std::string prefix = name.substr(0, name.size() - (marker.size() - 1));
    ot->Remove(name);
    ot->Remove(prefix + kChoice);
  }
}
