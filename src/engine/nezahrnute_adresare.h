#pragma once
// Subdirectories a run did not walk although they exist: those without a
// counterpart on the other side while "procházet pouze shodné podadresáře"
// is ticked for their side, and mount points with "nepřecházet na jiné
// svazky". Nothing below them is compared, so a user who does not hear of
// them may take their files for copied. Only the top-most of each is
// counted: what lies below was never listed.

#include <QString>
#include <cstddef>

namespace zrc {

struct NezahrnuteAdresare {
    std::size_t bezProtejsku[2] = {0, 0};   // side 1, side 2
    std::size_t jinySvazek[2] = {0, 0};

    bool prazdne() const;
};

// "bez protějšku nezahrnuto: 3 podadresáře v adresáři 1, 1 podadresář v
// adresáři 2; jiný svazek nezahrnut: 1 podadresář v adresáři 2"; the parts
// and sides with none are left out, "" when there is nothing to say.
QString textNezahrnutych(const NezahrnuteAdresare& n);

} // namespace zrc
