#include "FilePermissions.h"

#include "ToolRun.h"

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace testsupport {

namespace {
constexpr unsigned kOverrides = (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH);

bool readCapabilities(__user_cap_data_struct (&data)[2]) {
  __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
  return syscall(SYS_capget, &header, data) == 0;
}

bool writeCapabilities(__user_cap_data_struct (&data)[2]) {
  __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
  return syscall(SYS_capset, &header, data) == 0;
}
}  // namespace

FilePermissionsBind::FilePermissionsBind() {
  __user_cap_data_struct data[2] = {};
  if (!readCapabilities(data)) return;
  effective_[0] = data[0].effective;
  effective_[1] = data[1].effective;
  if ((data[0].effective & kOverrides) == 0) {
    binding_ = true;  // an ordinary user already
    return;
  }
  data[0].effective &= ~kOverrides;
  changed_ = binding_ = writeCapabilities(data);
}

FilePermissionsBind::~FilePermissionsBind() {
  if (!changed_) return;
  __user_cap_data_struct data[2] = {};
  if (!readCapabilities(data)) return;
  data[0].effective = effective_[0];
  data[1].effective = effective_[1];
  writeCapabilities(data);
}

bool commandPrefixBindingPermissions(std::string& prefix) {
  prefix.clear();
  __user_cap_data_struct data[2] = {};
  if (readCapabilities(data) && (data[0].effective & kOverrides) == 0) return true;
  if (!onPath("setpriv")) return false;
  prefix = "setpriv --bounding-set -dac_override,-dac_read_search ";
  return true;
}

}  // namespace testsupport
