#pragma once
// The land polygons of a TopoJSON topology (as the npm package world-atlas
// ships Natural Earth land), decoded with Qt's JSON reader.
#include <QByteArray>
#include <QString>
#include <vector>

#include "WorldLandFile.h"

// Every Polygon and MultiPolygon of every object of the topology (inside
// GeometryCollections too), rings built from the shared arcs: a negative
// index ~i is arc i reversed, and each arc after a ring's first starts where
// the previous one ended, so its first position is dropped. With a
// "transform" the arcs are quantised and delta-encoded: positions are
// running sums of the integer steps, then scaled and translated. Rings come
// back without the closing repeat of their first position. On a malformed
// topology (not JSON, no arcs, an arc index out of range, a position that is
// not two numbers) `polygons` is empty and `error` says what and where.
bool decodeTopoJsonLand(const QByteArray& json, std::vector<WorldLandPolygon>& polygons, QString& error);
