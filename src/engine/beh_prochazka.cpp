// The walk of both trees: pairs of directories in breadth-first order, listed
// ahead by the listing threads and compared in order by the run's thread.

#include "engine/beh.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace zrc {

namespace {

QString cisloAdresare(int strana)
{
    return strana == 0 ? QStringLiteral("ADRESÁŘ 1") : QStringLiteral("ADRESÁŘ 2");
}

// The listing threads run ahead of the comparison by at most this many pairs
// per thread: enough to keep them busy past a large directory, few enough that
// the listings waiting to be compared stay a small part of the memory.
constexpr std::size_t predstihNaVlakno = 4;

// The hand-over between the listing threads and the run's thread. Nodes are
// added only by the run's thread and only under the lock; a listing thread
// takes the next node that is not listed yet, within the lead.
class Fronta {
public:
    Fronta(StromStran& strom, std::size_t predstih) : strom_(strom), sloty_(predstih) {}

    struct Slot {
        NactenyAdresar vypisy[2];
        bool hotovo = false;
    };

    // For a listing thread: the next node to list, or null when the walk ends.
    std::pair<const UzelStromu*, Slot*> vezmi()
    {
        std::unique_lock l(m_);
        prace_.wait(l, [&] { return konec_ || volny(); });
        if (konec_)
            return {nullptr, nullptr};
        const std::size_t i = dalsi_++;
        return {&strom_[i], &sloty_[i % sloty_.size()]};
    }
    void hotovo(Slot& s)
    {
        {
            std::lock_guard l(m_);
            s.hotovo = true;
        }
        hotovo_.notify_one();
    }
    // For the run's thread: node i with its listings; listed here when no
    // listing thread has taken it yet.
    template <class Nacti>
    Slot* cekej(std::size_t i, Nacti nacti)
    {
        std::unique_lock l(m_);
        Slot& s = sloty_[i % sloty_.size()];
        if (dalsi_ == i) {
            ++dalsi_;
            UzelStromu& u = strom_[i];
            l.unlock();
            nacti(u, s);
            return &s;
        }
        hotovo_.wait(l, [&] { return s.hotovo; });
        return &s;
    }
    // Node i is done: its children are added (their names copied out of the
    // listings) and its slot is free.
    void dokonceno(std::size_t i, Slot& s, const std::vector<NovyPodadresar>& deti)
    {
        {
            std::lock_guard l(m_);
            for (const NovyPodadresar& d : deti) {
                UzelStromu& n = strom_.pridej(strom_[i], d.jmeno);
                std::copy_n(d.existuje, 2, n.existuje);
                std::copy_n(d.prochazi, 2, n.prochazi);
                std::copy_n(d.predek, 2, n.predek);
            }
            s.vypisy[0] = {};
            s.vypisy[1] = {};
            s.hotovo = false;
            zpracovano_ = i + 1;
        }
        prace_.notify_all();
    }
    void ukonci()
    {
        {
            std::lock_guard l(m_);
            konec_ = true;
        }
        prace_.notify_all();
    }
    std::size_t pocet()
    {
        std::lock_guard l(m_);
        return strom_.size();
    }

private:
    bool volny() const { return dalsi_ < strom_.size() && dalsi_ < zpracovano_ + sloty_.size(); }

    StromStran& strom_;
    std::vector<Slot> sloty_;
    std::mutex m_;
    std::condition_variable prace_, hotovo_;
    std::size_t dalsi_ = 0, zpracovano_ = 0;
    bool konec_ = false;
};

} // namespace

// The pair's directories on the sides where they exist; one that cannot be
// opened counts as empty and remembers why.
void Beh::nactiPar(const UzelStromu& u, NactenyAdresar (&vypisy)[2], int vlakno)
{
    const auto v = static_cast<std::size_t>(vlakno);
    for (int strana = 0; strana < 2; ++strana) {
        if (!u.existuje[strana])
            continue;
        std::error_code ec;
        const int fd = oteviraci_[2 * v + static_cast<std::size_t>(strana)].otevri(strom_, strana, u, ec);
        if (fd < 0)
            vypisy[strana].chyba = ec;
        else
            vypisy[strana] = nactiAdresar(fd, pameti_[v]);
    }
}

void Beh::projdi(int prvni)
{
    Fronta fronta(strom_, predstihNaVlakno * static_cast<std::size_t>(vlaken_));
    std::vector<std::thread> vlakna;
    for (int v = 1; v < vlaken_; ++v)
        vlakna.emplace_back([this, &fronta, v] {
            for (auto [u, slot] = fronta.vezmi(); u; std::tie(u, slot) = fronta.vezmi()) {
                nactiPar(*u, slot->vypisy, v);
                fronta.hotovo(*slot);
            }
        });
    std::vector<NovyPodadresar> deti;
    for (std::size_t i = 0; i < fronta.pocet(); ++i) {
        Fronta::Slot* s = fronta.cekej(i, [this](UzelStromu& u, Fronta::Slot& slot) {
            nactiPar(u, slot.vypisy, 0);
        });
        UzelStromu& u = strom_[i];
        deti.clear();
        zpracujPar(u, s->vypisy, prvni, deti);
        fronta.dokonceno(i, *s, deti);
    }
    fronta.ukonci();
    for (std::thread& t : vlakna)
        t.join();
}

// Everything the walk learns from one pair: its state, what the status line
// shows, the differences of both passes and the subdirectories to walk.
void Beh::zpracujPar(UzelStromu& u, NactenyAdresar (&vypisy)[2], int prvni,
                     std::vector<NovyPodadresar>& deti)
{
    for (int strana = 0; strana < 2; ++strana) {
        if (!u.existuje[strana])
            continue;
        ++precteno_;
        const NactenyAdresar& n = vypisy[strana];
        if (n.chyba) {
            u.chyba[strana] = true;
            chyby_[strana].push_back({&u, n.chyba});
        }
        if (n.casAdresare) {
            u.maCas[strana] = true;
            u.cas[strana] = *n.casAdresare;
        }
        u.maSoubory[strana] = !n.vypis.soubory().empty();
    }
    hlasPar(u, vypisy, prvni);
    const VypisAdresare* v[2] = {&vypisy[0].vypis, &vypisy[1].vypis};
    najdiRozdily(u, v);
    pridejPodadresare(u, v, deti);
}

// The count of directories read shows that a wide tree on a slow disk moves;
// "přidávám:" names an entry of the first pass's side the walk meets, files
// too (throttled: a text is built only when it is shown).
void Beh::hlasPar(const UzelStromu& u, const NactenyAdresar (&vypisy)[2], int prvni)
{
    if (omezovac_.ted())
        prijemce_.stav(QStringLiteral("vytvářím strukturu podaresářů pro ") + cisloAdresare(prvni)
                       + QStringLiteral(" - přečteno adresářů: ") + QString::number(precteno_));
    const int strana = u.prochazi[prvni] ? prvni : 1 - prvni;
    const VypisAdresare& v = vypisy[strana].vypis;
    if (v.soubory().empty() && v.podadresare().empty())
        return;
    if (!omezovac_.ted())
        return;
    const std::string_view jmeno = v.soubory().empty() ? v.jmeno(v.podadresare().front())
                                                       : v.jmeno(v.soubory().front());
    prijemce_.stav(QStringLiteral("přidávám: ") + textCesty(strana, u, jmeno));
}

// One merge of the two sorted file lists classifies the files of both passes.
// A pass skips the pair when the other side could not be read whole: no file
// of it is then known to be new.
void Beh::najdiRozdily(const UzelStromu& u, const VypisAdresare* const (&v)[2])
{
    const bool pruchod[2] = {u.prochazi[0] && !(u.existuje[1] && u.chyba[1]),
                             u.prochazi[1] && !(u.existuje[0] && u.chyba[0])};
    if (!pruchod[0] && !pruchod[1])
        return;
    const auto a = v[0]->soubory();
    const auto b = v[1]->soubory();
    auto pridej = [&](int zdroj, const SouborVypisu& f, const SouborVypisu* protejsek, std::string_view jmeno) {
        if (!pruchod[zdroj])
            return;
        if (const auto t = tridaRozdilu(f, protejsek))
            kandidati_[zdroj].pridej(u.index, *t, jmeno, f.cas, f.velikost);
    };
    std::size_t i = 0, j = 0;
    while (i < a.size() || j < b.size()) {
        const std::string_view ja = i < a.size() ? v[0]->jmeno(a[i]) : std::string_view();
        const std::string_view jb = j < b.size() ? v[1]->jmeno(b[j]) : std::string_view();
        if (j >= b.size() || (i < a.size() && ja < jb)) {
            pridej(0, a[i], nullptr, ja);
            ++i;
        } else if (i >= a.size() || jb < ja) {
            pridej(1, b[j], nullptr, jb);
            ++j;
        } else {
            pridej(0, a[i], &b[j], ja);
            pridej(1, b[j], &a[i], jb);
            ++i;
            ++j;
        }
    }
}

// The same-subdirectory and depth-match options are read for every directory found.
bool Beh::ponechat(int zdroj, const UzelStromu& rodic, bool protejsekExistuje) const
{
    bool ponechat = true;
    const auto& stejne = zdroj == 0 ? volby_.ChB_adresar1 : volby_.ChB_adresar2;
    if (stejne.load(std::memory_order_relaxed))
        ponechat = protejsekExistuje;
    if (volby_.ChB_Filtr_3.load(std::memory_order_relaxed)
        && !ShodaUrovne(rodic.hloubka + 1, limity_.UrovenShody, protejsekExistuje,
                        rodic.predek[zdroj]))
        ponechat = false;
    return ponechat;
}

// The subdirectories of both sides, merged by name; one becomes a pair when a
// pass walks it on its source side. A directory that no pass keeps is not
// walked, so nothing below it is compared either.
void Beh::pridejPodadresare(UzelStromu& u, const VypisAdresare* const (&v)[2],
                            std::vector<NovyPodadresar>& deti)
{
    const auto a = v[0]->podadresare();
    const auto b = v[1]->podadresare();
    const int hloubka = u.hloubka + 1;
    std::size_t i = 0, j = 0;
    while (i < a.size() || j < b.size()) {
        const std::string_view ja = i < a.size() ? v[0]->jmeno(a[i]) : std::string_view();
        const std::string_view jb = j < b.size() ? v[1]->jmeno(b[j]) : std::string_view();
        NovyPodadresar d;
        d.existuje[0] = i < a.size() && (j >= b.size() || ja <= jb);
        d.existuje[1] = j < b.size() && (i >= a.size() || jb <= ja);
        d.jmeno = d.existuje[0] ? ja : jb;
        i += d.existuje[0];
        j += d.existuje[1];
        for (int p = 0; p < 2; ++p) {
            d.prochazi[p] = u.prochazi[p] && d.existuje[p] && ponechat(p, u, d.existuje[1 - p]);
            d.predek[p] = hloubka == limity_.UrovenShody ? d.existuje[1 - p] : u.predek[p];
        }
        if (d.prochazi[0] || d.prochazi[1])
            deti.push_back(d);
    }
}

} // namespace zrc
