#pragma once
// Cells that cross the 180th meridian. S-57 keeps every longitude within
// -180..180, so such a cell's edges jump from 179.9 to -179.9 where they
// cross. Assembly takes the western longitudes of such a cell one turn east
// (a cell from 170 east to 170 west lies on 170..190), so that its geometry
// is continuous in chart units; the draw pass shows copies of it 360
// degrees east and west where they meet a view.
class S57CellReader;

// Whether the cell's edges cross the 180th meridian: two consecutive
// positions of an edge (its begin node, its own vertices, its end node) lie
// more than 180 and less than 360 degrees of longitude apart, which is the
// short way across that meridian. A cell whose edges also cross the
// meridian 0 (one around the whole world) is left as it is, since no single
// cut would make it continuous. False without a coordinate factor.
bool crossesAntimeridian(const S57CellReader& reader, int coordinateFactor);
