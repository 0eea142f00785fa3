// The background loader on its own, with no window: what it reports, in
// which order, and when it stays silent.
#include <gtest/gtest.h>

#include <QStringList>
#include <QThreadPool>
#include <fstream>
#include <memory>

#include "AppTestSupport.h"
#include "CellFixtures.h"
#include "CellLoader.h"

using namespace apptest;

namespace {

TEST(CellLoader, ReportsEachCellThenTheCellsItListedThenTheEnd) {
  ASSERT_TRUE(startEngineOnce()) << "the presentation library S57Lib is missing: run scripts/setup.sh";
  WorkingDirectory cwd;
  fixtures::TempDirectory one, two;
  fixtures::writeCell(fixtures::smallCell("LOADERA1.000"), one.path, "LOADERA1.000");
  std::ofstream(one.path + "/LOADERA2.000") << "short";
  fixtures::writeCell(fixtures::smallCell("LOADERB1.000"), two.path, "LOADERB1.000");
  fixtures::writeCell(fixtures::smallCell("LOADERB2.000", 0.2), two.path, "LOADERB2.000");

  CellLoader loader(engine());
  QStringList heard;
  QObject::connect(&loader, &CellLoader::cellLoaded, [&] { heard << "cell"; });
  QObject::connect(&loader, &CellLoader::cellsListed, [&](const std::vector<S57Cell*>& cells) {
    QStringList names;
    for (const S57Cell* c : cells) names << QString::fromStdString(c->name);
    heard << "listed " + names.join(',');
  });
  QObject::connect(&loader, &CellLoader::finished, [&](const LoadReport& report) {
    QStringList findings;
    for (const LoadFinding& f : report.findings) findings << f.name + QString::fromUtf8("：") + f.text;
    heard << QString("end %1 of %2 listed").arg(report.listed).arg(report.found) + (report.requested ? ", asked" : "") +
                 "|" + findings.join(',') + "|" + report.alreadyLoaded.join(',');
  });
  struct Case {
    const std::string* folder;
    bool reportCells;
    QStringList expected;
  } cases[] = {
      // Not asked to report its cells: each cell, then the end with the failure.
      {&one.path, false, {"cell", QString::fromUtf8("end 1 of 2 listed|LOADERA2.000：不是S-57海图文件|")}},
      {&two.path, true, {"cell", "cell", "listed LOADERB1.000,LOADERB2.000", "end 2 of 2 listed, asked||"}},
      // The same cells again are not read again, no failure: the cells
      // loaded before are listed, for the view to go to them.
      {&two.path, true, {"listed LOADERB1.000,LOADERB2.000", "end 0 of 2 listed, asked||LOADERB1.000,LOADERB2.000"}},
  };
  for (const Case& c : cases) {
    heard.clear();
    loader.start(QString::fromStdString(*c.folder), c.reportCells);
    EXPECT_TRUE(loader.busy());  // from the hand-off on
    ASSERT_TRUE(waitForLoading(loader));
    EXPECT_FALSE(loader.busy());
    EXPECT_EQ(heard, c.expected) << qPrintable(heard.join(" / "));
  }
}

// A loader destroyed while its load runs (the window closed during a
// load) asks the load to stop and waits for it: no load outlives the
// loader it reports through.
TEST(CellLoader, DestroyedWhileLoadingWaitsForTheLoad) {
  ASSERT_TRUE(startEngineOnce()) << "the presentation library S57Lib is missing: run scripts/setup.sh";
  WorkingDirectory cwd;
  fixtures::TempDirectory folder;
  for (int i = 0; i < 20; ++i) {
    const std::string name = "LOADERC" + std::to_string(i / 10) + std::to_string(i % 10) + ".000";
    fixtures::writeCell(fixtures::smallCell(name), folder.path, name);
  }
  auto loader = std::make_unique<CellLoader>(engine());
  loader->start(QString::fromStdString(folder.path));
  loader.reset();
  EXPECT_EQ(QThreadPool::globalInstance()->activeThreadCount(), 0);
}

}  // namespace
