#pragma once
// Path routines. Paths are split at "/"; the root "/" is never reduced to an
// empty text.

#include <QString>
#include <QStringView>

#include <string>
#include <string_view>

namespace zrc {

// The directory of the running executable (from /proc/self/exe), without a
// trailing "/" unless it is the root.
QString AdresarProgramu();

// Everything before the last "/": "/a/b.txt" -> "/a", "/b.txt" -> "/", a name
// without "/" -> "".
QString AdresarCesty(QStringView cesta);

// The path itself when it is shorter than maxDelka, otherwise a form for display
// that keeps the tail of whole components and stands "/.." for the cut head:
// (20, "/home/pavel/Dir/Sub/file.txt") -> "/../Sub/file.txt". The result is
// shorter than maxDelka whenever the last component allows it.
QString ZkratCestu(int maxDelka, QStringView cesta);

// The path of rel below zaklad, as bytes: one "/" between them whether or not
// zaklad ends with one ("/" + "a" -> "/a").
std::string spojCestu(const std::string& zaklad, std::string_view rel);

} // namespace zrc
