// Every translatable text of every form in the library carries its key
// ("KvQtCpnt:<class>.<object>") and has a finished English translation in the
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
  QString file, context, source, comment, object;
};

// The translatable <string> elements of every form under src/, with the
// object each belongs to.
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
    QStringList objects;
    while (!xml.atEnd()) {
      xml.readNext();
      const bool objectTag = xml.name() == QLatin1String("widget") || xml.name() == QLatin1String("action");
      if (xml.isEndElement() && objectTag && !objects.isEmpty())
        objects.removeLast();
      if (!xml.isStartElement())
        continue;
      if (xml.name() == QLatin1String("class") && context.isEmpty())
        context = xml.readElementText();
      else if (objectTag)
        objects << xml.attributes().value(QLatin1String("name")).toString();
      else if (xml.name() == QLatin1String("string") && xml.attributes().value(QLatin1String("notr")) != QLatin1String("true")) {
        const QString comment = xml.attributes().value(QLatin1String("comment")).toString();
        const QString text = xml.readElementText();
        if (!text.isEmpty())
          out << FormText{f.fileName(), context, text, comment, objects.value(objects.size() - 1)};
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
      const QString key = QStringLiteral("KvQtCpnt:%1.%2").arg(t.context, t.object);
      const QString ctx = QRegularExpression::escape(t.context);
      // Tool-bar actions may be keyed by position ("KvQtCpnt:<class>[<n>]"),
      // view items carry their place ("Table[3]"), and the form's title or an
      // action's tool tip may be keyed by the property alone.
      const bool action = t.object.startsWith(QLatin1String("action"));
      const bool ownProperty = (t.object == t.context || action) &&
                               QRegularExpression("^KvQtCpnt:" + ctx + "\\.(windowTitle|toolTip)$").match(t.comment).hasMatch();
      const bool indexed = action && QRegularExpression("^KvQtCpnt:" + ctx + "\\[\\d+\\]$").match(t.comment).hasMatch();
      QVERIFY2(t.comment == key || t.comment.startsWith(key + '.') || t.comment.startsWith(key + '[') || ownProperty ||
                   indexed,
               qPrintable(QStringLiteral("%1: \"%2\" has comment \"%3\", expected \"%4\"").arg(t.file, t.source, t.comment, key)));
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
