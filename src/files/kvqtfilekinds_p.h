#pragma once
// Which of many paths are existing files (not folders), for drops of
// thousands of files.
//
// A folder that holds many of the paths is listed once (one directory read
// instead of one status call per file), and its listing is kept for the next
// calls: drops from a big folder usually come again from the same folder.
// A kept listing is used only while an inotify watch, set before the folder
// was read, has reported no entry made, removed or renamed in it, and the
// folder's own status (device, inode, modification and change times) is
// unchanged; the second check covers network folders, whose remote changes
// inotify does not see. A few folders of up to 200,000 entries are kept,
// the least recently used one goes first. Links, entries of unknown kind and
// folders holding few of the paths are looked at one by one. Links are
// followed.
//
// GUI thread only (the kept listings are not locked).

#include <QStringList>
#include <QVector>

QVector<bool> KvQtExistingFiles(const QStringList& paths);
