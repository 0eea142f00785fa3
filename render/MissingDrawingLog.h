#pragma once
// The drawings a pass was asked for that the library does not hold, each
// logged once (qWarning: the window's debug log, standard error in the
// tools), whichever view's pass meets it first. The views of one engine
// share it, on any thread: it is locked while a name is looked up.
#include <mutex>
#include <set>
#include <string>

enum class DrawingKind { Symbol, LineStyle, Pattern };

class MissingDrawingLog {
public:
  // Logs the name unless it was logged before; true the first time.
  bool note(DrawingKind kind, const std::string& name);

private:
  std::mutex mutex_;
  std::set<std::string> logged_[3];  // by DrawingKind
};
