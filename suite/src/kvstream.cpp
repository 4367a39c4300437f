#include "kvsuite/kvstream.h"

#include "kvsuite/kvmessage.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr uint64_t kInvalid64 = static_cast<uint64_t>(-1);

// A transfer that moved fewer bytes than asked: the message names the stream
// when it has a name.
[[noreturn]] void ThrowShortTransfer(const TKvStream& stream, bool reading, unsigned long done,
                                     unsigned long size) {
  const std::string name = stream.InfoName();
  const char* verb = reading ? "read" : "written";
  if (name.empty())
    throw TKvMessage("@Stream error: only %1% of %2% bytes could be %3%.") << done << size << verb;
  throw TKvMessage("@Stream error in \"%1%\": only %2% of %3% bytes could be %4%.")
      << name << done << size << verb;
}

} // namespace

// TKvStream -----------------------------------------------------------------

TKvStream::~TKvStream() = default;
unsigned long TKvStream::getPosition() { return invalid_value; }
unsigned long TKvStream::Read(void*, unsigned long) { return invalid_value; }
unsigned long TKvStream::Write(const void*, unsigned long) { return invalid_value; }
unsigned long TKvStream::getSize() { return invalid_value; }
bool TKvStream::setSize(unsigned long) { return false; }
bool TKvStream::setPosition(unsigned long) { return false; }
bool TKvStream::Flush() { return true; }
TKvStream::operator bool() { return true; }

uint64_t TKvStream::getSize64() {
  const unsigned long size = getSize();
  return size == invalid_value ? kInvalid64 : size;
}

bool TKvStream::setSize64(uint64_t size) {
  return size < invalid_value && setSize(static_cast<unsigned long>(size));
}

uint64_t TKvStream::getPosition64() {
  const unsigned long pos = getPosition();
  return pos == invalid_value ? kInvalid64 : pos;
}

bool TKvStream::setPosition64(uint64_t pos) {
  return pos < invalid_value && setPosition(static_cast<unsigned long>(pos));
}

bool TKvStream::Close() { return Flush(); }

bool TKvStream::eof() {
  const uint64_t pos = getPosition64();
  const uint64_t size = getSize64();
  if (pos == kInvalid64 || size == kInvalid64)
    return true; // nothing can be read from a stream that cannot tell
  return pos >= size;
}

bool TKvStream::getLine(std::string& line) {
  line.clear();
  bool any = false;
  const uint64_t start = getPosition64();
  if (start != kInvalid64) {
    // Positionable: read ahead in blocks and step back behind the line feed.
    uint64_t pos = start;
    char buf[512];
    for (;;) {
      const unsigned long n = Read(buf, sizeof buf);
      if (n == 0 || n == invalid_value)
        break;
      any = true;
      const char* lf = static_cast<const char*>(std::memchr(buf, '\n', n));
      if (lf) {
        line.append(buf, static_cast<size_t>(lf - buf));
        pos += static_cast<uint64_t>(lf - buf) + 1;
        if (static_cast<unsigned long>(lf - buf) + 1 < n)
          setPosition64(pos);
        break;
      }
      line.append(buf, n);
      pos += n;
    }
  } else {
    char c;
    for (;;) {
      const unsigned long n = Read(&c, 1);
      if (n != 1)
        break;
      any = true;
      if (c == '\n')
        break;
      line += c;
    }
  }
  if (!line.empty() && line.back() == '\r')
    line.pop_back();
  return any;
}

bool TKvStream::ReadAll(void* data, unsigned long size) {
  unsigned long done = 0;
  while (done < size) {
    const unsigned long n = Read(static_cast<char*>(data) + done, size - done);
    if (n == 0 || n == invalid_value || n > size - done)
      return false;
    done += n;
  }
  return true;
}

bool TKvStream::WriteAll(const void* data, unsigned long size) {
  unsigned long done = 0;
  while (done < size) {
    const unsigned long n = Write(static_cast<const char*>(data) + done, size - done);
    if (n == 0 || n == invalid_value || n > size - done)
      return false;
    done += n;
  }
  return true;
}

void TKvStream::ReadAllE(void* data, unsigned long size) {
  unsigned long done = 0;
  while (done < size) {
    const unsigned long n = Read(static_cast<char*>(data) + done, size - done);
    if (n == 0 || n == invalid_value || n > size - done)
      ThrowShortTransfer(*this, true, done, size);
    done += n;
  }
}

void TKvStream::WriteAllE(const void* data, unsigned long size) {
  unsigned long done = 0;
  while (done < size) {
    const unsigned long n = Write(static_cast<const char*>(data) + done, size - done);
    if (n == 0 || n == invalid_value || n > size - done)
      ThrowShortTransfer(*this, false, done, size);
    done += n;
  }
}

bool TKvStream::WriteStr(const std::string& text) { return WriteAll(text.data(), text.size()); }

std::string TKvStream::InfoName() const { return std::string(); }

// TKvStringStream -----------------------------------------------------------

TKvStringStream::TKvStringStream(std::string initial) : FData(std::move(initial)) {}

unsigned long TKvStringStream::getPosition() { return static_cast<unsigned long>(FPos); }

unsigned long TKvStringStream::Read(void* data, unsigned long size) {
  if (FPos >= FData.size() || size == 0)
    return 0;
  const uint64_t n = std::min<uint64_t>(size, FData.size() - FPos);
  std::memcpy(data, FData.data() + FPos, n);
  FPos += n;
  return static_cast<unsigned long>(n);
}

unsigned long TKvStringStream::Write(const void* data, unsigned long size) {
  if (size == 0)
    return 0;
  try {
    if (FPos > FData.size())
      FData.resize(FPos, '\0');
    const uint64_t overlap = std::min<uint64_t>(size, FData.size() - FPos);
    FData.replace(FPos, overlap, static_cast<const char*>(data), size);
  } catch (const std::exception&) { // length_error, bad_alloc: nothing written
    return invalid_value;
  }
  FPos += size;
  return size;
}

unsigned long TKvStringStream::getSize() { return static_cast<unsigned long>(FData.size()); }
bool TKvStringStream::setSize(unsigned long size) { return setSize64(size); }
bool TKvStringStream::setPosition(unsigned long pos) { return setPosition64(pos); }
uint64_t TKvStringStream::getSize64() { return FData.size(); }

bool TKvStringStream::setSize64(uint64_t size) {
  try {
    FData.resize(size, '\0');
  } catch (const std::exception&) {
    return false;
  }
  return true;
}

uint64_t TKvStringStream::getPosition64() { return FPos; }

bool TKvStringStream::setPosition64(uint64_t pos) {
  if (pos >= FData.max_size())
    return false;
  FPos = pos;
  return true;
}

// TKvFixedMemStream ---------------------------------------------------------

TKvFixedMemStream::TKvFixedMemStream(const void* data, uint64_t size, std::string infoName)
    : FData(static_cast<const unsigned char*>(data)), FSize(data ? size : 0), FInfoName(std::move(infoName)) {}

TKvFixedMemStream::TKvFixedMemStream(std::string bytes, std::string infoName)
    : FOwned(std::move(bytes)), FData(reinterpret_cast<const unsigned char*>(FOwned.data())),
      FSize(FOwned.size()), FInfoName(std::move(infoName)) {}

unsigned long TKvFixedMemStream::getPosition() { return static_cast<unsigned long>(FPos); }

unsigned long TKvFixedMemStream::Read(void* data, unsigned long size) {
  if (FPos >= FSize || size == 0)
    return 0;
  const uint64_t n = std::min<uint64_t>(size, FSize - FPos);
  std::memcpy(data, FData + FPos, n);
  FPos += n;
  return static_cast<unsigned long>(n);
}

unsigned long TKvFixedMemStream::Write(const void*, unsigned long) { return invalid_value; }
unsigned long TKvFixedMemStream::getSize() { return static_cast<unsigned long>(FSize); }
bool TKvFixedMemStream::setPosition(unsigned long pos) { return setPosition64(pos); }
uint64_t TKvFixedMemStream::getSize64() { return FSize; }
uint64_t TKvFixedMemStream::getPosition64() { return FPos; }

bool TKvFixedMemStream::setPosition64(uint64_t pos) {
  if (pos > FSize)
    return false;
  FPos = pos;
  return true;
}

std::string TKvFixedMemStream::InfoName() const { return FInfoName; }

// TKvFileStream -------------------------------------------------------------

TKvFileStream::TKvFileStream(const std::string& fileName, TMode mode) : FName(fileName) {
  int flags = O_CLOEXEC;
  switch (mode) {
  case fmRead: flags |= O_RDONLY; break;
  case fmWrite: flags |= O_WRONLY | O_CREAT | O_TRUNC; break;
  case fmReadWrite: flags |= O_RDWR | O_CREAT; break;
  case fmAppend: flags |= O_WRONLY | O_CREAT | O_APPEND; break;
  }
  do {
    FFd = ::open(fileName.c_str(), flags, 0666);
  } while (FFd < 0 && errno == EINTR);
  if (FFd < 0) {
    const int err = errno;
    throw TKvMessage("@Cannot open the file \"%1%\": %2%") << fileName << std::strerror(err);
  }
  struct stat st;
  if (::fstat(FFd, &st) == 0 && S_ISDIR(st.st_mode)) {
    ::close(FFd);
    FFd = -1;
    throw TKvMessage("@Cannot open the file \"%1%\": %2%") << fileName << std::strerror(EISDIR);
  }
}

TKvFileStream::~TKvFileStream() {
  if (FFd >= 0)
    ::close(FFd);
}

unsigned long TKvFileStream::getPosition() { return static_cast<unsigned long>(getPosition64()); }

unsigned long TKvFileStream::Read(void* data, unsigned long size) {
  if (FFd < 0)
    return invalid_value;
  ssize_t n;
  do {
    n = ::read(FFd, data, size);
  } while (n < 0 && errno == EINTR);
  return n < 0 ? invalid_value : static_cast<unsigned long>(n);
}

unsigned long TKvFileStream::Write(const void* data, unsigned long size) {
  if (FFd < 0)
    return invalid_value;
  ssize_t n;
  do {
    n = ::write(FFd, data, size);
  } while (n < 0 && errno == EINTR);
  return n < 0 ? invalid_value : static_cast<unsigned long>(n);
}

unsigned long TKvFileStream::getSize() { return static_cast<unsigned long>(getSize64()); }
bool TKvFileStream::setSize(unsigned long size) { return setSize64(size); }
bool TKvFileStream::setPosition(unsigned long pos) { return setPosition64(pos); }
bool TKvFileStream::Flush() { return FFd >= 0; }
TKvFileStream::operator bool() { return FFd >= 0; }

uint64_t TKvFileStream::getSize64() {
  struct stat st;
  if (FFd < 0 || ::fstat(FFd, &st) != 0)
    return kInvalid64;
  return static_cast<uint64_t>(st.st_size);
}

bool TKvFileStream::setSize64(uint64_t size) {
  return FFd >= 0 && size <= static_cast<uint64_t>(INT64_MAX) && ::ftruncate(FFd, static_cast<off_t>(size)) == 0;
}

uint64_t TKvFileStream::getPosition64() {
  if (FFd < 0)
    return kInvalid64;
  const off_t pos = ::lseek(FFd, 0, SEEK_CUR);
  return pos < 0 ? kInvalid64 : static_cast<uint64_t>(pos);
}

bool TKvFileStream::setPosition64(uint64_t pos) {
  return FFd >= 0 && pos <= static_cast<uint64_t>(INT64_MAX) && ::lseek(FFd, static_cast<off_t>(pos), SEEK_SET) >= 0;
}

bool TKvFileStream::Close() {
  if (FFd < 0)
    return false;
  const int rc = ::close(FFd);
  FFd = -1;
  return rc == 0;
}

std::string TKvFileStream::InfoName() const { return FName; }
