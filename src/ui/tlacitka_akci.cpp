#include "ui/tlacitka_akci.h"

#include <array>

namespace zrc {

namespace {

const std::array<TlacitkoAkce, pocetAkci> tabulka{{
    {"BB1", "vybrat vše (Ctrl+A)", "výběr všech souborů v aktivním seznamu", "MPBB1", Qt::CTRL | Qt::Key_A},
    {"BB2", "kopírovat (F5)", "kopírování vybraných souborů do cílového adresáře", "MBB2", QKeyCombination(Qt::Key_F5)},
    {"BB3", "přesunout (F6)", "přesunutí vybraných souborů do cílového adresáře", "MBB3", QKeyCombination(Qt::Key_F6)},
    {"BB4", "odstranit (F8)", "odstranění vybraných souborů", "MBB4", QKeyCombination(Qt::Key_F8)},
    {"BB5", "kop.pův. (Ctrl+F5)", "nahrazení vybraných souborů kopií z cílového adresáře", "MBB5", Qt::CTRL | Qt::Key_F5},
    {"BB6", "přes.pův. (Ctrl+F6)", "nahrazení vybraných souborů přesunem z cílového adresáře", "MBB6",
     Qt::CTRL | Qt::Key_F6},
}};

} // namespace

std::span<const TlacitkoAkce, pocetAkci> tlacitkaAkci()
{
    return tabulka;
}

} // namespace zrc
