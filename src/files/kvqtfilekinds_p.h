#pragma once
// Which of many paths are existing files (not folders), for drops of
// thousands of files.
//
// A folder that holds many of the paths is listed once (one directory read
// instead of one status call per file). Links, entries of unknown kind and
// folders holding few of the paths are looked at one by one. Links are
// followed. Safe to call from any thread: nothing is kept between calls.

#include <QStringList>
#include <QVector>

QVector<bool> KvQtExistingFiles(const QStringList& paths);
