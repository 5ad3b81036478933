#pragma once
// What the window program does before its application object exists: the
// options that print and end (--help, --version), which need no display, and
// a clear end instead of Qt's abort when no display can be opened.

#include <QString>

#include <optional>

namespace zrc {

// The help of the window program, in the language of its window.
QString NapovedaOkna();

// --help/-h or --version/-v among the parameters: the text is printed on
// standard output and the exit status (0) returned. Otherwise, when the
// environment names no display (DISPLAY, WAYLAND_DISPLAY and QT_QPA_PLATFORM
// all empty), the Czech line of ChybiDisplej() goes to standard error and
// the status is 2. Nothing: the window may start.
std::optional<int> VyridPredOknem(int argc, char** argv, const QString& verze);

// The one line said when the window cannot be shown.
QString ChybiDisplej();

// Until the returned guard ends, a fatal Qt message (the display named in
// the environment cannot be opened, no platform plugin) prints
// ChybiDisplej() and ends the process with status 2 instead of aborting.
class HlidacDispleje final {
public:
    HlidacDispleje();
    ~HlidacDispleje();
    HlidacDispleje(const HlidacDispleje&) = delete;
    HlidacDispleje& operator=(const HlidacDispleje&) = delete;
};

} // namespace zrc
