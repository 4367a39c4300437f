#include "dialogs/tkvqmessagebox.h"
#include "dialogs/tkvqmessageboxsaver.h"
#include "module/kvmodule_initializer.h"
#include "module/kvqtappholder.h"

#include "kvsuite/kvconfig.h"
#include "kvsuite/kvmessage.h"

#include "kvtestsupport.h"

#include <QCheckBox>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>

namespace {

enum class Fn {
  InfoMessage,
  InfoOKCancel,
  QuestYesNo,
  QuestYesNoCancel,
  AttentionYesNo,
  AttentionOKCancel,
  AttentionYesNoCancel,
  WarningMessage,
  WarningRetryIgnore,
  WarningAbortIgnore,
  ErrorMessage
};

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
  int icon = -1;
  int buttons = 0;
  int defaultButton = 0;
  int escapeButton = 0;
  QString title;
  QString text;
  bool hasCheck = false;
  QString checkText;
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
    seen->hasCheck = box->checkBox() != nullptr;
    seen->checkText = box->checkBox() ? box->checkBox()->text() : QString();
    for (QAbstractButton* b : box->buttons())
      seen->buttonTexts[box->standardButton(b)] = b->text();
    seen->parent = box->parentWidget();
    seen->iconNull = box->windowIcon().isNull();
  }
  const QStringList steps = action.split('+');
  for (const QString& step : steps) {
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

// Runs `call` while a driver answers the box it opens; `shown` tells whether
// a box appeared at all (a box that was expected but never came fails).
template <class F> int drive(const QString& action, F call, Seen* seen = nullptr, bool* shown = nullptr) {
  kvtest::ModalDriver driver([&](QWidget* w) { answer(w, action.isEmpty() ? "Escape" : action, seen); });
  driver.start();
  const int r = call();
  if (shown)
    *shown = driver.fired();
  return r;
}

QString res(const char* key) { return QString::fromUtf8(KvQtResString(key).c_str()); }

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
  void noTableOrKeyOffersNoCheckBox();
  void textTrimmedAndButtonTexts_data();
  void textTrimmedAndButtonTexts();
  void parentAndWindowIcon();
  void saverRemembersInItself();
  void forgetAnswers();
  void answersSurviveFreshTable();
  void answersSurviveProcessRestart();
  void errorMessageWithoutApplication_data();
  void errorMessageWithoutApplication();

private:
  QProcess* startProbe(const QStringList& args, const QProcessEnvironment& env);
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
  QTest::newRow("info, escape") << Fn::InfoMessage << I << Ok << Ok << Ok << "Cap_Info" << "Escape" << 0;
  QTest::newRow("info ok/cancel, ok") << Fn::InfoOKCancel << I << (Ok | Ca) << Ok << Ca << "Cap_Info" << "Ok" << 1;
  QTest::newRow("info ok/cancel, escape") << Fn::InfoOKCancel << I << (Ok | Ca) << Ok << Ca << "Cap_Info" << "Escape"
                                          << 0;
  QTest::newRow("question yes/no, yes") << Fn::QuestYesNo << Q << (Y | N) << Y << N << "Cap_Question" << "Yes" << 1;
  QTest::newRow("question yes/no, escape") << Fn::QuestYesNo << Q << (Y | N) << Y << N << "Cap_Question" << "Escape"
                                           << 0;
  QTest::newRow("question yes/no, close box") << Fn::QuestYesNo << Q << (Y | N) << Y << N << "Cap_Question"
                                              << "Close" << 0;
  QTest::newRow("question 3-way, yes") << Fn::QuestYesNoCancel << Q << (Y | N | Ca) << Y << Ca << "Cap_Question"
                                       << "Yes" << 6;
  QTest::newRow("question 3-way, no") << Fn::QuestYesNoCancel << Q << (Y | N | Ca) << Y << Ca << "Cap_Question"
                                      << "No" << 7;
  QTest::newRow("question 3-way, escape") << Fn::QuestYesNoCancel << Q << (Y | N | Ca) << Y << Ca << "Cap_Question"
                                          << "Escape" << 2;
  QTest::newRow("question 3-way, close box") << Fn::QuestYesNoCancel << Q << (Y | N | Ca) << Y << Ca
                                             << "Cap_Question" << "Close" << 2;
  QTest::newRow("attention yes/no, yes") << Fn::AttentionYesNo << W << (Y | N) << Y << N << "Cap_Warning" << "Yes"
                                         << 1;
  QTest::newRow("attention yes/no, escape") << Fn::AttentionYesNo << W << (Y | N) << Y << N << "Cap_Warning"
                                            << "Escape" << 0;
  QTest::newRow("attention ok/cancel, ok") << Fn::AttentionOKCancel << W << (Ok | Ca) << Ok << Ca << "Cap_Warning"
                                           << "Ok" << 1;
  QTest::newRow("attention ok/cancel, escape") << Fn::AttentionOKCancel << W << (Ok | Ca) << Ok << Ca
                                               << "Cap_Warning" << "Escape" << 0;
  QTest::newRow("attention 3-way, no") << Fn::AttentionYesNoCancel << W << (Y | N | Ca) << Y << Ca << "Cap_Warning"
                                       << "No" << 7;
  QTest::newRow("attention 3-way, escape") << Fn::AttentionYesNoCancel << W << (Y | N | Ca) << Y << Ca
                                           << "Cap_Warning" << "Escape" << 2;
  QTest::newRow("warning, escape") << Fn::WarningMessage << W << Ok << Ok << Ok << "Cap_Warning" << "Escape" << 0;
  QTest::newRow("retry/ignore, retry") << Fn::WarningRetryIgnore << W << (R | Ig) << R << Ig << "Cap_Warning"
                                       << "Retry" << 4;
  QTest::newRow("retry/ignore, escape") << Fn::WarningRetryIgnore << W << (R | Ig) << R << Ig << "Cap_Warning"
                                        << "Escape" << 5;
  QTest::newRow("abort/ignore, escape means abort") << Fn::WarningAbortIgnore << W << (A | Ig) << Ig << A
                                                    << "Cap_Warning" << "Escape" << 3;
  QTest::newRow("abort/ignore, close box means abort") << Fn::WarningAbortIgnore << W << (A | Ig) << Ig << A
                                                       << "Cap_Warning" << "Close" << 3;
  QTest::newRow("abort/ignore, ignore") << Fn::WarningAbortIgnore << W << (A | Ig) << Ig << A << "Cap_Warning"
                                        << "Ignore" << 5;
  QTest::newRow("error, escape") << Fn::ErrorMessage << C << Ok << Ok << Ok << "Cap_Error" << "Escape" << 0;
  QTest::newRow("error, ok") << Fn::ErrorMessage << C << Ok << Ok << Ok << "Cap_Error" << "Ok" << 0;
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
  bool shown = false;
  const int r = drive(action, [fn] { return callFn(fn); }, &seen, &shown);
  QVERIFY(shown);
  QCOMPARE(r, expected);
  QCOMPARE(seen.icon, icon);
  QCOMPARE(seen.buttons, buttons);
  QCOMPARE(seen.defaultButton, defaultButton);
  QCOMPARE(seen.escapeButton, escapeButton);
  QCOMPARE(seen.title, QString::fromUtf8(KvMsg_helper(captionId.toStdString()).std_str().c_str()));
  QVERIFY(!seen.hasCheck);
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
  // Pre-stored entries always live under "Dlg/Ask/".
  QTest::newRow("remembered No, key without slash: yes/no false at once")
      << Fn::QuestYesNo << "Dlg/Ask" << 1 << N << "" << 0 << 1 << N;
  QTest::newRow("remembered No, key with slash: yes/no false at once")
      << Fn::QuestYesNo << "Dlg/Ask/" << 1 << N << "" << 0 << 1 << N;
  QTest::newRow("remembered No: yes/no/cancel 7 at once")
      << Fn::QuestYesNoCancel << "Dlg/Ask" << 1 << N << "" << 7 << 1 << N;
  QTest::newRow("remembered Yes: attention yes/no true at once")
      << Fn::AttentionYesNo << "Dlg/Ask" << 1 << Y << "" << 1 << 1 << Y;
  QTest::newRow("remembered Yes: attention 3-way 6 at once")
      << Fn::AttentionYesNoCancel << "Dlg/Ask" << 1 << Y << "" << 6 << 1 << Y;
  QTest::newRow("remembered Ok: warning not shown") << Fn::WarningMessage << "Dlg/Ask" << 1 << Ok << "" << 0 << 1
                                                    << Ok;
  QTest::newRow("remembered No: info box still shown") << Fn::InfoMessage << "Dlg/Ask" << 1 << N << "Ok" << 0 << 1
                                                       << N;
  QTest::newRow("stored Yes|No (81920) ignored") << Fn::QuestYesNo << "Dlg/Ask" << 1 << (Y | N) << "Yes" << 1 << 1
                                                 << (Y | N);
  QTest::newRow("stored Ok for a yes/no box ignored") << Fn::QuestYesNo << "Dlg/Ask" << 1 << Ok << "No" << 0 << 1
                                                      << Ok;
  QTest::newRow("stored Cancel ignored") << Fn::QuestYesNoCancel << "Dlg/Ask" << 1 << int(QMessageBox::Cancel)
                                         << "Yes" << 6 << 1 << int(QMessageBox::Cancel);
  QTest::newRow("dont_show 0 ignored") << Fn::QuestYesNo << "Dlg/Ask" << 0 << Y << "No" << 0 << 0 << Y;
  QTest::newRow("misfit answer replaced when ticked again")
      << Fn::QuestYesNo << "Dlg/Ask" << 1 << Ok << "tick+Yes" << 1 << 1 << Y;
  QTest::newRow("ticked No is stored (key without slash)")
      << Fn::QuestYesNoCancel << "Dlg/Ask" << -1 << 0 << "tick+No" << 7 << 1 << N;
  QTest::newRow("ticked Yes is stored (key with slash)")
      << Fn::QuestYesNo << "Dlg/Ask/" << -1 << 0 << "tick+Yes" << 1 << 1 << Y;
  QTest::newRow("ticked Ok is stored") << Fn::InfoMessage << "Dlg/Ask" << -1 << 0 << "tick+Ok" << 0 << 1 << Ok;
  QTest::newRow("ticked Cancel never stored") << Fn::QuestYesNoCancel << "Dlg/Ask" << -1 << 0 << "tick+Cancel" << 2
                                              << -1 << -1;
  QTest::newRow("ticked Escape on 3-way stores nothing")
      << Fn::QuestYesNoCancel << "Dlg/Ask" << -1 << 0 << "tick+Escape" << 2 << -1 << -1;
  QTest::newRow("ticked Escape on yes/no remembers its No")
      << Fn::QuestYesNo << "Dlg/Ask" << -1 << 0 << "tick+Escape" << 0 << 1 << N;
  QTest::newRow("unticked again stores nothing") << Fn::QuestYesNo << "Dlg/Ask" << -1 << 0 << "tick+untick+Yes" << 1
                                                 << -1 << -1;
  QTest::newRow("answer without tick stores nothing") << Fn::QuestYesNo << "Dlg/Ask" << -1 << 0 << "No" << 0 << -1
                                                      << -1;
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
  if (shown) {
    QVERIFY2(seen.hasCheck, "a box that may remember its answer offers the show-once check box");
    QVERIFY(!seen.checkText.isEmpty());
    if (!res("global.ShowOnce").isEmpty())
      QCOMPARE(seen.checkText, res("global.ShowOnce"));
  }
  QCOMPARE(ot.Has("Dlg/Ask/dont_show"), afterDontShow >= 0);
  QCOMPARE(ot.Has("Dlg/Ask/choice"), afterChoice >= 0);
  if (afterDontShow >= 0)
    QCOMPARE(ot.GetS<int>("Dlg/Ask/dont_show"), afterDontShow);
  if (afterChoice >= 0)
    QCOMPARE(ot.GetS<int>("Dlg/Ask/choice"), afterChoice);
  // Nothing but the two entries of that prefix is ever written.
  for (const std::string& name : ot.Names())
    QVERIFY2(name == "Dlg/Ask/dont_show" || name == "Dlg/Ask/choice", name.c_str());
}

void TstMessageBox::noTableOrKeyOffersNoCheckBox() {
  TKvOptionTable ot;
  Seen seen;
  QCOMPARE(drive("Yes", [] { return callFn(Fn::QuestYesNo, nullptr, "Dlg/Ask"); }, &seen), 1);
  QVERIFY(!seen.hasCheck);
  QCOMPARE(drive("No", [&] { return callFn(Fn::QuestYesNoCancel, &ot, ""); }, &seen), 7);
  QVERIFY(!seen.hasCheck);
  QVERIFY(ot.Names().empty());
}

void TstMessageBox::textTrimmedAndButtonTexts_data() {
  QTest::addColumn<int>("buttons");
  QTest::addColumn<bool>("relabelled");
  using B = QMessageBox;
  QTest::newRow("ok") << int(B::Ok) << true;
  QTest::newRow("yes+no+cancel") << int(B::Yes | B::No | B::Cancel) << true;
  QTest::newRow("retry+cancel") << int(B::Retry | B::Cancel) << true;
  QTest::newRow("abort+retry+ignore") << int(B::Abort | B::Retry | B::Ignore) << true;
  QTest::newRow("ok+yes keeps toolkit texts") << int(B::Ok | B::Yes) << false;
  QTest::newRow("retry+ignore keeps toolkit texts") << int(B::Retry | B::Ignore) << false;
}

void TstMessageBox::textTrimmedAndButtonTexts() {
  QFETCH(int, buttons);
  QFETCH(bool, relabelled);
  const int first = buttons & -buttons; // lowest button as default and escape
  Seen seen;
  drive("Escape", [&] {
    return ShowDlgMessageBox("\n\n  Line one\nline two \t\n\n", QMessageBox::Information, buttons, first, first,
                             nullptr, std::string(), nullptr);
  }, &seen);
  QCOMPARE(seen.text, QString("Line one\nline two"));

  QMessageBox plain;
  plain.setStandardButtons(QMessageBox::StandardButtons(buttons));
  const QMap<int, const char*> keys{{QMessageBox::Ok, "global.BtnOk"},       {QMessageBox::Cancel, "global.BtnCancel"},
                                    {QMessageBox::Yes, "global.BtnYes"},     {QMessageBox::No, "global.BtnNo"},
                                    {QMessageBox::Abort, "global.BtnAbort"}, {QMessageBox::Retry, "global.BtnRetry"},
                                    {QMessageBox::Ignore, "global.BtnIgnore"}};
  QCOMPARE(seen.buttonTexts.size(), plain.buttons().size());
  for (auto it = seen.buttonTexts.cbegin(); it != seen.buttonTexts.cend(); ++it) {
    const QString resource = res(keys.value(it.key()));
    const QString toolkit = plain.button(QMessageBox::StandardButton(it.key()))->text();
    QCOMPARE(it.value(), relabelled && !resource.isEmpty() ? resource : toolkit);
  }
}

void TstMessageBox::parentAndWindowIcon() {
  QWidget owner;
  owner.show();
  Seen seen;
  drive("Ok", [&] { return callFn(Fn::InfoMessage, nullptr, "", "x", &owner); }, &seen);
  QCOMPARE(seen.parent, &owner);
  drive("Ok", [&] { return callFn(Fn::InfoMessage); }, &seen);
  QVERIFY(!seen.parent);
  QCOMPARE(seen.iconNull, KvLoadQApplicationMainIcon().isNull());
}

void TstMessageBox::saverRemembersInItself() {
  TKvQMessageBoxSaver saver;
  QCOMPARE(drive("tick+No", [&] { return int(saver.KvQuestYesNo("Go?", "Saver/Q")); }), 0);
  QCOMPARE(saver.GetS<int>("Saver/Q/dont_show"), 1);
  QCOMPARE(saver.GetS<int>("Saver/Q/choice"), int(QMessageBox::No));

  bool shown = true;
  QCOMPARE(drive("", [&] { return saver.KvQuestYesNoCancel("Go?", "Saver/Q/"); }, nullptr, &shown), 7);
  QVERIFY(!shown);
  QCOMPARE(drive("", [&] { return saver.KvAttentionYesNoCancel("Go?", "Saver/Q"); }, nullptr, &shown), 7);
  QVERIFY(!shown);
  QCOMPARE(drive("", [&] { return int(saver.KvAttentionYesNo("Go?", "Saver/Q")); }, nullptr, &shown), 0);
  QVERIFY(!shown);
  drive("Ok", [&] { saver.KvInfoMessage("Note", "Saver/Q"); return 0; }, nullptr, &shown);
  QVERIFY2(shown, "No is no answer to an Ok box");
  drive("tick+Ok", [&] { saver.KvWarningMessage("Careful", "Saver/W"); return 0; }, nullptr, &shown);
  QVERIFY(shown);
  drive("", [&] { saver.KvWarningMessage("Careful", "Saver/W"); return 0; }, nullptr, &shown);
  QVERIFY(!shown);
}

void TstMessageBox::forgetAnswers() {
  TKvOptionTable ot;
  QCOMPARE(drive("tick+Yes", [&] { return callFn(Fn::QuestYesNo, &ot, "Dlg/A"); }), 1);
  bool shown = true;
  drive("", [&] { return callFn(Fn::QuestYesNo, &ot, "Dlg/A"); }, nullptr, &shown);
  QVERIFY(!shown);

  KvQtForgetAnswer(&ot, "Dlg/A/");
  QVERIFY(!ot.Has("Dlg/A/dont_show"));
  QVERIFY(!ot.Has("Dlg/A/choice"));
  QCOMPARE(drive("No", [&] { return callFn(Fn::QuestYesNo, &ot, "Dlg/A"); }, nullptr, &shown), 0);
  QVERIFY(shown);

  ot.SetS<int>("Dlg/A/dont_show", 1);
  ot.SetS<int>("Dlg/A/choice", QMessageBox::Yes);
  ot.SetS<int>("Other/B/dont_show", 1);
  ot.SetS<int>("Other/B/choice", QMessageBox::No);
  ot.SetS<int>("Mine/choice", 5); // the caller's own entry, no remembered answer
  ot.SetS<int>("plain", 1);
  KvQtForgetAllAnswers(&ot);
  QCOMPARE(ot.Names(), (std::vector<std::string>{"Mine/choice", "plain"}));

  KvQtForgetAnswer(nullptr, "Dlg/A");
  KvQtForgetAnswer(&ot, "");
  KvQtForgetAllAnswers(nullptr);
  QCOMPARE(ot.Names().size(), size_t(2));
}

void TstMessageBox::answersSurviveFreshTable() {
  const QString file = kvtest::freshDir("msgbox") + "/answers.ini";
  {
    TKvPersistentOptionTable ot(file.toStdString());
    QCOMPARE(drive("tick+Yes", [&] { return callFn(Fn::AttentionYesNo, &ot, "Keep/Ask"); }), 1);
  }
  TKvPersistentOptionTable reread(file.toStdString());
  bool shown = true;
  QCOMPARE(drive("", [&] { return callFn(Fn::AttentionYesNoCancel, &reread, "Keep/Ask/"); }, nullptr, &shown), 6);
  QVERIFY(!shown);
}

QProcess* TstMessageBox::startProbe(const QStringList& args, const QProcessEnvironment& env) {
  auto* p = new QProcess(this);
  p->setProcessEnvironment(env);
  p->start(QStringLiteral(KV_MSG_PROBE), args);
  return p;
}

void TstMessageBox::answersSurviveProcessRestart() {
  TKvOptionTable* global = GlobalOT(1);
  QVERIFY(global);
  QCOMPARE(drive("tick+No", [&] { return callFn(Fn::QuestYesNo, global, "Restart/Ask"); }), 0);

  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("QT_QPA_PLATFORM", "offscreen");
  QScopedPointer<QProcess> same(startProbe({"recall", "Restart/Ask"}, env));
  QVERIFY(same->waitForFinished(60000));
  QCOMPARE(same->exitCode(), 0);
  QCOMPARE(same->readAllStandardOutput().trimmed(), QByteArray("answer=no"));

  // The probe does notice a box: another key is asked.
  QScopedPointer<QProcess> other(startProbe({"recall", "Restart/Other"}, env));
  QVERIFY(other->waitForFinished(60000));
  QCOMPARE(other->exitCode(), 3);
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
  QScopedPointer<QProcess> p(startProbe({mode}, env));
  QVERIFY(p->waitForFinished(60000));
  QCOMPARE(p->exitStatus(), QProcess::NormalExit);
  const QString err = QString::fromUtf8(p->readAllStandardError());
  QCOMPARE(p->exitCode(), 0);
  const QStringList lines = err.split('\n', Qt::SkipEmptyParts);
  for (const QString& line : expectedLines)
    QVERIFY2(lines.contains(line), qPrintable("stderr was: " + err));
  if (mode == "nowidget")
    QCOMPARE(p->readAllStandardOutput().trimmed(), QByteArray("clipboard:none"));
}

QTEST_MAIN(TstMessageBox)
#include "tst_messagebox.moc"
