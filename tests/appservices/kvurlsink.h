#pragma once
// Receives the documents and addresses the desktop would have opened
// (install with QDesktopServices::setUrlHandler(scheme, &sink, "open")).

#include <QList>
#include <QObject>
#include <QUrl>

class TUrlSink : public QObject {
  Q_OBJECT
public:
  QList<QUrl> Urls;
public slots:
  void open(const QUrl& url) { Urls << url; }
};
