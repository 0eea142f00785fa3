// The object class and attribute catalogue files.
#include <gtest/gtest.h>

#include "CatalogueReader.h"
#include "LibraryFixture.h"

namespace {
std::string classRecord(const std::string& name, const std::string& acronym, const std::string& code) {
  return "<\nObject class: " + name + "\nAcronym: " + acronym + "\nCode: " + code +
         "\nAttribute_A: x\nAttribute_B: y\nAttribute_C: z\nClass: G\n";
}

std::string attributeRecord(const std::string& name, const std::string& acronym, const std::string& code,
                            bool closed = true) {
  return "<\nAttribute: " + name + "\nAcronym: " + acronym + "\nCode: " + code + "\nType: E\nClass: F\n" +
         (closed ? ">\n" : "");
}
}  // namespace

TEST(ObjectClassFile, ReadsRecordsAndTheLaterOfTwoCodesWins) {
  TempDir dir;
  ObjectClassCatalogue catalogue;
  const std::string path = dir.write(
      "S57ObjectClasses", "BEGIN\nheader\n" + classRecord("Depth area", "DEPARE", "42") +
                              classRecord("Old name", "OLDNAM", "7") + classRecord("Seven", "SEVENS", "7") +
                              classRecord("Long acronym", "airres + catasr", "20485") +
                              classRecord("Letters", "LETTER", "x9"));
  ASSERT_EQ(readObjectClassFile(path, catalogue), LibraryResult::Ok);
  ASSERT_EQ(catalogue.size(), 4u);
  EXPECT_EQ(catalogue[42].name, "Depth area");
  EXPECT_EQ(catalogue[42].acronym, "DEPARE");
  EXPECT_EQ(catalogue[42].code, 42);
  EXPECT_EQ(catalogue[7].acronym, "SEVENS");
  EXPECT_EQ(catalogue[20485].acronym, "airres");  // six characters kept
  EXPECT_EQ(catalogue[0].acronym, "LETTER");      // a non-numeric code reads as 0
}

TEST(ObjectClassFile, SkipsMalformedRecordsAndIgnoresAFileWithoutBegin) {
  TempDir dir;
  ObjectClassCatalogue catalogue;
  // Value lines shorter than their label columns (14, 9, 6): the record is skipped.
  const std::string shortName = "<\nObject class\nAcronym: AAAAAA\nCode: 1\na\nb\nc\nd\n";
  const std::string shortAcronym = "<\nObject class: A\nAcronym\nCode: 2\na\nb\nc\nd\n";
  const std::string shortCode = "<\nObject class: A\nAcronym: CCCCCC\nCode\na\nb\nc\nd\n";
  const std::string emptyValues = "<\nObject class: \nAcronym: \nCode: \na\nb\nc\nd\n";
  ASSERT_EQ(readObjectClassFile(dir.write("a", "BEGIN\n" + shortName + shortAcronym + shortCode + emptyValues +
                                                   classRecord("Kept", "KEPTKP", "5")),
                                catalogue),
            LibraryResult::Ok);
  ASSERT_EQ(catalogue.size(), 2u);
  EXPECT_EQ(catalogue[5].acronym, "KEPTKP");
  EXPECT_EQ(catalogue[0].name, "");  // values may be empty

  ObjectClassCatalogue none;
  EXPECT_EQ(readObjectClassFile(dir.write("b", "BEGIN \n" + classRecord("X", "XXXXXX", "1")), none),
            LibraryResult::Ok);
  EXPECT_TRUE(none.empty());
}

TEST(AttributeFile, KeysAreCodeTextsAndTheLastRecordNeedsNoClosingLine) {
  TempDir dir;
  AttributeCatalogue catalogue;
  const std::string path =
      dir.write("S57Attributes", "BEGIN\r\n" + attributeRecord("Scale minimum", "SCAMIN", "133") +
                                     attributeRecord("Leading zero", "LEADZR", "0133") +
                                     attributeRecord("Value list", "LONGACRONYM", "1", true) +
                                     attributeRecord("Replaced", "REPLCD", "1") +
                                     attributeRecord("Unclosed", "UNCLSD", "99", false));
  ASSERT_EQ(readAttributeFile(path, catalogue), LibraryResult::Ok);
  ASSERT_EQ(catalogue.size(), 4u);
  EXPECT_EQ(catalogue["133"].acronym, "SCAMIN");
  EXPECT_EQ(catalogue["0133"].acronym, "LEADZR");
  EXPECT_EQ(catalogue["0133"].codeText, "0133");
  EXPECT_EQ(catalogue["1"].acronym, "REPLCD");
  EXPECT_EQ(catalogue["99"].name, "Unclosed");
}

TEST(AttributeFile, LinesBetweenValuesAndClosingMarkerAreSkipped) {
  TempDir dir;
  AttributeCatalogue catalogue;
  // A value list holding "<" inside a record does not start a new record.
  const std::string path = dir.write(
      "S57Attributes", "BEGIN\n<\nAttribute: Colour\nAcronym: COLOUR\nCode: 75\n<\nAttribute: Not a record\n>\n" +
                           attributeRecord("Next", "NEXTAT", "76"));
  ASSERT_EQ(readAttributeFile(path, catalogue), LibraryResult::Ok);
  EXPECT_EQ(catalogue.size(), 2u);
  EXPECT_EQ(catalogue.count("75"), 1u);
  EXPECT_EQ(catalogue["76"].acronym, "NEXTAT");
}

TEST(CatalogueFiles, MissingFileIsOne) {
  TempDir dir;
  ObjectClassCatalogue classes;
  AttributeCatalogue attributes;
  EXPECT_EQ(readObjectClassFile(dir.file("none"), classes), LibraryResult::CannotOpen);
  EXPECT_EQ(readAttributeFile(dir.file("none"), attributes), LibraryResult::CannotOpen);
}
