#pragma once
// The real cells under CHART_SHARED_ENC and the independent reader used as
// an oracle for them.
#include <string>
#include <vector>

// Every *.000 file under the shared folder (subfolders included), sorted;
// empty when the folder is absent.
std::vector<std::string> realCellPaths();

std::string readWholeFile(const std::string& path);

// True when GDAL's ogrinfo can be run.
bool ogrinfoAvailable();

// Feature records of a cell as ogrinfo counts them (the "Feature Count" of
// every layer except DSID, updates ignored); -1 when ogrinfo fails.
long ogrinfoFeatureCount(const std::string& path);
