#include "dialogs/tkvqmessageboxsaver.h"

#include "dialogs/tkvqmessagebox.h"

TKvQMessageBoxSaver::TKvQMessageBoxSaver() = default;
TKvQMessageBoxSaver::~TKvQMessageBoxSaver() = default;

void TKvQMessageBoxSaver::KvInfoMessage(const std::string& text, const std::string& key, QWidget* parent) {
  KvQtInfoMessage(text, this, key, parent);
}

bool TKvQMessageBoxSaver::KvQuestYesNo(const std::string& text, const std::string& key, QWidget* parent) {
  return KvQtQuestYesNo(text, this, key, parent);
}

int TKvQMessageBoxSaver::KvQuestYesNoCancel(const std::string& text, const std::string& key, QWidget* parent) {
  return KvQtQuestYesNoCancel(text, this, key, parent);
}

bool TKvQMessageBoxSaver::KvAttentionYesNo(const std::string& text, const std::string& key, QWidget* parent) {
  return KvQtAttentionYesNo(text, this, key, parent);
}

int TKvQMessageBoxSaver::KvAttentionYesNoCancel(const std::string& text, const std::string& key,
                                                QWidget* parent) {
  return KvQtAttentionYesNoCancel(text, this, key, parent);
}

void TKvQMessageBoxSaver::KvWarningMessage(const std::string& text, const std::string& key, QWidget* parent) {
  KvQtWarningMessage(text, this, key, parent);
}
