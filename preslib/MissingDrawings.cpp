#include "MissingDrawings.h"

DrawingNames missingDrawings(const PresentationLibrary& library) {
  DrawingNames missing;
  for (const LookupTable& table : library.lookupTables)
    for (const auto& [className, entries] : table)
      for (const LookupEntry& entry : entries)
        for (const Instruction& in : entry.instructions) {
          if (const Symbol* s = in.find<Symbol>()) {
            if (!library.symbols.count(s->name)) missing.symbols.insert(s->name);
          } else if (const AreaPattern* p = in.find<AreaPattern>()) {
            if (!library.patterns.count(p->name)) missing.patterns.insert(p->name);
          } else if (const ComplexLine* l = in.find<ComplexLine>()) {
            if (!library.lineStyles.count(l->name)) missing.lineStyles.insert(l->name);
          }
        }
  return missing;
}
