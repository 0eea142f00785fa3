#pragma once
// A large synthetic approach cell of about 5 MB, made like the NOAA cells
// the reader meets: tens of thousands of small records (nodes, edges of a
// few vertices, features with a handful of attributes and pointers) rather
// than a few big ones, each feature with its source date and source. A
// grid of 90 x 90 connected nodes joined by edges of 0 to 10 interior
// vertices; depth areas over pairs of grid squares, depth contours along
// grid rows, lateral buoys on isolated nodes (every tenth with a national
// name), soundings, and the coverage round the whole grid.
#include <string>

std::string largeCellImage();
