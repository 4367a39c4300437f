#include "files/kvqtfilekinds_p.h"

#include <QFile>
#include <QHash>

#include <dirent.h>
#include <sys/stat.h>

namespace {

// Folders holding fewer of the paths are not worth a listing.
constexpr int kListingThreshold = 32;

bool existingFile(const QByteArray& encoded) {
  struct stat st;
  return ::stat(encoded.constData(), &st) == 0 && !S_ISDIR(st.st_mode);
}

} // namespace

QVector<bool> KvQtExistingFiles(const QStringList& paths) {
  QVector<bool> result(paths.size(), false);
  QVector<bool> decided(paths.size(), false);
  // Paths by folder, as encoded bytes (folder -> name -> index).
  QHash<QByteArray, QHash<QByteArray, int>> byFolder;
  QVector<QByteArray> encoded(paths.size());
  for (int i = 0; i < paths.size(); ++i) {
    encoded[i] = QFile::encodeName(paths.at(i));
    const int slash = encoded[i].lastIndexOf('/');
    if (slash < 0 || slash + 1 == encoded[i].size())
      continue;
    byFolder[encoded[i].left(slash == 0 ? 1 : slash)].insert(encoded[i].mid(slash + 1), i);
  }
  for (auto it = byFolder.cbegin(); it != byFolder.cend(); ++it) {
    if (it.value().size() < kListingThreshold)
      continue;
    DIR* dir = ::opendir(it.key().constData());
    if (!dir)
      continue;
    while (const dirent* e = ::readdir(dir)) {
      const auto found = it.value().constFind(QByteArray::fromRawData(e->d_name, int(qstrlen(e->d_name))));
      if (found == it.value().cend())
        continue;
      const int i = found.value();
      if (e->d_type == DT_REG) {
        result[i] = true;
        decided[i] = true;
      } else if (e->d_type == DT_DIR) {
        decided[i] = true;
      }
      // Links and unknown kinds are looked at below.
    }
    ::closedir(dir);
  }
  for (int i = 0; i < paths.size(); ++i)
    if (!decided[i])
      result[i] = existingFile(encoded[i]);
  return result;
}
