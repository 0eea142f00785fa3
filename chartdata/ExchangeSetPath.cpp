#include "ExchangeSetPath.h"

#include <deque>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int kMaxLinks = 40;  // as many as the system follows in one path

// The parts of a '/' path, empty parts and "." dropped.
void splitParts(std::string_view path, std::deque<std::string>& parts, bool atFront) {
  std::vector<std::string> found;
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find('/', start);
    if (end == std::string_view::npos) end = path.size();
    const std::string_view part = path.substr(start, end - start);
    if (!part.empty() && part != ".") found.emplace_back(part);
    start = end + 1;
  }
  if (atFront) parts.insert(parts.begin(), found.begin(), found.end());
  else parts.insert(parts.end(), found.begin(), found.end());
}

fs::path joined(const fs::path& root, const std::vector<std::string>& parts) {
  fs::path path = root;
  for (const std::string& part : parts) path /= part;
  return path;
}

SetPath refused(EntryRefusal refusal) {
  SetPath path;
  path.refusal = refusal;
  return path;
}

}  // namespace

const char* entryRefusalText(EntryRefusal refusal) {
  switch (refusal) {
    case EntryRefusal::None: return "inside the exchange set";
    case EntryRefusal::AbsolutePath: return "an absolute path";
    case EntryRefusal::ParentStep: return "a '..' step";
    case EntryRefusal::NulByte: return "a NUL byte in the name";
    case EntryRefusal::LinkLeadsOut: return "a symbolic link on the way leads out of the exchange set";
    case EntryRefusal::TooManyLinks: return "more symbolic links on the way than can be followed";
  }
  return "refused";
}

ExchangeSetRoot::ExchangeSetRoot(fs::path root) : root_(std::move(root)) {
  std::error_code ec;
  canonicalRoot_ = fs::canonical(root_, ec);
  if (ec) canonicalRoot_.clear();
}

SetPath ExchangeSetRoot::resolve(std::string_view written) const {
  if (written.find('\0') != std::string_view::npos) return refused(EntryRefusal::NulByte);
  std::string relative(written);
  for (char& c : relative)
    if (c == '\\') c = '/';
  if (!relative.empty() && relative.front() == '/') return refused(EntryRefusal::AbsolutePath);
  const bool driveLetter = relative.size() >= 2 && relative[1] == ':' &&
                           ((relative[0] >= 'A' && relative[0] <= 'Z') || (relative[0] >= 'a' && relative[0] <= 'z'));
  if (driveLetter) return refused(EntryRefusal::AbsolutePath);
  return follow(relative);
}

SetPath ExchangeSetRoot::follow(std::string_view relative) const {
  if (relative.find('\0') != std::string_view::npos) return refused(EntryRefusal::NulByte);
  if (!relative.empty() && relative.front() == '/') return refused(EntryRefusal::AbsolutePath);
  std::deque<std::string> pending;
  splitParts(relative, pending, false);
  for (const std::string& part : pending)
    if (part == "..") return refused(EntryRefusal::ParentStep);

  SetPath result;
  result.inside = true;
  {
    std::vector<std::string> lexical(pending.begin(), pending.end());
    result.named = joined(root_, lexical).lexically_normal();
  }
  // Walks the parts from the root. `current` holds the parts resolved so
  // far: real folders inside the root, no link among them.
  std::vector<std::string> current;
  int links = 0;
  while (!pending.empty()) {
    const std::string part = std::move(pending.front());
    pending.pop_front();
    if (part == "..") {  // only from a link's target
      if (current.empty()) return refused(EntryRefusal::LinkLeadsOut);
      current.pop_back();
      continue;
    }
    const fs::path here = joined(root_, current) / part;
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(here, ec);
    if (ec || !fs::exists(status)) {
      // The rest cannot exist either, and is never looked at.
      current.push_back(part);
      result.absent = true;
      break;
    }
    if (fs::is_symlink(status)) {
      if (++links > kMaxLinks) return refused(EntryRefusal::TooManyLinks);
      const fs::path target = fs::read_symlink(here, ec);
      if (ec) {
        current.push_back(part);
        result.absent = true;
        break;
      }
      if (target.is_absolute()) {
        if (canonicalRoot_.empty()) return refused(EntryRefusal::LinkLeadsOut);
        const fs::path inRoot = target.lexically_normal().lexically_relative(canonicalRoot_);
        if (inRoot.empty() || *inRoot.begin() == "..") return refused(EntryRefusal::LinkLeadsOut);
        current.clear();
        splitParts(inRoot.generic_string(), pending, true);
      } else {
        splitParts(target.generic_string(), pending, true);
      }
      continue;
    }
    current.push_back(part);
    if (!fs::is_directory(status) && !pending.empty()) {  // a file where a folder should be
      result.absent = true;
      break;
    }
  }
  result.target = joined(root_, current);
  return result;
}
