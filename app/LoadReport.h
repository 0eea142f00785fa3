#pragma once
// What a load of a folder found, for the window to show: the rows of the
// cell list that are no loaded cell (files that failed, findings that belong
// to no cell, folders that cannot be read) and one line for the status bar.
#include <QMetaType>
#include <QString>
#include <QStringList>
#include <vector>

#include "CellLoadResult.h"
#include "PermitCheck.h"

class ChartEngine;

// A row of the cell list that is no loaded cell.
struct LoadFinding {
  QString name;         // the file or folder it is about
  QString text;         // in plain Chinese
  QString detail;       // the technical reason, for the tool tip
  bool failed = false;  // a file that was not loaded; else a finding about files or folders
};

// An update a stored cell took, as the cell list shows it under the cell.
struct StoredUpdateRow {
  QString cell;
  int number = 0;
  QString issued;   // the update's issue date, YYYY-MM-DD
  QString applied;  // when the store took it, YYYY-MM-DD hh:mm (UTC)
};

// Where a cell loaded from the store stands, as the cell list shows it:
// with its permit on the data client's date (an encrypted cell), and
// against its data server's latest product list.
struct StoredCellStanding {
  QString cell;
  bool encrypted = false;
  bool permitted = false;  // a permit for it is installed
  PermitState permit = PermitState::Refused;  // valid, expiring (30 days or fewer left) or expired
  QString expiry;          // YYYY-MM-DD
  QString dataServer;
  bool notUpToDate = false;  // SSE 27: behind its data server's product list
};

struct LoadReport {
  QString directory;         // as the starter passed it
  bool requested = false;    // asked for by the user (批量导入), not the start-up load
  int found = 0;             // base cells the folder holds
  int listed = 0;            // of them, listed (loaded, or as far as they go)
  int cellWarnings = 0;      // warnings of the cells listed, shown in their own rows
  QString firstCellWarning;  // the first of them
  QStringList alreadyLoaded; // the data set names of cells of the folder loaded before, not read again
  int folderError = 0;       // the system's error number when the folder itself cannot be read
  int unreadableFolders = 0; // folders in it that cannot be read
  std::vector<LoadFinding> findings;  // files that failed first, then the findings
  bool stopped = false;      // the load was asked to stop before its end
  // A load of the chart store's cells: what the store said of itself (an
  // index rebuilt, the store locked), in Chinese, once.
  bool fromStore = false;
  QStringList storeMessages;
  QStringList storeCells;                     // the cells loaded from the store
  std::vector<StoredUpdateRow> storeUpdates;  // their updates
  std::vector<StoredCellStanding> storeStandings;  // and where each stands
};
Q_DECLARE_METATYPE(LoadReport)

// A file that `engine` refused to load with `result` (not Ok, not a listed
// cell): its plain reason, the technical one for the tool tip.
LoadFinding failedFile(const QString& path, const CellLoadResult& result, const ChartEngine& engine);

// Why no cell can be loaded: the engine has no library, and the reason its
// loader gave (naming a damaged file) when it gave one.
QString libraryFailureText(const ChartEngine& engine);

// The status bar's line for the end of a load; empty when there is nothing
// to say. A load the user asked for always says what it loaded, or why
// nothing; the start-up load speaks only of what went wrong (a missing
// folder is no fault there). Anything more than one line holds is counted
// and left to the cell list ("见海图列表").
QString loadSummaryText(const LoadReport& report);

// Whether the report has rows for the cell list.
inline bool hasFindings(const LoadReport& report) { return !report.findings.empty(); }
