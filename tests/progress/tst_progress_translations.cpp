// Every translatable text of every form in the library carries its key
// ("KvQtCpnt:<class>...") and has a finished English translation in the
// message file the library carries.

#include "kvtestsupport.h"

#include "module/kvqttranslator.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QTranslator>
#include <QXmlStreamReader>

namespace {

struct FormText {
  QString file, context, source, comment;
};

// The translatable <string> elements of every form under src/.
QList<FormText> allFormTexts() {
  QList<FormText> out;
  QDir dir(qEnvironmentVariable("KV_TEST_DATA"));
  while (!dir.exists(QStringLiteral("src/progress")) && dir.cdUp()) {
  }
  QDirIterator it(dir.filePath(QStringLiteral("src")), {QStringLiteral("*.ui")}, QDir::Files,
                  QDirIterator::Subdirectories);
  while (it.hasNext()) {
    QFile f(it.next());
    if (!f.open(QIODevice::ReadOnly))
      continue;
    QXmlStreamReader xml(&f);
    QString context;
    while (!xml.atEnd()) {
      xml.readNext();
      if (!xml.isStartElement())
        continue;
      if (xml.name() == QLatin1String("class") && context.isEmpty())
        context = xml.readElementText();
      else if (xml.name() == QLatin1String("string") && xml.attributes().value(QLatin1String("notr")) != QLatin1String("true")) {
        const QString comment = xml.attributes().value(QLatin1String("comment")).toString();
        const QString text = xml.readElementText();
        if (!text.isEmpty())
          out << FormText{f.fileName(), context, text, comment};
      }
    }
  }
  return out;
}

} // namespace

class TestProgressTranslations : public QObject {
  Q_OBJECT

private slots:
  void everyTextKeyedAndTranslated() {
    QTranslator english;
    QVERIFY(english.load(KvQtTranslationFile(QStringLiteral("en"))));
    const QRegularExpression cyrillic(QStringLiteral("\\p{Cyrillic}"));
    const auto texts = allFormTexts();
    QVERIFY2(texts.size() > 12, "no forms under KV_TEST_DATA/../src");
    int russian = 0;
    for (const FormText& t : texts) {
      QVERIFY2(t.comment.startsWith("KvQtCpnt:" + t.context),
               qPrintable(QStringLiteral("%1: \"%2\" has comment \"%3\"").arg(t.file, t.source, t.comment)));
      const QString translated = english.translate(t.context.toUtf8().constData(), t.source.toUtf8().constData(),
                                                   t.comment.toUtf8().constData());
      const QString why = QStringLiteral("%1: no English for \"%2\" (%3)").arg(t.file, t.source, t.comment);
      QVERIFY2(!translated.isEmpty() && !translated.contains(cyrillic), qPrintable(why));
      russian += t.source.contains(cyrillic);
    }
    QVERIFY(russian >= 12);
  }
};

QTEST_MAIN(TestProgressTranslations)
#include "tst_progress_translations.moc"
