#pragma once
// TKvStream: the suite's byte stream.
//
// Transfers answer the number of bytes moved, or invalid_value on failure.
// The 32-bit position and size operations are the primary virtual ones; the
// 64-bit forms default to them. ReadAll/WriteAll repeat short transfers until
// all bytes moved and answer false otherwise; their E-forms throw a
// TKvMessage instead. Streams are shared through var_a.
//
// The base class transfers nothing (Read, Write and the size and position
// queries answer invalid_value, the setters false); Flush, Close and
// operator bool answer true.

#include "kvsuite/kvsuite_export.h"
#include "kvsuite/var_a.h"

#include <cstdint>
#include <string>

class KVSUITE_EXPORT TKvStream {
public:
  static constexpr unsigned long invalid_value = static_cast<unsigned long>(-1);

  virtual ~TKvStream();
  virtual unsigned long getPosition();
  virtual unsigned long Read(void* data, unsigned long size);
  virtual unsigned long Write(const void* data, unsigned long size);
  virtual unsigned long getSize();
  virtual bool setSize(unsigned long size);
  virtual bool setPosition(unsigned long pos);
  virtual bool Flush();
  virtual explicit operator bool();
  virtual uint64_t getSize64();
  virtual bool setSize64(uint64_t size);
  virtual uint64_t getPosition64();
  virtual bool setPosition64(uint64_t pos);
  virtual bool Close();
  // True when the position is at or past the size.
  virtual bool eof();
  // Reads up to and excluding the next line feed (a preceding carriage return
  // is dropped too); false at the end of the stream with nothing read.
  virtual bool getLine(std::string& line);

  bool ReadAll(void* data, unsigned long size);
  bool WriteAll(const void* data, unsigned long size);
  // Throw a TKvMessage naming the stream (InfoName) when fewer bytes moved.
  void ReadAllE(void* data, unsigned long size);
  void WriteAllE(const void* data, unsigned long size);
  bool WriteStr(const std::string& text);

  // A name for messages (a file name, a resource path); empty when unnamed.
  virtual std::string InfoName() const;
};

// A growing in-memory stream over a std::string. The position may be set past
// the end; a write there fills the gap with zero bytes.
class KVSUITE_EXPORT TKvStringStream : public TKvStream {
public:
  TKvStringStream() = default;
  explicit TKvStringStream(std::string initial);

  unsigned long getPosition() override;
  unsigned long Read(void* data, unsigned long size) override;
  unsigned long Write(const void* data, unsigned long size) override;
  unsigned long getSize() override;
  bool setSize(unsigned long size) override;
  bool setPosition(unsigned long pos) override;
  uint64_t getSize64() override;
  bool setSize64(uint64_t size) override;
  uint64_t getPosition64() override;
  bool setPosition64(uint64_t pos) override;

  const std::string& str() const { return FData; }
  void clear() { FData.clear(); FPos = 0; }

private:
  std::string FData;
  uint64_t FPos = 0;
};

// A read-only stream over memory the caller keeps alive (or over a copy).
class KVSUITE_EXPORT TKvFixedMemStream : public TKvStream {
public:
  // Reads [data, data + size) without copying; the caller keeps it alive.
  TKvFixedMemStream(const void* data, uint64_t size, std::string infoName = {});
  // Keeps its own copy of the bytes.
  explicit TKvFixedMemStream(std::string bytes, std::string infoName = {});
  // Not copyable: a copy would read the original's bytes.
  TKvFixedMemStream(const TKvFixedMemStream&) = delete;
  TKvFixedMemStream& operator=(const TKvFixedMemStream&) = delete;

  unsigned long getPosition() override;
  unsigned long Read(void* data, unsigned long size) override;
  unsigned long Write(const void* data, unsigned long size) override; // always invalid_value
  unsigned long getSize() override;
  bool setPosition(unsigned long pos) override;
  uint64_t getSize64() override;
  uint64_t getPosition64() override;
  bool setPosition64(uint64_t pos) override; // false past the end
  std::string InfoName() const override;

private:
  std::string FOwned;
  const unsigned char* FData;
  uint64_t FSize;
  uint64_t FPos = 0;
  std::string FInfoName;
};

// A stream over a file (binary, unbuffered). Open failures throw a
// TKvMessage. fmReadWrite opens an existing file or creates it; after
// Close() every transfer fails.
class KVSUITE_EXPORT TKvFileStream : public TKvStream {
public:
  enum TMode { fmRead, fmWrite /* create or truncate */, fmReadWrite, fmAppend };
  TKvFileStream(const std::string& fileName, TMode mode);
  ~TKvFileStream() override;
  TKvFileStream(const TKvFileStream&) = delete;
  TKvFileStream& operator=(const TKvFileStream&) = delete;

  unsigned long getPosition() override;
  unsigned long Read(void* data, unsigned long size) override;
  unsigned long Write(const void* data, unsigned long size) override;
  unsigned long getSize() override;
  bool setSize(unsigned long size) override;
  bool setPosition(unsigned long pos) override;
  bool Flush() override;
  explicit operator bool() override;
  uint64_t getSize64() override;
  bool setSize64(uint64_t size) override;
  uint64_t getPosition64() override;
  bool setPosition64(uint64_t pos) override;
  bool Close() override;
  std::string InfoName() const override;

private:
  int FFd = -1;
  std::string FName;
};
