#include "files/kvqtfilekinds_p.h"

#include <QFile>
#include <QHash>
#include <QStringView>

#include <dirent.h>
#include <fcntl.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

// Folders holding fewer of the paths are not worth a listing.
constexpr int kListingThreshold = 32;
// Listings kept between calls, and the most entries of a kept one (some
// megabytes of names).
constexpr size_t kKeptListings = 4;
constexpr size_t kKeptEntriesMax = 200000;

enum TKind : unsigned char { kUnsure, kFile, kFolder };

bool existingFile(const QByteArray& encoded) {
  struct stat st;
  return ::stat(encoded.constData(), &st) == 0 && !S_ISDIR(st.st_mode);
}

// What tells that a folder was replaced or changed.
struct TFolderStamp {
  dev_t dev = 0;
  ino_t ino = 0;
  timespec mtime{};
  timespec ctime{};

  bool read(const char* folder) {
    struct stat st;
    if (::stat(folder, &st) != 0 || !S_ISDIR(st.st_mode))
      return false;
    dev = st.st_dev;
    ino = st.st_ino;
    mtime = st.st_mtim;
    ctime = st.st_ctim;
    return true;
  }
  bool operator==(const TFolderStamp& o) const {
    return dev == o.dev && ino == o.ino && mtime.tv_sec == o.mtime.tv_sec && mtime.tv_nsec == o.mtime.tv_nsec &&
           ctime.tv_sec == o.ctime.tv_sec && ctime.tv_nsec == o.ctime.tv_nsec;
  }
};

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
  QByteArray FFolder;
  TFolderStamp FStamp;
  int FWatch = -1;

  bool read(const QByteArray& folder) {
    FFolder = folder;
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

  size_t entries() const { return FKinds.size(); }

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

// The listings kept between calls, newest first, and the inotify queue that
// says which of them went stale.
class TListingCache {
public:
  ~TListingCache() {
    if (FNotify >= 0)
      ::close(FNotify);
  }

  // A listing of `folder` that is still true, read now when none is kept;
  // null when the folder cannot be read.
  std::shared_ptr<const TListing> get(const QByteArray& folder) {
    dropStale();
    for (size_t i = 0; i < FKept.size(); ++i) {
      if (FKept[i]->FFolder != folder)
        continue;
      TFolderStamp now;
      if (now.read(folder.constData()) && now == FKept[i]->FStamp) {
        std::rotate(FKept.begin(), FKept.begin() + static_cast<std::ptrdiff_t>(i),
                    FKept.begin() + static_cast<std::ptrdiff_t>(i) + 1);
        return FKept.front();
      }
      drop(i);
      break;
    }
    auto listing = std::make_shared<TListing>();
    // The watch comes first: a change while the folder is read makes the
    // listing stale for the next call.
    if (notifyFd() >= 0)
      listing->FWatch = ::inotify_add_watch(FNotify, folder.constData(),
                                            IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE_SELF |
                                                IN_MOVE_SELF | IN_ONLYDIR);
    // The same folder under another spelling shares the watch: such a
    // listing is used once, so that dropping one does not blind the other.
    for (const auto& kept : FKept)
      if (listing->FWatch >= 0 && kept->FWatch == listing->FWatch)
        listing->FWatch = -1;
    const bool stamped = listing->FStamp.read(folder.constData());
    if (!listing->read(folder)) {
      unwatch(listing->FWatch);
      return nullptr;
    }
    if (listing->FWatch < 0 || !stamped || listing->entries() > kKeptEntriesMax) {
      unwatch(listing->FWatch);
      return listing; // used once
    }
    FKept.insert(FKept.begin(), listing);
    if (FKept.size() > kKeptListings)
      drop(FKept.size() - 1);
    return listing;
  }

private:
  int FNotify = -1;
  bool FNotifyTried = false;
  std::vector<std::shared_ptr<TListing>> FKept;

  int notifyFd() {
    if (!FNotifyTried) {
      FNotifyTried = true;
      FNotify = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    }
    return FNotify;
  }

  void unwatch(int watch) {
    if (watch >= 0 && FNotify >= 0)
      ::inotify_rm_watch(FNotify, watch);
  }

  void drop(size_t i) {
    unwatch(FKept[i]->FWatch);
    FKept.erase(FKept.begin() + static_cast<std::ptrdiff_t>(i));
  }

  // Forgets every listing whose folder reported a change.
  void dropStale() {
    if (FNotify < 0)
      return;
    alignas(inotify_event) char buffer[4096];
    for (;;) {
      const ssize_t got = ::read(FNotify, buffer, sizeof buffer);
      if (got <= 0)
        return;
      for (ssize_t at = 0; at + static_cast<ssize_t>(sizeof(inotify_event)) <= got;) {
        inotify_event ev;
        std::memcpy(&ev, buffer + at, sizeof ev);
        at += static_cast<ssize_t>(sizeof(inotify_event) + ev.len);
        if (ev.mask & IN_Q_OVERFLOW) {
          while (!FKept.empty())
            drop(FKept.size() - 1);
          continue;
        }
        for (size_t i = 0; i < FKept.size(); ++i) {
          if (FKept[i]->FWatch == ev.wd) {
            if (ev.mask & IN_IGNORED)
              FKept[i]->FWatch = -1; // already gone
            drop(i);
            break;
          }
        }
      }
    }
  }
};

TListingCache& listingCache() {
  static TListingCache cache;
  return cache;
}

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
    const std::shared_ptr<const TListing> listing = listingCache().get(QFile::encodeName(g.folder.toString()));
    if (!listing)
      continue;
    const int skip = g.folder.size() == 1 ? 1 : g.folder.size() + 1;
    for (const int i : g.members) {
      const quint32 hash = encodeInto(name, QStringView(paths.at(i)).mid(skip));
      const TKind kind = listing->kindOf(name.data(), static_cast<int>(name.size()), hash);
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
