#pragma once
// Matching a feature against the look-up tables, once while its cell loads,
// and the draw-time questions about the result.
#include <string_view>
#include <vector>

#include "ChartModel.h"
#include "LookupEntry.h"
#include "PresentationLibrary.h"

// Chooses the entry of `table` for the feature's class and attributes, copies
// its instructions into the feature's look-up list `which`, sets that
// list's display category and the feature's radar flag, display priority
// and viewing group from it, then resolves the attribute references of the
// list. An uncatalogued class or a class without entries selects nothing.
void selectLookup(ChartFeature& feature, const LookupTable& table, LookupList which,
                  const ObjectClassCatalogue& classes);

// Both selections of the feature, from the tables of its kind, in the order
// that decides the shared members: point PAPER_CHART then SIMPLIFIED,
// sounding PAPER_CHART (second result only), line LINES twice, area
// PLAIN_BOUNDARIES then SYMBOLIZED_BOUNDARIES. Every feature but a meta
// object or collection (M_, C_) then draws something: where one table of
// its kind draws nothing for its class (no entry, or entries without
// instructions) and the other does, both results take the other's choice;
// where neither does, or the class is not in the catalogue, both get S-52's
// default for an object it has no portrayal of, the table's ###### entry
// (defaultInstructions when the library has none), in Display Base. The
// texts of both results are then prepared from the feature's attributes.
void selectLookups(ChartFeature& feature, const PresentationLibrary& library);

// The class name of the library's default look-ups.
constexpr std::string_view kDefaultLookupClass = "######";
// S-52's default instructions for a kind: SY(QUESMRK1) at points,
// LC(QUESMRK1) along lines, AP(QUESMRK1) with a dashed magenta boundary for
// areas.
std::string_view defaultInstructions(FeatureKind kind);

// A SY rotation names an attribute: it becomes that attribute's value. A TX
// of the object name gets the feature's national object name as its
// national text.
void resolveAttributeReferences(const ChartFeature& feature, LookupResult& result);

// Viewing groups 31000 to 31080, the mariner's own.
bool inMarinersViewingGroups(int viewingGroup);
