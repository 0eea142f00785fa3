#pragma once
// Instructions as the tests build and read them: one line per kind for the
// look-up lists the tests make up, and the library name an instruction
// refers to.
#include <string>

#include "ColourToken.h"
#include "Instruction.h"

namespace testsupport {

// The symbol, line style, pattern or procedure an SY, LC, AP or CS names;
// empty for the other kinds.
inline std::string drawingName(const Instruction& i) {
  if (const Symbol* s = i.find<Symbol>()) return s->name;
  if (const ComplexLine* l = i.find<ComplexLine>()) return l->name;
  if (const AreaPattern* p = i.find<AreaPattern>()) return p->name;
  if (const ProcedureCall* c = i.find<ProcedureCall>()) return c->name;
  return {};
}

inline Instruction sy(std::string name, std::string rotation = {}) { return Symbol{std::move(name), {}, std::move(rotation)}; }
inline Instruction lc(std::string name) { return ComplexLine{std::move(name)}; }
inline Instruction ap(std::string name) { return AreaPattern{std::move(name)}; }
inline Instruction cs(std::string name) { return ProcedureCall{std::move(name)}; }

// An LS of a colour token.
inline Instruction ls(LineDash dash, int width, const char* token) {
  return LineStyle{colourIndex(token), width, dash};
}
// An AC of a colour token; transparency -1 when none is given.
inline Instruction ac(const char* token, int transparency = -1) { return AreaColour{colourIndex(token), transparency}; }

}  // namespace testsupport
