#pragma once
// The comparison run: one API for the window and the command line.
//
// A run takes the settings record, walks the source side of each chosen pass
// breadth first, pairs every file with the file at the same relative path on the
// other side and hands every difference to a sink, list by list, in the order of
// the sequential passes: pass 1 (directory 1 as the source) before pass 2, the
// directories of a pass in breadth-first order, the files of a directory in byte
// order of their names.

#include "engine/cas.h"
#include "engine/docasne_soubory.h"
#include "engine/nastaveni.h"
#include "engine/nepristupne_adresare.h"
#include "engine/nezahrnute_adresare.h"
#include "engine/vynechane_typy.h"

#include <QDateTime>
#include <QString>
#include <atomic>
#include <string>
#include <string_view>
#include <vector>

namespace zrc::platform {
class Syscalls;
}

namespace zrc {

class PrijemceNovejsich;
class SberShodnych;

// List numbers as the window's lists carry them: odd = directory 1, even = 2.
enum class Trida { Nove = 0, Novejsi = 1, Vetsi = 2, Mensi = 3 };   // result page
inline int cisloSeznamu(Trida t, int strana) { return 2 * static_cast<int>(t) + strana; }

// The on/off fields that a run reads at each place of use, so that a change made
// while a run is in progress takes effect from its next use on.
struct ZiveVolby {
    std::atomic<bool> ChB_adresar1{true};
    std::atomic<bool> ChB_adresar2{true};
    std::atomic<bool> ChB_Filtr_1{false};
    std::atomic<bool> ChB_Filtr_2{false};
    std::atomic<bool> ChB_Filtr_3{false};
    std::atomic<bool> ChBIgnorCasFiltr{true};

    void prevezmi(const NastaveniPorovnani& n);
};

// "Now" of a run; tests fix it.
class Hodiny {
public:
    virtual ~Hodiny() = default;
    virtual QDateTime ted() const { return QDateTime::currentDateTime(); }
};

// One difference as the sink receives it. The views are valid during the call.
struct NalezenySoubor {
    std::string_view podadresar;   // relative directory, own bytes: "" or "a/b/"
    std::string_view jmeno;        // file name, own bytes
    BalenyCas cas = 0;
    std::int64_t velikost = 0;
    // The run's own number of the directory, the same for every item of one
    // podadresar and different for every other, when the run gives one.
    std::uint32_t cisloAdresare = UINT32_MAX;
};

// The receiver of a run's output. Called on the run's thread. Items arrive in
// list order; status and progress are throttled by the run (about every 100 ms).
class PrijemceBehu {
public:
    virtual ~PrijemceBehu() = default;
    // Validation passed; cestaAdr1/2 are the directory texts with one trailing
    // "/" removed (the root stays "/"). The window writes them back and records
    // the recently used lists here.
    virtual void overeno(const QString& cestaAdr1, const QString& cestaAdr2) { (void)cestaAdr1; (void)cestaAdr2; }
    virtual void polozka(int seznam, const NalezenySoubor& soubor) = 0;
    // At most nejvyse items come to list seznam from the pass whose file stage
    // starts now (the file filters may leave out some), so that a store can
    // make room for them at once instead of growing by doubling.
    virtual void predpoklad(int seznam, std::size_t nejvyse) { (void)seznam; (void)nejvyse; }
    virtual void stav(const QString& text) { (void)text; }
    virtual void prubeh(int pozice) { (void)pozice; }   // 0..100
};

enum class KonecBehu { Neplatny, Zastaveno, Dokonceno };

struct VysledekBehu {
    KonecBehu konec = KonecBehu::Dokonceno;
    QString zprava;          // the validation message; empty otherwise
    QString cestaAdr1, cestaAdr2;
    std::size_t pocetPolozek = 0;
    // Directories that could not be read (their files are missing from the
    // lists), side 1 first; the run reports them, it does not stop for them.
    std::vector<NepristupnyAdresar> nepristupne;
    // Subdirectories that exist and were not walked, per side.
    NezahrnuteAdresare nezahrnute;
    // Leftover temporary files of interrupted copies met by the walk (sorted),
    // when the caller gave ParametryBehu::docasne and filled them in from its
    // collector; never in the lists.
    std::vector<NalezenyDocasny> docasne;
};

// Whether the walk enters a mount point inside a tree ("nepřecházet na jiné
// svazky"): a directory whose file system (st_dev) differs from its tree's
// base directory's. Vynechat costs one fstat per directory, none per file.
enum class JineSvazky : bool { Prochazet, Vynechat };

struct ParametryBehu {
    NastaveniPorovnani nastaveni;
    ZiveVolby* volby = nullptr;            // null: the on/off fields of nastaveni
    VynechaneTypy* vynechaneTypy = nullptr; // null: nothing excluded
    const Hodiny* hodiny = nullptr;        // null: the system clock
    const std::atomic<bool>* stop = nullptr;
    int vlakna = 0;                        // listing threads; 0 = number of cores
    SberDocasnych* docasne = nullptr;      // null: leftovers of copies are skipped unrecorded
    JineSvazky jineSvazky = JineSvazky::Prochazet;
    platform::Syscalls* sys = nullptr;     // the walk's stat calls; null: the real ones
    SberShodnych* shodne = nullptr;        // null: pairs judged equal are not recorded
    PrijemceNovejsich* novejsi = nullptr;  // null: NOVĚJŠÍ pairs only reach the lists
};

// Runs one comparison. Blocking; the window calls it from a worker thread.
VysledekBehu porovnej(const ParametryBehu& parametry, PrijemceBehu& prijemce);

// Messages of the run, exactly as the user sees them.
namespace zpravy {
inline const QString adresar1Neexistuje = QStringLiteral("Adresář číslo 1 neexistuje!! Nutno znovu zadat");
inline const QString adresar2Neexistuje = QStringLiteral("Adresář číslo 2 neexistuje!! Nutno znovu zadat");
inline const QString stejneAdresare = QStringLiteral("Nelze porovnat stejné adresáře!!");
inline QString neplatneJmeno(int cislo)
{
    return QStringLiteral("Jméno adresáře číslo %1 není platný text UTF-8, takový adresář nelze použít. Nutno znovu zadat").arg(cislo);
}
inline const QString nicNenalezeno = QStringLiteral("Nové, nebo změněné soubory vyhovující\rzadanému filtru nejsou nalezeny.");
} // namespace zpravy

} // namespace zrc
