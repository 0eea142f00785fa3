// The chart display: the window, the presentation library, and the
// background load of the cells of "s57000".
#include <QApplication>

#include "ChineseText.h"
#include "Engine.h"
#include "MainWindow.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  // Where the user's choices are kept (QSettings).
  QCoreApplication::setOrganizationName(QStringLiteral("chartdisplay"));
  QCoreApplication::setApplicationName(QStringLiteral("chartdisplay"));
  installChineseTranslation(application);
  MainWindow window;
  startEngine();  // on failure the window opens with an empty chart
  window.startLoading(QStringLiteral("s57000//"));
  window.show();
  return application.exec();
}
