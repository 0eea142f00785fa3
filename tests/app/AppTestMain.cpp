// Test main for the window tests: a QApplication, on the offscreen platform
// for the window tests and on the X server that xvfb-run provides for the
// end-to-end tests. The user's choices go to a settings folder of the test
// run's own, never to the user's.
#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

int main(int argc, char** argv) {
#ifdef CHART_TEST_OFFSCREEN
  qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
  qputenv("QT_LOGGING_RULES", "default.debug=false");  // one line per draw pass otherwise
  testing::InitGoogleTest(&argc, argv);
  QApplication application(argc, argv);
  QTemporaryDir settingsFolder;
  QCoreApplication::setOrganizationName(QStringLiteral("chartdisplay-test"));
  QCoreApplication::setApplicationName(QStringLiteral("chartdisplay-test"));
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsFolder.path());
  QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, settingsFolder.path() + "/system");
  return RUN_ALL_TESTS();
}
