#include "engine/porovnani.h"

#include "engine/beh.h"
#include "engine/filtry.h"
#include "platform/listing.h"
#include "util/bajty_cesty.h"

#include <optional>

namespace zrc {

namespace {

// The run has no message of its own for a time field that cannot be read;
// the one the time fields use when they lose the focus says what is wrong.
const QString chybnyFormat = QStringLiteral("Chybný formát");

// A name that is not UTF-8 and reached the run through a lossy text (the
// replacement character in place of its bytes) names nothing that exists; the
// user hears why instead of "neexistuje".
std::optional<QString> overAdresar(const QString& adresar, int cislo)
{
    if (platform::isDirectory(bajtyZTextu(adresar).c_str()))
        return std::nullopt;
    if (obsahujeNeplatneZnaky(adresar))
        return zpravy::neplatneJmeno(cislo);
    return cislo == 1 ? zpravy::adresar1Neexistuje : zpravy::adresar2Neexistuje;
}

std::optional<QString> overAdresare(const NastaveniPorovnani& n)
{
    if (auto chyba = overAdresar(n.adresar1, 1))
        return chyba;
    if (auto chyba = overAdresar(n.adresar2, 2))
        return chyba;
    if (n.adresar1 == n.adresar2)
        return zpravy::stejneAdresare;
    return std::nullopt;
}

// One trailing "/" goes; the root "/" stays as it is.
QString bezLomitka(const QString& adresar)
{
    if (adresar.size() > 1 && adresar.endsWith(QLatin1Char('/')))
        return adresar.chopped(1);
    return adresar;
}

} // namespace

VysledekBehu porovnej(const ParametryBehu& parametry, PrijemceBehu& prijemce)
{
    VysledekBehu vysledek;
    const NastaveniPorovnani& n = parametry.nastaveni;
    if (const auto chyba = overAdresare(n)) {
        vysledek.konec = KonecBehu::Neplatny;
        vysledek.zprava = *chyba;
        return vysledek;
    }
    const Hodiny systemove;
    const Hodiny& hodiny = parametry.hodiny ? *parametry.hodiny : systemove;
    const std::optional<Limity> limity = Dopoctilimit(n, hodiny.ted());
    if (!limity) {
        vysledek.konec = KonecBehu::Neplatny;
        vysledek.zprava = chybnyFormat;
        return vysledek;
    }
    vysledek.cestaAdr1 = bezLomitka(n.adresar1);
    vysledek.cestaAdr2 = bezLomitka(n.adresar2);
    prijemce.overeno(vysledek.cestaAdr1, vysledek.cestaAdr2);
    prijemce.stav(QStringLiteral("příprava záložky s výsledky"));
    prijemce.prubeh(0);

    ZiveVolby vlastniVolby;
    if (!parametry.volby)
        vlastniVolby.prevezmi(n);
    const ZiveVolby& volby = parametry.volby ? *parametry.volby : vlastniVolby;
    const ZakladyBehu zaklady{.adresar1 = bajtyZTextu(vysledek.cestaAdr1),
                              .adresar2 = bajtyZTextu(vysledek.cestaAdr2)};
    Beh beh(parametry, prijemce, volby, *limity, zaklady);
    vysledek.konec = beh.proved();
    vysledek.pocetPolozek = beh.pocetPolozek();
    vysledek.nepristupne = beh.nepristupne();
    vysledek.nezahrnute = beh.nezahrnute();
    if (vysledek.konec == KonecBehu::Dokonceno && vysledek.pocetPolozek == 0)
        vysledek.zprava = zpravy::nicNenalezeno;
    return vysledek;
}

void ZiveVolby::prevezmi(const NastaveniPorovnani& n)
{
    ChB_adresar1 = n.ChB_adresar1;
    ChB_adresar2 = n.ChB_adresar2;
    ChB_Filtr_1 = n.ChB_Filtr_1;
    ChB_Filtr_2 = n.ChB_Filtr_2;
    ChB_Filtr_3 = n.ChB_Filtr_3;
    ChBIgnorCasFiltr = n.ChBIgnorCasFiltr;
}

} // namespace zrc
