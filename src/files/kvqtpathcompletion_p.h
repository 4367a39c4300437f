#pragma once
// Path completion shared by the path edits.

class QAbstractItemModel;
class QLineEdit;

// Gives `edit` a completer over the file system (folders only with
// `foldersOnly`). The file-system models behind the completers are created
// once per kind, on first use, as children of the application object: each
// one runs a worker thread, so forms with many edits share them. Without an
// application object the edit gets no completer.
void KvQtSetPathCompleter(QLineEdit* edit, bool foldersOnly);
