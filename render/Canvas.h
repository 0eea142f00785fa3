#pragma once
// What every drawing primitive draws on: the painter, set up for the view,
// the colour table that the colour indices of instructions and symbols
// name, the library's drawings that instructions name (shared by the views
// of one engine), and the scratch of the view that draws. A view makes one
// per draw pass, so views drawing at once on several threads, or in
// different tables, never share one.
class QPainter;
struct ColourTable;
struct DrawScratch;
struct LibraryDrawings;

struct Canvas {
  QPainter& painter;
  const ColourTable& colours;
  LibraryDrawings& drawings;
  DrawScratch& scratch;
  // Symbols are stamped from images made once (SymbolStamps.h) rather than
  // drawn command by command: set for cells drawn below their compilation
  // scale, where a view holds many times as many of them.
  bool stampSymbols = false;
};
