#include "ToolRun.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace testsupport {

std::vector<std::string> ToolRun::lines() const {
  std::vector<std::string> result;
  std::istringstream in(out);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    result.push_back(line);
  }
  return result;
}

std::string shellQuote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

ToolRun runCommand(const std::string& command, Stderr stderrMode) {
  ToolRun run;
  std::string errFile;
  std::string full = command;
  if (stderrMode == Stderr::Discard) {
    full += " 2>/dev/null";
  } else if (stderrMode == Stderr::Merge) {
    full += " 2>&1";
  } else {
    char name[] = "/tmp/tool-stderr-XXXXXX";
    const int fd = mkstemp(name);
    if (fd < 0) return run;
    close(fd);
    errFile = name;
    full += " 2>" + shellQuote(errFile);
  }
  if (std::FILE* pipe = popen(full.c_str(), "r")) {
    char buffer[65536];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, got);
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  if (!errFile.empty()) {
    std::ifstream err(errFile, std::ios::binary);
    std::stringstream text;
    text << err.rdbuf();
    run.err = text.str();
    std::remove(errFile.c_str());
  }
  return run;
}

bool onPath(const std::string& program) {
  return runCommand("command -v " + shellQuote(program) + " >/dev/null").status == 0;
}

}  // namespace testsupport
