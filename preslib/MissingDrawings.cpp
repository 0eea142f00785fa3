#include "MissingDrawings.h"

DrawingNames missingDrawings(const PresentationLibrary& library) {
  DrawingNames missing;
  for (const LookupTable& table : library.lookupTables)
    for (const auto& [className, entries] : table)
      for (const LookupEntry& entry : entries)
        for (const Instruction& in : entry.instructions) {
          if (in.kind == kSY && !library.symbols.count(in.name)) missing.symbols.insert(in.name);
          else if (in.kind == kAP && !library.patterns.count(in.name)) missing.patterns.insert(in.name);
          else if (in.kind == kLC && !library.lineStyles.count(in.name)) missing.lineStyles.insert(in.name);
        }
  return missing;
}
