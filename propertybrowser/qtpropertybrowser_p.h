#pragma once
// Helpers shared by the browser library's own sources (not installed).

class QWidget;

// Deletes an editor without letting it tell anybody: its signals are blocked
// and the focus leaves it first, so that no child (a line edit inside a
// composite editor) reports losing the focus to a half-destroyed parent.
void QtReleaseEditor(QWidget* editor);
