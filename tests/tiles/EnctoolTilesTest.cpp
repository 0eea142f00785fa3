// enctool tiles as a process: tiles of the real cell against enctool render,
// seams across a block of tiles, the parts of a set against the whole, the
// MBTiles file as sqlite3 and GDAL read it, a run killed midway, and the
// refusals. The synthetic portfolio stands in where no real cell is needed.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QColor>
#include <QImage>
#include <QPainter>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "CellFixtures.h"
#include "RealData.h"
#include "TileView.h"
#include "ToolRun.h"
#include "TrueScale.h"
#include "WebMercatorTiles.h"

namespace fs = std::filesystem;
using namespace tiles;

namespace {
const std::string kLibrary = CHART_SOURCE_DIR "/S57Lib";
const std::string kCell = CHART_SHARED_ENC "/US5WA22M/US5WA22M.000";

using testsupport::ToolRun;

std::string quote(const std::string& s) { return testsupport::shellQuote(s); }

// A shell command; its standard output and error.
ToolRun shell(const std::string& command, const std::string&) {
  return testsupport::runCommand(command, testsupport::Stderr::Keep);
}

ToolRun enctool(const std::string& args, const std::string& scratch) {
  return shell(std::string(ENCTOOL_PATH) + " " + args, scratch);
}

// A number field of the JSON line; -1 when absent.
long long field(const std::string& json, const std::string& key) {
  const size_t at = json.find("\"" + key + "\":");
  return at == std::string::npos ? -1 : std::atoll(json.c_str() + at + key.size() + 3);
}

std::string tilePath(const std::string& folder, const TileId& t) {
  return folder + "/" + std::to_string(t.z) + "/" + std::to_string(t.x) + "/" + std::to_string(t.y) + ".png";
}

// Every file under a folder, by path relative to it, with its bytes.
std::map<std::string, std::string> filesUnder(const std::string& folder) {
  std::map<std::string, std::string> files;
  if (!fs::exists(folder)) return files;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (!entry.is_regular_file()) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    files[fs::relative(entry.path(), folder).string()] = bytes.str();
  }
  return files;
}

// A box inside a tile, so that a set of one zoom holds just that tile.
std::string innerBox(const TileId& first, const TileId& last) {
  const double s = latitudeAtPixel((last.y + 1) * 256.0 - 8, first.z), n = latitudeAtPixel(first.y * 256.0 + 8, first.z);
  const double w = longitudeAtPixel(first.x * 256.0 + 8, first.z), e = longitudeAtPixel((last.x + 1) * 256.0 - 8, first.z);
  char text[128];
  std::snprintf(text, sizeof text, "%.9f,%.9f,%.9f,%.9f", s, w, n, e);
  return text;
}

// enctool render of the area of a block of tiles, centred on its middle tile
// at that tile's scale (render takes the true scale), without cell
// boundaries.
std::string renderArgs(const TileId& middle, int sizePixels, const std::string& out) {
  const TileViewPlacement p = tileViewPlacement(middle);
  ViewGeometry tileView;
  tileView.centre = p.chartCentre;
  tileView.scale = static_cast<float>(p.scale);
  char text[256];
  std::snprintf(text, sizeof text, "--centre %.10f,%.10f --scale %.0f --size %dx%d --no-boundaries", p.centre.latitude,
                p.centre.longitude, trueScale(tileView), sizePixels, sizePixels);
  return "render --library " + quote(kLibrary) + " " + quote(kCell) + " " + text + " --out " + quote(out);
}

bool near(const QColor& p, const QColor& q) {
  constexpr int kTolerance = 48;  // per channel
  return std::abs(p.red() - q.red()) <= kTolerance && std::abs(p.green() - q.green()) <= kTolerance &&
         std::abs(p.blue() - q.blue()) <= kTolerance;
}

// The share of the pixels of `a` within `area` that have no pixel of `b`
// near in colour at most `slack` pixels away.
double unmatched(const QImage& a, const QImage& b, const QRect& area, int slack) {
  long long missing = 0, all = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      ++all;
      bool found = false;
      for (int dy = -slack; dy <= slack && !found; ++dy)
        for (int dx = -slack; dx <= slack && !found; ++dx)
          found = b.valid(x + dx, y + dy) && near(a.pixelColor(x, y), b.pixelColor(x + dx, y + dy));
      if (!found) ++missing;
    }
  }
  return all ? static_cast<double>(missing) / static_cast<double>(all) : 0;
}

// The larger of the two ways round: what either picture has that the other
// lacks. With a slack of one pixel, shifts below a pixel do not count.
double difference(const QImage& a, const QImage& b, const QRect& area, int slack) {
  return std::max(unmatched(a, b, area, slack), unmatched(b, a, area, slack));
}

QImage overBackground(const QImage& tiles, const QColor& background) {
  QImage out(tiles.size(), QImage::Format_ARGB32);
  out.fill(background);
  QPainter painter(&out);
  painter.drawImage(0, 0, tiles);
  return out;
}

bool haveProgram(const char* name) { return testsupport::onPath(name); }

#define SKIP_WITHOUT_LIBRARY() SKIP_UNLESS_PRESENT(kLibrary)
#define SKIP_WITHOUT_REAL_CELL() SKIP_UNLESS_PRESENT(kLibrary, kCell)

// A small synthetic portfolio (one band-2 cell and the nine band-3 cells
// under it), written once for the tests that need no real cell.
const std::string& portfolio() {
  static fixtures::TempDirectory dir;
  static const bool written = [] {
    return enctool("demo --portfolio 10 --out " + quote(dir.path), dir.path).status == 0;
  }();
  EXPECT_TRUE(written);
  return dir.path;
}

std::string portfolioTiles(const std::string& zoom, const std::string& out, const std::string& more = "") {
  return "tiles --library " + quote(kLibrary) + " --cells " + quote(portfolio()) + " --zoom " + zoom + " --out " +
         quote(out) + " " + more;
}

}  // namespace

// A zoom-15 tile of Commencement Bay is what enctool render draws of the same
// area at the same scale and size; only symbols and texts anchored just
// outside the area, which the tile draws and the render leaves out, differ.
TEST(EnctoolTiles, TileEqualsTheRenderOfItsArea) {
  SKIP_WITHOUT_REAL_CELL();
  fixtures::TempDirectory dir;
  const TileId tile{15, 5241, 11489};
  ToolRun run = enctool("tiles --library " + quote(kLibrary) + " " + quote(kCell) + " --zoom 15 --bbox " +
                        innerBox(tile, tile) + " --out " + quote(dir.path + "/xyz"),
                    dir.path);
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(field(run.out, "tiles_written"), 1) << run.out;
  run = enctool(renderArgs(tile, 256, dir.path + "/render.png"), dir.path);
  ASSERT_EQ(run.status, 0) << run.err;

  const QImage rendered(QString::fromStdString(dir.path + "/render.png"));
  const QImage drawn(QString::fromStdString(tilePath(dir.path + "/xyz", tile)));
  ASSERT_EQ(drawn.size(), QSize(256, 256));
  const QImage composed = overBackground(drawn, Qt::white);
  const QRect all(0, 0, 256, 256);
  const double exact = difference(composed, rendered, all, 0), shifted = difference(composed, rendered, all, 1);
  std::printf("tile 15/5241/11489 against enctool render: %.2f%% of the pixels differ, %.2f%% by more than a pixel\n",
              100 * exact, 100 * shifted);
  EXPECT_LT(exact, 0.025);
  EXPECT_LT(shifted, 0.01);
}

// Across every shared edge of a 3 x 3 block, the pixel rows and columns
// continue as in one render of the whole block.
TEST(EnctoolTiles, BlockOfTilesJoinsWithoutSeams) {
  SKIP_WITHOUT_REAL_CELL();
  fixtures::TempDirectory dir;
  const TileId first{15, 5240, 11488}, middle{15, 5241, 11489}, last{15, 5242, 11490};
  ToolRun run = enctool("tiles --library " + quote(kLibrary) + " " + quote(kCell) + " --zoom 15 --bbox " +
                        innerBox(first, last) + " --out " + quote(dir.path + "/xyz"),
                    dir.path);
  ASSERT_EQ(run.status, 0) << run.err;
  ASSERT_EQ(field(run.out, "tiles_written"), 9) << run.out;
  run = enctool(renderArgs(middle, 768, dir.path + "/render.png"), dir.path);
  ASSERT_EQ(run.status, 0) << run.err;
  const QImage rendered(QString::fromStdString(dir.path + "/render.png"));

  QImage stitched(768, 768, QImage::Format_ARGB32_Premultiplied);
  stitched.fill(Qt::transparent);
  {
    QPainter painter(&stitched);
    for (int i = 0; i < 3; ++i)
      for (int j = 0; j < 3; ++j)
        painter.drawImage(256 * i, 256 * j,
                          QImage(QString::fromStdString(tilePath(dir.path + "/xyz", {15, first.x + i, first.y + j}))));
  }
  const QImage composed = overBackground(stitched, Qt::white);
  // Beside a seam the tiles show what the render shows, give or take the
  // fraction of a pixel by which their views and the render's differ.
  for (int seam : {256, 512}) {
    const double across = difference(composed, rendered, QRect(seam - 3, 0, 6, 768), 1);
    const double down = difference(composed, rendered, QRect(0, seam - 3, 768, 6), 1);
    std::printf("seam at %d: columns %.2f%%, rows %.2f%% of the pixels differ by more than a pixel\n", seam,
                100 * across, 100 * down);
    EXPECT_LT(across, 0.01) << "vertical seam at x " << seam;
    // A text across a seam is drawn by the tiles on both sides, whose glyphs
    // may land a pixel apart: one name there is worth about a percent.
    EXPECT_LT(down, 0.02) << "horizontal seam at y " << seam;
  }
  EXPECT_LT(difference(composed, rendered, QRect(0, 0, 768, 768), 1), 0.01);
  EXPECT_LT(difference(composed, rendered, QRect(0, 0, 768, 768), 0), 0.05);
}

// The rows of an MBTiles file as sqlite3 prints them: metadata, then every
// tile with a digest of its bytes.
std::string mbtilesContent(const std::string& file, const std::string& scratch) {
  const ToolRun run = shell("sqlite3 " + quote(file) +
                                " \"SELECT name, value FROM metadata ORDER BY name;"
                                " SELECT zoom_level, tile_column, tile_row, length(tile_data), hex(substr(tile_data, -64))"
                                " FROM tiles ORDER BY zoom_level, tile_column, tile_row;\"",
                            scratch);
  EXPECT_EQ(run.status, 0) << run.err;
  return run.out;
}

// The same set as MBTiles and as a folder; the parts of it merged with the
// sqlite3 commands the README gives equal the whole; sqlite3 and gdalinfo
// open the file.
TEST(EnctoolTiles, MbtilesPartsMergeIntoTheWhole) {
  SKIP_WITHOUT_LIBRARY();
  if (!haveProgram("sqlite3")) GTEST_SKIP() << "needs the sqlite3 program (Debian package sqlite3)";
  fixtures::TempDirectory dir;
  const std::string whole = dir.path + "/whole.mbtiles";
  ToolRun run = enctool(portfolioTiles("7-9", whole), dir.path);
  ASSERT_EQ(run.status, 0) << run.err;
  const long long written = field(run.out, "tiles_written");
  ASSERT_GT(written, 20) << run.out;
  EXPECT_EQ(field(run.out, "tiles_skipped"), 0) << run.out;
  EXPECT_NE(run.err.find("tiles " + std::to_string(written) + "/" + std::to_string(written)), std::string::npos)
      << run.err;

  for (int part = 1; part <= 2; ++part) {
    run = enctool(portfolioTiles("7-9", dir.path + "/part" + std::to_string(part) + ".mbtiles",
                                 "--part " + std::to_string(part) + "/2"),
                  dir.path);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(field(run.out, "tiles"), written / 2 + (part == 1 ? written % 2 : 0)) << run.out;
  }
  const std::string merged = dir.path + "/merged.mbtiles";
  run = shell("cp " + quote(dir.path + "/part1.mbtiles") + " " + quote(merged) + " && sqlite3 " + quote(merged) +
                  " \"ATTACH " + quote(dir.path + "/part2.mbtiles") +
                  " AS part; INSERT OR REPLACE INTO tiles SELECT * FROM part.tiles; DETACH part;\"",
              dir.path);
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string content = mbtilesContent(whole, dir.path);
  EXPECT_EQ(mbtilesContent(merged, dir.path), content);
  EXPECT_NE(content.find("format|png"), std::string::npos) << content;
  EXPECT_NE(content.find("minzoom|7"), std::string::npos) << content;

  // The folder holds the same tiles, its rows counted from the north.
  run = enctool(portfolioTiles("7-9", dir.path + "/xyz"), dir.path);
  ASSERT_EQ(run.status, 0) << run.err;
  const auto files = filesUnder(dir.path + "/xyz");
  EXPECT_EQ(static_cast<long long>(files.size()), written);
  const ToolRun row = shell("sqlite3 " + quote(whole) +
                                " \"SELECT zoom_level || '/' || tile_column || '/' || ((1 << zoom_level) - 1 - tile_row)"
                                " || '.png', length(tile_data) FROM tiles\"",
                            dir.path);
  std::istringstream lines(row.out);
  std::string line;
  int matched = 0;
  while (std::getline(lines, line)) {
    const size_t bar = line.find('|');
    const auto it = files.find(line.substr(0, bar));
    ASSERT_NE(it, files.end()) << line;
    EXPECT_EQ(std::to_string(it->second.size()), line.substr(bar + 1)) << line;
    ++matched;
  }
  EXPECT_EQ(matched, written);

  run = shell("sqlite3 " + quote(whole) + " 'PRAGMA integrity_check'", dir.path);
  EXPECT_EQ(run.out, "ok\n");
  if (!haveProgram("gdalinfo")) GTEST_SKIP() << "needs gdalinfo (Debian package gdal-bin)";
  run = shell("gdalinfo " + quote(whole), dir.path);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("Driver: MBTiles"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("Band 4"), std::string::npos) << run.out;  // red, green, blue and alpha
}

// Tiles where no cell is drawn are counted and not stored; every stored tile
// shows something. At zoom 2 the portfolio's general cell (at 50 S) is not
// drawn yet (the true scale is over 100 times its compilation scale), at
// zoom 3 it is.
TEST(EnctoolTiles, TilesWithoutChartAreNotWritten) {
  SKIP_WITHOUT_LIBRARY();
  fixtures::TempDirectory dir;
  const ToolRun run = enctool(portfolioTiles("2-3", dir.path + "/xyz"), dir.path);
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_GE(field(run.out, "tiles_skipped"), 1) << run.out;
  EXPECT_GE(field(run.out, "tiles_written"), 1) << run.out;
  EXPECT_EQ(field(run.out, "tiles_written") + field(run.out, "tiles_skipped"), field(run.out, "tiles"));
  EXPECT_FALSE(fs::exists(dir.path + "/xyz/2"));
  const auto files = filesUnder(dir.path + "/xyz");
  EXPECT_EQ(static_cast<long long>(files.size()), field(run.out, "tiles_written"));
  for (const auto& [name, bytes] : files) {
    const QImage image = QImage::fromData(reinterpret_cast<const uchar*>(bytes.data()), static_cast<int>(bytes.size()));
    ASSERT_EQ(image.size(), QSize(256, 256)) << name;
    bool opaque = false;
    for (int y = 0; y < 256 && !opaque; ++y)
      for (int x = 0; x < 256 && !opaque; ++x) opaque = qAlpha(image.pixel(x, y)) > 0;
    EXPECT_TRUE(opaque) << name;
  }
}

// Several threads give the same tiles as one.
TEST(EnctoolTiles, JobsGiveTheSameTiles) {
  SKIP_WITHOUT_LIBRARY();
  fixtures::TempDirectory dir;
  ToolRun run = enctool(portfolioTiles("8-9", dir.path + "/one", "--soundings"), dir.path);
  ASSERT_EQ(run.status, 0) << run.err;
  run = enctool(portfolioTiles("8-9", dir.path + "/three", "--soundings --jobs 3"), dir.path);
  ASSERT_EQ(run.status, 0) << run.err;
  const auto one = filesUnder(dir.path + "/one");
  EXPECT_GT(one.size(), 10u);
  EXPECT_TRUE(one == filesUnder(dir.path + "/three"));
}

// A run killed midway leaves an MBTiles file that opens, holding whole
// tiles, and a folder without a broken PNG.
TEST(EnctoolTiles, RunKilledMidwayLeavesWholeTiles) {
  SKIP_WITHOUT_LIBRARY();
  if (!haveProgram("sqlite3")) GTEST_SKIP() << "needs the sqlite3 program (Debian package sqlite3)";
  fixtures::TempDirectory dir;
  portfolio();
  for (const std::string& out : {dir.path + "/killed.mbtiles", dir.path + "/killed"}) {
    const bool mbtiles = out.size() > 8 && out.compare(out.size() - 8, 8, ".mbtiles") == 0;
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      const int null = open("/dev/null", O_WRONLY);
      dup2(null, 1);
      dup2(null, 2);
      const std::string library = kLibrary, cells = portfolio();
      execl(ENCTOOL_PATH, "enctool", "tiles", "--library", library.c_str(), "--cells", cells.c_str(), "--zoom",
            "9-12", "--out", out.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
    // Wait for the first tiles to be stored, then kill the run.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
    bool stored = false;
    while (!stored && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
      if (mbtiles) {
        // Read-only: sqlite3 must not make the file before enctool does.
        const ToolRun count = shell("sqlite3 -readonly " + quote(out) + " 'SELECT count(*) FROM tiles'", dir.path);
        stored = count.status == 0 && std::atoi(count.out.c_str()) >= 5;
      } else {
        stored = filesUnder(out).size() >= 5;
      }
    }
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(stored) << out << ": no tile stored before the deadline";

    std::map<std::string, std::string> tiles;
    if (mbtiles) {
      EXPECT_EQ(shell("sqlite3 " + quote(out) + " 'PRAGMA integrity_check'", dir.path).out, "ok\n");
      const std::string folder = dir.path + "/extracted";
      fs::create_directories(folder);
      // Each stored tile's bytes, written out by sqlite3 itself.
      const ToolRun extract = shell("cd " + quote(folder) + " && sqlite3 " + quote(out) +
                                        " \"SELECT writefile(rowid || '.png', tile_data) FROM tiles\" >/dev/null",
                                    dir.path);
      EXPECT_EQ(extract.status, 0) << extract.err;
      tiles = filesUnder(folder);
    } else {
      tiles = filesUnder(out);
    }
    EXPECT_GE(tiles.size(), 5u);
    for (const auto& [name, bytes] : tiles) {
      // No file under a tile's name is anything but a whole tile.
      if (name.size() < 4 || name.compare(name.size() - 4, 4, ".png") != 0) continue;
      const QImage image = QImage::fromData(reinterpret_cast<const uchar*>(bytes.data()), static_cast<int>(bytes.size()));
      EXPECT_EQ(image.size(), QSize(256, 256)) << out << ": " << name;
    }
  }
}

// Usage errors and outputs that cannot be written: a clear message, a
// non-zero status, nothing written, an existing file left as it was.
TEST(EnctoolTiles, RefusesBadOptionsAndUnwritableOutputs) {
  SKIP_WITHOUT_LIBRARY();
  fixtures::TempDirectory dir;
  const std::string cells = " --cells " + quote(portfolio());
  const std::string library = "--library " + quote(kLibrary);
  const std::string out = dir.path + "/never";
  {
    std::ofstream existing(dir.path + "/existing.mbtiles");
    existing << "not a database";
    std::ofstream plain(dir.path + "/plain");
    plain << "a file";
  }
  struct Case {
    std::string args;
    int status;
    std::string message;
  } cases[] = {
      {library + cells + " --out " + quote(out), 2, "--zoom Z1-Z2 is required"},
      {library + cells + " --zoom 9-5 --out " + quote(out), 2, "--zoom needs"},
      {library + cells + " --zoom 25 --out " + quote(out), 2, "--zoom needs"},
      {library + cells + " --zoom 3-x --out " + quote(out), 2, "--zoom needs"},
      {library + cells + " --zoom 3 --bbox 10,20,30 --out " + quote(out), 2, "--bbox needs"},
      {library + cells + " --zoom 3 --bbox 30,20,10,40 --out " + quote(out), 2, "--bbox needs"},
      {library + cells + " --zoom 3 --part 3/2 --out " + quote(out), 2, "--part needs"},
      {library + cells + " --zoom 3 --part 0/2 --out " + quote(out), 2, "--part needs"},
      {library + cells + " --zoom 3 --part 2 --out " + quote(out), 2, "--part needs"},
      {library + cells + " --zoom 3 --jobs 0 --out " + quote(out), 2, "--jobs needs"},
      {library + cells + " --zoom 3 --scheme 6 --out " + quote(out), 2, "--scheme needs"},
      {library + cells + " --zoom 3 --contours 15 --out " + quote(out), 2, "--contours needs"},
      {library + cells + " --zoom 3 --english --out " + quote(out), 2, "unknown option"},
      {library + cells + " --zoom 3", 2, "--out DIR or --out FILE.mbtiles is required"},
      {library + " --zoom 3 --out " + quote(out), 2, "give the cells"},
      {cells + " --zoom 3 --out " + quote(out), 2, "--library DIR is required"},
      {library + " --cells " + quote(dir.path + "/none") + " --zoom 3 --out " + quote(out), 2, "no such cell directory"},
      {"--library " + quote(dir.path + "/nolibrary") + cells + " --zoom 3 --out " + quote(out), 1,
       "no presentation library"},
      {library + cells + " --zoom 3 --bbox 40,0,41,1 --out " + quote(out + ".mbtiles"), 1, "no tile at zoom 3"},
      {library + cells + " --zoom 3 --out " + quote(dir.path + "/existing.mbtiles"), 1, "already exists"},
      {library + cells + " --zoom 3 --out " + quote(dir.path + "/plain"), 1, "not a folder"},
      {library + cells + " --zoom 3 --out " + quote(dir.path + "/plain/sub"), 1, "cannot make"},
      {library + cells + " --zoom 3 --out " + quote(dir.path + "/plain/x.mbtiles"), 1, "cannot write in the folder"},
  };
  for (const Case& c : cases) {
    const ToolRun run = enctool("tiles " + c.args, dir.path);
    EXPECT_EQ(run.status, c.status) << c.args << "\n" << run.err;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << c.args << "\n" << run.err;
    EXPECT_TRUE(run.out.empty()) << c.args << "\n" << run.out;
  }
  EXPECT_FALSE(fs::exists(out));
  EXPECT_FALSE(fs::exists(out + ".mbtiles"));
  std::ifstream existing(dir.path + "/existing.mbtiles");
  std::string text;
  std::getline(existing, text);
  EXPECT_EQ(text, "not a database");
}

// A cell that cannot be read is named and makes the status 1; the others
// are rendered.
TEST(EnctoolTiles, CellThatCannotBeReadIsReported) {
  SKIP_WITHOUT_LIBRARY();
  fixtures::TempDirectory dir;
  const std::string good = portfolio() + "/XX2P0001.000", missing = dir.path + "/XX9X0001.000";
  const ToolRun run = enctool("tiles --library " + quote(kLibrary) + " " + quote(good) + " " + quote(missing) +
                                  " --zoom 5 --out " + quote(dir.path + "/xyz"),
                              dir.path);
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find(missing), std::string::npos) << run.err;
  EXPECT_GE(field(run.out, "tiles_written"), 1) << run.out;
  EXPECT_EQ(field(run.out, "cells_loaded"), 1) << run.out;
}
