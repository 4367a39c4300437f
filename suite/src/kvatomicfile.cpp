// Whole-file reads and crash-safe replacement of settings files.

#include "kvconfig_p.h"

#include "kvsuite/kvmessage.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kvcfg {

namespace {

class TFd {
public:
  explicit TFd(int fd = -1) : FFd(fd) {}
  ~TFd() { reset(); }
  TFd(const TFd&) = delete;
  TFd& operator=(const TFd&) = delete;
  int get() const { return FFd; }
  void reset(int fd = -1)
  {
    if (FFd >= 0) ::close(FFd);
    FFd = fd;
  }
  // Closes now and reports the result: close() is where some file systems
  // report a failed write.
  bool close()
  {
    const int fd = FFd;
    FFd = -1;
    return fd < 0 || ::close(fd) == 0;
  }

private:
  int FFd;
};

[[noreturn]] void ThrowFileError(const std::string& fileName, int error)
{
  TKvMessage msg(SuiteText("KvConfig", "Err_SaveFile_file_reason",
                           "The settings file \"%1%\" could not be saved: %2%."));
  msg << fileName << std::string(std::strerror(error));
  throw msg;
}

bool WriteAll(int fd, const std::string& data)
{
  const char* p = data.data();
  size_t left = data.size();
  while (left > 0) {
    const ssize_t n = ::write(fd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    p += n;
    left -= static_cast<size_t>(n);
  }
  return true;
}

// Creates the folder and its missing parents (private to the user, as the
// desktop's settings folders are).
bool MakePath(const std::string& dir)
{
  if (dir.empty()) return true;
  struct stat st;
  if (::stat(dir.c_str(), &st) == 0) {
    if (S_ISDIR(st.st_mode)) return true;
    errno = ENOTDIR;
    return false;
  }
  const size_t slash = dir.find_last_of('/');
  if (slash != std::string::npos && slash > 0 && !MakePath(dir.substr(0, slash))) return false;
  return ::mkdir(dir.c_str(), 0700) == 0 || errno == EEXIST;
}

// The file a save really replaces: the target of a symbolic link, so that a
// settings file kept elsewhere and linked here stays where it is.
std::string ResolveTarget(const std::string& fileName)
{
  struct stat st;
  if (::lstat(fileName.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
    if (char* real = ::realpath(fileName.c_str(), nullptr)) {
      std::string r(real);
      std::free(real);
      return r;
    }
  }
  return fileName;
}

} // namespace

bool ReadWholeFile(const std::string& fileName, std::string& content, int* error)
{
  TFd fd(::open(fileName.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) {
    if (error) *error = errno;
    return false;
  }
  std::string data;
  char buf[16384];
  for (;;) {
    const ssize_t n = ::read(fd.get(), buf, sizeof buf);
    if (n < 0) {
      if (errno == EINTR) continue;
      if (error) *error = errno;
      return false;
    }
    if (n == 0) break;
    data.append(buf, static_cast<size_t>(n));
  }
  content.swap(data);
  return true;
}

void UpdateFileAtomically(const std::string& fileName,
                          const std::function<std::string(const std::string* current)>& update)
{
  if (fileName.empty()) ThrowFileError(fileName, ENOENT);
  const std::string target = ResolveTarget(fileName);
  const size_t slash = target.find_last_of('/');
  const std::string dir = slash == std::string::npos ? std::string(".")
                          : slash == 0                ? std::string("/")
                                                      : target.substr(0, slash);
  const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
  if (base.empty()) ThrowFileError(fileName, EISDIR);

  if (!MakePath(dir)) ThrowFileError(fileName, errno);
  TFd dirFd(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dirFd.get() < 0) ThrowFileError(fileName, errno);
  // Serialises savers of every file in this folder across processes; the lock
  // dies with the descriptor, also when the process is killed.
  while (::flock(dirFd.get(), LOCK_EX) != 0) {
    if (errno == EINTR) continue;
    if (errno == ENOLCK || errno == EOPNOTSUPP) break; // no locking here: save anyway
    ThrowFileError(fileName, errno);
  }

  std::string current;
  int readError = 0;
  const bool exists = ReadWholeFile(target, current, &readError);
  if (!exists && readError != ENOENT) ThrowFileError(fileName, readError);
  const std::string content = update(exists ? &current : nullptr);

  // A replaced file keeps its permissions; a new one gets the usual ones.
  struct stat st;
  const bool keepMode = exists && ::stat(target.c_str(), &st) == 0;

  const std::string tmp = (dir == "/" ? std::string() : dir) + "/." + base + ".tmp";
  TFd fd(::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0666));
  if (fd.get() < 0) ThrowFileError(fileName, errno);
  int err = 0;
  if ((keepMode && ::fchmod(fd.get(), st.st_mode & 07777) != 0) || !WriteAll(fd.get(), content) ||
      ::fsync(fd.get()) != 0)
    err = errno;
  if (!fd.close() && err == 0) err = errno;
  if (err == 0 && ::rename(tmp.c_str(), target.c_str()) != 0) err = errno;
  if (err != 0) {
    ::unlink(tmp.c_str());
    ThrowFileError(fileName, err);
  }
  // The rename is durable only once the folder is on disk too.
  ::fsync(dirFd.get());
}

void WriteFileAtomically(const std::string& fileName, const std::string& content)
{
  UpdateFileAtomically(fileName, [&content](const std::string*) { return content; });
}

} // namespace kvcfg
