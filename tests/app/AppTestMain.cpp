// Test main for the window tests: a QApplication, on the offscreen platform
// for the window tests and on the X server that xvfb-run provides for the
// end-to-end tests.
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
#ifdef CHART_TEST_OFFSCREEN
  qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
  qputenv("QT_LOGGING_RULES", "default.debug=false");  // one line per draw pass otherwise
  testing::InitGoogleTest(&argc, argv);
  QApplication application(argc, argv);
  return RUN_ALL_TESTS();
}
