#include "files/tkvqtmdnsserversource.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>

TKvQtMdnsServerSource::TKvQtMdnsServerSource(QString program, int timeoutMs)
    : FProgram(std::move(program)), FTimeoutMs(timeoutMs) {}

QStringList TKvQtMdnsServerSource::parse(const QByteArray& output) {
  static const QStringList fileServices{"_smb._tcp", "_nfs._tcp", "_sftp-ssh._tcp", "_afpovertcp._tcp",
                                        "_webdav._tcp", "_webdavs._tcp", "_ftp._tcp"};
  QStringList hosts;
  for (const QByteArray& line : output.split('\n')) {
    if (!line.startsWith("=;"))
      continue;
    const QList<QByteArray> f = line.split(';');
    if (f.size() < 7 || !fileServices.contains(QString::fromUtf8(f.at(4))))
      continue;
    QString host = QString::fromUtf8(f.at(6)).trimmed();
    while (host.endsWith(QLatin1Char('.')))
      host.chop(1);
    if (!host.isEmpty() && !host.contains(QLatin1Char('/')) && !hosts.contains(host))
      hosts << host;
  }
  return hosts;
}

QStringList TKvQtMdnsServerSource::discover(const std::function<bool()>& cancelled) {
  if (QStandardPaths::findExecutable(FProgram).isEmpty() && !FProgram.contains(QLatin1Char('/')))
    return {};
  QProcess p;
  p.setProcessChannelMode(QProcess::SeparateChannels);
  p.start(FProgram, {"-a", "-t", "-r", "-p"}, QIODevice::ReadOnly);
  if (!p.waitForStarted(1000))
    return {};
  QElapsedTimer timer;
  timer.start();
  QByteArray out;
  while (!p.waitForFinished(50)) {
    out += p.readAllStandardOutput();
    if ((cancelled && cancelled()) || timer.elapsed() > FTimeoutMs || p.state() == QProcess::NotRunning)
      break;
  }
  if (p.state() != QProcess::NotRunning) {
    p.kill();
    p.waitForFinished(1000);
  }
  out += p.readAllStandardOutput();
  return parse(out);
}
