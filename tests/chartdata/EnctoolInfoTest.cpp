// `enctool info` as a process: one JSON line per cell, reasons on stderr,
// non-zero exit status when a cell failed.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "S57Writer.h"

namespace {

struct ToolRun {
  int status = -1;
  std::string out;  // stdout and stderr, stderr lines prefixed with "err: "
};

ToolRun runEnctool(const std::string& args) {
  const std::string errFile = std::filesystem::temp_directory_path().string() + "/enctool_info_" +
                              std::to_string(::getpid()) + ".err";
  const std::string command =
      std::string(ENCTOOL_PATH) + " info " + args + " 2>" + errFile;
  ToolRun run;
  std::FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return run;
  char buffer[4096];
  while (std::fgets(buffer, sizeof buffer, pipe)) run.out += buffer;
  const int status = pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  if (std::FILE* err = std::fopen(errFile.c_str(), "r")) {
    while (std::fgets(buffer, sizeof buffer, err)) run.out += std::string("err: ") + buffer;
    std::fclose(err);
  }
  std::remove(errFile.c_str());
  return run;
}

}  // namespace

TEST(EnctoolInfo, PrintsOneLinePerCellAndReportsFailures) {
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("enctool_info_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  s57write::Parameters p;
  p.cscl = 12000;
  p.comf = 10000000;
  p.somf = 10;
  s57write::DataSet d;
  d.dsnm = "GOOD0001.000";
  s57write::S57Writer writer;
  writer.addDataSet(d, p).addIsolatedNode(1, {1, 2}).addFeature(s57write::Feature());
  const std::string good = (dir / "GOOD0001.000").string();
  ASSERT_TRUE(writer.writeFile(good));
  const std::string missing = (dir / "MISSING.000").string();

  const ToolRun both = runEnctool("'" + good + "' '" + missing + "'");
  EXPECT_EQ(both.status, 1) << both.out;
  EXPECT_NE(both.out.find("{\"file\":\"" + good +
                          "\",\"code\":0,\"dsnm\":\"GOOD0001.000\",\"cscl\":12000,"
                          "\"comf\":10000000,\"somf\":10,\"features\":1,\"vectors\":1,\"ms\":"),
            std::string::npos)
      << both.out;
  EXPECT_NE(both.out.find("{\"file\":\"" + missing + "\",\"code\":1,"), std::string::npos)
      << both.out;
  EXPECT_NE(both.out.find("err: enctool info: " + missing + ": code 1: file cannot be opened"),
            std::string::npos)
      << both.out;

  EXPECT_EQ(runEnctool("'" + good + "'").status, 0);
  EXPECT_EQ(runEnctool("").status, 2);
  EXPECT_EQ(runEnctool("--bogus '" + good + "'").status, 2);
  std::filesystem::remove_all(dir);
}
