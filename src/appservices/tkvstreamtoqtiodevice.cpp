#include "appservices/tkvstreamtoqtiodevice.h"

#include <QCoreApplication>

#include <limits>

namespace {

constexpr uint64_t kInvalid64 = static_cast<uint64_t>(-1);

// A 64-bit answer of the stream as Qt's signed number: -1 for the stream's
// invalid value and for anything Qt cannot represent.
qint64 ToQt(uint64_t v) {
  return v == kInvalid64 || v > static_cast<uint64_t>(std::numeric_limits<qint64>::max()) ? -1
                                                                                          : static_cast<qint64>(v);
}

// One transfer asks the stream for at most what its unsigned long can count
// short of the invalid value; Qt repeats short transfers itself.
unsigned long TransferSize(qint64 size) {
  constexpr qint64 most = static_cast<qint64>(std::numeric_limits<unsigned long>::max() / 2);
  return static_cast<unsigned long>(size < most ? size : most);
}

} // namespace

TKvStreamToQtIODevice::TKvStreamToQtIODevice(const var_a<TKvStream*>& stream) : FStream(stream) {
  setOpenMode(QIODevice::ReadWrite);
}

TKvStreamToQtIODevice::~TKvStreamToQtIODevice() { FStream.reset(); }

bool TKvStreamToQtIODevice::isSequential() const { return true; }

bool TKvStreamToQtIODevice::open(QIODevice::OpenMode) { return true; }

void TKvStreamToQtIODevice::close() {
  emit aboutToClose();
  DropReadAhead(); // nothing is read after close, not even what Qt holds
  FStream.reset();
}

qint64 TKvStreamToQtIODevice::pos() const { return FStream ? ToQt(FStream->getPosition64()) : -1; }

qint64 TKvStreamToQtIODevice::size() const { return FStream ? ToQt(FStream->getSize64()) : -1; }

bool TKvStreamToQtIODevice::seek(qint64 pos) {
  if (!FStream || pos < 0)
    return false;
  DropReadAhead();
  return FStream->setPosition64(static_cast<uint64_t>(pos));
}

bool TKvStreamToQtIODevice::atEnd() const { return bytesAvailable() == 0; }

bool TKvStreamToQtIODevice::reset() {
  if (!FStream)
    return false;
  DropReadAhead();
  return FStream->setPosition64(0);
}

bool TKvStreamToQtIODevice::canReadLine() const { return true; }

bool TKvStreamToQtIODevice::waitForReadyRead(int) { return false; }

bool TKvStreamToQtIODevice::waitForBytesWritten(int) { return false; }

qint64 TKvStreamToQtIODevice::readData(char* data, qint64 maxSize) {
  if (!FStream) {
    setErrorString(QCoreApplication::translate("TKvStreamToQtIODevice", "Поток закрыт",
                                               "KvQtCpnt:TKvStreamToQtIODevice.Closed"));
    return -1;
  }
  if (maxSize <= 0)
    return 0;
  const unsigned long asked = TransferSize(maxSize);
  const unsigned long n = FStream->Read(data, asked);
  if (n == TKvStream::invalid_value || n > asked) {
    setErrorString(QCoreApplication::translate("TKvStreamToQtIODevice", "Ошибка чтения из потока %1",
                                               "KvQtCpnt:TKvStreamToQtIODevice.ReadError")
                       .arg(StreamName())
                       .trimmed());
    return -1;
  }
  return static_cast<qint64>(n);
}

// Qt's writers treat a short write as a failure, so the stream is asked
// again for the rest until it has taken everything or refuses.
qint64 TKvStreamToQtIODevice::writeData(const char* data, qint64 maxSize) {
  if (!FStream) {
    setErrorString(QCoreApplication::translate("TKvStreamToQtIODevice", "Поток закрыт",
                                               "KvQtCpnt:TKvStreamToQtIODevice.Closed"));
    return -1;
  }
  qint64 done = 0;
  while (done < maxSize) {
    const unsigned long asked = TransferSize(maxSize - done);
    const unsigned long n = FStream->Write(data + done, asked);
    if (n == TKvStream::invalid_value || n > asked) {
      setErrorString(QCoreApplication::translate("TKvStreamToQtIODevice", "Ошибка записи в поток %1",
                                                 "KvQtCpnt:TKvStreamToQtIODevice.WriteError")
                         .arg(StreamName())
                         .trimmed());
      return done > 0 ? done : -1;
    }
    if (n == 0)
      break;
    done += static_cast<qint64>(n);
  }
  return done;
}

// Bytes Qt read ahead belong to the old position; reading exactly what is
// buffered takes them from the buffer without touching the stream.
void TKvStreamToQtIODevice::DropReadAhead() {
  const qint64 buffered = QIODevice::bytesAvailable();
  if (buffered > 0)
    QIODevice::skip(buffered);
}

QString TKvStreamToQtIODevice::StreamName() const {
  const std::string name = FStream ? FStream->InfoName() : std::string();
  return name.empty() ? QString() : QStringLiteral("\u00ab%1\u00bb").arg(QString::fromUtf8(name.c_str()));
}
