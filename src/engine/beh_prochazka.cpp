// The walk of both trees: pairs of directories, each listed and compared by
// one of the walk's threads, in the order they are found.

#include "engine/beh.h"
#include "engine/deleni_vypisu.h"
#include "engine/fronta_paru.h"

#include <algorithm>
#include <chrono>
#include <functional>
#include <thread>
#include <utility>
#include <tuple>

namespace zrc {

namespace {

// Status texts come at most this often; the run's thread wakes for them even
// while other threads hold every pair.
constexpr auto intervalHlaseni = std::chrono::milliseconds(100);

QString cisloAdresare(int strana)
{
    return strana == 0 ? QStringLiteral("ADRESÁŘ 1") : QStringLiteral("ADRESÁŘ 2");
}

// A directory of this many entries or more is huge: its pair holds some
// 1.6 MB of scratch per side. Ordinary directories hold some 20 entries.
constexpr std::size_t velkyAdresar = 16384;

// Huge pairs listed at once: one per core.
int zetonuVelkychParu()
{
    return static_cast<int>(std::max(2u, std::thread::hardware_concurrency()));
}

// The differences of a huge pair are given back after it, as its listings
// are: every thread of a flat tree of a million files takes such pairs, and
// each kept up to 1.6 MB of them to the end of the walk.
void uvolniRozdily(auto& p)
{
    constexpr std::size_t mez = 256 * 1024;
    for (auto& r : p.rozdily)
        if (r.capacity() * sizeof r.front() > mez)
            std::remove_reference_t<decltype(r)>().swap(r);
}

} // namespace

// The names in the pair's directories on the sides where they exist; one that
// cannot be opened counts as empty and remembers why. Its own time is read
// only while the subdirectory time filter is on; a pass that finds the filter
// turned on later reads the missing times (doplnCasy). A mount point with
// "nepřecházet na jiné svazky" leaves the whole pair unlisted.
void Beh::nactiPar(UzelStromu& u, platform::DirectoryHandle (&adresare)[2], PraceVlakna& p,
                   FrontaParu& fronta)
{
    const CasAdresare cas = volby_.ChB_Filtr_2.load(std::memory_order_relaxed) ? CasAdresare::Cist
                                                                              : CasAdresare::Vynechat;
    bool jinySvazek = false;
    for (int strana = 0; strana < 2; ++strana) {
        NeserazenyVypis& v = p.pamet.strany[strana];
        p.fd[strana] = -1;
        if (!u.existuje[strana]) {
            v.vyprazdni();
            continue;
        }
        std::error_code ec;
        const int fd = otevriStranu(u, strana, adresare[strana], p, ec);
        if (fd >= 0 && jineSvazky_ == JineSvazky::Vynechat && naJinemSvazku(u, strana, fd, ec)) {
            ++p.nezahrnute.jinySvazek[strana];
            jinySvazek = true;
            adresare[strana] = platform::DirectoryHandle();
            v.vyprazdni();
            continue;
        }
        if (fd < 0 || ec) {
            adresare[strana] = platform::DirectoryHandle();
            v.vyprazdni();
            v.chyba = ec;
            continue;
        }
        // A thread without a token reads no more than a huge listing's start
        // before it waits for one: the six threads that each held a whole side
        // of 50 000 names while they waited put 6 MiB on the peak of a flat
        // tree of a million files (49 MiB, now 43 MiB).
        const bool bezZetonu = !p.zeton && vlakna_.size() > 1;
        if (nactiZacatek(fd, p.pamet, strana, cas, bezZetonu ? velkyAdresar : SIZE_MAX) == Precteno::Cast) {
            fronta.vezmiZeton();
            p.zeton = true;
            doctiZaznamy(fd, p.pamet, strana);
        }
        p.fd[strana] = fd;
        u.casOdlozen[strana] = cas == CasAdresare::Vynechat;
    }
    if (jinySvazek)
        vynechejPar(adresare, p);
    p.deleni.priprav(p.fd, p.pamet, vlakna_.size() > 1);
}

void Beh::dokonciPar(UzelStromu& u, PraceVlakna& p)
{
    for (int strana = 0; strana < 2; ++strana) {
        if (p.fd[strana] < 0)
            continue;
        NeserazenyVypis& v = p.pamet.strany[strana];
        if (p.deleni.sdileno())
            dokonciVypis(p.fd[strana], v, p.deleni.chyba(strana),
                         p.pamet.docasne ? &p.pamet.nalezeneDocasne : nullptr);
        else
            roztridZaznamy(p.fd[strana], v, p.pamet);
        predejDocasne(u, strana, p.pamet);
    }
}

// A directory is opened from its parent's descriptor when the parent kept it
// open (one openat per directory, as a bare walk), else through the thread's
// chain of open ancestors; -1 with the reason in ec.
int Beh::otevriStranu(UzelStromu& u, int strana, platform::DirectoryHandle& adresar, PraceVlakna& p,
                      std::error_code& ec)
{
    UzelStromu* rodic = u.rodic;
    if (!rodic) {
        adresar = platform::openDirectory(strom_.zaklad(strana).c_str(), platform::FollowLinks::Yes, ec);
        return adresar.get();
    }
    if (rodic->adresar[strana] < 0)
        return p.oteviraci[strana].otevri(strom_, strana, u, ec);
    adresar = platform::openSubdirectory(rodic->adresar[strana], u.jmenoBajty, ec);
    if (rodic->zbyva[strana].fetch_sub(1, std::memory_order_acq_rel) == 1) {
        rodic->zavriAdresar(strana);
        drzenych_.fetch_sub(1, std::memory_order_relaxed);
    }
    return adresar.get();
}

// With "nepřecházet na jiné svazky": whether the open directory lies on
// another file system than its side's base directory, which it records when
// it is the base. One fstat per directory, only with the option on; ec says
// why the directory could not be examined.
bool Beh::naJinemSvazku(const UzelStromu& u, int strana, int fd, std::error_code& ec)
{
    const auto info = platform::statOpen(*sys_, fd, ec);
    if (!info)
        return false;
    if (!u.rodic) {
        svazekZakladu_[strana] = info->device;
        return false;
    }
    return info->device != svazekZakladu_[strana];
}

// A mount point on either side: the pair is not compared at all. Its other
// side has no counterpart to be compared with, and calling its files new
// would offer to copy them onto the other file system.
void Beh::vynechejPar(platform::DirectoryHandle (&adresare)[2], PraceVlakna& p)
{
    for (int strana = 0; strana < 2; ++strana) {
        NeserazenyVypis& v = p.pamet.strany[strana];
        const std::error_code chyba = v.chyba;
        v.vyprazdni();
        v.chyba = chyba;
        adresare[strana] = platform::DirectoryHandle();
        p.fd[strana] = -1;
    }
}

// The leftovers of the directory just listed go to the collector with the
// base and the path below it, by which their removal reaches them again.
void Beh::predejDocasne(const UzelStromu& u, int strana, PracovniPametVypisu& pamet) const
{
    if (pamet.nalezeneDocasne.empty())
        return;
    std::string podadr;
    strom_.relativniCesta(u, podadr);
    for (NalezenyDocasny& d : pamet.nalezeneDocasne) {
        d.zaklad = strom_.zaklad(strana);
        d.podadr = podadr;
        pamet.docasne->pridej(std::move(d));
    }
    pamet.nalezeneDocasne.clear();
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
        u.podrzAdresar(strana, std::move(adresare[strana]));
    }
}

// Every thread, the run's own too, lists and compares pairs until none is
// left; only the run's thread reports, as the receiver expects.
void Beh::projdi(int prvni)
{
    FrontaParu fronta(strom_, zetonuVelkychParu());
    std::vector<std::thread> vlakna;
    // The other threads start once there is more than one pair to take: a
    // chain of directories, or a small tree of one level, is walked by the
    // run's thread alone (starting seven threads cost a chain of 2 000
    // directories a quarter of its time).
    std::function<void(PraceVlakna&, bool)> pracuj;
    const auto spustVlakna = [&] {
        for (std::size_t v = 1; v < vlakna_.size(); ++v)
            vlakna.emplace_back(pracuj, std::ref(vlakna_[v]), false);
    };
    pracuj = [&](PraceVlakna& p, bool hlavni) {
        platform::DirectoryHandle adresare[2];
        bool konec = false;
        while (!konec) {
            UzelStromu* u = fronta.vezmi(konec, hlavni ? intervalHlaseni : std::chrono::milliseconds{});
            if (!u) {
                if (hlavni && !konec)
                    hlasPrectene(prvni);
                continue;
            }
            nactiPar(*u, adresare, p, fronta);
            if (p.deleni.sdileno()) {
                if (hlavni && vlakna.empty())
                    spustVlakna();
                fronta.nabidni(p.deleni);
                p.deleni.pracuj();
                fronta.stahni(p.deleni);
            }
            dokonciPar(*u, p);
            p.deti.clear();
            zpracujPar(*u, p);
            podrzAdresare(*u, adresare, p.deti);
            if (hlavni)
                hlasPar(*u, p.pamet, prvni);
            fronta.dokonceno(*u, p.deti);
            p.pamet.uvolniNadbytek();
            p.parovani.uvolniNadbytek();
            uvolniRozdily(p);
            if (std::exchange(p.zeton, false))
                fronta.vratZeton();
            if (hlavni && vlakna.empty() && fronta.cekajicich() > 1)
                spustVlakna();
        }
    };
    pracuj(vlakna_[0], true);
    for (std::thread& t : vlakna)
        t.join();
    strom_.seradDoSirky();
    seradChyby();
    // The walk is done once per run: its scratch (some 0.3 MB per thread, the
    // getdents buffer and the time table above all) and the descriptors of the
    // threads' chains are not needed by the file stages.
    for (PraceVlakna& p : vlakna_) {
        p.pamet = {};
        p.oteviraci[0].zavri();
        p.oteviraci[1].zavri();
        p.parovani = {};
        p.deleni = {};
        p.rozdily[0] = std::vector<NalezenyRozdil>();   // "= {}" would keep the capacity
        p.rozdily[1] = std::vector<NalezenyRozdil>();
        p.deti = std::vector<NovyPodadresar>();
    }
}

// The unreadable directories in the order a walk in breadth-first order meets
// them, a directory's unreadable files after it by name; the counts of what
// the threads left unwalked added up.
void Beh::seradChyby()
{
    for (int strana = 0; strana < 2; ++strana) {
        std::vector<Chyba>& c = chyby_[strana];
        for (PraceVlakna& p : vlakna_) {
            c.insert(c.end(), p.chyby[strana].begin(), p.chyby[strana].end());
            p.chyby[strana] = std::vector<Chyba>();
        }
        std::ranges::sort(c, [](const Chyba& x, const Chyba& y) {
            return std::tie(x.uzel->index, x.soubor) < std::tie(y.uzel->index, y.soubor);
        });
    }
    for (const PraceVlakna& p : vlakna_) {
        for (int strana = 0; strana < 2; ++strana) {
            nezahrnute_.bezProtejsku[strana] += p.nezahrnute.bezProtejsku[strana];
            nezahrnute_.jinySvazek[strana] += p.nezahrnute.jinySvazek[strana];
        }
    }
}

// Everything the walk learns from one pair: its state, the differences of both
// passes and the subdirectories to walk.
void Beh::zpracujPar(UzelStromu& u, PraceVlakna& p)
{
    for (int strana = 0; strana < 2; ++strana) {
        if (!u.existuje[strana])
            continue;
        precteno_.fetch_add(1, std::memory_order_relaxed);
        const NeserazenyVypis& n = p.pamet.strany[strana];
        if (n.chyba) {
            u.chyba[strana] = true;
            p.chyby[strana].push_back({&u, n.chyba});
        }
        for (const NectenySoubor& f : n.nectene)
            p.chyby[strana].push_back({&u, f.duvod, std::string(n.jmeno(f))});
        if (n.casAdresare) {
            u.maCas[strana] = true;
            u.cas[strana] = *n.casAdresare;
        }
        u.maSoubory[strana] = !n.soubory.empty();
    }
    najdiRozdily(u, p);
    pridejPodadresare(u, p);
}

void Beh::hlasPrectene(int prvni)
{
    if (omezovac_.ted())
        prijemce_.stav(QStringLiteral("vytvářím strukturu podaresářů pro ") + cisloAdresare(prvni)
                       + QStringLiteral(" - přečteno adresářů: ")
                       + QString::number(precteno_.load(std::memory_order_relaxed)));
}

namespace {

// The first name in byte order, searched only when a status text is shown.
template <class T>
std::string_view nejmensiJmeno(const NeserazenyVypis& v, const std::vector<T>& zaznamy)
{
    std::string_view nejmensi = v.jmeno(zaznamy.front());
    for (const T& z : zaznamy)
        nejmensi = std::min(nejmensi, v.jmeno(z));
    return nejmensi;
}

} // namespace

// The count of directories read shows that a wide tree on a slow disk moves;
// "přidávám:" names an entry of the first pass's side the walk meets, files
// too (throttled: a text is built only when it is shown).
void Beh::hlasPar(const UzelStromu& u, const PracovniPametVypisu& pamet, int prvni)
{
    hlasPrectene(prvni);
    const int strana = u.prochazi[prvni] ? prvni : 1 - prvni;
    const NeserazenyVypis& v = pamet.strany[strana];
    if (v.soubory.empty() && v.podadresare.empty())
        return;
    if (!omezovac_.ted())
        return;
    const std::string_view jmeno = v.soubory.empty() ? nejmensiJmeno(v, v.podadresare)
                                                     : nejmensiJmeno(v, v.soubory);
    prijemce_.stav(QStringLiteral("přidávám: ") + textCesty(strana, u, jmeno));
}

// The files of both sides paired by name, each pair classified for both passes
// at once. A pass skips the pair when the other side could not be read whole:
// no file of it is then known to be new.
void Beh::najdiRozdily(UzelStromu& u, PraceVlakna& p)
{
    const bool pruchod[2] = {u.prochazi[0] && !(u.existuje[1] && u.chyba[1]),
                             u.prochazi[1] && !(u.existuje[0] && u.chyba[0])};
    if (!pruchod[0] && !pruchod[1])
        return;
    p.rozdily[0].clear();
    p.rozdily[1].clear();
    zaradSoubory(pruchod, p);
    ulozRozdily(u, p);
    if (p.shodne.empty() && p.novejsi.empty())
        return;
    std::string podadresar;
    strom_.relativniCesta(u, podadresar);
    if (!podadresar.empty())
        podadresar.push_back('/');
    if (!p.shodne.empty())
        shodne_->pridej(podadresar, p.shodne);
    if (!p.novejsi.empty())
        novejsi_->novejsi(podadresar, p.fd, p.novejsi);
    p.shodne.clear();
    p.novejsi.clear();
}

void Beh::zaradSoubory(const bool (&pruchod)[2], PraceVlakna& p)
{
    const NeserazenyVypis (&v)[2] = p.pamet.strany;
    PrevodCasu& prevod = p.pamet.prevod;
    const auto zapis = [&](int zdroj, const SouborVypisu& f, const Rozdil& r) {
        const std::string_view jmeno = v[zdroj].jmeno(f);
        p.rozdily[zdroj].push_back({predponaJmena(jmeno), jmeno.data(), f.delka, r.trida, r.cas, f.velikost});
    };
    // A file whose counterpart was listed but could not be examined is not new.
    const auto protejsekNecteny = [&](int strana, const SouborVypisu& f) {
        const NeserazenyVypis& jina = v[1 - strana];
        return !jina.nectene.empty() && jina.jeNecteny(v[strana].jmeno(f));
    };
    p.parovani.sparuj(v[0], v[1]);
    const auto protejsky = p.parovani.protejskyA();
    for (std::size_t i = 0; i < v[0].soubory.size(); ++i) {
        const SouborVypisu& a = v[0].soubory[i];
        if (protejsky[i] == ParovaniSouboru::bezProtejsku) {
            if (pruchod[0] && !protejsekNecteny(0, a))
                zapis(0, a, {Trida::Nove, prevod.baleny(a.sekundy)});
            continue;
        }
        const SouborVypisu& b = v[1].soubory[protejsky[i]];
        const RozdilyParu r = tridyParu(a, b, prevod);
        if (!r.a && !r.b && shodne_)   // equal in time and size
            p.shodne.push_back({std::string(v[0].jmeno(a)), a.velikost});
        if (novejsi_ && ((r.a && pruchod[0] && r.a->trida == Trida::Novejsi) ||
                         (r.b && pruchod[1] && r.b->trida == Trida::Novejsi)))
            p.novejsi.push_back({v[0].jmeno(a), a.velikost, b.velikost});
        if (r.a && pruchod[0])
            zapis(0, a, *r.a);
        if (r.b && pruchod[1])
            zapis(1, b, *r.b);
    }
    if (!pruchod[1])
        return;
    const auto sparovane = p.parovani.sparovanyB();
    for (std::size_t j = 0; j < v[1].soubory.size(); ++j)
        if (!sparovane[j] && !protejsekNecteny(1, v[1].soubory[j]))
            zapis(1, v[1].soubory[j], {Trida::Nove, prevod.baleny(v[1].soubory[j].sekundy)});
}

// Each pass's differences are kept in the byte order of their names.
void Beh::ulozRozdily(UzelStromu& u, PraceVlakna& p)
{
    for (int pruchod = 0; pruchod < 2; ++pruchod) {
        std::vector<NalezenyRozdil>& r = p.rozdily[pruchod];
        std::sort(r.begin(), r.end(), [](const NalezenyRozdil& x, const NalezenyRozdil& y) {
            if (x.predpona != y.predpona)
                return x.predpona < y.predpona;
            return std::string_view(x.jmeno, x.delka) < std::string_view(y.jmeno, y.delka);
        });
        std::size_t bajtu = 0;
        for (const NalezenyRozdil& x : r)
            bajtu += SberKandidatu::delkaZaznamu({x.jmeno, x.delka});
        p.kandidati.zacni(pruchod, bajtu);
        for (const NalezenyRozdil& x : r)
            p.kandidati.pridej(pruchod, x.trida, {x.jmeno, x.delka}, x.cas, x.velikost);
        u.kandidati[pruchod] = p.kandidati.vezmi(pruchod);
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

// The subdirectories of both sides, each side sorted by name and the two
// merged; one becomes a pair when a pass walks it on its source side. A
// directory that no pass keeps is not walked, so nothing below it is compared
// either.
void Beh::pridejPodadresare(UzelStromu& u, PraceVlakna& p)
{
    PracovniPametVypisu& pamet = p.pamet;
    const NeserazenyVypis (&v)[2] = pamet.strany;
    seradPodleJmena(std::span(v[0].podadresare), v[0].jmena(), pamet.klice[0]);
    seradPodleJmena(std::span(v[1].podadresare), v[1].jmena(), pamet.klice[1]);
    const std::vector<KlicJmena>& a = pamet.klice[0];
    const std::vector<KlicJmena>& b = pamet.klice[1];
    const int hloubka = u.hloubka + 1;
    std::size_t i = 0, j = 0;
    while (i < a.size() || j < b.size()) {
        const std::string_view ja = i < a.size() ? v[0].jmeno(v[0].podadresare[a[i].index]) : std::string_view();
        const std::string_view jb = j < b.size() ? v[1].jmeno(v[1].podadresare[b[j].index]) : std::string_view();
        NovyPodadresar d;
        d.existuje[0] = i < a.size() && (j >= b.size() || ja <= jb);
        d.existuje[1] = j < b.size() && (i >= a.size() || jb <= ja);
        d.jmeno = d.existuje[0] ? ja : jb;
        i += d.existuje[0];
        j += d.existuje[1];
        for (int s = 0; s < 2; ++s) {
            d.prochazi[s] = u.prochazi[s] && d.existuje[s] && ponechat(s, u, d.existuje[1 - s]);
            d.predek[s] = hloubka == limity_.UrovenShody ? d.existuje[1 - s] : u.predek[s];
        }
        if (d.prochazi[0] || d.prochazi[1])
            p.deti.push_back(d);
        else
            spocitejNezahrnute(u, d, p);
    }
}

// A subdirectory that its pass leaves out for want of a counterpart, with
// "procházet pouze shodné podadresáře" ticked for its side. Only where the
// other side's directory was listed whole: an unreadable one lists no
// subdirectories, and every subdirectory would look unmatched.
void Beh::spocitejNezahrnute(const UzelStromu& u, const NovyPodadresar& d, PraceVlakna& p) const
{
    for (int s = 0; s < 2; ++s) {
        const auto& stejne = s == 0 ? volby_.ChB_adresar1 : volby_.ChB_adresar2;
        if (u.prochazi[s] && d.existuje[s] && !d.existuje[1 - s] && u.existuje[1 - s] && !u.chyba[1 - s]
            && stejne.load(std::memory_order_relaxed))
            ++p.nezahrnute.bezProtejsku[s];
    }
}

} // namespace zrc
