#include "files/tkvqtmountserversource.h"

#include <QDir>
#include <QFile>
#include <QUrl>

TKvQtMountServerSource::TKvQtMountServerSource(QString mountTable) : FMountTable(std::move(mountTable)) {}

namespace {

// The mount table escapes blanks and backslashes in octal ("\040").
QString unescaped(const QByteArray& field) {
  QByteArray out;
  out.reserve(field.size());
  for (int i = 0; i < field.size(); ++i) {
    if (field.at(i) == '\\' && i + 3 < field.size() && field.at(i + 1) >= '0' && field.at(i + 1) <= '3') {
      bool ok = false;
      const int code = field.mid(i + 1, 3).toInt(&ok, 8);
      if (ok) {
        out += static_cast<char>(code);
        i += 3;
        continue;
      }
    }
    out += field.at(i);
  }
  return QString::fromUtf8(out);
}

// The mount table's text; empty when it cannot be read. It is a small
// virtual file; a cap guards against a huge one.
QByteArray readTable(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.read(4 * 1024 * 1024) : QByteArray();
}

// Calls `take(server, mountPoint)` for each network share of the table.
template <class Take> void forEachShare(const QByteArray& table, Take take) {
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
    if (!server.isEmpty() && server != QLatin1String("[]"))
      take(server, unescaped(f.at(1)));
  }
}

} // namespace

QStringList TKvQtMountServerSource::parse(const QByteArray& table) {
  QStringList servers;
  forEachShare(table, [&](const QString& server, const QString&) {
    if (!servers.contains(server, Qt::CaseInsensitive))
      servers << server;
  });
  return servers;
}

QStringList TKvQtMountServerSource::mountPoints(const QByteArray& table, const QString& server) {
  QStringList points;
  forEachShare(table, [&](const QString& s, const QString& point) {
    if (s.compare(server, Qt::CaseInsensitive) == 0 && !point.isEmpty())
      points << point;
  });
  return points;
}

QString TKvQtMountServerSource::serverFolder(const QString& server, const QString& mountTable) {
  const QStringList points = mountPoints(readTable(mountTable), server);
  if (points.size() < 2)
    return points.value(0);
  QString common = QDir::cleanPath(points.first());
  for (const QString& p : points) {
    const QString clean = QDir::cleanPath(p);
    while (common.size() > 1 && clean != common && !clean.startsWith(common + QLatin1Char('/')))
      common = QDir::cleanPath(common + QStringLiteral("/.."));
  }
  return common.size() > 1 ? common : points.first();
}

QStringList TKvQtMountServerSource::discover(const std::function<bool()>&) {
  return parse(readTable(FMountTable));
}
