#pragma once
// After a comparison that met leftover temporary files of interrupted copies:
// one question whether to delete them permanently (their count and the first
// few paths), and a message naming those that could not be deleted.

#include <QString>
#include <string>
#include <vector>

namespace zrc {

// "Porovnání našlo 3 dočasné soubory přerušeného kopírování:\r<path>\r...\rSmazat je natrvalo?"
QString textDocasnych(const std::vector<std::string>& cesty);
// Asks (nothing when cesty is empty); after "Ano" deletes them.
void nabidniSmazaniDocasnych(const std::vector<std::string>& cesty);

} // namespace zrc
