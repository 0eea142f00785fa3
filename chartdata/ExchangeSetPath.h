#pragma once
// Where a file named by an exchange set's catalogue lies. A catalogue is
// data from elsewhere: its names are kept inside the set's root folder, the
// catalogue's own, so that no entry can make the reader open, stat or
// checksum a file outside it (an absolute path, a '..' walk with '/' or '\',
// a symbolic link leading out).
#include <filesystem>
#include <string>
#include <string_view>

// Why a name is refused.
enum class EntryRefusal : int {
  None = 0,
  AbsolutePath = 1,  // a leading '/' or '\', or a drive letter
  ParentStep = 2,    // a '..' part
  NulByte = 3,       // a NUL byte in the name
  LinkLeadsOut = 4,  // a symbolic link on the way leads out of the root
  TooManyLinks = 5,  // more links on the way than the system would follow
};

// The reason in English ("an absolute path", "a '..' step", ...).
const char* entryRefusalText(EntryRefusal refusal);

struct SetPath {
  bool inside = false;                        // false: refused, for `refusal`
  EntryRefusal refusal = EntryRefusal::None;
  bool absent = false;           // inside, but a folder on the way or the file itself does not exist
  std::filesystem::path named;   // the root and the entry's parts, as a folder walk names the file
  std::filesystem::path target;  // the root and the parts with every link on the way resolved
                                 // (inside the root); what is opened
};

class ExchangeSetRoot {
public:
  // `root` as the folder walk names it.
  explicit ExchangeSetRoot(std::filesystem::path root);

  // The file `written` names ('/' or '\' separators). Refused: an absolute
  // path (a leading separator or a drive letter), a '..' part, a NUL byte,
  // a symbolic link on the way whose target lies outside the root, more
  // links than can be followed. The parts are looked at one by one from the
  // root (lstat, readlink), so nothing outside the root is ever touched.
  SetPath resolve(std::string_view written) const;
  // The same for a path under the root as the file system names it: only
  // '/' separates, and a '..' part is refused.
  SetPath follow(std::string_view relative) const;

private:
  std::filesystem::path root_;
  std::filesystem::path canonicalRoot_;  // empty when the root cannot be resolved: absolute links are refused
};
