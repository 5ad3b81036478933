#pragma once
// Signals sent to a running program at a moment the test can name.

#include <sys/types.h>

namespace zrc::test {

// Waits up to ms milliseconds, looking every 0.2 ms, until process pid has
// a handler of its own for sig (the SigCgt mask of /proc/<pid>/status);
// false when it never had one. A signal sent before that moment would end
// the process unhandled, whatever the program does with it later.
bool pockejNaObsluhuSignalu(pid_t pid, int sig, int ms = 15000);

} // namespace zrc::test
