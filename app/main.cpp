// The chart display: the engine over the presentation library, the window,
// and the background load of the cells of "s57000" and of the chart store.
#include <QApplication>
#include <QDebug>
#include <QFile>
#include <QStatusBar>

#include "CellLoader.h"
#include "ChartEngine.h"
#include "ChartStore.h"
#include "ChineseText.h"
#include "CoreDumps.h"
#include "MainWindow.h"

int main(int argc, char** argv) {
  // Decrypted charts and keys never reach a core file.
  refuseCoreDumps();
  QApplication application(argc, argv);
  // Where the user's choices are kept (QSettings).
  QCoreApplication::setOrganizationName(QStringLiteral("chartdisplay"));
  QCoreApplication::setApplicationName(QStringLiteral("chartdisplay"));
  installChineseTranslation(application);
  ChartEngine engine(kLibraryDirectory);
  MainWindow window(engine);
  // On failure the window opens with an empty chart and says why.
  if (startEngine(engine) == EngineResult::NoLibrary) {
    qWarning().noquote() << libraryFailureText(engine);
    window.statusBar()->showMessage(libraryFailureText(engine));
  }
  window.startLoading(QStringLiteral("s57000//"));
  // The charts installed (导入海图…), beside the folder of cells.
  window.startStore(QFile::decodeName(QByteArray::fromStdString(ChartStore::defaultFolder())));
  window.show();
  return application.exec();
}
