#pragma once
// File permissions as an ordinary user meets them, for tests that make a
// folder unreadable with chmod: run as root, the process reads it anyway
// (root passes every permission check). While a FilePermissionsBind lives,
// the calling thread gives up that power (CAP_DAC_OVERRIDE and
// CAP_DAC_READ_SEARCH, from its effective set only), so the permission bits
// bind it as they bind anyone; threads it starts meanwhile inherit that.
// The destructor takes the power back. Without either capability (a user
// that is not root) nothing changes.
#include <string>

namespace testsupport {

class FilePermissionsBind {
public:
  FilePermissionsBind();
  ~FilePermissionsBind();
  FilePermissionsBind(const FilePermissionsBind&) = delete;
  FilePermissionsBind& operator=(const FilePermissionsBind&) = delete;

  // Whether permission bits now bind the calling thread (false when the
  // capabilities could not be given up).
  bool binding() const { return binding_; }

private:
  bool binding_ = false;
  bool changed_ = false;
  unsigned effective_[2] = {0, 0};
};

// The prefix that runs a command with permission bits binding it (setpriv
// takes the two capabilities out of the bounding set, so root's program
// cannot take them back); empty for an ordinary user. False when the
// process has them and setpriv is not at hand.
bool commandPrefixBindingPermissions(std::string& prefix);

}  // namespace testsupport
