#pragma once
// Which of many paths are existing files (not folders), for drops of
// thousands of files: a folder that holds many of the paths is read once
// (one directory listing instead of one status call per file), the rest are
// looked at one by one. Links are followed.

#include <QStringList>
#include <QVector>

QVector<bool> KvQtExistingFiles(const QStringList& paths);
