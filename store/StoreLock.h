#pragma once
// The lock of a chart store (the file "lock" in its folder): one program
// changes the store at a time, and none reads it while another changes it.
// The system releases it when its holder ends, killed or not, so a lock is
// never left behind.
#include <string>

class StoreLock {
public:
  enum class Mode { Shared, Exclusive };

  // Takes the lock, waiting at most `waitMs` milliseconds for a holder to
  // let go. A store folder that cannot hold the lock file (read-only) is
  // read without one: no program can change it either.
  StoreLock(const std::string& root, Mode mode, int waitMs);
  ~StoreLock();
  StoreLock(const StoreLock&) = delete;
  StoreLock& operator=(const StoreLock&) = delete;

  bool held() const { return held_; }
  // Not held because another program holds it past the wait.
  bool busy() const { return busy_; }
  // Why it is not held: another program holds it, or the file cannot be made.
  const std::string& reason() const { return reason_; }

private:
  int fd_ = -1;
  bool held_ = false;
  bool busy_ = false;
  std::string reason_;
};
