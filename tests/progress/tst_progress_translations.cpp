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
  QString file;
  QString context;
  QString source;
  QString comment;
  QString object;
};

bool hasCyrillic(const QString& s) {
  for (QChar c : s)
    if (c.unicode() >= 0x0400 && c.unicode() <= 0x04FF)
      return true;
  return false;
}

// The translatable <string> elements of a form, with the object they belong to.
QList<FormText> readForm(const QString& path) {
  QList<FormText> out;
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly))
    return out;
  QXmlStreamReader xml(&f);
  QString context;
  QStringList objects;
  while (!xml.atEnd()) {
    xml.readNext();
    if (xml.isStartElement()) {
      const auto name = xml.name();
      if (name == QLatin1String("class") && context.isEmpty())
        context = xml.readElementText();
      else if (name == QLatin1String("widget") || name == QLatin1String("action"))
        objects << xml.attributes().value(QLatin1String("name")).toString();
      else if (name == QLatin1String("string")) {
        const auto attrs = xml.attributes();
        if (attrs.value(QLatin1String("notr")) == QLatin1String("true"))
          continue;
        const QString comment = attrs.value(QLatin1String("comment")).toString();
        const QString text = xml.readElementText();
        if (!text.isEmpty())
          out << FormText{path, context, text, comment, objects.value(objects.size() - 1)};
      }
    } else if (xml.isEndElement() && (xml.name() == QLatin1String("widget") || xml.name() == QLatin1String("action"))) {
      if (!objects.isEmpty())
        objects.removeLast();
    }
  }
  return out;
}

QList<FormText> allFormTexts() {
  QList<FormText> out;
  // The source tree's src/ folder, found upwards from the test data.
  QDir dir(qEnvironmentVariable("KV_TEST_DATA"));
  while (!dir.exists(QStringLiteral("src/progress")) && dir.cdUp()) {
  }
  const QString src = dir.filePath(QStringLiteral("src"));
  QDirIterator it(src, {QStringLiteral("*.ui")}, QDir::Files, QDirIterator::Subdirectories);
  while (it.hasNext())
    out << readForm(it.next());
  return out;
}

} // namespace

class TestProgressTranslations : public QObject {
  Q_OBJECT

private slots:
  void everyTextHasItsKey();
  void everyRussianTextIsTranslated();
};

void TestProgressTranslations::everyTextHasItsKey() {
  const auto texts = allFormTexts();
  QVERIFY2(texts.size() > 12, "no forms under KV_TEST_DATA/../src");
  for (const FormText& t : texts) {
    const QString key = QStringLiteral("KvQtCpnt:%1.%2").arg(t.context, t.object);
    const QString why = QStringLiteral("%1: \"%2\" has comment \"%3\", expected \"%4[.property]\"")
                            .arg(t.file, t.source, t.comment, key);
    // Tool-bar actions may be keyed by their position instead
    // ("KvQtCpnt:<class>[<n>]"), items of a view carry their place
    // ("Table[3]"), and the form's own title and an action's tool tip may be
    // keyed by the property alone ("KvQtCpnt:<class>.windowTitle").
    const QRegularExpression indexed(
        QStringLiteral("^KvQtCpnt:%1\\[\\d+\\]$").arg(QRegularExpression::escape(t.context)));
    const bool ownProperty = (t.object == t.context || t.object.startsWith(QLatin1String("action"))) &&
                             QRegularExpression(QStringLiteral("^KvQtCpnt:%1\\.(windowTitle|toolTip)$")
                                                    .arg(QRegularExpression::escape(t.context)))
                                 .match(t.comment)
                                 .hasMatch();
    QVERIFY2(t.comment == key || t.comment.startsWith(key + QLatin1Char('.')) ||
                 t.comment.startsWith(key + QLatin1Char('[')) || ownProperty ||
                 (t.object.startsWith(QLatin1String("action")) && indexed.match(t.comment).hasMatch()),
             qPrintable(why));
  }
}

void TestProgressTranslations::everyRussianTextIsTranslated() {
  QTranslator english;
  QVERIFY(english.load(KvQtTranslationFile(QStringLiteral("en"))));
  int checked = 0;
  for (const FormText& t : allFormTexts()) {
    const QString translated = english.translate(t.context.toUtf8().constData(), t.source.toUtf8().constData(),
                                                 t.comment.toUtf8().constData());
    const QString why = QStringLiteral("%1: no English for \"%2\" (%3)").arg(t.file, t.source, t.comment);
    QVERIFY2(!translated.isEmpty(), qPrintable(why));
    QVERIFY2(!hasCyrillic(translated), qPrintable(why));
    if (hasCyrillic(t.source))
      ++checked;
  }
  QVERIFY(checked >= 12);
}

QTEST_MAIN(TestProgressTranslations)
#include "tst_progress_translations.moc"
