#pragma once
// After a comparison that met leftover temporary files of interrupted copies:
// one question whether to remove them (their count, that the comparison left
// them out, the first few paths), and a message naming those that stayed.
// They go where the deleted files of the operations go: into the trash when
// "mazat do koše" is on, so that a user's own file that merely has such a
// name can be taken back.

#include "engine/docasne_soubory.h"
#include "operace/operace.h"

#include <QString>
#include <vector>

namespace zrc {

// "Porovnání vynechalo 3 dočasné soubory přerušeného kopírování ...:\r<path>\r...\rPřesunout je do koše?"
QString textDocasnych(const std::vector<NalezenyDocasny>& docasne, Mazani mazani);
// Asks (nothing when docasne is empty); after "Ano" removes them as mazani says.
void nabidniSmazaniDocasnych(const std::vector<NalezenyDocasny>& docasne, Mazani mazani);

} // namespace zrc
