#pragma once
// The signals that ask the program to end (SIGTERM at a logout or a kill,
// SIGINT from Ctrl+C, SIGHUP when the terminal goes), turned into a Cancel.
//
// The handler only records the signal and writes one byte into a pipe; the
// program notices either one (the window watches the pipe, the command line
// passes the flag as its stop flag), ends its work as Cancel ends it, and
// then ends itself by the same signal, so that its exit status says which
// signal ended it. A second signal while that is under way ends the process
// at once: nothing of a target is lost even then, because a copy replaces a
// target only by renaming its finished temporary file over it.

#include "platform/syscalls.h"

#include <atomic>
#include <csignal>

namespace zrc::platform {

// Installs the handlers (sigaction, SA_RESTART) for SIGTERM, SIGINT and
// SIGHUP; once per process, later calls do nothing. A signal that the
// process's parent set to be ignored (nohup) stays ignored.
[[nodiscard]] SysResult zachytavejUkonceni();

// Set by the first of the signals; the stop flag of the work to be cancelled.
const std::atomic<bool>& ukoncitPozadovano();

// The first signal received; 0 before any.
int signalUkonceni();

// The pipe's read end (non-blocking, close-on-exec): readable once a signal
// came; -1 before zachytavejUkonceni.
int ctenarUkonceni();

// Ends the process by signal sig, with its default action, as if the signal
// had come without a handler.
[[noreturn]] void ukonciSignalem(int sig);

} // namespace zrc::platform
