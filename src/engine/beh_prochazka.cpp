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
// added only by the run's thread and only under the lock. The run's thread
// lists the node it needs next itself when nobody has taken it; the listing
// threads take the nodes after it, within the lead. So a chain of directories
// (one node at a time) runs on the run's thread alone, without a hand-over per
// directory, and a thread is woken only when there is a node for it.
class Fronta {
public:
    Fronta(StromStran& strom, std::size_t predstih) : strom_(strom), sloty_(predstih) {}

    struct Slot {
        NactenyAdresar vypisy[2];
        platform::DirectoryHandle adresar[2];   // open after listing, for the subdirectories
        bool hotovo = false;
    };

    // For a listing thread: the next node to list, or null when the walk ends.
    std::pair<const UzelStromu*, Slot*> vezmi()
    {
        std::unique_lock l(m_);
        ++cekajicich_;
        prace_.wait(l, [&] { return konec_ || volny(); });
        --cekajicich_;
        if (konec_)
            return {nullptr, nullptr};
        const std::size_t i = dalsi_++;
        return {&strom_[i], &sloty_[i % sloty_.size()]};
    }
    void hotovo(Slot& s)
    {
        bool cekaNaMe;
        {
            std::lock_guard l(m_);
            s.hotovo = true;
            cekaNaMe = cekaNa_ == &s;
        }
        if (cekaNaMe)
            hotovo_.notify_one();
    }
    // For the run's thread: node i (the first one not done) with its listings.
    template <class Nacti>
    Slot* cekej(std::size_t i, Nacti nacti)
    {
        std::unique_lock l(m_);
        Slot& s = sloty_[i % sloty_.size()];
        if (dalsi_ == i) {
            ++dalsi_;
            const std::size_t probudit = volnych();
            UzelStromu& u = strom_[i];
            l.unlock();
            probud(probudit);
            nacti(u, s);
            return &s;
        }
        cekaNa_ = &s;
        hotovo_.wait(l, [&] { return s.hotovo; });
        cekaNa_ = nullptr;
        return &s;
    }
    // Node i is done: its children are added (their names copied out of the
    // listings) and its slot is free.
    void dokonceno(std::size_t i, Slot& s, const std::vector<NovyPodadresar>& deti)
    {
        std::size_t probudit;
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
            probudit = volnych();
        }
        probud(probudit);
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
    // Nodes a listing thread may take: after the one the run's thread needs
    // next, within the lead.
    bool volny() const { return volnych() > 0; }
    std::size_t volnych() const
    {
        if (dalsi_ <= zpracovano_)
            return 0;
        const std::size_t konec = std::min(strom_.size(), zpracovano_ + sloty_.size());
        return konec > dalsi_ ? std::min(konec - dalsi_, static_cast<std::size_t>(cekajicich_)) : 0;
    }
    void probud(std::size_t kolik)
    {
        for (std::size_t k = 0; k < kolik; ++k)
            prace_.notify_one();
    }

    StromStran& strom_;
    std::vector<Slot> sloty_;
    std::mutex m_;
    std::condition_variable prace_, hotovo_;
    std::size_t dalsi_ = 0, zpracovano_ = 0;
    int cekajicich_ = 0;
    Slot* cekaNa_ = nullptr;
    bool konec_ = false;
};

} // namespace

// The pair's directories on the sides where they exist; one that cannot be
// opened counts as empty and remembers why. A directory is opened from its
// parent's descriptor when the parent kept it open (one openat per directory,
// as a bare walk), else through the thread's chain of open ancestors.
void Beh::nactiPar(const UzelStromu& u, NactenyAdresar (&vypisy)[2],
                   platform::DirectoryHandle (&adresare)[2], int vlakno)
{
    const auto v = static_cast<std::size_t>(vlakno);
    for (int strana = 0; strana < 2; ++strana) {
        if (!u.existuje[strana])
            continue;
        std::error_code ec;
        int fd = -1;
        UzelStromu* rodic = u.rodic;
        if (!rodic) {
            adresare[strana] = platform::openDirectory(strom_.zaklad(strana).c_str(),
                                                       platform::FollowLinks::Yes, ec);
            fd = adresare[strana].fd();
        } else if (rodic->adresar[strana].valid()) {
            adresare[strana] = platform::openSubdirectory(rodic->adresar[strana].fd(), u.jmeno.data(), ec);
            fd = adresare[strana].fd();
            if (rodic->zbyva[strana].fetch_sub(1, std::memory_order_acq_rel) == 1) {
                rodic->adresar[strana] = platform::DirectoryHandle();
                drzenych_.fetch_sub(1, std::memory_order_relaxed);
            }
        } else {
            fd = oteviraci_[2 * v + static_cast<std::size_t>(strana)].otevri(strom_, strana, u, ec);
        }
        if (fd < 0)
            vypisy[strana].chyba = ec;
        else
            vypisy[strana] = nactiAdresar(fd, pameti_[v]);
    }
}

// A directory with subdirectories keeps its descriptor for them while the
// budget allows; a level of the tree may hold tens of thousands of such
// directories, so past the budget the chains of the threads take over.
void Beh::podrzAdresare(UzelStromu& u, platform::DirectoryHandle (&adresare)[2],
                        const std::vector<NovyPodadresar>& deti)
{
    for (int strana = 0; strana < 2; ++strana) {
        std::uint32_t pocet = 0;
        for (const NovyPodadresar& d : deti)
            pocet += d.existuje[strana];
        if (pocet == 0 || !adresare[strana].valid()
            || drzenych_.load(std::memory_order_relaxed) >= limitDrzenych_) {
            adresare[strana] = platform::DirectoryHandle();
            continue;
        }
        drzenych_.fetch_add(1, std::memory_order_relaxed);
        u.zbyva[strana].store(pocet, std::memory_order_relaxed);
        u.adresar[strana] = std::move(adresare[strana]);
    }
}

void Beh::projdi(int prvni)
{
    Fronta fronta(strom_, predstihNaVlakno * static_cast<std::size_t>(vlaken_));
    std::vector<std::thread> vlakna;
    for (int v = 1; v < vlaken_; ++v)
        vlakna.emplace_back([this, &fronta, v] {
            for (auto [u, slot] = fronta.vezmi(); u; std::tie(u, slot) = fronta.vezmi()) {
                nactiPar(*u, slot->vypisy, slot->adresar, v);
                fronta.hotovo(*slot);
            }
        });
    std::vector<NovyPodadresar> deti;
    for (std::size_t i = 0; i < fronta.pocet(); ++i) {
        Fronta::Slot* s = fronta.cekej(i, [this](UzelStromu& u, Fronta::Slot& slot) {
            nactiPar(u, slot.vypisy, slot.adresar, 0);
        });
        UzelStromu& u = strom_[i];
        deti.clear();
        zpracujPar(u, s->vypisy, prvni, deti);
        podrzAdresare(u, s->adresar, deti);
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
