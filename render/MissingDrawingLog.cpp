#include "MissingDrawingLog.h"

#include <QtGlobal>

bool MissingDrawingLog::note(DrawingKind kind, const std::string& name) {
  const int k = static_cast<int>(kind);
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!logged_[k].insert(name).second) return false;
  }
  static const char* const kKinds[3] = {"symbol", "line style", "pattern"};
  qWarning("the presentation library has no %s %s: features that name it are drawn with a stand-in", kKinds[k],
           name.c_str());
  return true;
}
