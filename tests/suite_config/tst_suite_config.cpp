// The suite's configuration services: persistent option tables (escaping,
// other writers, failures, saves killed half-way), module settings, the
// resource strings of both languages and the language a process picks.

#include "kvsuite/kvconfig.h"
#include "kvsuite/kvmessage.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <map>
#include <set>

#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Reaches the whole table at once: the torn-save test replaces every entry in
// one save, so the file has exactly two legal contents.
class TBulkTable : public TKvPersistentOptionTable {
public:
  using TKvPersistentOptionTable::TKvPersistentOptionTable;
  void Replace(std::map<std::string, std::string> values)
  {
    SetValuesSilently(std::move(values));
    DoChanged();
  }
  const std::map<std::string, std::string>& All() const { return Values(); }
};

std::map<std::string, std::string> BigTable(char tag, int count)
{
  std::map<std::string, std::string> m;
  for (int i = 0; i < count; ++i) {
    const std::string n = std::to_string(i);
    m["Dlg/Item" + n + "/value"] = std::string(1, tag) + "-" + n + "-" + std::string(200, tag) + "\n=[x]";
  }
  return m;
}

// Placeholders of a text in order of appearance: "%1%"-style and printf-style.
QStringList Placeholders(const std::string& text)
{
  static const QRegularExpression re(QStringLiteral(R"(%(\d+%|[-+ #0]*\d*(?:\.\d+)?[a-zA-Z%]))"));
  QStringList found;
  auto it = re.globalMatch(QString::fromStdString(text));
  while (it.hasNext()) found << it.next().captured(0);
  return found;
}

QString Text(const std::string& module, const std::string& key)
{
  const std::string* text = nullptr;
  return LoadResString(module, key, &text) ? QString::fromStdString(*text) : QString();
}

// The text of the TKvMessage that `body` throws, or "(nothing thrown)".
QString ErrorOf(const std::function<void()>& body)
{
  try {
    body();
  } catch (const TKvMessage& m) {
    return QString::fromStdString(m.std_str());
  }
  return QStringLiteral("(nothing thrown)");
}

void WriteText(const QString& fileName, const QByteArray& text)
{
  QDir().mkpath(QFileInfo(fileName).path());
  QFile f(fileName);
  QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  f.write(text);
}

// Runs this executable in child mode with `args`; its standard output.
QString RunChild(const QStringList& args, const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment())
{
  QProcess p;
  p.setProcessEnvironment(env);
  p.start(QCoreApplication::applicationFilePath(), QStringList{"--child"} + args);
  if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
    qWarning() << "child failed:" << args << p.readAllStandardError();
    return QStringLiteral("<child failed>");
  }
  return QString::fromUtf8(p.readAllStandardOutput());
}

class TLanguageGuard {
public:
  TLanguageGuard() : FLang(getCurLanguageId()) {}
  ~TLanguageGuard() { KvSetLanguage(FLang); }
private:
  std::string FLang;
};

} // namespace

class TestSuiteConfig : public QObject {
  Q_OBJECT

private slots:
  void initTestCase();
  void cleanup();
  void persistentRoundTrip_data();
  void persistentRoundTrip();
  void persistentMergesOtherWriters();
  void persistentFailureKeepsTable();
  void tornSaveLeavesOldOrNew();
  void moduleSettings_data();
  void moduleSettings();
  void resourceKeysInBothLanguages();
  void languageFromEnvironment_data();
  void languageFromEnvironment();

private:
  QTemporaryDir FConfigHome;
};

void TestSuiteConfig::initTestCase()
{
  QVERIFY(FConfigHome.isValid());
  // Before anything reads it: the global table and module settings live here.
  qputenv("XDG_CONFIG_HOME", FConfigHome.path().toUtf8());
  qunsetenv("KV_MODULE_SETTINGS");
  qunsetenv("KV_LANG_DIR");
  qunsetenv("KV_STATIC_CONFIG_13");
  QVERIFY(KvSetLanguage("en"));
}

void TestSuiteConfig::cleanup()
{
  qunsetenv("KV_MODULE_SETTINGS");
  qunsetenv("KV_MAGIC_KEY");
  QFile::remove(QString::fromStdString(KvSuiteConfigDir() + "/modules.ini"));
}

// Option tables ----------------------------------------------------------------

void TestSuiteConfig::persistentRoundTrip_data()
{
  QTest::addColumn<QByteArray>("key");
  QTest::addColumn<QByteArray>("value");

  QTest::newRow("equals signs") << QByteArray("a=b") << QByteArray("=c=d=");
  QTest::newRow("line breaks") << QByteArray("multi\nline\r\nkey") << QByteArray("first\nsecond\r\n");
  QTest::newRow("backslashes, escape look-alikes") << QByteArray("C:\\dir\\x41\\s") << QByteArray("\\n is not\\=\\[\\");
  QTest::newRow("invalid utf-8") << QByteArray("\xff\xfe key") << QByteArray("\xc3\x28\x80");
  QTest::newRow("control bytes") << QByteArray("k\x01\x1f\x7f", 4) << QByteArray("a\0b", 3);
  QTest::newRow("empty key") << QByteArray() << QByteArray("nameless");
}

void TestSuiteConfig::persistentRoundTrip()
{
  QFETCH(QByteArray, key);
  QFETCH(QByteArray, value);
  QTemporaryDir dir;
  const std::string file = dir.filePath("opts.ini").toStdString();
  const std::map<std::string, std::string> values = {
      {"before", "1"}, {key.toStdString(), value.toStdString()}, {"after", "2"}};
  {
    TKvPersistentOptionTable t(file);
    for (const auto& [k, v] : values) t.SetS<std::string>(k, v);
  }
  QVERIFY(TBulkTable(file).All() == values); // nothing more, nothing less
}

void TestSuiteConfig::persistentMergesOtherWriters()
{
  QTemporaryDir dir;
  const std::string file = dir.filePath("opts.ini").toStdString();
  TKvPersistentOptionTable a(file);
  TKvPersistentOptionTable b(file);
  a.SetS<int>("from_a", 1);
  a.SetS<int>("shared", 1);
  b.SetS<int>("from_b", 2); // b never saw a's entries, yet must not drop them
  QCOMPARE(b.GetS<int>("from_a"), 1);
  a.Remove("shared");
  b.SetS<int>("later", 3);
  QVERIFY(!b.Has("shared"));

  TKvPersistentOptionTable fresh(file);
  QCOMPARE(fresh.Names(), (std::vector<std::string>{"from_a", "from_b", "later"}));
}

void TestSuiteConfig::persistentFailureKeepsTable()
{
  // Something unreadable where the file belongs is never replaced, and the
  // message names the file.
  QTemporaryDir dir;
  QVERIFY(QDir(dir.path()).mkdir("opts.ini"));
  TKvPersistentOptionTable u(dir.filePath("opts.ini").toStdString());
  const QString error = ErrorOf([&] { u.SetS<std::string>("k", "v"); });
  QVERIFY2(error.contains("opts.ini"), qPrintable(error));
  QVERIFY(QFileInfo(dir.filePath("opts.ini")).isDir());
  QVERIFY(!u.Has("k"));
}

void TestSuiteConfig::tornSaveLeavesOldOrNew()
{
  QTemporaryDir dir;
  const std::string file = dir.filePath("big.ini").toStdString();
  // Big enough that a writer that is not atomic gets caught half-way.
  const auto tableA = BigTable('a', 1000);
  const auto tableB = BigTable('b', 800);
  // Kill moments spread over about one save, however fast this disk is.
  QElapsedTimer timer;
  timer.start();
  {
    TBulkTable t(file);
    for (int i = 0; i < 6; ++i) t.Replace(i % 2 ? tableA : tableB);
  }
  const quint32 saveMicros = quint32(qMax<qint64>(timer.nsecsElapsed() / 6000, 100));

  const quint32 seed = QRandomGenerator::global()->generate();
  qInfo("kill moments seeded with %u", seed);
  QRandomGenerator rnd(seed);
  for (int round = 0; round < 60; ++round) {
    int ready[2];
    QVERIFY(::pipe(ready) == 0);
    const pid_t pid = ::fork();
    QVERIFY(pid >= 0);
    if (pid == 0) {
      ::prctl(PR_SET_PDEATHSIG, SIGKILL);
      try {
        TBulkTable t(file);
        t.Replace(tableB);
        (void)!::write(ready[1], "x", 1);
        for (bool toB = false;; toB = !toB) t.Replace(toB ? tableB : tableA);
      } catch (...) {
      }
      ::_exit(3);
    }
    ::close(ready[1]);
    char c = 0;
    QCOMPARE(::read(ready[0], &c, 1), ssize_t(1)); // one full save done: saving is under way
    ::close(ready[0]);
    ::usleep(rnd.bounded(saveMicros + saveMicros / 4));
    ::kill(pid, SIGKILL);
    int status = 0;
    QCOMPARE(::waitpid(pid, &status, 0), pid);
    QVERIFY2(WIFSIGNALED(status), "the saving child stopped by itself");

    const TBulkTable after(file);
    QVERIFY2(after.All() == tableA || after.All() == tableB,
             qPrintable(QStringLiteral("round %1: torn file with %2 entries").arg(round).arg(after.All().size())));
  }

  // At most the one fixed temporary is left over, and it does not get in the
  // way of the next save.
  const QStringList left = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
  QVERIFY2(left.size() <= 2, qPrintable(left.join(' ')));
  TBulkTable t(file);
  t.SetS<std::string>("final", "yes");
  QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{"big.ini"});
  QCOMPARE(TBulkTable(file).GetS<std::string>("final"), std::string("yes"));
}

// Module settings ----------------------------------------------------------------

void TestSuiteConfig::moduleSettings_data()
{
  QTest::addColumn<QByteArray>("file");     // content of modules.ini, null for none
  QTest::addColumn<QByteArray>("override"); // KV_MODULE_SETTINGS, null for unset
  QTest::addColumn<int>("expected");        // of "PrgTimeout"

  QTest::newRow("nothing") << QByteArray() << QByteArray() << -1;
  QTest::newRow("file") << QByteArray("[KvQtCpnt]\nPrgTimeout=250\n") << QByteArray() << 250;
  QTest::newRow("blanks, comments, CRLF")
      << QByteArray("; c\r\n[KvQtCpnt]\r\n  PrgTimeout =  77 \r\n") << QByteArray() << 77;
  QTest::newRow("garbage") << QByteArray("[KvQtCpnt]\nPrgTimeout=fast\n") << QByteArray() << -1;
  QTest::newRow("override wins") << QByteArray("[KvQtCpnt]\nPrgTimeout=250\n")
                                 << QByteArray("LogViewMsgTimeFormat=1; PrgTimeout = 100 ;PrgSMTimeout=5") << 100;
  QTest::newRow("broken override falls back") << QByteArray("[KvQtCpnt]\nPrgTimeout=250\n")
                                              << QByteArray("PrgTimeout=soon") << 250;
}

void TestSuiteConfig::moduleSettings()
{
  QFETCH(QByteArray, file);
  QFETCH(QByteArray, override);
  QFETCH(int, expected);
  if (!file.isNull()) WriteText(QString::fromStdString(KvSuiteConfigDir() + "/modules.ini"), file);
  if (!override.isNull()) qputenv("KV_MODULE_SETTINGS", override);
  QCOMPARE(KvModuleDebugMode("PrgTimeout"), expected);
  QCOMPARE(KvModuleDebugMode("NotASetting"), -1);
}

// Ini sections ------------------------------------------------------------------

// Resource strings ----------------------------------------------------------------

void TestSuiteConfig::resourceKeysInBothLanguages()
{
  TLanguageGuard guard;
  std::set<std::string> keys; // every key the sources use
  const QString data = qEnvironmentVariable("KV_TEST_DATA");
  QVERIFY2(!data.isEmpty(), "KV_TEST_DATA must name the tests folder");
  // KV_TEST_DATA names the tests folder or this test's folder inside it.
  QString src = QDir(data).absoluteFilePath("../src");
  if (!QDir(src + "/module").exists()) src = QDir(data).absoluteFilePath("../../src");
  QVERIFY2(QDir(src + "/module").exists(), qPrintable(src));
  static const QRegularExpression used(QStringLiteral(R"(global\.[A-Za-z0-9_]+)"));
  QDirIterator it(src, {"*.cpp", "*.h", "*.ui"}, QDir::Files, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    QFile f(it.next());
    QVERIFY(f.open(QIODevice::ReadOnly));
    auto m = used.globalMatch(QString::fromUtf8(f.readAll()));
    while (m.hasNext()) keys.insert(m.next().captured(0).toStdString());
  }

  for (const std::string& key : keys) {
    KvSetLanguage("en");
    const QString en = Text("KvQtCpnt", key);
    KvSetLanguage("ru");
    const QString ru = Text("KvQtCpnt", key);
    QVERIFY2(!en.isEmpty() && !ru.isEmpty(), qPrintable(QString("%1 missing or empty").arg(key.c_str())));
    QVERIFY2(Placeholders(ru.toStdString()) == Placeholders(en.toStdString()), key.c_str());
    // A Russian text that is really Russian, not a copy of the English.
    QVERIFY2(ru.contains(QRegularExpression("\\p{Cyrillic}")), key.c_str());
  }

  // Both languages have the same keys in every section the suite uses.
  for (const char* module : {"KvQtCpnt", "messages", "KvConfig"}) {
    KvSetLanguage("en");
    const auto en = KvResStringKeys(module);
    KvSetLanguage("ru");
    QCOMPARE(KvResStringKeys(module), en);
    QVERIFY(!en.empty());
  }
}

void TestSuiteConfig::languageFromEnvironment_data()
{
  QTest::addColumn<QStringList>("env"); // NAME=value; everything else about language unset
  QTest::addColumn<QString>("expected");

  QTest::newRow("LANG ru") << QStringList{"LANG=ru_RU.UTF-8"} << "ru";
  QTest::newRow("LC_MESSAGES before LANG") << QStringList{"LC_MESSAGES=ru_RU", "LANG=en_US.UTF-8"} << "ru";
  QTest::newRow("LANGUAGE list") << QStringList{"LANGUAGE=ru:en", "LANG=en_US.UTF-8"} << "ru";
  QTest::newRow("KV_LANG first") << QStringList{"KV_LANG=ru", "LANGUAGE=en", "LC_ALL=en_US"} << "ru";
}

void TestSuiteConfig::languageFromEnvironment()
{
  QFETCH(QStringList, env);
  QFETCH(QString, expected);
  QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"KV_LANG", "LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG", "KV_LANG_DIR"}) e.remove(name);
  for (const QString& kv : env) e.insert(kv.section('=', 0, 0), kv.section('=', 1));
  const QString caption = expected == "ru" ? QStringLiteral("Информация") : QStringLiteral("Information");
  QCOMPARE(RunChild({"print-lang"}, e), expected + "\n" + caption);
}

// Child mode: a fresh process reads its language from the environment.
static int RunChildCommand(int argc, char** argv)
{
  const std::string cmd = argc > 2 ? argv[2] : "";
  if (cmd == "print-lang") {
    std::cout << getCurLanguageId() << "\n" << KvMsg_helper("Cap_Info").std_str();
    return 0;
  }
  std::cerr << "unknown child command\n";
  return 2;
}

int main(int argc, char** argv)
{
  if (argc > 1 && std::string(argv[1]) == "--child") {
    try {
      return RunChildCommand(argc, argv);
    } catch (const std::exception& e) {
      std::cerr << e.what() << "\n";
      return 1;
    }
  }
  QCoreApplication app(argc, argv);
  TestSuiteConfig test;
  QTEST_SET_MAIN_SOURCE_PATH
  return QTest::qExec(&test, argc, argv);
}

#include "tst_suite_config.moc"
