// File selection: the path edits in a tool's form, the multi-file edit, and
// the file and folder dialogs over a small project folder.

#include "gallery.h"

#include "dialogs/tkvqtqueryfiledirdlg.h"
#include "files/ikvqtnetserversource.h"
#include "files/kvqtfiledialogs.h"
#include "files/kvqtselectcomputer.h"
#include "files/tkvqdiredit.h"
#include "files/tkvqfileopenedit.h"
#include "files/tkvqfilesaveedit.h"
#include "files/tkvqmultifileopenedit.h"
#include "files/tkvqtsystemlistview.h"
#include "files/tkvqtsystemtreeview.h"

#include <QDir>
#include <QFile>
#include <QFileSystemModel>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QTemporaryDir>
#include <QVBoxLayout>

namespace {

const char* const kRasterFilter = "GeoTIFF (*.tif *.tiff)|*.tif;*.tiff|Erdas Imagine (*.img)|*.img|"
                                  "ESRI ASCII Grid (*.asc)|*.asc|All files (*)|*";
const char* const kLidarFilter = "LAS point clouds (*.las *.laz)|*.las;*.laz|All files (*)|*";

// A project folder as a survey office keeps it, with empty stand-ins for the
// data files.
class ProjectFolder {
public:
  ProjectFolder() : FRoot(QDir::tempPath() + "/kvgallery-XXXXXX") {
    const QDir root(FRoot.path());
    for (const char* dir : {"moscow_2026/dem", "moscow_2026/ortho", "moscow_2026/lidar", "moscow_2026/vector"})
      root.mkpath(dir);
    for (const char* file : {"dem/srtm_n55e037.tif", "dem/srtm_n55e038.tif", "dem/dem_moscow_region.tif",
                             "dem/dem_moscow_region.tif.aux.xml", "dem/hillshade.img", "dem/slope_deg.asc",
                             "ortho/ortho_2026_N-37-4-A.tif", "ortho/ortho_2026_N-37-4-B.tif",
                             "lidar/block_05.laz", "lidar/block_06.laz", "lidar/block_07.las",
                             "vector/roads_osm_2026-11.shp", "vector/parcels_2026.gpkg"}) {
      QFile f(root.filePath(QString("moscow_2026/") + file));
      f.open(QIODevice::WriteOnly);
    }
  }
  QString Path(const char* relative) const { return QDir(FRoot.path()).filePath(QString("moscow_2026/") + relative); }

private:
  QTemporaryDir FRoot;
};

void PathEdits(GalleryStage& stage) {
  ProjectFolder project;
  QWidget page;
  page.setWindowTitle(QTr("Reproject raster", "Перепроецирование растра"));
  auto* form = new QFormLayout(&page);
  const QStringList filters = QString(kRasterFilter).split('|');
  auto* input = new TKvQFileOpenEdit(&page, QTr("Source raster", "Исходный растр"), project.Path("dem/srtm_n55e037.tif"),
                                     filters, 0);
  input->setFilter(kRasterFilter);
  form->addRow(QTr("Source raster:", "Исходный растр:"), input);
  auto* output = new TKvQFileSaveEdit(&page, QTr("Result", "Результат"), project.Path("dem/srtm_n55e037_utm37n.tif"),
                                      filters, 0);
  output->setFilter(kRasterFilter);
  form->addRow(QTr("Result:", "Результат:"), output);
  auto* work = new TKvQDirEdit(&page);
  work->setDirectory(project.Path("dem").toStdString());
  form->addRow(QTr("Work folder:", "Рабочая папка:"), work);
  page.resize(560, page.sizeHint().height());
  stage.Present(&page);
}

void MultiFileEdit(GalleryStage& stage) {
  ProjectFolder project;
  QWidget page;
  page.setWindowTitle(QTr("Point cloud classification", "Классификация облака точек"));
  auto* layout = new QVBoxLayout(&page);
  layout->addWidget(new QLabel(QTr("Input blocks:", "Исходные блоки:"), &page));
  auto* files = new TKvQMultiFileOpenEdit(
      &page, QTr("Point clouds", "Облака точек"),
      {project.Path("lidar/block_05.laz"), project.Path("lidar/block_06.laz"), project.Path("lidar/block_07.las")},
      QString(kLidarFilter).split('|'), 0);
  layout->addWidget(files);
  page.resize(560, 240);
  stage.Present(&page);
}

// The dialogs list the folder from a worker thread: give it time to arrive.
const int kListingMs = 300;

void OpenFileDialog(GalleryStage& stage) {
  ProjectFolder project;
  const std::string start = project.Path("dem/").toStdString();
  stage.PresentModal(
      [&start] {
        unsigned long filter = 0;
        KvQtGetOpenFileName(Tr("Open elevation model", "Открыть модель рельефа"),
                            TGetOpenFileNameOptions(kRasterFilter, false, 1, start), &filter);
      },
      kListingMs);
}

void SaveFileDialog(GalleryStage& stage) {
  ProjectFolder project;
  const std::string start = project.Path("dem/slope_deg.tif").toStdString();
  stage.PresentModal(
      [&start] {
        unsigned long filter = 1;
        KvQtGetSaveFileName(Tr("Save slope raster", "Сохранить растр крутизны"),
                            TGetOpenFileNameOptions(kRasterFilter, false, 1, start), &filter);
      },
      kListingMs);
}

void FolderDialog(GalleryStage& stage) {
  ProjectFolder project;
  const std::string start = project.Path("").toStdString();
  stage.PresentModal(
      [&start] { KvQtSelectFolderEx(Tr("Folder of the tile cache", "Папка кэша тайлов"), start); }, kListingMs);
}

void SystemViews(GalleryStage& stage) {
  ProjectFolder project;
  QWidget page;
  page.setWindowTitle(QTr("Add rasters", "Добавление растров"));
  auto* layout = new QHBoxLayout(&page);
  auto* folders = new TKvQtSystemTreeView(&page);
  auto* files = new TKvQtSystemListView(&page);
  layout->addWidget(folders, 1);
  layout->addWidget(files, 1);
  // A folder pane beside the file list: the names are all it needs.
  for (int column = 1; column < folders->fileSystemModel()->columnCount(); ++column)
    folders->setColumnHidden(column, true);
  folders->setDirectory(project.Path("dem"));
  files->setFilter({"*.tif", "*.img", "*.asc"});
  files->setRootPath(project.Path("dem"));
  page.resize(620, 300);
  stage.Present(&page, kListingMs);
}

void QueryFolder(GalleryStage& stage) {
  ProjectFolder project;
  std::string folder = project.Path("ortho").toStdString();
  stage.PresentModal([&folder] {
    TKvQtQueryFileDirDlg::ExecuteEx(Tr("Folder for the 256 x 256 tiles of the orthophoto:",
                                       "Папка для тайлов ортофото 256 x 256:"),
                                    Tr("Export tiles", "Экспорт тайлов"), folder);
  });
}

// The servers a survey office's network announces.
class OfficeServers : public IKvQtNetServerSource {
public:
  QStringList discover(const std::function<bool()>&) override {
    return {"fileserver", "nas-gis.local", "dem-archive", "lidar-store", "plotter-a0"};
  }
};

void NetworkChooser(GalleryStage& stage) {
  KvQtSetDefaultNetServerSources({std::make_shared<OfficeServers>()});
  struct Restore {
    ~Restore() { KvQtResetDefaultNetServerSources(); }
  } restore;
  stage.PresentModal([] { KvQtSelectComputer(nullptr, Tr("Computer with the survey data", "Компьютер с данными съёмки")); },
                     kListingMs);
}

} // namespace

GalleryArea FilePages() {
  return {"Files and folders",
          {
              {"path-edits", "Folder, open-file and save-file edits", &PathEdits},
              {"multi-file-edit", "Multi-file edit", &MultiFileEdit},
              {"open-file-dialog", "Open-file dialog", &OpenFileDialog},
              {"save-file-dialog", "Save-file dialog", &SaveFileDialog},
              {"folder-dialog", "Folder dialog", &FolderDialog},
              {"query-folder", "Folder query", &QueryFolder},
              {"system-views", "Folder tree and file list", &SystemViews},
              {"network-chooser", "Network server chooser", &NetworkChooser},
          }};
}
