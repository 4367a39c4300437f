#include "dialogs/tkvqmessagebox.h"
#include "module/kvmodule_initializer.h"
#include "module/kvqtappholder.h"

#include "kvsuite/kvconfig.h"
#include "kvsuite/kvmessage.h"

#include "kvtestsupport.h"

#include <QCheckBox>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>

#include <memory>

namespace {

enum class Fn { InfoMessage, InfoOKCancel, QuestYesNo, QuestYesNoCancel, AttentionYesNo, AttentionOKCancel,
                AttentionYesNoCancel, WarningMessage, WarningRetryIgnore, WarningAbortIgnore, ErrorMessage };

// Calls one message function; bool results as 1 / 0, none as 0.
int callFn(Fn fn, TKvOptionTable* ot = nullptr, const std::string& key = std::string(),
           const std::string& text = "Text", QWidget* parent = nullptr) {
  switch (fn) {
  case Fn::InfoMessage: KvQtInfoMessage(text, ot, key, parent); return 0;
  case Fn::InfoOKCancel: return KvQtInfoOKCancel(text, parent);
  case Fn::QuestYesNo: return KvQtQuestYesNo(text, ot, key, parent);
  case Fn::QuestYesNoCancel: return KvQtQuestYesNoCancel(text, ot, key, parent);
  case Fn::AttentionYesNo: return KvQtAttentionYesNo(text, ot, key, parent);
  case Fn::AttentionOKCancel: return KvQtAttentionOKCancel(text, parent);
  case Fn::AttentionYesNoCancel: return KvQtAttentionYesNoCancel(text, ot, key, parent);
  case Fn::WarningMessage: KvQtWarningMessage(text, ot, key, parent); return 0;
  case Fn::WarningRetryIgnore: return KvQtWarningRetryIgnore(text, parent);
  case Fn::WarningAbortIgnore: return KvQtWarningAbortIgnore(text, parent);
  case Fn::ErrorMessage: KvQtErrorMessage(text, parent); return 0;
  }
  return -100;
}

QMessageBox::StandardButton buttonNamed(const QString& name) {
  static const QMap<QString, QMessageBox::StandardButton> names{
      {"Ok", QMessageBox::Ok},         {"Cancel", QMessageBox::Cancel}, {"Yes", QMessageBox::Yes},
      {"No", QMessageBox::No},         {"Abort", QMessageBox::Abort},   {"Retry", QMessageBox::Retry},
      {"Ignore", QMessageBox::Ignore}};
  return names.value(name, QMessageBox::NoButton);
}

// What a test saw of a box before answering it.
struct Seen {
  int icon = -1, buttons = 0, defaultButton = 0, escapeButton = 0;
  QString title, text, checkText; // checkText is null without a check box
  QMap<int, QString> buttonTexts;
  QWidget* parent = nullptr;
  bool iconNull = false;
};

// Answers a box: "Escape", "Close" (the close box), or a button name, each
// optionally preceded by "tick+" / "untick+" steps on the show-once box.
void answer(QWidget* w, const QString& action, Seen* seen = nullptr) {
  auto* box = qobject_cast<QMessageBox*>(w);
  QVERIFY(box);
  if (seen) {
    seen->icon = box->icon();
    seen->buttons = int(box->standardButtons());
    seen->defaultButton = box->standardButton(box->defaultButton());
    seen->escapeButton = box->standardButton(box->escapeButton());
    seen->title = box->windowTitle();
    seen->text = box->text();
    seen->checkText = box->checkBox() ? box->checkBox()->text() : QString();
    for (QAbstractButton* b : box->buttons())
      seen->buttonTexts[box->standardButton(b)] = b->text();
    seen->parent = box->parentWidget();
    seen->iconNull = box->windowIcon().isNull();
  }
  for (const QString& step : action.split('+')) {
    if (step == "tick" || step == "untick") {
      QVERIFY(box->checkBox());
      box->checkBox()->click();
      QCOMPARE(box->checkBox()->isChecked(), step == "tick");
    } else if (step == "Escape") {
      kvtest::pressEscape(box);
    } else if (step == "Close") {
      kvtest::closeBox(box);
    } else {
      QAbstractButton* b = box->button(buttonNamed(step));
      QVERIFY2(b, qPrintable("no button " + step));
      b->click();
    }
  }
}

// Runs `call` while a driver answers the box it opens. With `shown` the
// caller checks whether a box appeared; without it a box must appear.
template <class F> int drive(const QString& action, F call, Seen* seen = nullptr, bool* shown = nullptr) {
  kvtest::ModalDriver driver([&](QWidget* w) { answer(w, action.isEmpty() ? "Escape" : action, seen); });
  driver.start();
  const int r = call();
  if (shown)
    *shown = driver.fired();
  else if (!driver.fired())
    QTest::qFail("the expected message box never appeared", __FILE__, __LINE__);
  return r;
}

QString res(const char* key) { return QString::fromUtf8(KvQtResString(key).c_str()); }

// Runs the probe program to its end.
std::unique_ptr<QProcess> runProbe(const QStringList& args, const QProcessEnvironment& env) {
  auto p = std::make_unique<QProcess>();
  p->setProcessEnvironment(env);
  p->start(QStringLiteral(KV_MSG_PROBE), args);
  if (!p->waitForFinished(60000))
    qWarning() << "the probe did not finish";
  return p;
}

} // namespace

Q_DECLARE_METATYPE(Fn)

class TstMessageBox : public QObject {
  Q_OBJECT
private slots:
  void initTestCase();
  void cleanup();

  void functionTable_data();
  void functionTable();
  void rememberedAnswers_data();
  void rememberedAnswers();
  void textTrimmedAndButtonTexts();
  void parentIconAndNoCheckBox();
  void forgetAnswers();
  void answersSurviveProcessRestart();
  void errorMessageWithoutApplication_data();
  void errorMessageWithoutApplication();
};

void TstMessageBox::initTestCase() { Init_KvQtCpnt(); }

void TstMessageBox::cleanup() { KV_VERIFY_NO_TOPLEVELS(); }

void TstMessageBox::functionTable_data() {
  QTest::addColumn<Fn>("fn");
  QTest::addColumn<int>("icon");
  QTest::addColumn<int>("buttons");
  QTest::addColumn<int>("defaultButton");
  QTest::addColumn<int>("escapeButton");
  QTest::addColumn<QString>("captionId");
  QTest::addColumn<QString>("action");
  QTest::addColumn<int>("expected");

  const int I = QMessageBox::Information, W = QMessageBox::Warning, C = QMessageBox::Critical,
            Q = QMessageBox::Question;
  const int Ok = QMessageBox::Ok, Ca = QMessageBox::Cancel, Y = QMessageBox::Yes, N = QMessageBox::No,
            A = QMessageBox::Abort, R = QMessageBox::Retry, Ig = QMessageBox::Ignore;
  const auto row = [](const char* name, Fn fn, int icon, int buttons, int def, int esc, const char* caption,
                      const char* action, int expected) {
    QTest::newRow(name) << fn << icon << buttons << def << esc << QString(caption) << QString(action) << expected;
  };
  row("info, escape", Fn::InfoMessage, I, Ok, Ok, Ok, "Cap_Info", "Escape", 0);
  row("info ok/cancel, ok", Fn::InfoOKCancel, I, Ok | Ca, Ok, Ca, "Cap_Info", "Ok", 1);
  row("question yes/no, close box", Fn::QuestYesNo, Q, Y | N, Y, N, "Cap_Question", "Close", 0);
  row("question 3-way, no", Fn::QuestYesNoCancel, Q, Y | N | Ca, Y, Ca, "Cap_Question", "No", 7);
  row("attention yes/no, escape", Fn::AttentionYesNo, W, Y | N, Y, N, "Cap_Warning", "Escape", 0);
  row("attention 3-way, yes", Fn::AttentionYesNoCancel, W, Y | N | Ca, Y, Ca, "Cap_Warning", "Yes", 6);
  row("retry/ignore, retry", Fn::WarningRetryIgnore, W, R | Ig, R, Ig, "Cap_Warning", "Retry", 4);
  row("abort/ignore, escape means abort", Fn::WarningAbortIgnore, W, A | Ig, Ig, A, "Cap_Warning", "Escape", 3);
  row("error, ok", Fn::ErrorMessage, C, Ok, Ok, Ok, "Cap_Error", "Ok", 0);
}

void TstMessageBox::functionTable() {
  QFETCH(Fn, fn);
  QFETCH(int, icon);
  QFETCH(int, buttons);
  QFETCH(int, defaultButton);
  QFETCH(int, escapeButton);
  QFETCH(QString, captionId);
  QFETCH(QString, action);
  QFETCH(int, expected);
  Seen seen;
  QCOMPARE(drive(action, [fn] { return callFn(fn); }, &seen), expected);
  QCOMPARE(seen.icon, icon);
  QCOMPARE(seen.buttons, buttons);
  QCOMPARE(seen.defaultButton, defaultButton);
  QCOMPARE(seen.escapeButton, escapeButton);
  QCOMPARE(seen.title, QString::fromUtf8(KvMsg_helper(captionId.toStdString()).std_str().c_str()));
  QVERIFY(seen.checkText.isNull());
}

void TstMessageBox::rememberedAnswers_data() {
  QTest::addColumn<Fn>("fn");
  QTest::addColumn<QString>("key");
  QTest::addColumn<int>("storedDontShow"); // -1: nothing stored beforehand
  QTest::addColumn<int>("storedChoice");
  QTest::addColumn<QString>("action"); // empty: no box may appear
  QTest::addColumn<int>("expected");
  QTest::addColumn<int>("afterDontShow"); // -1: entry absent afterwards
  QTest::addColumn<int>("afterChoice");
  const int Ok = QMessageBox::Ok, Y = QMessageBox::Yes, N = QMessageBox::No;
  const auto row = [](const char* name, Fn fn, const char* key, int dontShow, int choice, const char* action,
                      int expected, int afterDontShow, int afterChoice) {
    QTest::newRow(name) << fn << QString(key) << dontShow << choice << QString(action) << expected << afterDontShow
                        << afterChoice;
  };
  // Pre-stored entries always live under "Dlg/Ask/"; an empty action means no box may appear.
  row("remembered No, key without slash: false at once", Fn::QuestYesNo, "Dlg/Ask", 1, N, "", 0, 1, N);
  row("remembered Ok: warning not shown", Fn::WarningMessage, "Dlg/Ask", 1, Ok, "", 0, 1, Ok);
  row("remembered No: info box still shown", Fn::InfoMessage, "Dlg/Ask", 1, N, "Ok", 0, 1, N);
  row("stored Yes|No ignored", Fn::QuestYesNo, "Dlg/Ask", 1, Y | N, "Yes", 1, 1, Y | N);
  row("dont_show 0 ignored", Fn::QuestYesNo, "Dlg/Ask", 0, Y, "No", 0, 0, Y);
  row("misfit answer ignored and replaced when ticked", Fn::QuestYesNo, "Dlg/Ask", 1, Ok, "tick+Yes", 1, 1, Y);
  row("ticked No is stored (key without slash)", Fn::QuestYesNoCancel, "Dlg/Ask", -1, 0, "tick+No", 7, 1, N);
  row("ticked Cancel never stored", Fn::QuestYesNoCancel, "Dlg/Ask", -1, 0, "tick+Cancel", 2, -1, -1);
  row("ticked Escape on yes/no remembers its No", Fn::QuestYesNo, "Dlg/Ask", -1, 0, "tick+Escape", 0, 1, N);
  row("unticked again stores nothing", Fn::QuestYesNo, "Dlg/Ask", -1, 0, "tick+untick+Yes", 1, -1, -1);
}

void TstMessageBox::rememberedAnswers() {
  QFETCH(Fn, fn);
  QFETCH(QString, key);
  QFETCH(int, storedDontShow);
  QFETCH(int, storedChoice);
  QFETCH(QString, action);
  QFETCH(int, expected);
  QFETCH(int, afterDontShow);
  QFETCH(int, afterChoice);

  TKvOptionTable ot;
  if (storedDontShow >= 0) {
    ot.SetS<int>("Dlg/Ask/dont_show", storedDontShow);
    ot.SetS<int>("Dlg/Ask/choice", storedChoice);
  }
  Seen seen;
  bool shown = false;
  const std::string k = key.toStdString();
  const int r = drive(action, [&] { return callFn(fn, &ot, k); }, &seen, &shown);
  QCOMPARE(shown, !action.isEmpty());
  QCOMPARE(r, expected);
  QVERIFY2(!shown || !seen.checkText.isEmpty(), "a box that may remember its answer offers the show-once check box");
  const auto entry = [&](const char* name) { return ot.Has(name) ? ot.GetS<int>(name) : -1; };
  QCOMPARE(entry("Dlg/Ask/dont_show"), afterDontShow);
  QCOMPARE(entry("Dlg/Ask/choice"), afterChoice);
  // Nothing but the two entries of that prefix is ever written.
  QCOMPARE(int(ot.Names().size()), int(afterDontShow >= 0) + int(afterChoice >= 0));
}

void TstMessageBox::textTrimmedAndButtonTexts() {
  const int buttons = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
  Seen seen;
  drive("Escape", [&] {
    return ShowDlgMessageBox("\n\n  Line one\nline two \t\n\n", QMessageBox::Information, buttons, QMessageBox::Yes, QMessageBox::Cancel,
                             nullptr, std::string(), nullptr);
  }, &seen);
  QCOMPARE(seen.text, QString("Line one\nline two"));

  // The buttons carry the suite's own texts.
  QCOMPARE(seen.buttonTexts.value(QMessageBox::Yes), res("global.BtnYes"));
  QCOMPARE(seen.buttonTexts.value(QMessageBox::Cancel), res("global.BtnCancel"));
}

void TstMessageBox::parentIconAndNoCheckBox() {
  QWidget owner;
  owner.show();
  Seen seen;
  // Without a table or a key nothing can be remembered: no check box.
  drive("Ok", [&] { return callFn(Fn::InfoMessage, nullptr, "Dlg/Ask", "x", &owner); }, &seen);
  QCOMPARE(seen.parent, &owner);
  QVERIFY(seen.checkText.isNull());
  TKvOptionTable ot;
  // A box without a parent shows the application's own icon.
  QPixmap own(16, 16);
  own.fill(Qt::red);
  QApplication::setWindowIcon(QIcon(own));
  QCOMPARE(drive("No", [&] { return callFn(Fn::QuestYesNoCancel, &ot, ""); }, &seen), 7);
  QApplication::setWindowIcon(QIcon());
  QVERIFY(!seen.parent);
  QVERIFY(seen.checkText.isNull());
  QVERIFY(ot.Names().empty());
  QVERIFY(!seen.iconNull);
}

void TstMessageBox::forgetAnswers() {
  TKvOptionTable ot;
  QCOMPARE(drive("tick+Yes", [&] { return callFn(Fn::QuestYesNo, &ot, "Dlg/A"); }), 1);
  KvQtForgetAnswer(&ot, "Dlg/A/");
  QVERIFY(ot.Names().empty());
  QCOMPARE(drive("No", [&] { return callFn(Fn::QuestYesNo, &ot, "Dlg/A"); }), 0); // asked again

  drive("tick+Yes", [&] { return callFn(Fn::QuestYesNo, &ot, "Dlg/A"); });
  ot.SetS<int>("Mine/choice", 5); // the caller's own entry, no remembered answer
  ot.SetS<int>("plain", 1);
  KvQtForgetAllAnswers(&ot);
  QCOMPARE(ot.Names(), (std::vector<std::string>{"Mine/choice", "plain"}));
}

void TstMessageBox::answersSurviveProcessRestart() {
  TKvOptionTable* global = GlobalOT(1);
  QVERIFY(global);
  QCOMPARE(drive("tick+No", [&] { return callFn(Fn::QuestYesNo, global, "Restart/Ask"); }), 0);

  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("QT_QPA_PLATFORM", "offscreen");
  const auto same = runProbe({"recall", "Restart/Ask"}, env);
  QCOMPARE(same->exitCode(), 0);
  QCOMPARE(same->readAllStandardOutput().trimmed(), QByteArray("answer=no"));
  // The probe does notice a box: another key is asked.
  QCOMPARE(runProbe({"recall", "Restart/Other"}, env)->exitCode(), 3);
  KvQtForgetAnswer(global, "Restart/Ask");
}

void TstMessageBox::errorMessageWithoutApplication_data() {
  QTest::addColumn<QString>("mode");
  QTest::addColumn<QStringList>("expectedLines");
  QTest::newRow("no application object")
      << "nowidget"
      << QStringList{"kvmsgprobe: probe: no application \u0436", "kvmsgprobe: probe: safe call"};
  QTest::newRow("core-only application") << "core" << QStringList{"CoreProbe: probe: core application"};
}

void TstMessageBox::errorMessageWithoutApplication() {
  QFETCH(QString, mode);
  QFETCH(QStringList, expectedLines);
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.remove("DISPLAY");
  env.remove("WAYLAND_DISPLAY");
  const auto p = runProbe({mode}, env);
  const QString err = QString::fromUtf8(p->readAllStandardError());
  QVERIFY2(p->exitStatus() == QProcess::NormalExit && p->exitCode() == 0, qPrintable(err));
  const QStringList lines = err.split('\n', Qt::SkipEmptyParts);
  for (const QString& line : expectedLines)
    QVERIFY2(lines.contains(line), qPrintable("stderr was: " + err));
  if (mode == "nowidget")
    QCOMPARE(p->readAllStandardOutput().trimmed(), QByteArray("clipboard:none"));
}

QTEST_MAIN(TstMessageBox)
#include "tst_messagebox.moc"
