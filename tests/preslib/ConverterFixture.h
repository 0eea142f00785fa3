#pragma once
// A small chartsymbols.xml and catalogue tables that exercise every mapping
// of the converter, and helpers to convert them.
#include <string>

#include "LibraryConverter.h"
#include "LibraryFixture.h"

// An HPGL text of `count` pen-down commands, longer than one vector line.
inline std::string manyCommands(int count) {
  std::string hpgl = "SPA;SW1;PU0,0;";
  for (int i = 1; i <= count; ++i) hpgl += "PD" + std::to_string(1000 + i) + "," + std::to_string(2000 + i) + ";";
  return hpgl;
}

inline std::string fixtureXml() {
  auto lookup = [](const std::string& cls, const std::string& table, const std::string& extra,
                   const std::string& group) {
    return "<lookup id=\"1\" RCID=\"" + group + "\" name=\"" + cls + "\"><type>Area</type>" +
           "<disp-prio>Area 1</disp-prio><radar-prio>Suppressed</radar-prio><table-name>" + table + "</table-name>" +
           extra + "<comment>" + group + "</comment></lookup>\n";
  };
  const std::string depare = "<attrib-code index=\"0\">DRVAL10</attrib-code><attrib-code index=\"1\">DRVAL2</attrib-code>"
                             "<instruction>AC(DEPVS);CS(DEPARE01)</instruction><display-cat>Displaybase</display-cat>";
  const std::string plain = "<instruction>SY(TESTSY01);LC(TESTLS01)</instruction><display-cat>Standard</display-cat>";
  return std::string("<?xml version=\"1.0\"?>\n<chartsymbols>\n<color-tables>\n") +
         "<color-table name=\"DAY_BRIGHT\"><graphics-file name=\"x.png\"/>"
         "<color name=\"NODTA\" r=\"1\" g=\"2\" b=\"3\"/><color name=\"XXXXX\" r=\"9\" g=\"9\" b=\"9\"/>"
         "<color name=\"CHBLK\" r=\"7\" g=\"8\" b=\"9\"/></color-table>\n"
         "<color-table name=\"NIGHT\"><color name=\"CHBLK\" r=\"0\" g=\"0\" b=\"1\"/></color-table>\n"
         "</color-tables>\n<lookups>\n" +
         lookup("DEPARE", "Plain", depare, "1") + lookup("ACHARE", "Plain", plain, "2") +
         lookup("DEPARE", "Lines", depare, "3") + lookup("DEPARE", "Plain", depare, "4") +
         lookup("_RDOCAL", "Paper", plain, "5") +
         "<lookup id=\"6\" RCID=\"6\" name=\"WRECKS\"><type>Point</type><disp-prio>Hazards</disp-prio>"
         "<radar-prio>On Top</radar-prio><table-name>Paper</table-name><instruction>CS(WRECKS02);CS(LIGHTS05)"
         "</instruction><display-cat /><comment>6</comment></lookup>\n"
         "</lookups>\n<line-styles>\n"
         "<line-style RCID=\"9\"><name>TESTLS01</name><vector width=\"300\" height=\"100\"><distance min=\"0\" max=\"0\"/>"
         "<pivot x=\"100\" y=\"200\"/><origin x=\"50\" y=\"60\"/></vector><description>test</description>"
         "<HPGL>SPA;SW1;PU0,0;PD500,0;SPB;SW2;PU0,0;PD100,0;</HPGL><color-ref>ACHBLKBCHRED</color-ref></line-style>\n"
         "</line-styles>\n<patterns>\n"
         "<pattern RCID=\"7\"><name>TESTPA01</name><definition>V</definition><filltype>S</filltype>"
         "<spacing>C</spacing><vector width=\"10\" height=\"20\"><distance min=\"1000\" max=\"2000\"/>"
         "<pivot x=\"5\" y=\"5\"/><origin x=\"0\" y=\"0\"/></vector><color-ref>ACHBLK</color-ref>"
         "<HPGL>SPA;PU10,10;</HPGL></pattern>\n"
         "<pattern RCID=\"8\"><name>BITMAPPA</name><definition>R</definition><filltype>L</filltype>"
         "<spacing>C</spacing><bitmap width=\"5\" height=\"5\"><pivot x=\"1\" y=\"1\"/></bitmap></pattern>\n"
         "</patterns>\n<symbols>\n"
         "<symbol RCID=\"10\"><name>TESTSY01</name><bitmap width=\"13\" height=\"2\">"
         "<distance min=\"-2147483648\" max=\"-2147483648\"/><pivot x=\"-2147483648\" y=\"-2147483648\"/></bitmap>"
         "<color-ref>ACHBLK</color-ref><vector width=\"100\" height=\"100\"><distance min=\"0\" max=\"0\"/>"
         "<pivot x=\"1000\" y=\"1000\"/><origin x=\"900\" y=\"900\"/><HPGL>" +
         manyCommands(150) +
         "</HPGL></vector><definition>V</definition></symbol>\n"
         "<symbol RCID=\"11\"><name>TESTSY01</name><bitmap width=\"3\" height=\"3\"><pivot x=\"1\" y=\"1\"/></bitmap>"
         "<definition>R</definition></symbol>\n"
         "<symbol RCID=\"12\"><name>RASTER01</name><bitmap width=\"3\" height=\"3\"/><definition>R</definition>"
         "</symbol>\n</symbols>\n</chartsymbols>\n";
}

inline const char* kFixtureObjectClasses =
    "\"Code\",\"ObjectClass\",\"Acronym\",\"Attribute_A\",\"Attribute_B\",\"Attribute_C\",\"Class\",\"Primitives\"\r\n"
    "42,Depth area,DEPARE,DRVAL1;DRVAL2;,INFORM;,RECDAT;,G,Area;\r\n"
    "0,\"###Codes in the 17xxx range\",,,,,,\r\n"
    "5,\"Beacon, cardinal\",BCNCAR,BCNSHP;,INFORM;,RECDAT;,G,Point;\r\n";

inline const char* kFixtureAttributes =
    "\"Code\",\"Attribute\",\"Acronym\",\"Attributetype\",\"Class\"\n"
    "87,Depth range value 1,DRVAL1,F,F\n"
    "0,\"###40000 comes from elsewhere\",###,S,F\n"
    "61,\"Category of signal station, \"\"traffic\"\"\",CATSIT,L,F\n";

// Writes the fixture sources into `dir` and returns their paths.
inline LibrarySources writeFixtureSources(const TempDir& dir, const std::string& xml = fixtureXml()) {
  LibrarySources s;
  s.xml = dir.write("chartsymbols.xml", xml);
  s.objectClasses = dir.write("objects.csv", kFixtureObjectClasses);
  s.attributes = dir.write("attributes.csv", kFixtureAttributes);
  return s;
}
