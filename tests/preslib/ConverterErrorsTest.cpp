// Bad sources: the converter says what is wrong and where, and leaves the
// output folder as it was.
#include <gtest/gtest.h>

#include <fstream>
#include <vector>

#include "ConverterFixture.h"

int runMklibCommand(int argc, char** argv);

namespace {
std::string replaced(std::string text, const std::string& from, const std::string& to) {
  const std::size_t at = text.find(from);
  if (at == std::string::npos) ADD_FAILURE() << "fixture lacks " << from;
  else text.replace(at, from.size(), to);
  return text;
}

int runMklib(std::vector<std::string> args, std::string& standardError) {
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  testing::internal::CaptureStderr();
  testing::internal::CaptureStdout();
  const int code = runMklibCommand(static_cast<int>(argv.size()), argv.data());
  testing::internal::GetCapturedStdout();
  standardError = testing::internal::GetCapturedStderr();
  return code;
}
}  // namespace

TEST(ConverterErrors, BadXmlIsReportedWithItsPlaceAndNothingIsWritten) {
  const std::string xml = fixtureXml();
  struct Case {
    const char* what;
    std::string xml;
    std::string message;
  } cases[] = {
      {"truncated", xml.substr(0, xml.size() / 2), "chartsymbols.xml:"},
      {"not XML", "this is not XML", "chartsymbols.xml:1:"},
      {"other root", "<library><lookups/></library>", "not <chartsymbols>"},
      {"section missing", replaced(replaced(xml, "<symbols>", ""), "</symbols>", ""), "no <symbols> section"},
      {"bad number", replaced(xml, "r=\"7\"", "r=\"seven\""), "not a whole number"},
      {"unknown priority", replaced(xml, "<disp-prio>Hazards</disp-prio>", "<disp-prio>Urgent</disp-prio>"),
       "unknown display priority \"Urgent\""},
      {"unknown table", replaced(xml, "<table-name>Lines</table-name>", "<table-name>Tiles</table-name>"),
       "unknown table name \"Tiles\""},
      {"unknown scheme", replaced(xml, "name=\"NIGHT\"", "name=\"EVENING\""), "\"EVENING\" is none of"},
      {"unknown fill", replaced(xml, "<filltype>S</filltype>", "<filltype>X</filltype>"), "unknown fill type"},
      {"short name", replaced(xml, "<name>TESTLS01</name>", "<name>TESTLS1</name>"), "not eight characters"},
      {"number too wide", replaced(xml, "<pivot x=\"100\"", "<pivot x=\"100000\""), "does not fit five"},
      // Hostile values are quoted by their start and their length only.
      {"five million digits", replaced(xml, "r=\"7\"", "r=\"" + std::string(5000000, '9') + "\""),
       "is \"" + std::string(60, '9') + "... (5000000 bytes)\", not a whole number"},
      {"huge table name", replaced(xml, "<table-name>Lines</table-name>",
                                   "<table-name>" + std::string(1000000, 'T') + "</table-name>"),
       "unknown table name \"" + std::string(60, 'T') + "... (1000000 bytes)\""},
      {"line break in a name", replaced(xml, "<name>TESTLS01</name>", "<name>TEST\nLS1</name>"),
       "a line holds a line break: LIND   39TEST?LS1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    const LibrarySources sources = writeFixtureSources(dir, c.xml);
    ConversionReport report;
    std::string error;
    EXPECT_FALSE(convertLibrary(sources, dir.file("S57Lib"), report, error));
    EXPECT_NE(error.find(c.message), std::string::npos) << error.substr(0, 400);
    EXPECT_LT(error.size(), 400u);
    EXPECT_EQ(error.find('\n'), std::string::npos) << error;
    EXPECT_FALSE(std::filesystem::exists(dir.file("S57Lib")));
    // Nothing is left beside the output folder either.
    int entries = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir.path())) entries += e.is_directory() ? 1 : 0;
    EXPECT_EQ(entries, 0);
  }
}

// A bad supplementary drawing file is reported with its own name and line,
// and nothing is written.
TEST(ConverterErrors, BadSupplementaryDrawingsAreReported) {
  const std::string good =
      "<symbol><name>OWNSY001</name><color-ref>ACHBLK</color-ref><vector width=\"1\" height=\"1\">"
      "<pivot x=\"0\" y=\"0\"/><origin x=\"0\" y=\"0\"/><HPGL>SPA;PU0,0;</HPGL></vector></symbol>";
  auto file = [](const std::string& body) { return "<?xml version=\"1.0\"?>\n<chartsymbols>\n" + body + "\n</chartsymbols>\n"; };
  struct Case {
    const char* what;
    std::string supplement;
    std::string message;
  } cases[] = {
      {"not XML", "no XML here", "drawings.xml:1:"},
      {"look-ups", file("<lookups></lookups>"), "drawings.xml:3: <lookups> in a file of drawings"},
      {"bitmap only", file("<symbols><symbol><name>OWNSY001</name><color-ref>ACHBLK</color-ref>"
                           "<bitmap width=\"1\" height=\"1\"/></symbol></symbols>"),
       "symbol OWNSY001 has no <vector>"},
      {"short name", file("<symbols>" + replaced(good, "OWNSY001", "OWNSY1") + "</symbols>"),
       "symbol OWNSY1 has a name that is not eight characters long"},
      {"twice", file("<symbols>" + good + "\n" + good + "</symbols>"), "drawings.xml:4: symbol OWNSY001 is given twice"},
      {"colours", file("<symbols>" + replaced(good, "ACHBLK", "ACHBL") + "</symbols>"),
       "colour references that are not letter and five-character token pairs"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    LibrarySources sources = writeFixtureSources(dir);
    sources.supplement = dir.write("drawings.xml", c.supplement);
    ConversionReport report;
    std::string error;
    EXPECT_FALSE(convertLibrary(sources, dir.file("S57Lib"), report, error));
    EXPECT_NE(error.find(c.message), std::string::npos) << error;
    EXPECT_EQ(error.rfind(sources.supplement, 0), 0u) << error;
    EXPECT_FALSE(std::filesystem::exists(dir.file("S57Lib")));
  }
  TempDir dir;
  LibrarySources sources = writeFixtureSources(dir);
  sources.supplement = dir.file("absent.xml");
  ConversionReport report;
  std::string error;
  EXPECT_FALSE(convertLibrary(sources, dir.file("S57Lib"), report, error));
  EXPECT_NE(error.find("absent.xml: cannot open"), std::string::npos) << error;
}

TEST(ConverterErrors, MissingOrBadTablesAreReported) {
  TempDir dir;
  LibrarySources sources = writeFixtureSources(dir);
  struct Case {
    const char* what;
    std::string objects, attributes;
    std::string message;
  } cases[] = {
      {"missing objects", dir.file("absent.csv"), sources.attributes, "absent.csv: cannot open"},
      {"missing attributes", sources.objectClasses, dir.file("gone.csv"), "gone.csv: cannot open"},
      {"no column", dir.write("o.csv", "Code,Name,Acronym\n1,x,y\n"), sources.attributes, "no column \"ObjectClass\""},
      {"short row", sources.objectClasses, dir.write("a.csv", "Code,Attribute,Acronym,Attributetype,Class\n1,x\n"),
       "line 2: too few fields"},
      {"bad code", sources.objectClasses, dir.write("b.csv", "Code,Attribute,Acronym,Attributetype,Class\nx1,a,b,c,d\n"),
       "line 2: the code \"x1\""},
      {"open quote", dir.write("q.csv", "Code,ObjectClass\n1,\"never closed\n"), sources.attributes,
       "q.csv:2: unclosed quote"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    LibrarySources s = sources;
    s.objectClasses = c.objects;
    s.attributes = c.attributes;
    ConversionReport report;
    std::string error;
    EXPECT_FALSE(convertLibrary(s, dir.file("out"), report, error));
    EXPECT_NE(error.find(c.message), std::string::npos) << error;
    EXPECT_FALSE(std::filesystem::exists(dir.file("out")));
  }
}

TEST(ConverterErrors, AnExistingLibraryIsReplacedWholeOrNotAtAll) {
  TempDir dir;
  const LibrarySources good = writeFixtureSources(dir);
  std::filesystem::create_directory(dir.file("S57Lib"));
  dir.write("S57Lib/S57Colours", "old");
  dir.write("S57Lib/leftover", "old");

  ConversionReport report;
  std::string error;
  LibrarySources bad = good;
  bad.xml = dir.file("absent.xml");
  EXPECT_FALSE(convertLibrary(bad, dir.file("S57Lib"), report, error));
  EXPECT_TRUE(std::filesystem::exists(dir.file("S57Lib/leftover")));

  ASSERT_TRUE(convertLibrary(good, dir.file("S57Lib"), report, error)) << error;
  EXPECT_FALSE(std::filesystem::exists(dir.file("S57Lib/leftover")));
  int files = 0;
  for (const auto& e : std::filesystem::directory_iterator(dir.file("S57Lib"))) files += e.is_regular_file() ? 1 : 0;
  EXPECT_EQ(files, 7);
  int besideIt = 0;
  for (const auto& e : std::filesystem::directory_iterator(dir.path())) besideIt += e.is_directory() ? 1 : 0;
  EXPECT_EQ(besideIt, 1);  // no temporary or previous folder left
}

TEST(ConverterErrors, TheCommandExitsNonZeroWithAMessage) {
  TempDir dir;
  const LibrarySources s = writeFixtureSources(dir);
  std::string err;
  EXPECT_EQ(runMklib({"--xml", dir.file("none.xml"), "--objects", s.objectClasses, "--attributes", s.attributes,
                      "--out", dir.file("lib")},
                     err),
            1);
  EXPECT_NE(err.find("none.xml: cannot open"), std::string::npos) << err;
  EXPECT_NE(err.find("nothing written"), std::string::npos) << err;
  EXPECT_FALSE(std::filesystem::exists(dir.file("lib")));

  EXPECT_EQ(runMklib({"--xml", s.xml, "--out"}, err), 2);
  EXPECT_NE(err.find("usage"), std::string::npos);
  EXPECT_EQ(runMklib({"--xml", s.xml, "--out", dir.file("lib")}, err), 2);
  EXPECT_EQ(runMklib({"--colour", "x"}, err), 2);

  EXPECT_EQ(runMklib({"--xml", s.xml, "--objects", s.objectClasses, "--attributes", s.attributes, "--out",
                      dir.file("lib")},
                     err),
            0);
  EXPECT_TRUE(std::filesystem::exists(dir.file("lib/S57Attributes")));
}
