#include "files/kvqtfilekinds_p.h"

#include <QFile>
#include <QHash>
#include <QStringView>

#include <dirent.h>
#include <sys/stat.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// Folders holding fewer of the paths are not worth a listing.
constexpr int kListingThreshold = 32;

enum TKind : unsigned char { kUnsure, kFile, kFolder };

bool existingFile(const QByteArray& encoded) {
  struct stat st;
  return ::stat(encoded.constData(), &st) == 0 && !S_ISDIR(st.st_mode);
}

constexpr quint32 kHashStart = 2166136261u; // FNV-1a
inline quint32 hashStep(quint32 h, unsigned char c) { return (h ^ c) * 16777619u; }

quint32 nameHash(const char* s, int n) {
  quint32 h = kHashStart;
  for (int i = 0; i < n; ++i)
    h = hashStep(h, static_cast<unsigned char>(s[i]));
  return h;
}

// The entries of one folder with their kinds, read once; a flat table, as
// folders of a drop this big hold thousands of entries.
class TListing {
public:
  bool read(const QByteArray& folder) {
    DIR* dir = ::opendir(folder.constData());
    if (!dir)
      return false;
    while (const dirent* e = ::readdir(dir)) {
      const int len = static_cast<int>(std::strlen(e->d_name));
      FStarts.push_back(FNames.size());
      FNames.append(e->d_name, len + 1);
      FKinds.push_back(e->d_type == DT_REG ? kFile : e->d_type == DT_DIR ? kFolder : kUnsure);
    }
    ::closedir(dir);
    FStarts.push_back(FNames.size());
    index();
    return true;
  }

  // The kind of the entry `name` (of hash `hash`), kUnsure when it is not
  // listed.
  TKind kindOf(const char* name, int len, quint32 hash) const {
    if (FSlots.empty())
      return kUnsure;
    for (quint32 i = hash & FMask;; i = (i + 1) & FMask) {
      const int e = FSlots[i];
      if (e < 0)
        return kUnsure;
      const int start = FStarts[static_cast<size_t>(e)];
      if (FStarts[static_cast<size_t>(e) + 1] - start - 1 == len &&
          std::memcmp(FNames.constData() + start, name, static_cast<size_t>(len)) == 0)
        return static_cast<TKind>(FKinds[static_cast<size_t>(e)]);
    }
  }

private:
  QByteArray FNames; // every name followed by its '\0'
  std::vector<int> FStarts;
  std::vector<unsigned char> FKinds;
  std::vector<int> FSlots; // open addressing, -1 for free
  quint32 FMask = 0;

  void index() {
    const size_t count = FKinds.size();
    size_t size = 16;
    while (size < 2 * count)
      size *= 2;
    FSlots.assign(size, -1);
    FMask = static_cast<quint32>(size - 1);
    for (size_t e = 0; e < count; ++e) {
      const int start = FStarts[e];
      quint32 i = nameHash(FNames.constData() + start, FStarts[e + 1] - start - 1) & FMask;
      while (FSlots[i] >= 0)
        i = (i + 1) & FMask;
      FSlots[i] = static_cast<int>(e);
    }
  }
};

// `name` in its file-system form (plain ASCII as it is, anything else
// through the locale's encoding); returns its hash.
quint32 encodeInto(std::string& out, QStringView name) {
  out.resize(static_cast<size_t>(name.size()));
  char* p = &out[0];
  quint32 h = kHashStart;
  for (const QChar c : name) {
    const ushort u = c.unicode();
    if (u >= 0x80 || u == 0) {
      out = QFile::encodeName(name.toString()).toStdString();
      return nameHash(out.data(), static_cast<int>(out.size()));
    }
    *p++ = static_cast<char>(u);
    h = hashStep(h, static_cast<unsigned char>(u));
  }
  return h;
}

} // namespace

QVector<bool> KvQtExistingFiles(const QStringList& paths) {
  QVector<bool> result(paths.size(), false);
  QVector<bool> decided(paths.size(), false);

  // The paths by folder; a drop mostly comes from one folder, so the last
  // folder is compared before the hash is asked.
  struct TGroup {
    QStringView folder;
    std::vector<int> members;
  };
  std::vector<TGroup> groups;
  QHash<QStringView, int> groupOf;
  int last = -1;
  for (int i = 0; i < paths.size(); ++i) {
    const QString& path = paths.at(i);
    const QChar* chars = path.constData();
    int slash = path.size() - 1;
    while (slash >= 0 && chars[slash] != QLatin1Char('/'))
      --slash;
    if (slash < 0 || slash + 1 == path.size())
      continue;
    const QStringView folder(chars, slash == 0 ? 1 : slash);
    const auto sameFolder = [&folder](QStringView other) {
      return other.size() == folder.size() &&
             std::memcmp(other.data(), folder.data(), sizeof(QChar) * static_cast<size_t>(folder.size())) == 0;
    };
    if (last < 0 || !sameFolder(groups[static_cast<size_t>(last)].folder)) {
      const auto found = groupOf.constFind(folder);
      if (found != groupOf.cend()) {
        last = found.value();
      } else {
        last = static_cast<int>(groups.size());
        groups.push_back(TGroup{folder, {}});
        groupOf.insert(folder, last);
      }
    }
    groups[static_cast<size_t>(last)].members.push_back(i);
  }

  std::string name;
  for (const TGroup& g : groups) {
    if (static_cast<int>(g.members.size()) < kListingThreshold)
      continue;
    TListing listing;
    if (!listing.read(QFile::encodeName(g.folder.toString())))
      continue;
    const int skip = g.folder.size() == 1 ? 1 : g.folder.size() + 1;
    for (const int i : g.members) {
      const quint32 hash = encodeInto(name, QStringView(paths.at(i)).mid(skip));
      const TKind kind = listing.kindOf(name.data(), static_cast<int>(name.size()), hash);
      if (kind != kUnsure) {
        result[i] = kind == kFile;
        decided[i] = true;
      }
    }
  }

  for (int i = 0; i < paths.size(); ++i)
    if (!decided[i])
      result[i] = existingFile(QFile::encodeName(paths.at(i)));
  return result;
}
