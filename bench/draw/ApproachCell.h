#pragma once
// A synthetic approach cell drawn from survey data, as the large NOAA
// approach cells are: a compilation scale of 1:80,000 over some 67 by 67 km,
// a coast and ten depth contours with a vertex every 6 m or so (a pixel at
// 1:80,000 spans 26 m), so that the long lines and area outlines hold many
// vertices to every pixel of a view, and more the farther it zooms out.
// Land west of the coast; depth areas between the contours, cut north and
// south into twelve pieces that share the contours' edges; about a hundred
// islands with their coastlines, each a hole in its depth area; soundings,
// buoys with lights, wrecks, obstructions, seabed notes and landmarks, each
// with the smallest scale it shows at (SCAMIN) as producers set it. The
// contents are the same every time.
#include <string>

// The cell as a file image (XX4APPR1.000).
std::string approachCellImage();
