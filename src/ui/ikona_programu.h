#pragma once
// The program's icon: the one installed into the icon theme (hicolor, or a
// theme that draws its own), else the copy compiled into the program, so that
// a build that was never installed shows it too.

#include <QIcon>

namespace zrc {

inline constexpr char jmenoIkony[] = "zrcadlovac";

QIcon IkonaProgramu();

} // namespace zrc
