#include "kvsuite/kvstrings.h"

#include <cerrno>
#include <csignal>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

const char* const kBlanks = " \t\r\n\v\f";

// The file-name part after the last "/".
size_t NameStart(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? 0 : slash + 1;
}

// Position of the extension's dot in the file-name part, npos without one.
// A leading dot (".profile") names a hidden file, not an extension.
size_t ExtDot(const std::string& path) {
  const size_t start = NameStart(path);
  const size_t dot = path.rfind('.');
  if (dot == std::string::npos || dot <= start)
    return std::string::npos;
  return dot;
}

bool StatMode(const std::string& path, mode_t& mode) {
  struct stat st;
  if (path.empty() || ::stat(path.c_str(), &st) != 0)
    return false;
  mode = st.st_mode;
  return true;
}

// The full path of a program found in PATH, empty when there is none.
std::string FindInPath(const char* program) {
  const char* path = std::getenv("PATH");
  if (!path)
    return std::string();
  for (const std::string& dir : KvSplitString(path, ":")) {
    const std::string candidate = KvIncludeTrailing(dir.empty() ? "." : dir, '/') + program;
    mode_t mode;
    if (StatMode(candidate, mode) && S_ISREG(mode) && ::access(candidate.c_str(), X_OK) == 0)
      return candidate;
  }
  return std::string();
}

// Runs xmessage with the text on its standard input and waits until it is
// closed. The text goes through a socket written with MSG_NOSIGNAL, so a
// program that exits without reading cannot kill us with SIGPIPE.
void RunMessageProgram(const std::string& program, const std::string& caption, const std::string& text) {
  int fds[2];
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds) != 0)
    return;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], STDIN_FILENO);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  std::string title = caption.empty() ? std::string("Message") : caption;
  const char* argv[] = {"xmessage", "-center", "-buttons", "OK:0", "-default", "OK",
                        "-title",   title.c_str(), "-file", "-", nullptr};
  pid_t pid = -1;
  const int rc = posix_spawn(&pid, program.c_str(), &actions, nullptr, const_cast<char* const*>(argv), environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(fds[1]);
  if (rc == 0) {
    size_t done = 0;
    while (done < text.size()) {
      const ssize_t n = ::send(fds[0], text.data() + done, text.size() - done, MSG_NOSIGNAL);
      if (n < 0 && errno == EINTR)
        continue;
      if (n <= 0)
        break;
      done += static_cast<size_t>(n);
    }
  }
  ::close(fds[0]);
  if (rc == 0) {
    int status;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
  }
}

} // namespace

// Paths ---------------------------------------------------------------------

TKvPath TKvPath::operator/(const std::string& name) const {
  size_t skip = 0;
  while (skip < name.size() && name[skip] == '/')
    ++skip;
  if (FPath.empty())
    return TKvPath(name);
  return TKvPath(KvIncludeTrailing(FPath, '/') + name.substr(skip));
}

std::string KvExtractFilePath(const std::string& path) { return path.substr(0, NameStart(path)); }
std::string KvExtractFilePath(const TKvPath& path) { return KvExtractFilePath(path.str()); }

std::string KvExtractFileExt(const std::string& path) {
  const size_t dot = ExtDot(path);
  return dot == std::string::npos ? std::string() : path.substr(dot);
}

std::string KvExtractFileNameOnly(const std::string& path) {
  const size_t start = NameStart(path);
  const size_t dot = ExtDot(path);
  return path.substr(start, dot == std::string::npos ? std::string::npos : dot - start);
}

std::string KvExtractFileNameOnly(const TKvPath& path) { return KvExtractFileNameOnly(path.str()); }

std::string KvExtractFileName(const std::string& path) { return path.substr(NameStart(path)); }

bool KvFileExists(const std::string& path) {
  mode_t mode;
  return StatMode(path, mode) && !S_ISDIR(mode);
}

bool KvDirectoryExists(const std::string& path) {
  mode_t mode;
  return StatMode(path, mode) && S_ISDIR(mode);
}

std::string KvGetExecutableFileName() {
  std::string buf(256, '\0');
  for (;;) {
    const ssize_t n = ::readlink("/proc/self/exe", &buf[0], buf.size());
    if (n < 0)
      return std::string();
    if (static_cast<size_t>(n) < buf.size()) {
      buf.resize(static_cast<size_t>(n));
      return buf;
    }
    buf.resize(buf.size() * 2);
  }
}

std::string KvIncludeTrailing(const std::string& text, char ch) {
  if (!text.empty() && text.back() == ch)
    return text;
  return text + ch;
}

std::string KvExcludeTrailing(const std::string& text, char ch) {
  if (!text.empty() && text.back() == ch)
    return text.substr(0, text.size() - 1);
  return text;
}

// Strings -------------------------------------------------------------------

std::string trim(const std::string& text) {
  const size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string::npos)
    return std::string();
  const size_t last = text.find_last_not_of(kBlanks);
  return text.substr(first, last - first + 1);
}

std::vector<std::string> parse_strings(const std::string& text, char separator, bool keepEmpty) {
  std::vector<std::string> items;
  if (trim(text).empty())
    return items; // an empty list, not a list of one empty item
  const char sep = separator ? separator : ';';
  size_t start = 0;
  for (;;) {
    const size_t end = text.find(sep, start);
    std::string item = trim(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (keepEmpty || !item.empty())
      items.push_back(std::move(item));
    if (end == std::string::npos)
      break;
    start = end + 1;
  }
  return items;
}

std::vector<std::string> KvSplitString(const std::string& text, const std::string& separator) {
  std::vector<std::string> parts;
  if (separator.empty()) {
    parts.push_back(text);
    return parts;
  }
  size_t start = 0;
  for (;;) {
    const size_t end = text.find(separator, start);
    if (end == std::string::npos) {
      parts.push_back(text.substr(start));
      return parts;
    }
    parts.push_back(text.substr(start, end - start));
    start = end + separator.size();
  }
}

std::string KvMergeStrings(const std::vector<std::string>& parts, const std::string& separator) {
  std::string out;
  for (size_t i = 0; i < parts.size(); ++i) {
    if (i)
      out += separator;
    out += parts[i];
  }
  return out;
}

bool Is2Power(unsigned long long v) { return v != 0 && (v & (v - 1)) == 0; }

namespace Quorvant {

std::string ssprintf(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  char small[256];
  const int n = std::vsnprintf(small, sizeof small, format, args);
  va_end(args);
  std::string out;
  if (n < 0) {
    va_end(copy);
    return out;
  }
  if (static_cast<size_t>(n) < sizeof small) {
    out.assign(small, static_cast<size_t>(n));
  } else {
    out.resize(static_cast<size_t>(n) + 1);
    std::vsnprintf(&out[0], out.size(), format, copy);
    out.resize(static_cast<size_t>(n));
  }
  va_end(copy);
  return out;
}

} // namespace Quorvant

// Fallbacks -----------------------------------------------------------------

void KvDisplaySysMsgDialog(const std::string& caption, const std::string& text, bool modal) {
  const std::string line = (caption.empty() ? std::string() : caption + ": ") + text + "\n";
  std::fwrite(line.data(), 1, line.size(), stderr);
  std::fflush(stderr);
  if (!modal)
    return;
  const char* display = std::getenv("DISPLAY");
  if (!display || !*display)
    return;
  const std::string program = FindInPath("xmessage");
  if (!program.empty())
    RunMessageProgram(program, caption, text);
}

void KvDebugBreak() {
  // A debugger shows as a non-zero TracerPid; without one SIGTRAP would
  // kill the process.
  FILE* f = std::fopen("/proc/self/status", "re");
  if (!f)
    return;
  char line[256];
  long tracer = 0;
  while (std::fgets(line, sizeof line, f)) {
    if (std::strncmp(line, "TracerPid:", 10) == 0) {
      tracer = std::strtol(line + 10, nullptr, 10);
      break;
    }
  }
  std::fclose(f);
  if (tracer != 0)
    std::raise(SIGTRAP);
}
