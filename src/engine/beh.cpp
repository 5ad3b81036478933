#include "engine/beh.h"

#include <QFile>
#include <algorithm>

namespace zrc {

namespace {

constexpr auto intervalHlaseni = std::chrono::milliseconds(100);

QString cisloAdresare(int strana)
{
    return strana == 0 ? QStringLiteral("ADRESÁŘ 1") : QStringLiteral("ADRESÁŘ 2");
}

} // namespace

bool Omezovac::ted()
{
    const auto nyni = std::chrono::steady_clock::now();
    if (nyni - posledni_ < intervalHlaseni)
        return false;
    posledni_ = nyni;
    return true;
}

Beh::Beh(const ParametryBehu& p, PrijemceBehu& prijemce, const ZiveVolby& volby,
         const Limity& limity, const ZakladyBehu& zaklady)
    : prijemce_(prijemce),
      volby_(volby),
      limity_(limity),
      kontext_{.volby = volby, .limity = limity, .vynechaneTypy = p.vynechaneTypy},
      stop_(p.stop),
      omezeni_(p.nastaveni.CBOmez),
      stromy_{StromStrany(zaklady.adresar1), StromStrany(zaklady.adresar2)},
      pool_(p.vlakna),
      pameti_(static_cast<std::size_t>(pool_.size()))
{
    const std::size_t otevrenych = descriptoruNaOtevirac(2 * pool_.size());
    for (int i = 0; i < 2 * pool_.size(); ++i)
        oteviraci_.emplace_back(otevrenych);
}

std::vector<NepristupnyAdresar> Beh::nepristupne() const
{
    std::vector<NepristupnyAdresar> v = stromy_[0].nepristupne();
    for (NepristupnyAdresar& a : stromy_[1].nepristupne())
        v.push_back(std::move(a));
    return v;
}

bool Beh::zastaveno() const
{
    return stop_ && stop_->load(std::memory_order_relaxed);
}

KonecBehu Beh::proved()
{
    const bool pruchod1 = omezeni_ != static_cast<int>(Omezeni::JenAdresar2);
    const bool pruchod2 = omezeni_ != static_cast<int>(Omezeni::JenAdresar1);
    if (pruchod1 && !pruchod(0))
        return KonecBehu::Zastaveno;
    if (pruchod2 && !pruchod(1))
        return KonecBehu::Zastaveno;
    return KonecBehu::Dokonceno;
}

// The stop flag is looked at once the structure stage is complete (it always
// finishes first) and after every file of the file stage.
bool Beh::pruchod(int zdroj)
{
    std::vector<PolozkaTabulky> tabulka = strukturaPodadresaru(zdroj);
    if (zastaveno())
        return false;
    return porovnejSoubory(zdroj, tabulka);
}

std::vector<PolozkaTabulky> Beh::strukturaPodadresaru(int zdroj)
{
    prijemce_.stav(QStringLiteral("vytvářím strukturu podaresářů pro ") + cisloAdresare(zdroj));
    std::vector<PolozkaTabulky> tabulka(1);
    for (std::size_t od = 0; od < tabulka.size();) {
        const std::size_t konecUrovne = tabulka.size();
        nactiUroven(zdroj, tabulka, od);
        for (std::size_t i = od; i < konecUrovne; ++i)
            pridejPodadresare(zdroj, tabulka, i);
        od = konecUrovne;
    }
    filtrPodadresaru(zdroj, tabulka);
    return tabulka;
}

// Lists every directory of one level that is not listed yet, on both sides.
void Beh::nactiUroven(int zdroj, const std::vector<PolozkaTabulky>& t, std::size_t od)
{
    struct Ukol {
        int strana;
        std::uint32_t uzel;
    };
    std::vector<Ukol> ukoly;
    const int jina = 1 - zdroj;
    for (std::size_t i = od; i < t.size(); ++i) {
        if (stromy_[zdroj].uzel(t[i].zdroj).stav == StavUzlu::Nenacteny)
            ukoly.push_back({zdroj, t[i].zdroj});
        if (t[i].protejsek != zadnyUzel
            && stromy_[jina].uzel(t[i].protejsek).stav == StavUzlu::Nenacteny)
            ukoly.push_back({jina, t[i].protejsek});
    }
    std::vector<NactenyAdresar> nactene(ukoly.size());
    pool_.run(ukoly.size(), [&](std::size_t k, int vlakno) {
        const Ukol& u = ukoly[k];
        const auto v = static_cast<std::size_t>(vlakno);
        std::error_code ec;
        const int fd = oteviraci_[2 * v + static_cast<std::size_t>(u.strana)].otevri(stromy_[u.strana], u.uzel, ec);
        if (fd < 0)
            nactene[k].chyba = ec;
        else
            nactene[k] = nactiAdresar(fd, pameti_[v]);
        const std::size_t precteno = precteno_.fetch_add(1, std::memory_order_relaxed) + 1;
        if (vlakno == 0 && omezovac_.ted())   // the run's own thread talks to the sink
            hlasCteni(zdroj, precteno);
    });
    for (std::size_t k = 0; k < ukoly.size(); ++k)
        stromy_[ukoly[k].strana].vloz(ukoly[k].uzel, std::move(nactene[k]));
}

// A level of a wide tree on a slow disk takes long to list: the count of
// directories read so far shows that the run moves.
void Beh::hlasCteni(int zdroj, std::size_t precteno)
{
    prijemce_.stav(QStringLiteral("vytvářím strukturu podaresářů pro ") + cisloAdresare(zdroj)
                   + QStringLiteral(" - přečteno adresářů: ") + QString::number(precteno));
}

// The same-subdirectory and depth-match options are read for every directory found.
bool Beh::ponechat(int zdroj, const PolozkaTabulky& rodic, bool protejsekExistuje) const
{
    bool ponechat = true;
    const auto& stejne = zdroj == 0 ? volby_.ChB_adresar1 : volby_.ChB_adresar2;
    if (stejne.load(std::memory_order_relaxed))
        ponechat = protejsekExistuje;
    if (volby_.ChB_Filtr_3.load(std::memory_order_relaxed)
        && !ShodaUrovne(rodic.hloubka + 1, limity_.UrovenShody, protejsekExistuje,
                        rodic.predekNaUrovni))
        ponechat = false;
    return ponechat;
}

void Beh::pridejPodadresare(int zdroj, std::vector<PolozkaTabulky>& t, std::size_t i)
{
    const PolozkaTabulky rodic = t[i];
    const StromStrany& strom = stromy_[zdroj];
    const StromStrany& jiny = stromy_[1 - zdroj];
    const VypisAdresare& vypis = strom.uzel(rodic.zdroj).vypis;
    // "přidávám:" names every entry the stage meets, files too (throttled: the
    // text is built only when it is shown).
    for (const SouborVypisu& f : vypis.soubory()) {
        if (omezovac_.ted())
            prijemce_.stav(QStringLiteral("přidávám: ") + textCesty(zdroj, rodic.zdroj, vypis.jmeno(f)));
    }
    const auto podadresare = vypis.podadresare();
    for (std::uint32_t k = 0; k < podadresare.size(); ++k) {
        const std::string_view jmeno = vypis.jmeno(podadresare[k]);
        if (omezovac_.ted())
            prijemce_.stav(QStringLiteral("přidávám: ") + textCesty(zdroj, rodic.zdroj, jmeno));
        const std::uint32_t protejsek =
            rodic.protejsek == zadnyUzel ? zadnyUzel : jiny.potomek(rodic.protejsek, jmeno);
        if (!ponechat(zdroj, rodic, protejsek != zadnyUzel))
            continue;
        const int hloubka = rodic.hloubka + 1;
        const bool predek = hloubka == limity_.UrovenShody ? protejsek != zadnyUzel
                                                          : rodic.predekNaUrovni;
        t.push_back({.zdroj = strom.potomek(rodic.zdroj, k),
                     .protejsek = protejsek,
                     .rodic = static_cast<std::uint32_t>(i),
                     .hloubka = hloubka,
                     .predekNaUrovni = predek});
    }
}

// Every directory's own time is taken when it is listed (one fstat of the open
// descriptor); a directory that could not be opened has none and is left out.
std::optional<BalenyCas> Beh::casAdresare(int strana, std::uint32_t uzel) const
{
    const UzelStromu& u = stromy_[strana].uzel(uzel);
    if (u.maCas)
        return u.cas;
    return std::nullopt;
}

// The subdirectory time filter, read once per pass: each directory but the
// source directory is judged by its own time; removing one keeps those below it.
void Beh::filtrPodadresaru(int zdroj, std::vector<PolozkaTabulky>& t)
{
    if (!volby_.ChB_Filtr_2.load(std::memory_order_relaxed))
        return;
    const auto konec = std::remove_if(t.begin() + 1, t.end(), [&](const PolozkaTabulky& p) {
        const std::optional<BalenyCas> cas = casAdresare(zdroj, p.zdroj);
        return !cas || !VyhovujePodadresar(*cas, limity_);
    });
    t.erase(konec, t.end());
}

QString Beh::textCesty(int strana, std::uint32_t uzel, std::string_view jmeno) const
{
    std::string cesta = stromy_[strana].plnaCesta(uzel);
    if (!jmeno.empty()) {
        if (cesta.empty() || cesta.back() != '/')
            cesta.push_back('/');
        cesta.append(jmeno);
    }
    return QFile::decodeName(QByteArray::fromRawData(cesta.data(), qsizetype(cesta.size())));
}

} // namespace zrc
