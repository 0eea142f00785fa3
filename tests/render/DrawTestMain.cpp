// Test main for the drawing tests: fonts and text layout need a GUI
// application, which the offscreen platform provides without a display.
#include <gtest/gtest.h>

#include <QGuiApplication>

#if defined(__SANITIZE_ADDRESS__)
// Qt 5's offscreen platform leaves its screen and cursor behind when the
// application is destroyed; LeakSanitizer is not to report them.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:QScreen::QScreen\nleak:QPlatformCursor\nleak:libqoffscreen.so\n";
}
#endif

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  testing::InitGoogleTest(&argc, argv);
  QGuiApplication application(argc, argv);
  return RUN_ALL_TESTS();
}
