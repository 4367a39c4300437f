// kvqtcpnt-gallery: every component of the library on a page of its own.
//
//   kvqtcpnt-gallery                 pages in a list; open one to use it
//   kvqtcpnt-gallery --render DIR    every page as PNG, in English and Russian,
//                                    light and dark, at 100 % and 200 %, with
//                                    DIR/index.html showing them side by side
//   kvqtcpnt-gallery --list          the pages' names
//
// --render runs one process per language and scale (the scale of a Qt
// process is fixed when it starts): on the offscreen platform at 100 %, on a
// virtual 4K X screen (xvfb-run) at 200 %. It reports every text that does
// not fit its widget and ends with 1 when there was one.

#include "capturestage.h"
#include "gallery.h"
#include "layoutcheck.h"

#include "module/kvmodule_initializer.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCommandLineParser>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImageReader>
#include <QLabel>
#include <QPixmap>
#include <QPointer>
#include <QProcess>
#include <QStandardPaths>
#include <QTextStream>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <cstdio>
#include <cstring>

namespace {

const char* const kLanguages[] = {"en", "ru"};
const int kScales[] = {1, 2};
const GalleryTheme kThemes[] = {GalleryTheme::Light, GalleryTheme::Dark};

QString PictureName(const QString& id, const QString& lang, GalleryTheme theme, int scale) {
  return QString("%1-%2-%3-%4x.png").arg(id, lang, GalleryThemeName(theme)).arg(scale);
}

QString ReportName(const QString& lang, int scale) { return QString("report-%1-%2x.txt").arg(lang).arg(scale); }

// The offscreen platform says this of every window shown: nothing to act on.
QtMessageHandler gPreviousHandler = nullptr;

void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& msg) {
  if (msg.contains("does not support propagateSizeHints"))
    return;
  if (gPreviousHandler)
    gPreviousHandler(type, context, msg);
}

// One language at one scale: every page in both themes. The report holds a
// line "<page id>\t<theme>\t<what>" for each problem and each failure.
int Shoot(const QString& dir, const QString& lang, int scale) {
  gPreviousHandler = qInstallMessageHandler(QuietHandler);
  if (!GalleryUseLanguage(lang)) {
    std::fprintf(stderr, "kvqtcpnt-gallery: no translation for \"%s\"\n", qPrintable(lang));
    return 2;
  }
  QFile report(QDir(dir).filePath(ReportName(lang, scale)));
  if (!report.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
    std::fprintf(stderr, "kvqtcpnt-gallery: cannot write %s\n", qPrintable(report.fileName()));
    return 2;
  }
  QTextStream out(&report);
  out.setCodec("UTF-8");
  int failures = 0;
  for (GalleryTheme theme : kThemes) {
    GalleryUseTheme(theme);
    for (const GalleryPage& page : GalleryPages()) {
      const QString where = QString("%1\t%2\t").arg(page.Id, GalleryThemeName(theme));
      CaptureStage stage([&](QWidget* w) {
        const QString file = QDir(dir).filePath(PictureName(page.Id, lang, theme, scale));
        if (!w->grab().save(file))
          out << where << "cannot write " << file << '\n';
        for (const QString& p : FindTextProblems(w))
          out << where << p << '\n';
      });
      BuildPage(page, stage);
      for (const QString& e : stage.Errors()) {
        out << where << e << '\n';
        ++failures;
      }
    }
  }
  return failures ? 1 : 0;
}

QString Html(const QString& s) { return s.toHtmlEscaped(); }

void WriteIndex(const QString& dir) {
  // Problems by page from every report.
  QMap<QString, QStringList> problems;
  for (const char* lang : kLanguages)
    for (int scale : kScales) {
      QFile f(QDir(dir).filePath(ReportName(lang, scale)));
      if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        continue;
      for (const QString& line : QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts)) {
        const QStringList parts = line.split('\t');
        if (parts.size() >= 3)
          problems[parts[0]] << QString("%1, %2, %3 %: %4").arg(lang, parts[1]).arg(scale * 100).arg(parts.mid(2).join(' '));
      }
    }

  QFile f(QDir(dir).filePath("index.html"));
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
    return;
  QTextStream h(&f);
  h.setCodec("UTF-8");
  h << "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>KvQtCpnt gallery</title>\n"
       "<style>body{font-family:sans-serif;margin:2em;background:#f4f4f4}"
       "table{border-collapse:collapse;margin-bottom:2em}td,th{padding:6px;vertical-align:top;text-align:left}"
       "th{font-weight:normal;color:#555}img{border:1px solid #ccc;background:#fff}"
       ".problems{color:#b00020}</style></head><body>\n<h1>KvQtCpnt gallery</h1>\n"
       "<p>Every page in English and Russian, with a light and a dark palette, at 100 % and 200 %.</p>\n<ul>\n";
  for (const GalleryArea& area : GalleryAreas()) {
    h << "<li>" << Html(area.Name) << ":";
    for (const GalleryPage& page : area.Pages)
      h << " <a href=\"#" << page.Id << "\">" << Html(page.Title) << "</a>" << (problems.contains(page.Id) ? " (!)" : "")
        << (&page == &area.Pages.back() ? "" : ",");
    h << "</li>\n";
  }
  h << "</ul>\n";
  for (const GalleryArea& area : GalleryAreas()) {
    h << "<h2>" << Html(area.Name) << "</h2>\n";
    for (const GalleryPage& page : area.Pages) {
      h << "<h3 id=\"" << page.Id << "\">" << Html(page.Title) << "</h3>\n<table><tr><th></th>";
      for (const char* lang : kLanguages)
        for (GalleryTheme theme : kThemes)
          h << "<th>" << (QString(lang) == "en" ? "English" : "Russian") << ", " << GalleryThemeName(theme) << "</th>";
      h << "</tr>\n";
      for (int scale : kScales) {
        h << "<tr><th>" << scale * 100 << " %</th>";
        for (const char* lang : kLanguages)
          for (GalleryTheme theme : kThemes) {
            const QString name = PictureName(page.Id, lang, theme, scale);
            const QSize size = QImageReader(QDir(dir).filePath(name)).size();
            if (size.isValid())
              h << "<td><a href=\"" << name << "\"><img src=\"" << name << "\" width=\"" << size.width() / scale
                << "\" height=\"" << size.height() / scale << "\" alt=\"" << Html(page.Title) << "\"></a></td>";
            else
              h << "<td>missing</td>";
          }
        h << "</tr>\n";
      }
      h << "</table>\n";
      if (problems.contains(page.Id)) {
        h << "<ul class=\"problems\">\n";
        for (const QString& p : problems[page.Id])
          h << "<li>" << Html(p) << "</li>\n";
        h << "</ul>\n";
      }
    }
  }
  h << "</body></html>\n";
}

int Render(const QString& dir) {
  if (!QDir().mkpath(dir)) {
    std::fprintf(stderr, "kvqtcpnt-gallery: cannot create %s\n", qPrintable(dir));
    return 2;
  }
  int rc = 0;
  for (const char* lang : kLanguages)
    for (int scale : kScales) {
      QProcess child;
      QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
      env.insert("QT_SCALE_FACTOR", QString::number(scale));
      env.insert("KV_LANG", lang);
      QString program = QCoreApplication::applicationFilePath();
      QStringList args = {"--shoot", dir, "--lang", lang, "--scale", QString::number(scale)};
      // The offscreen platform's screen is 800 x 600 pixels: scaled up, it
      // would squeeze windows that size themselves to the screen (message
      // boxes) far below any real screen's room. Scaled runs get a virtual
      // 4K screen instead, when there is one to be had.
      const QString xvfb = QStandardPaths::findExecutable("xvfb-run");
      if (scale > 1 && !xvfb.isEmpty()) {
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.insert("QT_XCB_GL_INTEGRATION", "none");
        args = QStringList{"-a", "-s", "-screen 0 3840x2160x24", program} + args;
        program = xvfb;
      } else {
        env.insert("QT_QPA_PLATFORM", "offscreen");
      }
      child.setProcessEnvironment(env);
      child.setProcessChannelMode(QProcess::ForwardedChannels);
      std::printf("rendering %s at %d %%\n", lang, scale * 100);
      std::fflush(stdout);
      child.start(program, args);
      if (!child.waitForFinished(10 * 60 * 1000) || child.exitStatus() != QProcess::NormalExit) {
        std::fprintf(stderr, "kvqtcpnt-gallery: rendering %s at %d %% failed\n", lang, scale * 100);
        child.kill();
        child.waitForFinished();
        rc = 2;
        continue;
      }
      rc = std::max(rc, child.exitCode());
    }
  WriteIndex(dir);
  // Every problem, once more on the terminal.
  int problems = 0;
  for (const char* lang : kLanguages)
    for (int scale : kScales) {
      QFile f(QDir(dir).filePath(ReportName(lang, scale)));
      if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        continue;
      for (const QString& line : QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts)) {
        std::fprintf(stderr, "%s %d%%\t%s\n", lang, scale * 100, qPrintable(line));
        ++problems;
      }
    }
  std::printf("%s/index.html: %d pages, %d problems\n", qPrintable(dir), int(GalleryPages().size()), problems);
  return problems ? std::max(rc, 1) : rc;
}

// The interactive viewer: a presented window stays open (application
// modal) until the person closes it.
class ViewerStage : public GalleryStage, public QObject {
public:
  void Present(QWidget* window, int = 0) override {
    QPointer<QWidget> w(window);
    window->setWindowModality(Qt::ApplicationModal);
    window->show();
    window->installEventFilter(this);
    QEventLoop loop;
    FLoop = &loop;
    connect(window, &QObject::destroyed, &loop, &QEventLoop::quit);
    if (w && w->isVisible())
      loop.exec();
    FLoop = nullptr;
    if (w)
      w->removeEventFilter(this);
  }
  void PresentModal(const std::function<void()>& open, int = 0) override { open(); }

protected:
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() == QEvent::Hide && FLoop)
      FLoop->quit();
    return QObject::eventFilter(o, e);
  }

private:
  QEventLoop* FLoop = nullptr;
};

int View() {
  QWidget main;
  main.setWindowTitle("KvQtCpnt gallery");
  auto* layout = new QVBoxLayout(&main);
  auto* bar = new QHBoxLayout;
  auto* lang = new QComboBox(&main);
  lang->addItem("English", "en");
  lang->addItem("Русский", "ru");
  auto* dark = new QCheckBox("Dark palette", &main);
  bar->addWidget(new QLabel("Language:", &main));
  bar->addWidget(lang);
  bar->addWidget(dark);
  bar->addStretch();
  layout->addLayout(bar);
  auto* tree = new QTreeWidget(&main);
  tree->setHeaderHidden(true);
  layout->addWidget(tree);
  layout->addWidget(new QLabel("Double-click a page to open it; close its window to come back.", &main));
  for (const GalleryArea& area : GalleryAreas()) {
    auto* a = new QTreeWidgetItem(tree, {area.Name});
    for (const GalleryPage& page : area.Pages) {
      auto* p = new QTreeWidgetItem(a, {page.Title});
      p->setData(0, Qt::UserRole, page.Id);
    }
  }
  tree->expandAll();
  GalleryUseLanguage("en");
  GalleryUseTheme(GalleryTheme::Light);
  QObject::connect(lang, QOverload<int>::of(&QComboBox::currentIndexChanged),
                   [lang](int) { GalleryUseLanguage(lang->currentData().toString()); });
  QObject::connect(dark, &QCheckBox::toggled,
                   [](bool on) { GalleryUseTheme(on ? GalleryTheme::Dark : GalleryTheme::Light); });
  QObject::connect(tree, &QTreeWidget::itemActivated, [](QTreeWidgetItem* item) {
    const QString id = item->data(0, Qt::UserRole).toString();
    for (const GalleryPage& page : GalleryPages())
      if (id == page.Id) {
        ViewerStage stage;
        try {
          page.Build(stage);
        } catch (const std::exception& e) {
          std::fprintf(stderr, "%s: %s\n", page.Id, e.what());
        }
      }
  });
  main.resize(420, 560);
  main.show();
  return QApplication::exec();
}

} // namespace

int main(int argc, char** argv) {
  // Rendering and listing show nothing themselves: no display needed.
  for (int i = 1; i < argc; ++i)
    if (!std::strcmp(argv[i], "--render") || !std::strcmp(argv[i], "--list"))
      qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QApplication::setApplicationName("Terrain Analyst");

  QCommandLineParser cl;
  cl.setApplicationDescription("Every component of KvQtCpnt on a page of its own");
  cl.addHelpOption();
  QCommandLineOption render("render", "Render every page into the folder, with an index.html.", "dir");
  QCommandLineOption list("list", "Print the pages' names.");
  QCommandLineOption shoot("shoot", "(internal) Render one language at one scale.", "dir");
  QCommandLineOption lang("lang", "(with --shoot) en or ru.", "id", "en");
  QCommandLineOption scale("scale", "(with --shoot) the QT_SCALE_FACTOR in force.", "n", "1");
  cl.addOptions({render, list, shoot, lang, scale});
  cl.process(app);

  if (cl.isSet(list)) {
    for (const GalleryPage& p : GalleryPages())
      std::printf("%s\t%s\n", p.Id, p.Title);
    return 0;
  }
  if (cl.isSet(render))
    return Render(cl.value(render));

  Init_KvQtCpnt();
  const int rc = cl.isSet(shoot) ? Shoot(cl.value(shoot), cl.value(lang), cl.value(scale).toInt()) : View();
  Deinit_KvQtCpnt();
  return rc;
}
