#pragma once
// A program that holds decrypted cells or keys calls this first: the
// process then leaves no core file (RLIMIT_CORE 0) and may not be dumped or
// traced by other processes of the user (PR_SET_DUMPABLE 0).
void refuseCoreDumps();
