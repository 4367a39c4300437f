#pragma once
// TKvQtMountServerSource: the servers of the network shares mounted on this
// machine (SMB/CIFS, NFS, SSHFS, WebDAV, AFS), read from the mount table.

#include "files/ikvqtnetserversource.h"

#include <QString>

class KVQTCPNT_EXPORT TKvQtMountServerSource : public IKvQtNetServerSource {
public:
  explicit TKvQtMountServerSource(QString mountTable = QStringLiteral("/proc/mounts"));

  QStringList discover(const std::function<bool()>& cancelled) override;

  // Server names in a mount table's text, in order, without duplicates:
  // "//srv/share" (cifs, smb3), "srv:/export" (nfs, nfs4), "user@srv:/path"
  // (fuse.sshfs), "https://srv/dav" (davfs), "srv" (afs has none).
  static QStringList parse(const QByteArray& table);
  // Where the shares of `server` are mounted, in table order.
  static QStringList mountPoints(const QByteArray& table, const QString& server);
  // The local folder to browse `server` in: its one mount point, or the
  // common parent folder of several (when that is not "/"), else the first
  // of them; empty when none of its shares is mounted.
  static QString serverFolder(const QString& server, const QString& mountTable = QStringLiteral("/proc/mounts"));

private:
  QString FMountTable;
};
