#pragma once
// TKvStreamToQtIODevice: a QIODevice over a suite stream, so that
// QDataStream, QTextStream, QImageReader, QImageWriter and any other Qt code
// that reads or writes a QIODevice works on a TKvStream.
//
// The device shares the stream through var_a (the stream lives as long as its
// last reference, this device holding one until close() or destruction). It is
// open for reading and writing from construction, and sequential: Qt keeps no
// position of its own; pos(), size() and seek() are the stream's.
//
// Failures are reported the way QIODevice reports them: a transfer the stream
// refuses (TKvStream::invalid_value) answers -1 and sets errorString(), so
// QDataStream and QTextStream turn their status to a read or write failure.
// A short write is followed by further writes of the rest until the stream
// has taken everything or refuses (the bytes written so far are then
// answered, with errorString() set). The device itself never throws; an
// exception thrown by the stream's own code is not caught here and reaches
// the caller of the Qt function.
//
// Choices of this class:
// - open() ignores the requested mode: the device is always read-write, and
//   re-opening after close() does not bring the stream back.
// - close() releases the stream, and drops what Qt had read ahead, but leaves
//   openMode() as it is.
// - atEnd() is true whenever Qt holds no read-ahead bytes, whatever the
//   stream position: reading until read() answers 0 is the way to the end.
// - seek() and reset() drop the bytes Qt has read ahead of the old position,
//   so the next read starts where the stream now stands.

#include "kvqtcpnt_export.h"

#include "kvsuite/kvstream.h"
#include "kvsuite/var_a.h"

#include <QIODevice>

class KVQTCPNT_EXPORT TKvStreamToQtIODevice : public QIODevice {
  Q_OBJECT
public:
  explicit TKvStreamToQtIODevice(const var_a<TKvStream*>& stream);
  ~TKvStreamToQtIODevice() override;

  bool isSequential() const override;
  bool open(QIODevice::OpenMode mode) override;
  void close() override;
  qint64 pos() const override;
  qint64 size() const override;
  bool seek(qint64 pos) override;
  bool atEnd() const override;
  bool reset() override;
  bool canReadLine() const override;
  bool waitForReadyRead(int msecs) override;
  bool waitForBytesWritten(int msecs) override;

protected:
  qint64 readData(char* data, qint64 maxSize) override;
  qint64 writeData(const char* data, qint64 maxSize) override;

private:
  void DropReadAhead();
  QString StreamName() const;

  var_a<TKvStream*> FStream;
};
