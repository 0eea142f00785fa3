#pragma once
// The real data the tests read from beside the checkout: the shared cells
// under ../shared/enc and the presentation library the set-up generates in
// S57Lib/. A test that needs them skips, naming what is missing.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

namespace testsupport {

// A path under the shared cell folder (the folder itself for "").
std::string sharedEnc(const std::string& relative = "");
// The generated presentation library folder.
std::string generatedLibrary();
// The first of `paths` that does not exist, or "" when all do.
std::string firstMissing(std::initializer_list<std::string> paths);

}  // namespace testsupport

// Skips the test unless every path given exists.
#define SKIP_UNLESS_PRESENT(...)                                                                  \
  if (const std::string missing_ = testsupport::firstMissing({__VA_ARGS__}); !missing_.empty()) \
  GTEST_SKIP() << "needs " << missing_ << " (../shared/enc beside the checkout, scripts/setup.sh)"
