#pragma once
// What the window benchmarks share: each runs the window in a child process
// of its own (a fresh start, its own memory figures), in a working folder
// holding the checkout's library and base map, and lets it run between keys.
#include <string>
#include <vector>

// Runs this program again with `args`; its exit code, 1 when it could not
// be started or did not exit.
int runChild(char* self, const std::vector<std::string>& args);

// Makes `path` the working folder, with links to the checkout's S57Lib and
// worldland.bin, as the display finds them beside it.
void enterWorkingFolder(const std::string& path);

// Lets the window run for `ms` milliseconds, as a user pauses between keys.
void pause(int ms);
