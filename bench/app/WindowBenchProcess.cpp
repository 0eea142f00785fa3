#include "WindowBenchProcess.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <filesystem>

#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace fs = std::filesystem;

int runChild(char* self, const std::vector<std::string>& args) {
  std::vector<char*> argv{self};
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t pid = 0;
  if (posix_spawn(&pid, "/proc/self/exe", nullptr, nullptr, argv.data(), environ) != 0) return 1;
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

void enterWorkingFolder(const std::string& path) {
  std::error_code ignored;
  fs::create_directory_symlink(fs::path(CHART_SOURCE_DIR) / "S57Lib", fs::path(path) / "S57Lib", ignored);
  fs::create_symlink(fs::path(CHART_SOURCE_DIR) / "worldland.bin", fs::path(path) / "worldland.bin", ignored);
  fs::current_path(path);
}

void pause(int ms) {
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}
