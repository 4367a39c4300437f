#include "files/tkvqtmountserversource.h"

#include <QFile>
#include <QUrl>

TKvQtMountServerSource::TKvQtMountServerSource(QString mountTable) : FMountTable(std::move(mountTable)) {}

QStringList TKvQtMountServerSource::parse(const QByteArray& table) {
  QStringList servers;
  for (const QByteArray& line : table.split('\n')) {
    const QList<QByteArray> f = line.simplified().split(' ');
    if (f.size() < 3)
      continue;
    const QString device = QString::fromUtf8(f.at(0));
    const QByteArray type = f.at(2);
    QString server;
    if (type == "cifs" || type == "smb3" || type == "smbfs") {
      if (device.startsWith(QLatin1String("//")))
        server = device.mid(2).section(QLatin1Char('/'), 0, 0);
    } else if (type == "nfs" || type == "nfs4" || type == "fuse.sshfs" || type == "sshfs") {
      // [user@]server:/path; a bracketed IPv6 address keeps its brackets.
      QString host = device.section(QLatin1Char('@'), -1);
      if (host.startsWith(QLatin1Char('[')))
        server = host.left(host.indexOf(QLatin1Char(']')) + 1);
      else if (host.contains(QLatin1Char(':')))
        server = host.section(QLatin1Char(':'), 0, 0);
    } else if (type == "davfs" || type == "fuse.davfs2") {
      server = QUrl(device).host();
    }
    if (!server.isEmpty() && server != QLatin1String("[]") && !servers.contains(server))
      servers << server;
  }
  return servers;
}

QStringList TKvQtMountServerSource::discover(const std::function<bool()>&) {
  QFile f(FMountTable);
  if (!f.open(QIODevice::ReadOnly))
    return {};
  // The mount table is a small virtual file; a cap guards against a huge one.
  return parse(f.read(4 * 1024 * 1024));
}
