#include "NameRepair.h"

#include "LibraryMapping.h"

std::string NameRepair::text() const {
  std::string s = command + " " + sourceName + " ->";
  for (std::size_t i = 0; i < repairedNames.size(); ++i) s += (i ? " + " : " ") + repairedNames[i];
  return s;
}

namespace {
// The names of the kind a command draws, or null for a command that draws none.
template <typename Names>
auto namesOf(std::string_view code, Names& names) -> decltype(&names.symbols) {
  if (code == "SY") return &names.symbols;
  if (code == "LC") return &names.lineStyles;
  if (code == "AP") return &names.patterns;
  return nullptr;
}

void noteRepair(NameRepairs& found, std::string_view code, std::string_view name,
                const std::vector<std::string>& repaired, long long sourceLine) {
  for (NameRepair& r : found.repairs) {
    if (r.command == code && r.sourceName == name) {
      ++r.commands;
      return;
    }
  }
  found.repairs.push_back(NameRepair{std::string(code), std::string(name), repaired, 1, sourceLine});
}

// One command, repaired when it names a drawing that is not there.
std::string repairCommand(std::string_view command, const DrawingNames& drawings, long long sourceLine,
                          NameRepairs& found) {
  const std::string_view code = command.substr(0, 2);
  const std::set<std::string>* known = namesOf(code, drawings);
  if (!known || command.size() < 4 || command[2] != '(') return std::string(command);
  const std::string_view body = command.substr(3);
  const std::size_t nameEnd = body.find_first_of(",)");
  const std::string_view name = body.substr(0, nameEnd);
  if (known->count(std::string(name))) return std::string(command);

  const std::vector<std::string> repaired = mapping::repairedDrawingName(name, *known);
  if (repaired.empty()) {
    namesOf(code, found.missing)->insert(std::string(name));
    return std::string(command);
  }
  noteRepair(found, code, name, repaired, sourceLine);
  // The arguments after the name, closed as a command is.
  std::string rest(nameEnd == std::string_view::npos ? std::string_view() : body.substr(nameEnd));
  if (rest.empty() || rest.back() != ')') rest += ')';
  std::string out;
  for (const std::string& n : repaired) {
    if (!out.empty()) out += ';';
    out += std::string(code) + "(" + n + rest;
  }
  return out;
}
}  // namespace

std::string repairDrawingNames(std::string_view instruction, const DrawingNames& drawings, long long sourceLine,
                               NameRepairs& found) {
  std::string out;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = instruction.find(';', start);
    out += repairCommand(instruction.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start),
                         drawings, sourceLine, found);
    if (end == std::string_view::npos) return out;
    out += ';';
    start = end + 1;
  }
}
