#pragma once
// The safety catches around a file operation, as the window applies them:
//
// - "mazat do koše" (INI "Nastaveni"/"kos", missing = ticked) decides where
//   deleted files and replaced old versions go; read at each operation, so a
//   change in the configuration dialog counts at once;
// - the plan line under "Opravdu odstranit/nahradit vybrané soubory?": count,
//   size and whether the files go to the trash;
// - the guard of the base directories, recorded at the end of each comparison
//   and checked before anything is written or deleted;
// - one more question before a permanent deletion of many listed files (also
//   when "potvrzodstr" is off);
// - the log of the items the last operation left undone.
//
// OvladacOperaci owns one instance; every method runs on the user-interface
// thread.

#include "operace/kniha_chyb.h"
#include "operace/operace.h"
#include "operace/plan_operace.h"
#include "operace/straz_zakladu.h"

#include <QString>
#include <array>
#include <optional>
#include <string_view>

namespace zrc {

class PojistkyOperace final {
public:
    explicit PojistkyOperace(QString cestaIni = {}) : cestaIni_(std::move(cestaIni)) {}
    void setCestaIni(const QString& cesta) { cestaIni_ = cesta; }

    Mazani mazani() const;

    // "Opravdu odstranit vybrané soubory?\r3 soubory, 6,0 MiB, do koše\r
    // v adresáři 2: /home/…/zaloha": adresar is the line of radekAdresare.
    QString otazka(const QString& prvniRadek, const Operace& o, const PlanOperace& plan,
                   const QString& adresar) const;

    // Yes to the mass-deletion question, or no question due: a deletion (code
    // 2) that would remove at least 10 files and at least half of the list's
    // naStrane items permanently. The question ends with the line adresar.
    bool hromadnePotvrzeno(const Operace& o, std::int64_t mazanych, std::int64_t naStrane,
                           const QString& adresar);

    // No trash usable on a file system during a deletion: the question of
    // zeptejSeBezKose, and after "Ano" the mass-deletion question as well
    // (once per operation) when the files that may now go permanently are
    // many. The last hromadnePotvrzeno call gave the counts.
    OdpovedKose bezKose(const std::string& zdroj, const ChybaSouboru& c);

    // The bases of the finished comparison (CestaAdr1, CestaAdr2).
    void zaznamenejZaklady(const QString& adresar1, const QString& adresar2);
    // Forgets them (a new comparison started): nothing to check until it ends.
    void zapomenZaklady();
    // True when the bases the operation uses are still what the comparison
    // saw; otherwise shows the message naming the base and returns false.
    bool zakladyPlati(const Operace& o) const;

    // The log of the operation about to run (emptied here).
    KnihaChyb& novaKniha();
    const KnihaChyb& kniha() const { return kniha_; }

private:
    QString cestaIni_;
    std::array<std::optional<StrazZakladu>, 2> straz_;   // Adresář 1, Adresář 2
    KnihaChyb kniha_;
    struct Rozsah {
        bool mazani = false;
        std::int64_t mazanych = 0, naStrane = 0;
        bool potvrzeno = false;   // the mass question was answered "Ano" already
        QString adresar;          // its directory line
    } rozsah_;
    bool hromadnaOtazka();
};

// "v adresáři 2: /home/pavel/zaloha", the directory that a confirmation's
// operation changes, as the lists show its name; a path too long for a
// message (half the screen, where the message wraps) loses its middle:
// "v adresáři 2: /home/…/zaloha".
QString radekAdresare(Strana strana, std::string_view adresar);

// The question asked when no trash of a file system can be used (once per
// file system and operation): names the mount point and its type.
QString textBezKose(const std::string& zdroj, const ChybaSouboru& c);
// Yes: permanent deletion there, No: its files are kept, Cancel: the end.
OdpovedKose zeptejSeBezKose(const std::string& zdroj, const ChybaSouboru& c);

} // namespace zrc
