#pragma once
// Drawing one area feature in a draw pass: its outline brought to the
// painter, the conditional procedures of its look-up rerun when the setting
// they depend on changed, and every instruction drawn (fills, patterns,
// boundaries, and symbols and texts at the area's centre).
#include <string>

#include "AreaOutline.h"
#include "ChartModel.h"
#include "ViewGeometry.h"

class QPainter;

// Draws the area. Nothing is drawn for coverage areas (class 306), for
// areas of the mariner's viewing groups unless all groups are shown, or
// when the clipped outline keeps fewer than two vertices. A display
// category the settings do not admit ends the walk at the first drawing
// instruction; procedures met before still run.
void drawArea(QPainter& painter, AreaFeature& area, S57Cell& cell, const ViewGeometry& view,
              AreaOutlineBuffers& buffers);

// Runs the conditional procedure `name` (DEPARE02, OBSTRN06, RESARE03,
// RESTRN01) when its key setting changed since its generated instructions
// were built; any other name does nothing.
void runAreaProcedure(AreaFeature& area, S57Cell& cell, const std::string& name);

// Draws one instruction over the projected outline: AC and AP fill it, LS
// and LC stroke its segments (except those along a data limit, both ends of
// usage 3, and those clipping laid along the margin's edges; no closing
// segment), SY, TX and TE go to the area's centre.
void drawAreaInstruction(QPainter& painter, Instruction& instruction, AreaFeature& area, const AreaOutline& outline,
                         S57Cell& cell, const ViewGeometry& view);
