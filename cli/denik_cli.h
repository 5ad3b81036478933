#pragma once
// --journal N: lists the journal of one operation of the window program (the
// newest is 1), so that a script can see what was copied, replaced, moved or
// deleted, and where the trash holds what an operation put there.

#include "volby.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <cstdio>
#include <optional>

namespace zrc::cli {

QCommandLineOption volbaDeniku();

// The number given with --journal; nothing without it; the error text for a
// number outside 1 to ponechatDeniku.
std::optional<int> cisloDeniku(const QCommandLineParser& p, QString& chyba);

// Prints journal n of $XDG_STATE_HOME/zrcadlovac in the format; 0, or 2 after
// a Czech message on standard error (no such journal, a damaged one).
int vypisDenik(std::FILE* f, int n, Format format);

} // namespace zrc::cli
