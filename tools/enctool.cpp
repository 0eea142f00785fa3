// enctool: reads S-57 cells, keeps them in a chart store, builds the
// presentation library, answers what lies at a position, checks encrypted
// charts and reads and converts routes, from the command line. Each sub-command lives in its own file.
#include <cstdio>
#include <cstring>

int runInfoCommand(int argc, char** argv);    // InfoCommand.cpp
int runMklibCommand(int argc, char** argv);   // MklibCommand.cpp
int runRenderCommand(int argc, char** argv);  // RenderCommand.cpp
int runDemoCommand(int argc, char** argv);    // DemoCommand.cpp
int runTilesCommand(int argc, char** argv);   // tiles/TilesCommand.cpp
int runBasemapCommand(int argc, char** argv); // BasemapCommand.cpp
int runQueryCommand(int argc, char** argv);   // QueryCommand.cpp
int runUserPermitCommand(int argc, char** argv);    // UserPermitCommand.cpp
int runPermitsCommand(int argc, char** argv);       // PermitsCommand.cpp
int runDecryptCheckCommand(int argc, char** argv);  // DecryptCheckCommand.cpp
int runRouteCommand(int argc, char** argv);   // RouteCommand.cpp
int runImportCommand(int argc, char** argv);  // ImportCommand.cpp
int runStoreCommand(int argc, char** argv);   // StoreCommand.cpp
int runRouteCheckCommand(int argc, char** argv);  // RouteCheckCommand.cpp

namespace {
void printUsage() {
  std::fprintf(stderr,
      "usage: enctool info [--library DIR [--features]] [--no-updates] [--store DIR [--manufacturer FILE]]\n"
      "                    [--date YYYYMMDD] [CELL | FOLDER...]\n"
      "       enctool mklib --xml FILE --objects FILE --attributes FILE [--raster FILE] [--values FILE]\n"
      "                     [--supplement FILE] --out DIR\n"
      "       enctool render --library DIR [--cells DIR | --store DIR | CELL...] --out FILE.png [OPTIONS]\n"
      "       enctool demo --out DIR\n"
      "       enctool demo --portfolio N --out DIR\n"
      "       enctool tiles --library DIR (--cells DIR | --store DIR | CELL...) --zoom Z1-Z2\n"
      "                     --out DIR|FILE.mbtiles [OPTIONS]\n"
      "       enctool basemap --level TOPOJSON FROMSCALE [--level ...] --out FILE\n"
      "       enctool query --library DIR --at LAT,LON [--scale S] [--size WxH] [OPTIONS]\n"
      "                     (--cells DIR | --store DIR | CELL...)\n"
      "       enctool import [--store DIR] [--certificate IHO.CRT|IHO.PUB] [--other-key FILE]...\n"
      "                      [--permits PERMIT.TXT] [--manufacturer FILE] [--date YYYYMMDD] [SOURCE...]\n"
      "       enctool store [--store DIR] [--date YYYYMMDD] [--remove-permit CELL [--server XX]]\n"
      "       enctool userpermit [--check USERPERMIT] [--manufacturer FILE]\n"
      "       enctool permits [--date YYYYMMDD] [--manufacturer FILE] PERMIT.TXT\n"
      "       enctool decrypt-check [--date YYYYMMDD] [--manufacturer FILE] [--permits PERMIT.TXT]\n"
      "                             [--certificate IHO.CRT|IHO.PUB] [--other-key FILE]... FOLDER...\n"
      "       enctool route --in ROUTE.rtz|gpx [--out ROUTE.rtz|gpx] [--legs rhumb|great-circle] [OPTIONS]\n"
      "       enctool route-check --library DIR (--cells DIR | CELL...) --route FILE [--safety M] [--xtd M]\n"
      "                           [--date YYYYMMDD] [--legs rhumb|great-circle] [--picture FILE.png]\n");
}
}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    printUsage();
    return 2;
  }
  // Sub-commands see their own arguments, starting after the sub-command name.
  if (std::strcmp(argv[1], "info") == 0) return runInfoCommand(argc - 2, argv + 2);
  if (std::strcmp(argv[1], "mklib") == 0) return runMklibCommand(argc - 2, argv + 2);
  if (std::strcmp(argv[1], "render") == 0) return runRenderCommand(argc - 2, argv + 2);
  if (std::strcmp(argv[1], "demo") == 0) return runDemoCommand(argc - 2, argv + 2);
  if (std::strcmp(argv[1], "tiles") == 0) return runTilesCommand(argc - 2, argv + 2);
  if (std::strcmp(argv[1], "basemap") == 0) return runBasemapCommand(argc - 2, argv + 2);
  if (std::strcmp(argv[1], "query") == 0) return runQueryCommand(argc - 2, argv + 2);
  if (std::strcmp(argv[1], "userpermit") == 0) return runUserPermitCommand(argc - 2, argv + 2);
  if (std::strcmp(argv[1], "permits") == 0) return runPermitsCommand(argc - 2, argv + 2);
  if (std::strcmp(argv[1], "decrypt-check") == 0) return runDecryptCheckCommand(argc - 2, argv + 2);
  if (std::strcmp(argv[1], "route") == 0) return runRouteCommand(argc - 2, argv + 2);
  if (std::strcmp(argv[1], "import") == 0) return runImportCommand(argc - 2, argv + 2);
  if (std::strcmp(argv[1], "store") == 0) return runStoreCommand(argc - 2, argv + 2);
  if (std::strcmp(argv[1], "route-check") == 0) return runRouteCheckCommand(argc - 2, argv + 2);
  std::fprintf(stderr, "enctool: unknown command '%s'\n", argv[1]);
  printUsage();
  return 2;
}
