// kvqtcpnt-demo: a terrain analysis run the way an application of the suite
// runs a long operation: a log-bound progress, nested sub-progress handlers,
// worker threads that wait out a pause, an iterative adjustment reported to
// the iterations panel, log records along the way and the OK wait at the end.
// Before the run its parameters are edited in the property sheet; after it
// the slope distribution is shown in the histogram frame and the hillshade,
// coloured in the chosen elevation palette, is saved as PNG and shown.
//
//   kvqtcpnt-demo [--lang en|ru] [--order N] [--threads N] [--output FILE]
//                 [--autopilot --shots DIR]

#include "autopilot.h"
#include "slopehistogramdlg.h"
#include "terrain.h"

#include "dialogs/tkvqmessagebox.h"
#include "logview/kvqtlogprogress.h"
#include "module/kvmodule_initializer.h"
#include "module/kvqttranslator.h"
#include "properties/tenumproperty.h"
#include "properties/tkvqpropertiesdlg.h"
#include "properties/tqproperties.h"
#include "widgets/tkvdempalettescombobox.h"

#include "kvsuite/kvconfig.h"
#include "kvsuite/kvdemtables.h"
#include "kvsuite/kvlog.h"
#include "kvsuite/kvmessage.h"
#include "kvsuite/kvprogress.h"
#include "kvsuite/kvtime.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QVBoxLayout>
#include <QThread>
#include <QTimer>

#include <cmath>
#include <cstdio>
#include <thread>

namespace {

struct Options {
  QString Lang = "en";
  int Order = 11; // 2049 x 2049 cells
  int Threads = 0;
  double CellSize = 30.0; // metres
  std::string Output;     // PNG of the shaded relief (UTF-8)
  int Palette = 1;        // index into TKvElevationPalette::s_Palettes
  bool Autopilot = false;
  QString Shots;
};

struct Stage {
  std::string Name;
  qint64 Ms;
};

struct Summary {
  std::vector<Stage> Stages;
  unsigned long Records = 0;
  bool Cancelled = false;
  bool Stopped = false;
  std::string Reason;
  // The results, kept for the views after the run.
  Grid Model;
  std::vector<float> Slope;
  std::vector<float> Shade;
};

// Counts what the operation logs, beside the log window.
class RecordCounter : public TKvStream, private TKvLogParser {
public:
  unsigned long Write(const void* data, unsigned long size) override {
    Parse(data, size);
    return size;
  }
  unsigned long Count = 0;

private:
  void DoHeaderParsed(bool ok) override { Count += ok; }
};

std::string Tr(const char* en, const char* ru) { return getCurLanguageId() == "ru" ? ru : en; }

// The hooks of one stage over its progress handler: positions only when the
// display is due, ticks (with the break check) on the GUI thread, ThreadTick
// on workers.
TerrainHooks HooksFor(const var_a<TKvProgressHandler*>& p) {
  TerrainHooks h;
  TKvProgressHandler* raw = p.get();
  h.Progress = [raw](double pos) {
    if (raw->Timeout())
      raw->SetPosNB(pos);
  };
  h.Check = [raw]() { raw->Tick(); };
  h.ThreadTick = [raw]() { raw->ThreadTick(); };
  return h;
}

// Corrections span several orders of magnitude: a logarithmic scale between
// the plot's top and low values (0 at the top edge, 1 at the bottom).
double LogScale(double value, double top, double low) {
  if (!(value > 0) || !(top > low) || !(low > 0))
    return 1.0;
  return (std::log10(top) - std::log10(value)) / (std::log10(top) - std::log10(low));
}

// Lets a person watch the iterations: a short wait that keeps the window alive.
void Linger(TKvProgressHandler& p, int ms) {
  QElapsedTimer t;
  t.start();
  while (t.elapsed() < ms) {
    p.Tick();
    QThread::msleep(10);
  }
}

Summary RunAnalysis(const Options& opt, Autopilot* pilot) {
  Summary sum;
  var_a<TKvStream*> counter = new_a<RecordCounter>();
  var_a<TKvLogProgress*> lp = KvQtLogProgress();
  // Count records beside the window: wrap the hooked log.
  var_a<TKvLogRedirect*> tee = new_a<TKvLogRedirect>();
  tee->AddStream(KvLogGetLogV(), TKvLogRedirect::GetAllFilter(), false);
  tee->AddStream(counter, TKvLogRedirect::GetAllFilter(), false);
  var_a<TKvStream*> hooked = KvLogGetLogV();
  KvLogSetLogV(tee);

  lp->ModalShow();
  QElapsedTimer clock;
  auto stageDone = [&](const std::string& name) {
    sum.Stages.push_back({name, clock.restart()});
  };
  try {
    var_a<TKvProgressHandler*> root = lp->CreateProgress();
    root->SetMessage(Tr("Terrain analysis", "Анализ рельефа"));
    root->Start();
    clock.start();
    KvLogWriteInfo("Demo", Tr("Terrain analysis started", "Анализ рельефа начат"), lmlImportant);

    // 1. The elevation model.
    Grid grid;
    {
      auto p = root->SubProgress(0.0, 0.2, lmlVisible, lmlVisible);
      p->SetMessage(Tr("Generating a fractal elevation model", "Построение фрактальной модели рельефа"));
      p->Start();
      grid = GenerateTerrain(opt.Order, 20261205u, 0.8, 14, HooksFor(p));
      grid.CellSize = opt.CellSize;
      p->Stop();
      KvLogWriteInfo("Terrain", Quorvant::ssprintf("%s: %d x %d", Tr("Elevation model", "Модель рельефа").c_str(),
                                                   grid.Width, grid.Height) +
                                    " (" + FormatCount(grid.cells()) +
                                    Quorvant::ssprintf(Tr(" cells, %g m)", " ячеек, %g м)").c_str(), grid.CellSize),
                     lmlImportant);
      stageDone("model");
    }

    // 2. Voids.
    {
      auto p = root->SubProgress(0.2, 0.35, lmlVisible, lmlVisible);
      p->SetMessage(Tr("Filling voids", "Заполнение пустот"));
      p->Start();
      const VoidStats v = FillVoids(grid, HooksFor(p));
      p->Stop();
      if (v.VoidCells) {
        TKvMessage m(Tr("Filled %1% void cells in %2% regions; the largest covers %3% ha",
                        "Заполнено ячеек без данных: %1% в %2% областях; наибольшая — %3% га"));
        m << FormatCount(v.VoidCells) << int(v.Regions)
          << std::round(double(v.LargestRegion) * grid.CellSize * grid.CellSize / 1000.0) / 10.0;
        KvLogWriteWarning("Voids", m.std_str());
      }
      stageDone("voids");
    }

    // 3. Slope and aspect on worker threads, with a nested level per pass.
    SlopeStats slope;
    {
      auto p = root->SubProgress(0.35, 0.75, lmlVisible, lmlVisible);
      p->SetMessage(Tr("Terrain derivatives", "Производные рельефа"));
      p->Start();
      auto inner = p->SubProgress(0.0, 1.0, lmlVisible, lmlVisible);
      const int threads = opt.Threads > 0 ? opt.Threads : std::max(2, int(std::thread::hardware_concurrency()));
      inner->SetMessage(Quorvant::ssprintf("%s (%d %s)", Tr("Slope, aspect and hillshade", "Крутизна, экспозиция и отмывка").c_str(),
                                           threads, Tr("threads", "потоков").c_str()));
      inner->Start();
      if (pilot)
        pilot->nestedLevelsShown();
      slope = SlopeAspect(grid, threads, &sum.Slope, HooksFor(inner), &sum.Shade);
      inner->Stop();
      p->Stop();
      KvLogWriteInfo("Slope", Quorvant::ssprintf("%s %.1f°, %s %.1f°, %s %.1f %%",
                                                 Tr("mean slope", "средняя крутизна").c_str(), slope.MeanSlopeDeg,
                                                 Tr("steepest", "наибольшая").c_str(), slope.MaxSlopeDeg,
                                                 Tr("steeper than 30°", "круче 30°").c_str(), slope.SteepShare * 100),
                     lmlImportant);
      static const char* const dirs[8] = {"N", "NE", "E", "SE", "S", "SW", "W", "NW"};
      int best = 0;
      for (int i = 1; i < 8; ++i)
        if (slope.AspectShare[i] > slope.AspectShare[best])
          best = i;
      KvLogWriteInfo("Aspect", Quorvant::ssprintf("%s %s (%.1f %%)", Tr("most slopes face", "преобладающая экспозиция").c_str(),
                                                  dirs[best], slope.AspectShare[best] * 100),
                     lmlImportant);
      stageDone("slope");
    }

    // 4. The trend surface, iteration by iteration on the iterations panel.
    {
      auto p = root->SubProgress(0.75, 1.0, lmlVisible, lmlVisible);
      p->SetMessage(Tr("Adjusting the trend surface", "Уравнивание поверхности тренда"));
      p->Start();
      auto* it = KvGetInterface<IKvIterationsProgress>(p->KvInterface(),
                                                        &IKvIterationsProgress::IKvIterationsProgressUIDObj);
      const double eps = 1e-3;
      if (it)
        it->Start(eps, &LogScale);
      // Ends the panel also when a cancel is thrown out of an iteration.
      struct PanelScope {
        IKvIterationsProgress* It;
        ~PanelScope() {
          if (It)
            try {
              It->End();
            } catch (...) {
            }
        }
      } panel{it};
      int shown = 0;
      const auto coef = FitTrendSurface(grid, eps, 40, [&](const FitStep& s) {
        ++shown;
        p->SetPosNB(std::min(1.0, shown / 10.0));
        bool go = true;
        if (it)
          go = it->NextIteration(s.Iteration, s.Correction, s.Sigma);
        KvLogWriteInfo("Adjustment", Quorvant::ssprintf("%s %d: %s %.4g, σ %.2f m", Tr("iteration", "итерация").c_str(),
                                                        s.Iteration, Tr("correction", "поправка").c_str(),
                                                        s.Correction, s.Sigma),
                       lmlInvisible);
        if (pilot && shown == 4)
          pilot->shoot(Autopilot::logWindow(), "3-iterations");
        Linger(*p, 350);
        if (!go)
          sum.Stopped = true;
        return go;
      });
      p->Stop();
      if (sum.Stopped)
        KvLogWriteWarning("Adjustment", Tr("Stopped by the user before convergence",
                                           "Остановлено пользователем до сходимости"));
      KvLogWriteInfo("Adjustment", Quorvant::ssprintf("%s: z = %.1f %+.1fx %+.1fy %+.1fx² %+.1fxy %+.1fy²",
                                                      Tr("trend surface", "поверхность тренда").c_str(), coef[0],
                                                      coef[1], coef[2], coef[3], coef[4], coef[5]),
                     lmlImportant);
      stageDone("adjustment");
    }
    root->Stop();
    sum.Model = std::move(grid);
  } catch (const TKvMessage& e) {
    sum.Cancelled = true;
    sum.Reason = e.std_str();
    KvLogWriteError("Demo", Tr("The analysis was cancelled; no results were kept.",
                               "Анализ прерван; результаты не сохранены."),
                    lmlImportant);
  }

  lp->WaitOK(false); // warnings were logged: the user reads them and confirms
  lp->ModalHide();
  KvLogSetLogV(hooked);
  tee.reset();
  lp.reset(); // unhooks the log
  sum.Records = static_cast<RecordCounter*>(counter.get())->Count;
  return sum;
}

// The run's parameters in the property sheet; false when the user closed it
// without OK.
bool EditParameters(Options& opt, Autopilot* pilot) {
  const auto& palettes = TKvElevationPalette::s_Palettes;
  std::vector<uint64_t> ids;
  std::vector<std::string> captions;
  for (size_t i = 0; i < palettes.size(); ++i) {
    ids.push_back(i);
    captions.push_back(palettes[i].GetCaption());
  }
  opt.Palette = std::max(0, std::min(int(palettes.size()) - 1, opt.Palette));
  TQProperties props;
  props.AddItem(new TTypeProperty<int>(Tr("Model size, 2^N + 1 cells a side", "Размер модели, 2^N + 1 ячеек по стороне"),
                                       Tr("N from 5 (33 x 33) to 12 (4097 x 4097)", "N от 5 (33 x 33) до 12 (4097 x 4097)"),
                                       1, 5, 12, &opt.Order));
  props.AddItem(new TTypeProperty<double>(Tr("Cell size, m", "Размер ячейки, м"),
                                          Tr("Ground distance between neighbouring cells", "Расстояние на местности между соседними ячейками"),
                                          5.0, 1.0, 1000.0, &opt.CellSize));
  props.AddItem(new TTypeProperty<int>(Tr("Worker threads", "Рабочие потоки"),
                                       Tr("0: one per core, at least 2", "0: по одному на ядро, не меньше 2"), 1, 0, 64,
                                       &opt.Threads));
  props.AddItem(new TFileSaveProperty(Tr("Shaded relief (PNG)", "Отмывка рельефа (PNG)"),
                                      Tr("The image the run writes", "Изображение, которое записывает расчёт"),
                                      &opt.Output, Tr("PNG images|*.png", "Изображения PNG|*.png")));
  props.AddItem(new TEnumProperty(Tr("Elevation palette", "Шкала высот"),
                                  Tr("Colours of the shaded relief", "Цвета отмывки рельефа"), &opt.Palette,
                                  sizeof(opt.Palette), ids, captions));
  if (pilot)
    pilot->acceptNextDialog("0-properties");
  TKvQPropertiesDlg dlg;
  dlg.setWindowTitle(QString::fromStdString(Tr("Terrain analysis", "Анализ рельефа")));
  dlg.setParams(&props);
  dlg.resize(640, 260); // room for the whole output path
  return dlg.exec() == TKvQDialog::ResultAccepted;
}

// The slope distribution, then the shaded relief: saved to the output file
// and shown with the palette combo, which recolours the view.
void ShowResults(const Options& opt, const Summary& sum, Autopilot* pilot) {
  {
    SlopeHistogramDlg dlg(sum.Model, sum.Slope);
    dlg.resize(760, 480);
    if (pilot)
      pilot->acceptNextDialog("10-slope-histogram");
    dlg.exec();
  }
  const TKvElevationPalette& palette = TKvElevationPalette::s_Palettes[size_t(opt.Palette)];
  const QImage relief = ShadedRelief(sum.Model, sum.Shade, palette);
  if (relief.isNull())
    return;
  const QString file = QString::fromStdString(opt.Output);
  if (file.isEmpty() || !relief.save(file, "PNG")) {
    if (pilot)
      pilot->answerNextBox("11-save-error");
    KvQtErrorMessage(Tr("The shaded relief cannot be written to ", "Не удаётся записать отмывку рельефа в ") +
                     (opt.Output.empty() ? Tr("(no file chosen)", "(файл не выбран)") : opt.Output));
  } else {
    KvLogWriteInfo("Demo", Tr("Shaded relief saved to ", "Отмывка рельефа сохранена в ") + opt.Output, lmlImportant);
  }

  QDialog view;
  view.setObjectName("ReliefView");
  view.setWindowTitle(QString::fromStdString(Tr("Shaded relief", "Отмывка рельефа")));
  auto* layout = new QVBoxLayout(&view);
  auto* combo = new TKvDEMPalettesComboBox(&view);
  combo->selectName(palette.GetName());
  auto* picture = new QLabel(&view);
  const auto show = [picture](const QImage& img) {
    picture->setPixmap(QPixmap::fromImage(img.scaled(640, 640, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
  };
  show(relief);
  QObject::connect(combo, qOverload<int>(&QComboBox::currentIndexChanged), &view, [&sum, combo, show](int) {
    if (const TKvElevationPalette* p = TKvElevationPalette::FindPalette(combo->currentName()))
      show(ShadedRelief(sum.Model, sum.Shade, *p));
  });
  auto* caption = new QLabel(QString::fromStdString(Quorvant::ssprintf("%d x %d, %g m: ", sum.Model.Width, sum.Model.Height,
                                                                       sum.Model.CellSize)) +
                                 QDir::toNativeSeparators(file),
                             &view);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, &view);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &view, &QDialog::reject);
  layout->addWidget(combo);
  layout->addWidget(picture);
  layout->addWidget(caption);
  layout->addWidget(buttons);
  if (pilot)
    pilot->acceptNextDialog("11-shaded-relief");
  view.exec();
}

void ShowMessageBoxes(Autopilot* pilot) {
  const struct {
    const char* Shot;
    std::function<void()> Show;
  } boxes[] = {
      {"5-info", [] { KvQtInfoMessage(Tr("The elevation model was saved.", "Модель рельефа сохранена.")); }},
      {"6-question", [] { KvQtQuestYesNo(Tr("Fill the voids of the new model too?", "Заполнить пустоты и в новой модели?")); }},
      {"7-attention", [] { KvQtAttentionYesNoCancel(Tr("The output file exists. Replace it?", "Выходной файл существует. Заменить?")); }},
      {"8-warning", [] { KvQtWarningMessage(Tr("Some cells lie outside the projection's zone.", "Часть ячеек лежит вне зоны проекции.")); }},
      {"9-error", [] { KvQtErrorMessage(Tr("The file cannot be opened: permission denied.", "Не удаётся открыть файл: доступ запрещён.")); }},
  };
  for (const auto& b : boxes) {
    if (pilot)
      pilot->answerNextBox(b.Shot);
    b.Show();
  }
}

} // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("KvQtCpnt Demo");

  QCommandLineParser cl;
  cl.setApplicationDescription("Terrain analysis in the log window");
  cl.addHelpOption();
  QCommandLineOption lang("lang", "Language: en or ru.", "id", "en");
  QCommandLineOption order("order", "Model size: (2^N + 1)² cells (5..12).", "N", "11");
  QCommandLineOption threads("threads", "Worker threads (0: one per core, at least 2).", "N", "0");
  QCommandLineOption output("output", "PNG file of the shaded relief (default: terrain-relief.png in the "
                                      "current folder, or in the shots folder with --autopilot).", "file");
  QCommandLineOption autopilot("autopilot", "Run without a person and save screenshots.");
  QCommandLineOption shots("shots", "Folder for the screenshots.", "dir", "screenshots");
  QCommandLineOption cancel("cancel", "With --autopilot: cancel the operation instead of pausing it.");
  cl.addOptions({lang, order, threads, output, autopilot, shots, cancel});
  cl.process(app);

  Options opt;
  opt.Lang = cl.value(lang) == "ru" ? "ru" : "en";
  opt.Order = std::max(5, std::min(12, cl.value(order).toInt()));
  opt.Threads = cl.value(threads).toInt();
  opt.Autopilot = cl.isSet(autopilot);
  opt.Shots = cl.value(shots);
  opt.Output = QDir(opt.Autopilot ? opt.Shots : QDir::currentPath())
                   .absoluteFilePath(cl.isSet(output) ? cl.value(output) : QStringLiteral("terrain-relief.png"))
                   .toStdString();

  Init_KvQtCpnt();
  KvSetLanguage(opt.Lang.toStdString());
  if (opt.Lang == "en")
    KvQtInstallTranslator("en");

  std::unique_ptr<Autopilot> pilot;
  if (opt.Autopilot) {
    pilot.reset(new Autopilot(opt.Shots, cl.isSet(cancel)));
    pilot->start();
    // A watchdog: an autopilot run that hangs fails instead of waiting forever.
    QTimer::singleShot(10 * 60 * 1000, [] {
      std::fprintf(stderr, "kvqtcpnt-demo: the autopilot run did not finish in 10 minutes\n");
      std::_Exit(3);
    });
  }

  if (!EditParameters(opt, pilot.get())) {
    std::printf("Terrain analysis: not started\n");
    Deinit_KvQtCpnt();
    return 0;
  }
  opt.Order = std::max(5, std::min(12, opt.Order));

  QElapsedTimer total;
  total.start();
  const Summary sum = RunAnalysis(opt, pilot.get());
  const qint64 runMs = total.elapsed();
  if (pilot)
    ShowMessageBoxes(pilot.get());
  if (!sum.Cancelled)
    ShowResults(opt, sum, pilot.get());

  std::printf("Terrain analysis: %s\n", sum.Cancelled ? "cancelled" : sum.Stopped ? "finished (adjustment stopped)" : "finished");
  for (const Stage& s : sum.Stages)
    std::printf("  %-12s %6lld ms\n", s.Name.c_str(), static_cast<long long>(s.Ms));
  std::printf("  total        %6lld ms, %lu log records\n", static_cast<long long>(runMs), sum.Records);
  if (sum.Cancelled)
    std::printf("Cancelled: %s\n", sum.Reason.c_str());
  int rc = 0;
  if (pilot) {
    std::printf("  %d screenshots in %s\n", int(pilot->shots().size()), qPrintable(opt.Shots));
    if (pilot->cancelMode()) {
      if (!pilot->cancelConfirmed() || !sum.Cancelled) {
        std::fprintf(stderr, "kvqtcpnt-demo: the autopilot's cancel did not end the operation\n");
        rc = 1;
      }
    } else if (!pilot->pausedOnce() || sum.Cancelled) {
      std::fprintf(stderr, "kvqtcpnt-demo: the autopilot did not pause and resume the operation\n");
      rc = 1;
    }
  }
  Deinit_KvQtCpnt();
  return rc;
}
