#pragma once
// An option table that remembers the answers of its own message boxes: each
// member is the free message function of the same name with the table itself
// as `ot`, so a dialog can keep its "do not ask again" answers in one object.
// Forget them again with KvQtForgetAnswer / KvQtForgetAllAnswers.

#include "kvqtcpnt_export.h"

#include "kvsuite/kvconfig.h"

#include <string>

class QWidget;

class KVQTCPNT_EXPORT TKvQMessageBoxSaver : public TKvOptionTable {
public:
  TKvQMessageBoxSaver();
  ~TKvQMessageBoxSaver() override;

  void KvInfoMessage(const std::string& text, const std::string& key, QWidget* parent = nullptr);
  bool KvQuestYesNo(const std::string& text, const std::string& key, QWidget* parent = nullptr);
  // 6 Yes, 7 No, 2 anything else.
  int KvQuestYesNoCancel(const std::string& text, const std::string& key, QWidget* parent = nullptr);
  bool KvAttentionYesNo(const std::string& text, const std::string& key, QWidget* parent = nullptr);
  // 6 Yes, 7 No, 2 anything else.
  int KvAttentionYesNoCancel(const std::string& text, const std::string& key, QWidget* parent = nullptr);
  void KvWarningMessage(const std::string& text, const std::string& key, QWidget* parent = nullptr);
};
