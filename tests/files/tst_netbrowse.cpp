// Network browsing: the enumerator's worker loop, its cache and its stop,
// the server sources, KvQtSelectComputer, and a start/stop stress run under
// a watchdog.

#include "filetestutil.h"

#include "files/kvqtselectcomputer.h"
#include "files/netdlglistwidget.h"
#include "files/qtdlgthunk.h"
#include "files/qtnetdlg.h"
#include "files/qtnetserverenumerator.h"
#include "files/tkvqtmdnsserversource.h"
#include "files/tkvqtmountserversource.h"
#include "files/tkvqtnetenumeratorthread.h"
#include "module/kvmodule_initializer.h"

#include <QElapsedTimer>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <thread>

namespace {

// A source that answers a fixed list; with `gate`, it waits until the gate
// opens or the enumerator is stopped.
class FakeSource : public IKvQtNetServerSource {
public:
  explicit FakeSource(QStringList names, bool gated = false) : FNames(std::move(names)), FGated(gated) {}
  QStringList discover(const std::function<bool()>& cancelled) override {
    ++calls;
    while (FGated && !open && !cancelled())
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    return FNames;
  }
  std::atomic<int> calls{0};
  std::atomic<bool> open{false};

private:
  QStringList FNames;
  bool FGated;
};

// Aborts the process when the guarded code has not finished in time, so a
// hang fails the run instead of blocking it.
struct Watchdog {
  std::promise<void> done;
  std::thread thread;
  explicit Watchdog(int seconds)
      : thread([f = done.get_future(), seconds] {
          if (f.wait_for(std::chrono::seconds(seconds)) == std::future_status::timeout) {
            std::fprintf(stderr, "watchdog: no end after %d s\n", seconds);
            std::abort();
          }
        }) {}
  ~Watchdog() {
    done.set_value();
    thread.join();
  }
};

} // namespace

class TstNetBrowse : public QObject {
  Q_OBJECT
private Q_SLOTS:
  void initTestCase() { Init_KvQtCpnt(); }
  void cleanupTestCase() {
    KvQtResetDefaultNetServerSources();
    Deinit_KvQtCpnt();
  }
  void cleanup() {
    QCOMPARE(kvtest::closeStrayModals(), 0);
    KV_VERIFY_NO_TOPLEVELS();
  }

  void enumeratorPassesAndCache();
  void stopEndsSlowSourceAndWaitingLoop();
  void mountTable_data();
  void mountTable();
  void mdnsProgramMissingOrHanging();
  void selectComputer();
  void fileDialogNetworkButton();
  void startStopStress();
};

void TstNetBrowse::enumeratorPassesAndCache() {
  auto first = std::make_shared<FakeSource>(QStringList{"alpha", "beta"});
  auto second = std::make_shared<FakeSource>(QStringList{"beta", "", "gamma"});
  TKvQtNetEnumeratorThread worker({first, second});
  QtNetServerEnumerator* e = worker.enumerator();
  std::vector<QString> list{"untouched"};
  QTRY_VERIFY(e->cachedServerList(list));
  QCOMPARE(list, (std::vector<QString>{"alpha", "beta", "gamma"}));
  // A valid cache makes the loop sleep: no further pass until woken.
  QTest::qWait(50);
  QCOMPARE(first->calls.load(), 1);
  e->invalidateCache();
  QVERIFY(!e->cachedServerList(list));
  e->refresh();
  QTRY_COMPARE(first->calls.load(), 2);
  QTRY_VERIFY(e->cachedServerList(list));
}

void TstNetBrowse::stopEndsSlowSourceAndWaitingLoop() {
  Watchdog dog(30);
  // Stopped while a source is still looking.
  auto slow = std::make_shared<FakeSource>(QStringList{"x"}, true);
  TKvQtNetEnumeratorThread busy({slow});
  QTRY_COMPARE(slow->calls.load(), 1);
  QSignalSpy finishedBusy(busy.enumerator(), &QtNetServerEnumerator::finished);
  QVERIFY(busy.stop(5000));
  QCOMPARE(finishedBusy.count(), 1);
  std::vector<QString> list;
  QVERIFY(!busy.enumerator()->cachedServerList(list));

  // Stopped while it sleeps on a valid cache.
  TKvQtNetEnumeratorThread idle({std::make_shared<FakeSource>(QStringList{"y"})});
  QSignalSpy finishedIdle(idle.enumerator(), &QtNetServerEnumerator::finished);
  QTRY_VERIFY(idle.enumerator()->cachedServerList(list));
  QVERIFY(idle.stop(5000));
  QCOMPARE(finishedIdle.count(), 1);
}

void TstNetBrowse::mountTable_data() {
  QTest::addColumn<QByteArray>("table");
  QTest::addColumn<QStringList>("servers");
  QTest::addColumn<QString>("nasFolder"); // where the server "nas" is browsed
  QTest::newRow("shares") << QByteArray("//nas/photos /mnt/nas/p cifs rw 0 0\n"
                                        "fs1:/export/home /home nfs4 rw 0 0\n"
                                        "me@build.lan:/src /mnt/s fuse.sshfs rw 0 0\n"
                                        "[fe80::1]:/x /mnt/v6 nfs rw 0 0\n"
                                        "https://dav.example.org/remote /mnt/d davfs rw 0 0\n"
                                        "//NAS/music /mnt/nas/music\\040box smb3 rw 0 0\n")
                          << QStringList{"nas", "fs1", "build.lan", "[fe80::1]", "dav.example.org"}
                          << "/mnt/nas";
  QTest::newRow("shares with only / in common")
      << QByteArray("//nas/a /srv/a cifs rw 0 0\n//nas/b /media/b cifs rw 0 0\n") << QStringList{"nas"} << "/srv/a";
  QTest::newRow("garbage") << QByteArray("\n\n  \ncifs\n// x cifs\n:/ y nfs\n\xff\xfe z cifs\n//nas/x /m\\9 cifs")
                           << QStringList{"nas"} << "/m\\9";
}

void TstNetBrowse::mountTable() {
  QFETCH(QByteArray, table);
  QFETCH(QStringList, servers);
  QFETCH(QString, nasFolder);
  QCOMPARE(TKvQtMountServerSource::parse(table), servers);
  const QString file = kvtest::freshDir("mounts") + "/mounts";
  QFile f(file);
  QVERIFY(f.open(QIODevice::WriteOnly) && f.write(table) == table.size());
  f.close();
  QCOMPARE(TKvQtMountServerSource::serverFolder("nas", file), nasFolder);
  QVERIFY(TKvQtMountServerSource("/nonexistent/mounts").discover({}).isEmpty());
  QVERIFY(TKvQtMountServerSource::serverFolder("nas", "/nonexistent/mounts").isEmpty());
}

void TstNetBrowse::mdnsProgramMissingOrHanging() {
  const QByteArray out = "+;eth0;IPv4;Office NAS;_smb._tcp;local\n"
                         "=;eth0;IPv4;Office NAS;_smb._tcp;local;nas.local;192.168.1.5;445;\n"
                         "=;eth0;IPv6;Office NAS;_smb._tcp;local;nas.local;fe80::5;445;\n"
                         "=;eth0;IPv4;Printer;_ipp._tcp;local;printer.local;192.168.1.9;631;\n"
                         "=;eth0;IPv4;Build;_sftp-ssh._tcp;local;build.local.;192.168.1.7;22;\n"
                         "=;short;line\n";
  QCOMPARE(TKvQtMdnsServerSource::parse(out), (QStringList{"nas.local", "build.local"}));
  QVERIFY(TKvQtMdnsServerSource("kv-no-such-program").discover({}).isEmpty());
  const QString script = kvtest::freshDir("mdns") + "/hang.sh";
  QFile f(script);
  QVERIFY(f.open(QIODevice::WriteOnly));
  f.write("#!/bin/sh\necho '=;e;IPv4;N;_smb._tcp;local;slow.local;1.2.3.4;445;'\nexec sleep 30\n");
  f.close();
  f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  QElapsedTimer timer;
  timer.start();
  QCOMPARE(TKvQtMdnsServerSource(script, 300).discover({}), QStringList{"slow.local"});
  QVERIFY2(timer.elapsed() < 5000, "the time limit did not stop the browse");
  timer.restart();
  QVERIFY(TKvQtMdnsServerSource(script, 30000).discover([] { return true; }).size() <= 1);
  QVERIFY2(timer.elapsed() < 5000, "cancelling did not stop the browse");
}

void TstNetBrowse::selectComputer() {
  // Nothing to choose: an empty answer, nothing shown, no hang.
  KvQtSetDefaultNetServerSources({});
  QElapsedTimer timer;
  timer.start();
  QCOMPARE(KvQtSelectComputer(nullptr, "Pick"), std::string());
  QVERIFY(timer.elapsed() < 3000);
  // Servers found: the chooser is filled from the source and answers the pick.
  KvQtSetDefaultNetServerSources({std::make_shared<FakeSource>(QStringList{"alpha", "beta"})});
  QString title;
  QStringList names;
  kvtest::ModalDriver driver([&](QWidget* w) {
    auto* chooser = qobject_cast<QtNetDlg*>(w);
    QVERIFY(chooser);
    title = chooser->windowTitle();
    for (int i = 0; i < chooser->list()->count(); ++i)
      names << chooser->list()->item(i)->text();
    chooser->list()->item(1)->setSelected(true);
    chooser->accept();
  });
  driver.start();
  QCOMPARE(KvQtSelectComputer(nullptr, "Pick \xc3\xa4"), std::string("beta"));
  QVERIFY(driver.fired());
  QCOMPARE(title, QString::fromUtf8("Pick \xc3\xa4"));
  QCOMPARE(names, (QStringList{"alpha", "beta"}));
  KvQtResetDefaultNetServerSources();
}

// The network button in Qt's own file dialog (it depends on the names of the
// dialog's inner widgets, which a Qt update could change): the chooser before
// and after the first pass, Update, and the chosen server in the sidebar.
void TstNetBrowse::fileDialogNetworkButton() {
  const QString dir = kvtest::freshDir("thunk");
  QDir().mkpath(dir + "/alpha share");
  QFile mounts(dir + "/mounts");
  QVERIFY(mounts.open(QIODevice::WriteOnly));
  mounts.write(QFile::encodeName("//alpha/share " + dir + "/alpha\\040share cifs rw 0 0\n"));
  mounts.close();
  auto source = std::make_shared<FakeSource>(QStringList{"alpha", "beta"}, true);
  TKvQtNetEnumeratorThread worker({source});
  QFileDialog dlg(nullptr, "Open", QDir::tempPath());
  dlg.setOption(QFileDialog::DontUseNativeDialog);
  QtDlgThunk thunk(worker.enumerator());
  thunk.setMountTable(mounts.fileName());
  thunk.SetFileDialog(&dlg);
  try {
    thunk.SetFileDialog(&dlg);
    QFAIL("a second dialog was taken");
  } catch (const std::runtime_error& e) {
    QCOMPARE(QString(e.what()), QString("SetFileDialog(): QFileDialog was already set."));
  }
  auto* button = dlg.findChild<QToolButton*>("kvNetworkButton");
  QVERIFY(button);
  QStringList log;
  kvtest::ModalDriver driver([&](QWidget* w) {
    auto* chooser = qobject_cast<QtNetDlg*>(w);
    QVERIFY(chooser);
    const auto state = [&] {
      QListWidgetItem* first = chooser->list()->item(0);
      log << QString("%1 %2 %3")
                 .arg(chooser->list()->count())
                 .arg(first && first->flags() != Qt::NoItemFlags ? first->text() : "note")
                 .arg(chooser->updateButton()->isEnabled() ? "update" : "-");
    };
    state();
    source->open = true;
    QTRY_VERIFY(chooser->updateButton()->isEnabled());
    state();
    chooser->updateButton()->click();
    state();
    QTRY_VERIFY(chooser->updateButton()->isEnabled());
    chooser->list()->item(0)->setSelected(true);
    chooser->accept();
  });
  driver.start();
  button->click();
  QVERIFY(driver.fired());
  QCOMPARE(log, (QStringList{"1 note -", "2 alpha update", "2 alpha -"}));
  // The server is shown where its share is mounted.
  QVERIFY(dlg.sidebarUrls().contains(QUrl::fromLocalFile(dir + "/alpha share")));
  QCOMPARE(dlg.directory().absolutePath(), dir + "/alpha share");
  // A server with nothing mounted: a message, the sidebar left alone.
  const int entries = dlg.sidebarUrls().size();
  QString message;
  kvtest::ModalDriver box([&](QWidget* w) {
    auto* mb = qobject_cast<QMessageBox*>(w);
    QVERIFY(mb);
    message = mb->text();
    mb->accept();
  });
  box.start();
  thunk.netDialog()->list()->item(1)->setSelected(true);
  thunk.goToServer();
  QVERIFY(box.fired());
  QVERIFY(message.contains("beta"));
  QCOMPARE(dlg.sidebarUrls().size(), entries);
  QVERIFY(worker.stop(10000));
}

void TstNetBrowse::startStopStress() {
  Watchdog dog(240);
  auto source = std::make_shared<FakeSource>(QStringList{"s"});
  int published = 0;
  for (int i = 0; i < 1000; ++i) {
    TKvQtNetEnumeratorThread worker({source});
    if (i % 10 == 0) {
      // Now and then let a pass finish and wake it once more.
      std::vector<QString> list;
      QTRY_VERIFY(worker.enumerator()->cachedServerList(list));
      worker.enumerator()->refresh();
      ++published;
    }
    QVERIFY(worker.stop(10000));
  }
  QCOMPARE(published, 100);
}

QTEST_MAIN(TstNetBrowse)
#include "tst_netbrowse.moc"
