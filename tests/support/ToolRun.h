#pragma once
// Commands run as a test sees them: the programs the tests drive as
// processes (enctool, GDAL's ogrinfo and ogr2ogr, sqlite3, gdalinfo).
#include <string>
#include <vector>

namespace testsupport {

struct ToolRun {
  int status = -1;  // exit status; -1 when the command could not run or did not exit
  std::string out;  // standard output
  std::string err;  // standard error, when kept
  // Standard output line by line, without the line ends.
  std::vector<std::string> lines() const;
};

enum class Stderr { Discard, Keep, Merge };

// Runs `command` through the shell. Standard error is thrown away, kept in
// `err`, or merged into `out`.
ToolRun runCommand(const std::string& command, Stderr stderrMode = Stderr::Discard);

// `text` quoted for the shell.
std::string shellQuote(const std::string& text);

// Whether a program of that name is on the PATH.
bool onPath(const std::string& program);

}  // namespace testsupport
