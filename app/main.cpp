// The chart display: the window, the presentation library, and the
// background load of the cells of "s57000".
#include <QApplication>
#include <QDebug>
#include <QStatusBar>

#include "ChineseText.h"
#include "Engine.h"
#include "CellLoader.h"
#include "MainWindow.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  // Where the user's choices are kept (QSettings).
  QCoreApplication::setOrganizationName(QStringLiteral("chartdisplay"));
  QCoreApplication::setApplicationName(QStringLiteral("chartdisplay"));
  installChineseTranslation(application);
  MainWindow window;
  // On failure the window opens with an empty chart and says why.
  if (startEngine() == 1) {
    qWarning().noquote() << libraryFailureText();
    window.statusBar()->showMessage(libraryFailureText());
  }
  window.startLoading(QStringLiteral("s57000//"));
  window.show();
  return application.exec();
}
