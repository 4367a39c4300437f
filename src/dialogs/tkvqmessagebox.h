#pragma once
// Message boxes and yes/no questions: the library's one way of telling the
// user something or asking a question that has a fixed set of buttons.
//
// Each free function fixes the icon, the buttons, the default and the escape
// button and the meaning of its result. Functions that take an option table
// `ot` and a `key` can remember the answer: the box then offers a "show once"
// check box, and when the user ticks it and answers Ok, Yes or No, the answer
// is stored under P + "dont_show" (1) and P + "choice" (the button value),
// where P is the key with a trailing "/" added when it has none. The next call
// with the same table and key returns the remembered answer without showing
// anything, provided the answer is one of that call's buttons. With a null
// `ot` or an empty `key` nothing is read or written and no check box appears.
//
// All texts are UTF-8. `parent` is the owner window of the box (may be null);
// the caller keeps ownership of `ot`. Every function runs a modal event loop
// and must be called on the GUI thread. Exceptions from the option table or
// the toolkit propagate, except from KvQtErrorMessage (see there).

#include "kvqtcpnt_export.h"

#include <QMessageBox>

#include <string>

class QWidget;
class TKvOptionTable;

// Ok. The box is still shown when a remembered answer is not Ok.
KVQTCPNT_EXPORT void KvQtInfoMessage(const std::string& text, TKvOptionTable* ot = nullptr,
                                     const std::string& key = std::string(), QWidget* parent = nullptr);
// Ok / Cancel; true for Ok.
KVQTCPNT_EXPORT bool KvQtInfoOKCancel(const std::string& text, QWidget* parent = nullptr);
// Yes / No (Escape: No); true for Yes.
KVQTCPNT_EXPORT bool KvQtQuestYesNo(const std::string& text, TKvOptionTable* ot = nullptr,
                                    const std::string& key = std::string(), QWidget* parent = nullptr);
// Yes / No / Cancel (Escape: Cancel); 6 Yes, 7 No, 2 anything else.
KVQTCPNT_EXPORT int KvQtQuestYesNoCancel(const std::string& text, TKvOptionTable* ot = nullptr,
                                         const std::string& key = std::string(), QWidget* parent = nullptr);
// Warning icon, Yes / No (Escape: No); true for Yes.
KVQTCPNT_EXPORT bool KvQtAttentionYesNo(const std::string& text, TKvOptionTable* ot = nullptr,
                                        const std::string& key = std::string(), QWidget* parent = nullptr);
// Warning icon, Ok / Cancel; true for Ok.
KVQTCPNT_EXPORT bool KvQtAttentionOKCancel(const std::string& text, QWidget* parent = nullptr);
// Warning icon, Yes / No / Cancel; 6 Yes, 7 No, 2 anything else.
KVQTCPNT_EXPORT int KvQtAttentionYesNoCancel(const std::string& text, TKvOptionTable* ot = nullptr,
                                             const std::string& key = std::string(), QWidget* parent = nullptr);
// Warning icon, Ok.
KVQTCPNT_EXPORT void KvQtWarningMessage(const std::string& text, TKvOptionTable* ot = nullptr,
                                        const std::string& key = std::string(), QWidget* parent = nullptr);
// Retry (default) / Ignore (Escape); 4 Retry, 5 anything else.
KVQTCPNT_EXPORT int KvQtWarningRetryIgnore(const std::string& text, QWidget* parent = nullptr);
// Abort / Ignore: Ignore is the default and Escape means Abort; 3 Abort,
// 5 anything else.
KVQTCPNT_EXPORT int KvQtWarningAbortIgnore(const std::string& text, QWidget* parent = nullptr);
// Critical icon, Ok. Never lets a failure of the box escape: when showing it
// throws, the text goes to KvQtErrorMessage_safe instead; only a failure of
// that fallback reaches the caller. Where no widget can be made at all (no
// QApplication, or a thread other than the GUI thread, where the toolkit would
// abort the process) it goes to the fallback straight away.
KVQTCPNT_EXPORT void KvQtErrorMessage(const std::string& text, QWidget* parent = nullptr);
// Shows the text without any Qt widget (terminal, and the desktop's plain
// message program when a display is reachable). Works without a Qt
// application object, e.g. during start-up or shutdown. `text` must not be
// null.
KVQTCPNT_EXPORT void KvQtErrorMessage_safe(const char* text);

// Brings a remembered question back: removes the two entries stored for `key`
// (with or without its trailing "/"), so the next call with that key shows the
// box again. Does nothing for a null table or an empty key.
KVQTCPNT_EXPORT void KvQtForgetAnswer(TKvOptionTable* ot, const std::string& key);
// Removes every remembered answer of the table (every entry whose name ends in
// "/dont_show" or "/choice"); other entries stay. Does nothing for null.
KVQTCPNT_EXPORT void KvQtForgetAllAnswers(TKvOptionTable* ot);

// The routine behind every function above: the StandardButton value of the
// answer (or of the remembered answer, when one fits `buttons`). Closing the
// box or pressing Escape gives `escapeButton`.
KVQTCPNT_AUTOTEST_EXPORT int ShowDlgMessageBox(const std::string& text, QMessageBox::Icon icon, int buttons,
                                               int defaultButton, int escapeButton, TKvOptionTable* ot,
                                               const std::string& key, QWidget* parent);

// A QMessageBox whose caption follows the icon (the suite's message
// catalogue), whose buttons carry the module's resource texts for the common
// button sets, and which can offer a "show once" check box writing into the
// caller's flag. The check box sits in the toolkit's own check-box place below
// the text. A resource key missing from the language files keeps the
// toolkit's button text (and an English check-box label) instead of a blank.
// Created and deleted by ShowDlgMessageBox.
class KVQTCPNT_AUTOTEST_EXPORT TKvQMessageBox : public QMessageBox {
public:
  // `pShowOnce` is the caller's flag (it must outlive the box); used only
  // when `showCheck` is true.
  TKvQMessageBox(QWidget* parent, std::string text, QMessageBox::Icon icon, int buttons, int defaultButton,
                 int escapeButton, bool showCheck, bool* pShowOnce);
  ~TKvQMessageBox() override;

  void slotCheckShowOnceChanged(int state);

private:
  bool* FShowOnce = nullptr;
};
