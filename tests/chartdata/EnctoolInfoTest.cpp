// `enctool info` as a process: one JSON line per cell, reasons on stderr,
// non-zero exit status when a cell failed or is not whole.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <sstream>
#include <fstream>

#include "CatalogueWriter.h"
#include "S57Writer.h"
#include "FilePermissions.h"
#include "ToolRun.h"

namespace {

struct ToolRun {
  int status = -1;
  std::string out;  // stdout and stderr, stderr lines prefixed with "err: "
};

ToolRun runEnctool(const std::string& args) {
  const testsupport::ToolRun tool =
      testsupport::runCommand(std::string(ENCTOOL_PATH) + " info " + args, testsupport::Stderr::Keep);
  ToolRun run{tool.status, tool.out};
  std::istringstream err(tool.err);
  for (std::string line; std::getline(err, line);) run.out += "err: " + line + "\n";
  return run;
}

// Runs `enctool info FILE` with its output thrown away; gives the exit
// status and the peak resident memory of that process alone, in kilobytes.
struct MeasuredRun {
  int status = -1;
  long peakKilobytes = -1;
};

MeasuredRun runEnctoolMeasured(const std::string& file) {
  MeasuredRun run;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  std::string tool = ENCTOOL_PATH, command = "info", path = file;
  char* argv[] = {tool.data(), command.data(), path.data(), nullptr};
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, tool.c_str(), &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return run;
  int status = 0;
  struct rusage usage {};
  if (wait4(pid, &status, 0, &usage) != pid) return run;
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.peakKilobytes = usage.ru_maxrss;
  return run;
}

}  // namespace

TEST(EnctoolInfo, CraftedFileOfTinyRecordsFailsWithinMemoryBound) {
  // A cell's descriptive record followed by 20 MB of "1 ": every "record"
  // declares a length of 1. The read must fail at once instead of keeping a
  // view per byte pair.
  const std::filesystem::path path =
      std::filesystem::temp_directory_path() / ("enctool_tiny_" + std::to_string(::getpid()) + ".000");
  {
    s57write::S57Writer writer;
    writer.addDataSet();
    const std::string image = writer.image();
    const std::string ddr = image.substr(0, writer.iso().recordOffsets()[1]);
    std::ofstream out(path, std::ios::binary);
    out << ddr;
    const std::string block = [] {
      std::string b;
      for (int i = 0; i < 512 * 1024; ++i) b += "1 ";
      return b;
    }();
    for (int i = 0; i < 20; ++i) out << block;
  }
  ASSERT_GE(std::filesystem::file_size(path), 20u * 1024 * 1024);
  const MeasuredRun run = runEnctoolMeasured(path.string());
  std::filesystem::remove(path);
  EXPECT_EQ(run.status, 1);
  EXPECT_GT(run.peakKilobytes, 0);
  EXPECT_LT(run.peakKilobytes, 100 * 1024) << "peak resident memory of enctool info, kB";
}

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

  // A damaged cell: the reason is named, and the features decoded before the
  // damage are still counted.
  const std::string image = writer.image();
  const std::string cut = (dir / "CUT00001.000").string();
  std::ofstream(cut, std::ios::binary) << image.substr(0, image.size() - 5);
  const ToolRun damaged = runEnctool("'" + cut + "'");
  EXPECT_EQ(damaged.status, 1) << damaged.out;
  EXPECT_NE(damaged.out.find("\"code\":14,\"dsnm\":\"GOOD0001.000\""), std::string::npos) << damaged.out;
  EXPECT_NE(damaged.out.find("err: enctool info: " + cut + ": code 14: a data record runs past the end of the file"),
            std::string::npos)
      << damaged.out;

  EXPECT_EQ(runEnctool("'" + good + "'").status, 0);
  EXPECT_EQ(runEnctool("").status, 2);
  EXPECT_EQ(runEnctool("--bogus '" + good + "'").status, 2);
  std::filesystem::remove_all(dir);
}

TEST(EnctoolInfo, AFolderListsEveryCellWithItsEditionUpdatesAndUpdateError) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / ("enctool_folder_" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir / "ENC_ROOT/GOOD0002");
  auto cell = [](const std::string& name) {
    s57write::DataSet d;
    d.dsnm = name;
    d.edtn = "7";
    s57write::S57Writer w;
    s57write::Feature f;
    f.rcid = 1;
    w.addDataSet(d).addIsolatedNode(1, {1, 2}).addFeature(f);
    return w;
  };
  auto update = [](const std::string& name, int rcid) {
    s57write::DataSet d;
    d.dsnm = name;
    d.edtn = "7";
    d.expp = 2;
    d.updn = "1";
    s57write::Feature f;
    f.rcid = rcid;
    f.rver = 2;
    f.ruin = s57write::kModify;
    f.attributes = {{116, "renamed"}};
    s57write::S57Writer w;
    w.addDataSetIdentification(d).addFeature(f);
    return w;
  };
  ASSERT_TRUE(cell("GOOD0002.000").writeFile((dir / "ENC_ROOT/GOOD0002/GOOD0002.000").string()));
  ASSERT_TRUE(update("GOOD0002.001", 1).writeFile((dir / "ENC_ROOT/GOOD0002/GOOD0002.001").string()));
  ASSERT_TRUE(cell("BAD00001.000").writeFile((dir / "ENC_ROOT/BAD00001.000").string()));
  ASSERT_TRUE(update("BAD00001.001", 9).writeFile((dir / "ENC_ROOT/BAD00001.001").string()));
  const std::string bad = (dir / "ENC_ROOT/BAD00001.000").string();
  const std::string good = (dir / "ENC_ROOT/GOOD0002/GOOD0002.000").string();
  const std::string error =
      "BAD00001.001: not applied: modify or delete of a record the cell does not have (RCNM=100,RCID=9: no such record)";

  const ToolRun run = runEnctool("'" + dir.string() + "'");
  EXPECT_EQ(run.status, 0) << run.out;  // a stopped chain is a warning, not a failure
  EXPECT_EQ(run.out.rfind("{\"folder\":\"" + dir.string() + "\",\"cells\":2,\"catalogues\":0,\"warnings\":[]}\n", 0), 0u)
      << run.out;
  EXPECT_NE(run.out.find("{\"file\":\"" + bad + "\",\"code\":0,"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("\"edition\":7,\"updates\":[],\"updateError\":\"" + error + "\",\"warnings\":[\"" + error + "\"]}"),
            std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("{\"file\":\"" + good + "\",\"code\":0,"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("\"edition\":7,\"updates\":[1],\"warnings\":[]}"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("err: enctool info: " + bad + ": warning: " + error), std::string::npos) << run.out;

  const ToolRun base = runEnctool("--no-updates '" + dir.string() + "'");
  EXPECT_EQ(base.status, 0);
  EXPECT_EQ(base.out.find("updateError"), std::string::npos) << base.out;
  EXPECT_EQ(base.out.find("\"updates\":[1]"), std::string::npos) << base.out;
  // A cell named alone finds its updates beside it.
  EXPECT_NE(runEnctool("'" + good + "'").out.find("\"updates\":[1]"), std::string::npos);
  fs::remove_all(dir);
}

// A folder that cannot be read is named on standard error and in the
// folder's warnings, and fails the run: the cells it may hold are not loaded.
TEST(EnctoolInfo, AFolderThatCannotBeReadFailsTheRun) {
  namespace fs = std::filesystem;
  std::string prefix;
  if (!testsupport::commandPrefixBindingPermissions(prefix)) GTEST_SKIP() << "run as root without setpriv";
  const fs::path dir = fs::temp_directory_path() / ("enctool_locked_" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir / "locked");
  s57write::DataSet d;
  d.dsnm = "OPEN0001.000";
  s57write::Feature f;
  f.rcid = 1;
  s57write::S57Writer w;
  w.addDataSet(d).addIsolatedNode(1, {1, 2}).addFeature(f);
  ASSERT_TRUE(w.writeFile((dir / "OPEN0001.000").string()));
  fs::permissions(dir / "locked", fs::perms::none);
  const testsupport::ToolRun tool = testsupport::runCommand(
      prefix + ENCTOOL_PATH + " info '" + dir.string() + "'", testsupport::Stderr::Keep);
  fs::permissions(dir / "locked", fs::perms::owner_all);
  const std::string line = (dir / "locked").string() + ": folder cannot be read (Permission denied), nothing in it is loaded";
  EXPECT_NE(tool.status, 0);
  EXPECT_NE(tool.out.find("\"cells\":1,\"catalogues\":0,\"warnings\":[\"" + line + "\"]}"), std::string::npos) << tool.out;
  EXPECT_NE(tool.out.find("\"file\":\"" + (dir / "OPEN0001.000").string() + "\",\"code\":0,"), std::string::npos);
  EXPECT_NE(tool.err.find(line), std::string::npos) << tool.err;
  fs::remove_all(dir);
}

// Inputs that once passed for success or hung the tool: a cell that lost
// its feature records, a FIFO named like a cell, and an exchange set whose
// catalogue names files outside it.
TEST(EnctoolInfo, HostileInputsAreReportedNeverPassedOrWaitedOn) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / ("enctool_hostile_" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir / "set/ENC_ROOT");
  s57write::DataSet d;
  d.dsnm = "CUT00002.000";
  s57write::S57Writer writer;
  writer.addDataSet(d).addIsolatedNode(1, {1, 2}).addFeature(s57write::Feature());
  const std::string image = writer.image();
  const std::string cut = (dir / "CUT00002.000").string();
  std::ofstream(cut, std::ios::binary) << image.substr(0, writer.iso().recordOffsets().back());
  const ToolRun lost = runEnctool("'" + cut + "'");
  EXPECT_EQ(lost.status, 1) << lost.out;
  EXPECT_NE(lost.out.find("\"code\":18,\"dsnm\":\"CUT00002.000\""), std::string::npos) << lost.out;
  EXPECT_NE(lost.out.find("\"features\":0,\"vectors\":1"), std::string::npos) << lost.out;
  const std::string finding =
      "CUT00002.000: records lost or added, the cell is not whole: NOGR declares 1 geo feature records, 0 read";
  EXPECT_NE(lost.out.find("\"warnings\":[\"" + finding + "\"]"), std::string::npos) << lost.out;
  EXPECT_NE(lost.out.find("err: enctool info: " + cut + ": code 18: the records read disagree"), std::string::npos)
      << lost.out;
  EXPECT_NE(lost.out.find("err: enctool info: " + cut + ": warning: " + finding), std::string::npos) << lost.out;

  // A FIFO nobody writes to: refused at once (the timeout stops a hang).
  const std::string fifo = (dir / "FIFO0001.000").string();
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const testsupport::ToolRun waited = testsupport::runCommand(
      "timeout 20 " + std::string(ENCTOOL_PATH) + " info '" + fifo + "'", testsupport::Stderr::Keep);
  EXPECT_EQ(waited.status, 1) << waited.out << waited.err;
  EXPECT_NE(waited.out.find("\"code\":17"), std::string::npos) << waited.out;
  EXPECT_NE(waited.err.find("code 17: not a regular file"), std::string::npos) << waited.err;

  // A catalogue naming a file outside its set, with the CRC it has: refused
  // by name, and nothing about the file is printed.
  std::ofstream(dir / "SECRET.TXT") << "private";
  std::ofstream(dir / "set/ENC_ROOT/CATALOG.031", std::ios::binary)
      << s57write::catalogueImage({{"..\\..\\SECRET.TXT", "12345678"}, {(dir / "SECRET.TXT").string(), "12345678"}});
  const ToolRun set = runEnctool("'" + (dir / "set").string() + "'");
  EXPECT_EQ(set.status, 0) << set.out;  // findings, no failed cell
  EXPECT_NE(set.out.find("the entry ..\\\\..\\\\SECRET.TXT is refused: a '..' step; it is not opened"),
            std::string::npos)
      << set.out;
  EXPECT_NE(set.out.find("SECRET.TXT is refused: an absolute path"), std::string::npos) << set.out;
  EXPECT_EQ(set.out.find("CRC-32 is"), std::string::npos) << set.out;
  fs::remove_all(dir);
}
