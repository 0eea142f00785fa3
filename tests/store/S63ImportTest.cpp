// The IHO's encrypted test data (tests 2, 4, 5 and 6) imported into a
// chart store through enctool import, with the data client's date of the
// tests: each row gives what every line of each import says (the keys, the
// permits and the cells with their SSE codes) and the cells the store then
// holds in use. Unless a row says otherwise, the store is empty but for
// the IHO's certificate, installed by a first import of its own.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "ToolRun.h"

namespace fs = std::filesystem;

namespace {

const std::string kS63 = CHART_SHARED_ENC "/../iho/s63/";
const std::string kLicensing = "2 ENC Licencing/Test ";
const std::string kAuth1 = "4 Authentication_Part1/Test ";
const std::string kAuth2 = "5 Authentication_Part2/Test ";
const std::string kDecryption = "6 ENC Decryption/Test ";
const std::string kIho = kAuth1 + "4b/IHO.CRT";

std::string data(const std::string& relative) { return testsupport::shellQuote(kS63 + relative); }

testsupport::ToolRun enctool(const std::string& args) {
  return testsupport::runCommand(std::string(ENCTOOL_PATH) + " " + args, testsupport::Stderr::Keep);
}

std::string codes(const QJsonObject& o) {
  std::string text = "[";
  for (const QJsonValue& v : o.value("sse").toArray()) text += (text.size() > 1 ? "," : "") + std::to_string(v.toInt());
  return text + "]";
}

std::string text(const QJsonObject& o, const char* key) { return o.value(key).toString().toStdString(); }

// One line of enctool import or info, in short:
//   "certificate IHO.CRT refused [22]", "permits [11]",
//   "permit GB100002 GB installed [20]" ("permit line 4 refused [12]" for a
//   record that does not read), "GB100001 refused [11]",
//   "GB100002 13/5 [15]" (a cell in use: edition and last update).
std::string shortLine(const std::string& line) {
  const QJsonObject o = QJsonDocument::fromJson(QByteArray::fromStdString(line)).object();
  if (o.contains("dsnm")) {  // enctool info
    const std::string file = text(o, "file");
    return file.substr(file.rfind('/') + 1, 8) + " code " + std::to_string(o.value("code").toInt()) + " " + codes(o);
  }
  if (o.contains("certificate")) return "certificate " + text(o, "certificate") + " " + text(o, "action") + " " + codes(o);
  if (o.contains("permits")) return "permits " + codes(o);
  if (o.contains("permit")) {
    const std::string cell = text(o, "permit");
    return "permit " + (cell.empty() ? "line " + std::to_string(o.value("line").toInt()) : cell + " " + text(o, "dataServer")) +
           " " + text(o, "action") + " " + codes(o);
  }
  if (text(o, "status") != "in use") return text(o, "cell") + " " + text(o, "status") + " " + codes(o);
  return text(o, "cell") + " " + std::to_string(o.value("edition").toInt()) + "/" +
         std::to_string(o.value("update").toInt()) + " " + codes(o);
}

std::vector<std::string> shortLines(const testsupport::ToolRun& run) {
  std::vector<std::string> lines;
  for (const std::string& line : run.lines())
    if (line.rfind("{\"store\"", 0) != 0) lines.push_back(shortLine(line));
  return lines;
}

struct Step {
  std::string args;  // after "import --store DIR --date DATE"
  int exit;
  std::vector<std::string> lines;
};

struct Row {
  const char* name;
  const char* date;
  bool iho;  // the IHO's certificate installed first
  std::vector<Step> steps;
  std::vector<std::string> held;  // enctool store: the cells in use ("GB100002 13/5") and the permits ("GB100002 GB")
};

class S63Import : public testing::Test {
protected:
  void SetUp() override {
    if (!fs::is_directory(kS63 + kAuth1 + "4b")) GTEST_SKIP() << "the IHO's encrypted test data are not in " << kS63;
    store = fs::temp_directory_path() / ("s63_store_" + std::to_string(::getpid()));
    fs::remove_all(store);
  }
  void TearDown() override { fs::remove_all(store); }

  std::string storeArg() const { return "--store " + testsupport::shellQuote(store.string()); }

  testsupport::ToolRun import(const std::string& date, const std::string& args) {
    return enctool("import " + storeArg() + " --date " + date + " " + args);
  }

  // The cells in use and the permits the store holds.
  std::vector<std::string> held(const std::string& date) {
    const testsupport::ToolRun run = enctool("store " + storeArg() + " --date " + date);
    EXPECT_EQ(run.status, 0) << run.err;
    std::vector<std::string> lines;
    for (const std::string& line : run.lines()) {
      const QJsonObject o = QJsonDocument::fromJson(QByteArray::fromStdString(line)).object();
      if (o.contains("cell") && text(o, "status") == "in use")
        lines.push_back(text(o, "cell") + " " + std::to_string(o.value("edition").toInt()) + "/" +
                        std::to_string(o.value("update").toInt()));
      else if (o.contains("permit"))
        lines.push_back(text(o, "permit") + " " + text(o, "dataServer"));
    }
    return lines;
  }

  void run(const std::vector<Row>& rows) {
    for (const Row& row : rows) {
      SCOPED_TRACE(row.name);
      fs::remove_all(store);
      if (row.iho) {
        ASSERT_EQ(import(row.date, "--certificate " + data(kIho)).status, 0);
      }
      for (const Step& step : row.steps) {
        SCOPED_TRACE(step.args);
        const testsupport::ToolRun ran = import(row.date, step.args);
        EXPECT_EQ(ran.status, step.exit) << ran.err;
        EXPECT_EQ(shortLines(ran), step.lines) << ran.out << ran.err;
      }
      EXPECT_EQ(held(row.date), row.held);
    }
  }

  fs::path store;
};

std::string permits(const std::string& test) { return "--permits " + data(test + "/PERMIT.TXT"); }

TEST_F(S63Import, LicensingRows2aTo2g) {
  const std::string p2b = "permit GB100002 GB installed []";
  const std::string ten = kLicensing + "2f";
  run({
      {"2a: no permit in the file", "20130601", true, {{permits(kLicensing + "2a"), 1, {"permits [11]"}}}, {}},
      {"2b: one record of the wrong length",
       "20130601",
       true,
       {{permits(kLicensing + "2b") + " " + data(kLicensing + "2b"),
         1,
         {"permit line 4 refused [12]", p2b, "GB100001 refused [11]", "GB100002 13/5 []"}}},
       {"GB100002 13/5", "GB100002 GB"}},
      {"2c/1: a wrong check sum",
       "20130601",
       true,
       {{permits(kLicensing + "2c/1"), 1, {"permit GB100001 GB refused [13]", p2b}}},
       {"GB100002 GB"}},
      {"2c/2: a wrong check sum",
       "20130601",
       true,
       {{permits(kLicensing + "2c/2"), 1, {"permit GB100001 GB refused [13]", p2b}}},
       {"GB100002 GB"}},
      // Expired permits are installed; a cell issued before they ran out
      // is taken with the warning, and shown with SSE 25 (below).
      {"2d: expired at installation",
       "20130601",
       true,
       {{permits(kLicensing + "2d") + " " + data(kAuth1 + "4b"),
         1,
         {"permit GB100001 GB installed [15]", "permit GB100002 GB installed [15]", "permit GB100004 GB installed [15]",
          "GB100004 7/1 [15]", "GB100005 refused [11]"}}},
       {"GB100004 7/1", "GB100001 GB", "GB100002 GB", "GB100004 GB"}},
      {"2e: within 30 days of expiry",
       "20121215",
       true,
       {{permits(kLicensing + "2e"),
         0,
         {"permit GB100001 GB installed [20]", "permit GB100002 GB installed [20]",
          "permit GB100004 GB installed [20]"}}},
       {"GB100001 GB", "GB100002 GB", "GB100004 GB"}},
      {"2g: two data servers for the same cells, kept side by side",
       "20130601",
       true,
       {{permits(kLicensing + "2g/DS1"),
         0,
         {"permit GB100001 GB installed []", "permit GB100002 GB installed []", "permit GB100004 GB installed []",
          "permit GB100005 GB installed []"}},
        {permits(kLicensing + "2g/DS2"),
         0,
         {"permit GB100004 PM installed []", "permit GB100005 PM installed []", "permit GB100006 PM installed []",
          "permit GB100007 PM installed []"}},
        // The same file again changes nothing.
        {permits(kLicensing + "2g/DS1"),
         0,
         {"permit GB100001 GB unchanged []", "permit GB100002 GB unchanged []", "permit GB100004 GB unchanged []",
          "permit GB100005 GB unchanged []"}}},
       {"GB100001 GB", "GB100002 GB", "GB100004 GB", "GB100005 GB", "GB100004 PM", "GB100005 PM", "GB100006 PM",
        "GB100007 PM"}},
  });
  // 2f: ten valid permits for cells of no exchange set.
  fs::remove_all(store);
  const testsupport::ToolRun tenPermits = import("20130601", permits(ten));
  EXPECT_EQ(tenPermits.status, 0) << tenPermits.err;
  const std::vector<std::string> lines = shortLines(tenPermits);
  ASSERT_EQ(lines.size(), 10u) << tenPermits.out;
  for (const std::string& line : lines) EXPECT_EQ(line.substr(16), "GB installed []") << line;
  EXPECT_EQ(held("20130601").size(), 10u);
}

TEST_F(S63Import, AuthenticationRows4aTo4f) {
  const std::string ds1 = kAuth1 + "4f/DS1", ds2 = kAuth1 + "4f/DS2";
  run({
      {"4a: the server certificate signed by the UKHO, not the IHO",
       "20130601",
       true,
       {{permits(kAuth1 + "4a") + " " + data(kAuth1 + "4a"),
         1,
         {"permit GB100001 GB installed []", "permit GB100002 GB installed []", "GB100001 refused [6]",
          "GB100002 refused [6]"}}},
       {"GB100001 GB", "GB100002 GB"}},
      // With the UKHO's key accepted as a further key, the data client
      // says SSE 26 once for the exchange set and goes on to the files'
      // signatures and their decryption.
      {"4a with the UKHO's key accepted",
       "20130601",
       true,
       {{"--other-key " + data(kAuth1 + "4a/UKHO.PUB") + " " + permits(kAuth1 + "4a") + " " + data(kAuth1 + "4a"),
         0,
         {"certificate UKHO.PUB installed []", "permit GB100001 GB installed []", "permit GB100002 GB installed []",
          "GB100001 3/6 [26]", "GB100002 13/5 []"}}},
       {"GB100001 3/6", "GB100002 13/5", "GB100001 GB", "GB100002 GB"}},
      {"4b: the positive case",
       "20130601",
       true,
       {{permits(kAuth1 + "4b") + " " + data(kAuth1 + "4b"),
         0,
         {"permit GB100004 GB installed []", "permit GB100005 GB installed []", "GB100004 7/1 []", "GB100005 3/2 []"}}},
       {"GB100004 7/1", "GB100005 3/2", "GB100004 GB", "GB100005 GB"}},
      {"4c: no certificate installed",
       "20130601",
       false,
       {{permits(kAuth1 + "4c") + " " + data(kAuth1 + "4c"),
         1,
         {"permit GB100001 GB installed []", "permit GB100002 GB installed []", "GB100001 refused [5]",
          "GB100002 refused [5]"}}},
       {"GB100001 GB", "GB100002 GB"}},
      {"4d: the expired certificate is refused, and nothing done",
       "20130601",
       false,
       {{"--certificate " + data(kAuth1 + "4d/Expired/IHO.CRT") + " " + permits(kAuth1 + "4d/Expired") + " " +
             data(kAuth1 + "4d/Expired"),
         1,
         {"certificate IHO.CRT refused [22]"}}},
       {}},
      {"4d: the current certificate",
       "20130601",
       false,
       {{"--certificate " + data(kAuth1 + "4d/Current/IHO.CRT") + " " + permits(kAuth1 + "4d/Current") + " " +
             data(kAuth1 + "4d/Current"),
         0,
         {"certificate IHO.CRT installed []", "permit GB100001 GB installed []", "permit GB100002 GB installed []",
          "GB100001 3/6 []", "GB100002 13/5 []"}}},
       {"GB100001 3/6", "GB100002 13/5", "GB100001 GB", "GB100002 GB"}},
      {"4e: a damaged IHO.CRT",
       "20130601",
       false,
       {{"--certificate " + data(kAuth1 + "4e/IHO.CRT") + " " + permits(kAuth1 + "4e") + " " + data(kAuth1 + "4e"),
         1,
         {"certificate IHO.CRT refused [8]"}}},
       {}},
      {"4e: a damaged IHO.PUB",
       "20130601",
       false,
       {{"--certificate " + data(kAuth1 + "4e/IHO.PUB") + " " + permits(kAuth1 + "4e") + " " + data(kAuth1 + "4e"),
         1,
         {"certificate IHO.PUB refused [8]"}}},
       {}},
      // The second data server's "IHO.CRT" is the UKHO's certificate, run
      // out in 2010: refused, the IHO's stays, and the second set's files
      // do not verify with it.
      {"4f: two data servers, the second with a false IHO.CRT",
       "20130601",
       false,
       {{"--certificate " + data(ds1 + "/IHO.CRT") + " " + permits(ds1) + " " + data(ds1),
         0,
         {"certificate IHO.CRT installed []", "permit GB58932B PM installed []", "permit GB60242T PM installed []",
          "permit GB61011A PM installed []", "GB58932B 1/0 []", "GB60242T 2/0 []", "GB61011A 1/1 []"}},
        {"--certificate " + data(ds2 + "/IHO.CRT") + " " + permits(ds2) + " " + data(ds2), 1,
         {"certificate IHO.CRT refused [22]"}},
        {permits(ds2) + " " + data(ds2),
         1,
         {"permit GB60242T GB installed []", "permit GB61011A GB installed []", "permit GB61021A GB installed []",
          "permit GB61021B GB installed []", "permit GB61032A GB installed []", "GB60242T 2/0 [6]",
          "GB61011A 1/1 [6]", "GB61021A refused [6]", "GB61021B refused [6]", "GB61032A refused [6]"}}},
       {"GB58932B 1/0", "GB60242T 2/0", "GB61011A 1/1", "GB58932B PM", "GB60242T PM", "GB61011A PM", "GB60242T GB",
        "GB61011A GB", "GB61021A GB", "GB61021B GB", "GB61032A GB"}},
  });
}

TEST_F(S63Import, AuthenticationRows5aTo5f) {
  const std::vector<std::string> seven = {"GB301620 GB", "GB301640 GB", "GB301660 GB", "GB301820 GB",
                                          "GB301840 GB", "GB301860 GB", "GB302020 GB"};
  const auto permitLines = [](const std::vector<std::string>& held) {
    std::vector<std::string> lines;
    for (const std::string& p : held) lines.push_back("permit " + p + " installed []");
    return lines;
  };
  const auto with = [](std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
  };
  const std::vector<std::string> three = {seven[0], seven[1], seven[2]};
  const std::vector<std::string> b = {"GB61021A GB", "GB61021B GB", "GB61032A GB"};
  run({
      {"5a: the SA's signature broken in one file",
       "20130601",
       true,
       {{permits(kAuth2 + "5a") + " " + data(kAuth2 + "5a"),
         1,
         with(permitLines({"GB61021A GB", "GB61021B GB"}), {"GB61021A 1/0 [6]", "GB61021B 1/1 []"})}},
       {"GB61021A 1/0", "GB61021B 1/1", "GB61021A GB", "GB61021B GB"}},
      {"5b: signed with a key that is not the SA's",
       "20130601",
       true,
       {{permits(kAuth2 + "5b") + " " + data(kAuth2 + "5b"),
         1,
         with(permitLines(b), {"GB61021A refused [6]", "GB61021B refused [6]", "GB61032A refused [6]"})}},
       b},
      {"5b with that key accepted: SSE 26 once",
       "20130601",
       true,
       {{"--other-key " + data(kAuth2 + "5b/NONSA.PUB") + " " + permits(kAuth2 + "5b") + " " + data(kAuth2 + "5b"),
         0,
         with(with({"certificate NONSA.PUB installed []"}, permitLines(b)),
              {"GB61021A 1/1 [26]", "GB61021B 1/1 []", "GB61032A 1/2 []"})}},
       with({"GB61021A 1/1", "GB61021B 1/1", "GB61032A 1/2"}, b)},
      {"5c: an ENC signature that does not verify",
       "20130601",
       true,
       {{permits(kAuth2 + "5c") + " " + data(kAuth2 + "5c"),
         1,
         with(permitLines(three), {"GB301620 refused [9]", "GB301640 4/0 []"})}},
       with({"GB301640 4/0"}, three)},
      // 5d ships without permits: those of 5c serve.
      {"5d: an ENC signature one digit short",
       "20130601",
       true,
       {{permits(kAuth2 + "5c") + " " + data(kAuth2 + "5d"),
         1,
         with(permitLines(three), {"GB301620 3/0 []", "GB301660 refused [24]"})}},
       with({"GB301620 3/0"}, three)},
      {"5e: one invalid and one malformed signature among seven cells",
       "20130601",
       true,
       {{permits(kAuth2 + "5e") + " " + data(kAuth2 + "5e"),
         1,
         with(permitLines(seven), {"GB301620 3/0 []", "GB301640 4/0 []", "GB301660 5/0 []", "GB301820 refused [9]",
                                   "GB301840 8/1 []", "GB301860 3/0 [24]", "GB302020 4/1 []"})}},
       with(std::vector<std::string>({"GB301620 3/0", "GB301640 4/0", "GB301660 5/0", "GB301840 8/1", "GB301860 3/0", "GB302020 4/1"}),
            seven)},
      {"5f: signatures of two data servers in one exchange set",
       "20130601",
       true,
       {{permits(kAuth2 + "5f") + " " + data(kAuth2 + "5f"),
         0,
         with(permitLines(seven), {"GB301620 3/0 []", "GB301640 4/0 []", "GB301660 5/0 []", "GB301820 3/0 []",
                                   "GB301840 8/1 []", "GB301860 3/2 []", "GB302020 4/1 []"})}},
       with(std::vector<std::string>({"GB301620 3/0", "GB301640 4/0", "GB301660 5/0", "GB301820 3/0", "GB301840 8/1", "GB301860 3/2",
                   "GB302020 4/1"}),
            seven)},
  });
}

TEST_F(S63Import, DecryptionRows6aTo6e) {
  const std::vector<std::string> c = {"GB58910B GB", "GB58910C GB", "GB58911A GB", "GB58911B GB",
                                      "GB58913A GB", "GB58932A GB", "GB58932B GB"};
  std::vector<std::string> cPermits;
  for (const std::string& p : c) cPermits.push_back("permit " + p + " installed []");
  std::vector<std::string> cLines = cPermits;
  for (const char* line : {"GB58910B 1/0 []", "GB58910C 2/1 []", "GB58911A refused [21]", "GB58911B refused [21]",
                           "GB58913A 1/0 []", "GB58932A 1/0 []", "GB58932B 1/0 []"})
    cLines.push_back(line);
  std::vector<std::string> cHeld = {"GB58910B 1/0", "GB58910C 2/1", "GB58913A 1/0", "GB58932A 1/0", "GB58932B 1/0"};
  cHeld.insert(cHeld.end(), c.begin(), c.end());
  run({
      {"6a: decryption after the subscription ended",
       "20130601",
       true,
       {{permits(kDecryption + "6a") + " " + data(kDecryption + "6a"),
         0,
         {"permit GB61021A GB installed [15]", "permit GB61021B GB installed [15]", "GB61021A 1/1 [15]",
          "GB61021B 1/1 [15]"}}},
       {"GB61021A 1/1", "GB61021B 1/1", "GB61021A GB", "GB61021B GB"}},
      {"6b: without a permit file",
       "20130601",
       true,
       {{data(kDecryption + "6b"), 1, {"GB61021A refused [11]", "GB61021B refused [11]"}}},
       {}},
      {"6b with 6a's permits, within 30 days of their end",
       "20121215",
       true,
       {{permits(kDecryption + "6a") + " " + data(kDecryption + "6b"),
         0,
         {"permit GB61021A GB installed [20]", "permit GB61021B GB installed [20]", "GB61021A 1/1 [20]",
          "GB61021B 1/1 [20]"}}},
       {"GB61021A 1/1", "GB61021B 1/1", "GB61021A GB", "GB61021B GB"}},
      {"6c: valid check sums, wrong cell keys",
       "20130601",
       true,
       {{permits(kDecryption + "6c") + " " + data(kDecryption + "6c"), 1, cLines}},
       cHeld},
      {"6d: a decrypted cell whose catalogue CRC fails",
       "20130601",
       true,
       {{permits(kDecryption + "6d") + " " + data(kDecryption + "6d"),
         1,
         {"permit GB40162A GB installed []", "permit GB40162B GB installed []", "permit GB40162C GB installed []",
          "permit GB40164A GB installed []", "GB40162A 9/3 []", "GB40162B refused [16]", "GB40162C 1/1 []",
          "GB40164A 1/2 [16]"}}},
       {"GB40162A 9/3", "GB40162C 1/1", "GB40164A 1/2", "GB40162A GB", "GB40162B GB", "GB40162C GB", "GB40164A GB"}},
      // PRIMAR's set (SERIAL.ENC names PM, the permit GB), its zip with a
      // data descriptor, checked against the certificate it brings.
      {"6e: a zip with a data descriptor, a re-issued IHO certificate",
       "20150601",
       false,
       {{"--certificate " + data(kDecryption + "6e/V01X01/IHO.CRT") + " " + permits(kDecryption + "6e/V01X01") + " " +
             data(kDecryption + "6e"),
         0,
         {"certificate IHO.CRT installed []", "permit FR5TEST2 GB installed []", "FR5TEST2 1/0 []"}}},
       {"FR5TEST2 1/0", "FR5TEST2 GB"}},
  });
}

// 6e's product list announces update 1 of FR5TEST2, which the set does not
// bring. The import installs the base as it is (its verdict has no SSE:
// SSE 27 is the viewer's warning about a cell shown, not a refusal), and
// keeps PRIMAR's list; from then on the cell is listed and shown with
// SSE 27 until the update comes.
TEST_F(S63Import, ACellBehindItsDataServersProductListIsShownWithSse27) {
  const testsupport::ToolRun imported =
      import("20150601", "--certificate " + data(kDecryption + "6e/V01X01/IHO.CRT") + " " +
                             permits(kDecryption + "6e/V01X01") + " " + data(kDecryption + "6e"));
  ASSERT_EQ(imported.status, 0) << imported.err;
  EXPECT_EQ(shortLines(imported).back(), "FR5TEST2 1/0 []");
  EXPECT_TRUE(fs::is_regular_file(store / "products" / "PM"));

  EXPECT_EQ(shortLines(enctool("info " + storeArg() + " --date 20150601")),
            std::vector<std::string>{"FR5TEST2 code 0 [27]"});
  const testsupport::ToolRun listed = enctool("store " + storeArg() + " --date 20150601");
  ASSERT_EQ(listed.status, 0) << listed.err;
  EXPECT_NE(listed.out.find("\"listed\":{\"edition\":1,\"update\":1,\"date\":\"20141007133400\"},\"sse\":[27],"
                            "\"message\":\"SSE 27 - ENC FR5TEST2 is not up to date."),
            std::string::npos)
      << listed.out;

  // A damaged list is said, and weighs no cell.
  std::ofstream(store / "products" / "PM", std::ios::trunc) << "no date line\n";
  const testsupport::ToolRun damaged = enctool("info " + storeArg() + " --date 20150601");
  EXPECT_EQ(shortLines(damaged), std::vector<std::string>{"FR5TEST2 code 0 []"});
  EXPECT_NE(damaged.err.find("products/PM cannot be read"), std::string::npos) << damaged.err;
}

// Every load decrypts again with the permits held then: a permit that has
// run out is noticed (SSE 25, the cell shown with the warning), a permit
// removed takes the cell off the chart, and installing it again brings the
// cell back.
TEST_F(S63Import, EveryLoadWeighsThePermitsHeldThen) {
  ASSERT_EQ(import("20130601", "--certificate " + data(kIho) + " " + permits(kLicensing + "2d") + " " +
                                   data(kAuth1 + "4b")).status,
            1);
  const auto shown = [&](const std::string& date) {
    return shortLines(enctool("info " + storeArg() + " --date " + date));
  };
  EXPECT_EQ(shown("20130601"), std::vector<std::string>{"GB100004 code 0 [25]"});
  const testsupport::ToolRun info = enctool("info " + storeArg() + " --date 20130601");
  EXPECT_NE(info.out.find("MUST NOT be used for Primary NAVIGATION"), std::string::npos) << info.out;

  // 4b's own permits run to 2018: shown without a warning until then.
  ASSERT_EQ(import("20130601", permits(kAuth1 + "4b")).status, 0);
  EXPECT_EQ(shown("20130601"), std::vector<std::string>{"GB100004 code 0 []"});
  EXPECT_EQ(shown("20190101"), std::vector<std::string>{"GB100004 code 0 [25]"});

  const testsupport::ToolRun removed = enctool("store " + storeArg() + " --remove-permit GB100004 --server GB");
  ASSERT_EQ(removed.status, 0) << removed.err;
  EXPECT_NE(removed.out.find("\"removed\":1"), std::string::npos) << removed.out;
  EXPECT_EQ(shown("20130601"), std::vector<std::string>{"GB100004 code 1 [11]"});
  const testsupport::ToolRun listed = enctool("store " + storeArg() + " --date 20130601");
  EXPECT_NE(listed.out.find("\"encrypted\":true,\"permit\":\"none\""), std::string::npos) << listed.out;

  ASSERT_EQ(import("20130601", permits(kAuth1 + "4b")).status, 0);
  EXPECT_EQ(shown("20130601"), std::vector<std::string>{"GB100004 code 0 []"});
}

// The certificate stays in the store for later imports, and is judged on
// each import's date: once it has run out, nothing encrypted is taken.
TEST_F(S63Import, TheInstalledCertificateServesLaterImportsUntilItRunsOut) {
  ASSERT_EQ(import("20130601", "--certificate " + data(kIho) + " " + permits(kAuth1 + "4b")).status, 0);
  EXPECT_EQ(shortLines(import("20140101", data(kAuth1 + "4b"))),
            (std::vector<std::string>{"GB100004 refused [22]", "GB100005 refused [22]"}));
  EXPECT_EQ(shortLines(import("20130601", data(kAuth1 + "4b"))),
            (std::vector<std::string>{"GB100004 7/1 []", "GB100005 3/2 []"}));
  const testsupport::ToolRun listed = enctool("store " + storeArg() + " --date 20140101");
  EXPECT_NE(listed.out.find("{\"certificate\":\"IHO.CRT\",\"role\":\"scheme\",\"notAfter\":\"20130829\",\"sse\":[22]"),
            std::string::npos)
      << listed.out;
}

// The store keeps the files as delivered: no decrypted byte reaches its
// folder, and an index rebuilt from the files decrypts them again.
TEST_F(S63Import, FilesAreKeptEncryptedAndARebuildDecryptsThem) {
  ASSERT_EQ(import("20130601", "--certificate " + data(kIho) + " " + permits(kAuth1 + "4b") + " " +
                                   data(kAuth1 + "4b")).status,
            0);
  int files = 0;
  for (const auto& entry : fs::recursive_directory_iterator(store)) {
    if (!entry.is_regular_file()) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(bytes.find("3LE1 09"), std::string::npos) << entry.path();
    files += entry.path().parent_path().parent_path().parent_path().filename() == "cells";
  }
  EXPECT_EQ(files, 5);  // two bases and three updates
  std::ifstream delivered(kS63 + kAuth1 + "4b/V01X01/ENC_ROOT/GB/GB100004/7/0/GB100004.000", std::ios::binary);
  std::ifstream kept(store / "cells/GB100004/1/GB100004.000", std::ios::binary);
  EXPECT_TRUE(std::equal(std::istreambuf_iterator<char>(delivered), std::istreambuf_iterator<char>(),
                         std::istreambuf_iterator<char>(kept)));

  fs::remove(store / "index");
  const testsupport::ToolRun rebuilt = enctool("store " + storeArg() + " --date 20130601");
  EXPECT_NE(rebuilt.err.find("rebuilt from its files, 2 cells"), std::string::npos) << rebuilt.err;
  EXPECT_EQ(held("20130601"), (std::vector<std::string>{"GB100004 7/1", "GB100005 3/2", "GB100004 GB", "GB100005 GB"}));
  EXPECT_EQ(shortLines(enctool("info " + storeArg() + " --date 20130601")),
            (std::vector<std::string>{"GB100004 code 0 []", "GB100005 code 0 []"}));
}

// A rebuild of the index while a cell has no permit keeps the cell and its
// files: as the damaged index recorded it where that line survives, else
// from the store's folders (edition not known). The next import deletes
// none of its files, and the permit brings the cell back whole.
TEST_F(S63Import, ARebuildWithoutAPermitKeepsTheCell) {
  const auto cellFiles = [&] {
    int n = 0;
    for (const auto& entry : fs::recursive_directory_iterator(store / "cells")) n += entry.is_regular_file();
    return n;
  };
  const std::string set = permits(kAuth1 + "4b") + " " + data(kAuth1 + "4b");
  struct Case {
    const char* name;
    bool keepFirstLine;  // the index cut after its first cell's line, else deleted
    const char* kept;    // GB100005 as the rebuild keeps it
  };
  for (const Case& c : {Case{"index cut short", true, "GB100005 3/2"}, Case{"index lost", false, "GB100005 0/2"}}) {
    SCOPED_TRACE(c.name);
    fs::remove_all(store);
    ASSERT_EQ(import("20130601", "--certificate " + data(kIho) + " " + set).status, 0);
    ASSERT_EQ(enctool("store " + storeArg() + " --date 20130601 --remove-permit GB100005").status, 0);
    if (c.keepFirstLine) {
      std::ifstream in(store / "index", std::ios::binary);
      std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
      in.close();
      // The header, GB100004's line, GB100005's line: the seal at the end goes.
      std::ofstream(store / "index", std::ios::binary | std::ios::trunc) << bytes.substr(0, bytes.rfind('\n', bytes.size() - 2) + 1);
    } else {
      fs::remove(store / "index");
    }
    const testsupport::ToolRun rebuilt = enctool("store " + storeArg() + " --date 20130601");
    EXPECT_NE(rebuilt.err.find("rebuilt from its files, 2 cells"), std::string::npos) << rebuilt.err;
    EXPECT_NE(rebuilt.out.find("kept with its files"), std::string::npos) << rebuilt.out;
    EXPECT_EQ(held("20130601"), (std::vector<std::string>{"GB100004 7/1", c.kept, "GB100004 GB"}));
    // Shown, it is refused for its missing permit, not dropped.
    EXPECT_EQ(shortLines(enctool("info " + storeArg() + " --date 20130601")),
              (std::vector<std::string>{"GB100004 code 0 []", "GB100005 code 1 [11]"}));
    // The set offered again without the permit: the import deletes none of its files.
    import("20130601", data(kAuth1 + "4b"));
    EXPECT_EQ(cellFiles(), 5);
    EXPECT_EQ(held("20130601"), (std::vector<std::string>{"GB100004 7/1", c.kept, "GB100004 GB"}));
    // Its permit installed again, it is read whole.
    EXPECT_EQ(import("20130601", permits(kAuth1 + "4b")).status, 0);
    EXPECT_EQ(held("20130601"),
              (std::vector<std::string>{"GB100004 7/1", "GB100005 3/2", "GB100004 GB", "GB100005 GB"}));
    EXPECT_EQ(shortLines(enctool("info " + storeArg() + " --date 20130601")),
              (std::vector<std::string>{"GB100004 code 0 []", "GB100005 code 0 []"}));
  }
}

// Read as a plain cell, an encrypted one is said to be encrypted where it
// lies in its exchange set; the same bytes elsewhere are no ISO 8211 file.
TEST_F(S63Import, AnEncryptedCellReadAsPlainIsSaidToBeEncrypted) {
  const std::string cell = kS63 + kAuth1 + "4b/V01X01/ENC_ROOT/GB/GB100005/3/0/GB100005.000";
  const testsupport::ToolRun inSet = enctool("info " + testsupport::shellQuote(cell));
  EXPECT_NE(inSet.out.find("\"code\":52"), std::string::npos) << inSet.out;
  const testsupport::ToolRun folder = enctool("info " + data(kAuth1 + "4b/V01X01"));
  EXPECT_NE(folder.out.find("\"code\":52"), std::string::npos) << folder.out;
  fs::create_directories(store);
  fs::copy_file(cell, store / "GB100005.000");
  const testsupport::ToolRun alone = enctool("info " + testsupport::shellQuote((store / "GB100005.000").string()));
  EXPECT_NE(alone.out.find("\"code\":3"), std::string::npos) << alone.out;
}

// An exchange set tampered with gets the scheme's codes, never a crash: a
// cell cut short, a signature file that is rubbish, absent, or larger than
// any, an encrypted cell that is empty.
TEST_F(S63Import, TamperedFilesGetTheirCodes) {
  const fs::path copy = fs::temp_directory_path() / ("s63_tampered_" + std::to_string(::getpid()));
  const fs::path cell = copy / "V01X01/ENC_ROOT/GB/GB100005/3/0";
  struct Case {
    const char* what;
    std::string file;  // under `cell`
    std::string bytes;  // "" removes it
    const char* expected;
  };
  const Case cases[] = {
      {"a cell cut short", "GB100005.000", "cut", "GB100005 refused [9]"},
      {"an empty cell", "GB100005.000", "empty", "GB100005 refused [9]"},
      {"a signature file of rubbish", "GBI00005.000", "rubbish", "GB100005 refused [24]"},
      {"no signature file", "GBI00005.000", "", "GB100005 refused [7]"},
      {"a signature file larger than any", "GBI00005.000", "large", "GB100005 refused [24]"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(copy);
    fs::remove_all(store);
    fs::copy(kS63 + kAuth1 + "4b", copy, fs::copy_options::recursive);
    const fs::path target = cell / c.file;
    if (c.bytes.empty()) {
      fs::remove(target);
    } else if (c.bytes == "cut") {
      fs::resize_file(target, fs::file_size(target) / 2);
    } else {
      std::ofstream out(target, std::ios::binary | std::ios::trunc);
      if (c.bytes == "rubbish") out << "// Signature part R:\nnot hex at all\n";
      if (c.bytes == "large") out << std::string(200000, 'A');
    }
    const testsupport::ToolRun ran = import("20130601", "--certificate " + data(kIho) + " " + permits(kAuth1 + "4b") +
                                                            " " + testsupport::shellQuote(copy.string()));
    EXPECT_EQ(ran.status, 1) << ran.err;
    const std::vector<std::string> lines = shortLines(ran);
    ASSERT_EQ(lines.size(), 5u) << ran.out;
    EXPECT_EQ(lines[3], "GB100004 7/1 []");
    EXPECT_EQ(lines[4], c.expected);
  }
  fs::remove_all(copy);
}

}  // namespace
