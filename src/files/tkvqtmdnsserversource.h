#pragma once
// TKvQtMdnsServerSource: hosts that announce file-sharing services (SMB,
// NFS, SFTP, AFP, WebDAV, FTP) over mDNS / DNS-SD, as the avahi-browse
// program lists them from the Avahi daemon. Without the program or the
// daemon it finds nothing; the browse is stopped after a time limit.

#include "files/ikvqtnetserversource.h"

#include <QString>

class KVQTCPNT_EXPORT TKvQtMdnsServerSource : public IKvQtNetServerSource {
public:
  // `program` runs as: program -a -t -r -p (terminate when the cache is
  // listed, resolve, parsable output).
  explicit TKvQtMdnsServerSource(QString program = QStringLiteral("avahi-browse"), int timeoutMs = 3000);

  QStringList discover(const std::function<bool()>& cancelled) override;

  // Host names of the resolved file-sharing services in avahi-browse's
  // parsable output ("=;iface;proto;name;type;domain;host;address;port;txt"),
  // in order, without duplicates and without a trailing dot.
  static QStringList parse(const QByteArray& output);

private:
  QString FProgram;
  int FTimeoutMs;
};
