#pragma once
// Deleting an in-place editor from a factory: its signals are blocked and the
// focus leaves it first, so that no child of a composite editor (the line
// edit of a path field) reports losing the focus to a half-destroyed parent.

#include <QApplication>
#include <QWidget>

inline void KvQtReleaseEditor(QWidget* editor) {
  editor->blockSignals(true);
  QWidget* focus = QApplication::focusWidget();
  if (focus && (focus == editor || editor->isAncestorOf(focus)))
    focus->clearFocus();
  delete editor;
}
