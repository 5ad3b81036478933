// The status line after an operation, for the cases a window test does not
// reach easily: a deletion that met a disk without a trash, failed items.

#include "operace/souhrn_operace.h"

#include <gtest/gtest.h>

namespace zrc {
namespace {

struct Pripad {
    const char* nazev;
    SouhrnOperace souhrn;
    const char* text;
};

class TextSouhrnu : public testing::TestWithParam<Pripad> {};

TEST_P(TextSouhrnu, Cesky)
{
    EXPECT_EQ(textSouhrnu(GetParam().souhrn), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Operace, TextSouhrnu,
    testing::Values(
        Pripad{"PetSouboru", {.druh = DruhSouhrnu::Kopie, .souboru = 5, .bajtu = 1258291},
               "Zkopírováno: 5 souborů, 1,2 MiB."},
        Pripad{"CastDoKose", {.druh = DruhSouhrnu::DoKose, .souboru = 5, .bajtu = 10240, .doKose = 3},
               "Smazáno: 5 souborů, 10,0 KiB, z toho do koše: 3."},
        Pripad{"SNeprovedenymi", {.druh = DruhSouhrnu::Presun, .souboru = 1, .bajtu = 10, .neprovedeno = 2},
               "Přesunuto: 1 soubor, 10 B, neprovedeno: 2 (viz chyby operace)."}),
    [](const auto& i) { return std::string(i.param.nazev); });

} // namespace
} // namespace zrc
