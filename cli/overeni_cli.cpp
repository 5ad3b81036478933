#include "overeni_cli.h"

#include "engine/beh.h"
#include "operace/soubezne_overeni.h"
#include "engine/nepristupne_adresare.h"
#include "util/bajty_cesty.h"
#include "vystup.h"

#include <algorithm>
#include <cerrno>

namespace zrc::cli {

namespace {

const QCommandLineOption verifyContent{
    "verify-content",
    "Compare the bytes of the NOVĚJŠÍ pairs of equal size; pairs with the same bytes leave the lists."};
const QCommandLineOption verifyEqual{
    "verify-equal",
    "As --verify-content, and compare the pairs that time and size call equal; print those whose bytes differ (exit status 1)."};

// Every item of both NOVĚJŠÍ lists, list 3 first, in the order of its rows;
// those with the same bytes leave.
VysledekOvereni overNovejsi(UlozisteVysledku& u, OvereniBehem& behem)
{
    struct Puvod {
        int seznam;
        std::size_t radek;
    };
    VysledekOvereni v;
    std::vector<Puvod> puvod;
    for (const int s : {3, 4})
        for (std::size_t r = 0; r < u.seznam(s).size(); ++r) {
            const Polozka& p = u.seznam(s)[r];
            const std::string rel = CestaPolozky(u, p, true);
            const VysledekShody vs = behem.vysledek(rel, p.velikost);
            std::string cestaChyby;
            if (vs.shoda == Shoda::Chyba)
                cestaChyby = behem.cesta(vs.strana, rel);
            if (!zaradPar(v, puvod.size(), vs, std::move(cestaChyby)))
                return v;   // cancelled: nothing leaves
            puvod.push_back({s, r});
        }
    // Each list compacted once: an erase per row would move the rows after
    // it every time (100 000 items with every other one equal: 2.5e9 moves).
    std::vector<bool> pryc[2] = {std::vector<bool>(u.seznam(3).size()), std::vector<bool>(u.seznam(4).size())};
    for (const std::size_t i : v.shodne)
        pryc[puvod[i].seznam - 3][puvod[i].radek] = true;
    for (const int s : {3, 4}) {
        std::vector<Polozka>& seznam = u.seznam(s);
        std::size_t zbyva = 0;
        for (std::size_t r = 0; r < seznam.size(); ++r)
            if (!pryc[s - 3][r])
                seznam[zbyva++] = seznam[r];
        seznam.erase(seznam.begin() + std::ptrdiff_t(zbyva), seznam.end());
    }
    return v;
}

std::string jsonCesta(const std::string& bajty)
{
    return jsonText(textProZobrazeni(bajty));
}

} // namespace

QList<QCommandLineOption> volbyOvereni()
{
    return {verifyContent, verifyEqual};
}

void nactiOvereni(const QCommandLineParser& p, VolbyCli& v)
{
    if (p.isSet(verifyEqual))
        v.overeni = OvereniCli::IShodne;
    else if (p.isSet(verifyContent))
        v.overeni = OvereniCli::Novejsi;
}

SouhrnOvereni overObsah(const VolbyCli& v, UlozisteVysledku& u, const SberShodnych& shodne,
                        OvereniBehem& behem, const std::atomic<bool>* zrusit)
{
    SouhrnOvereni s;
    if (v.overeni == OvereniCli::Zadne)
        return s;
    s.novejsi = overNovejsi(u, behem);
    s.necitelne = std::move(s.novejsi.necitelne);
    if (v.overeni != OvereniCli::IShodne)
        return s;
    SoubezneOvereni overeni({.zaklad1 = bajtyZTextu(u.cestaAdr(1)),
                             .zaklad2 = bajtyZTextu(u.cestaAdr(2)),
                             .vlakna = v.vlakna > 0 ? v.vlakna : vychoziPocetVlaken(),
                             .shoda = {.zrusit = zrusit}});
    std::vector<ShodnyPar> pary = shodne.pary();
    for (const ShodnyPar& p : pary)
        overeni.pridej({p.cesta, p.velikost});
    const VysledekOvereni r = overeni.vysledek();
    for (const std::size_t i : r.lisi)
        s.lisiSe.push_back(pary[i].cesta);
    s.necitelne.insert(s.necitelne.end(), r.necitelne.begin(), r.necitelne.end());
    return s;
}

std::size_t pocetPolozek(const UlozisteVysledku& u)
{
    std::size_t n = 0;
    for (int s = 1; s <= UlozisteVysledku::pocetSeznamu; ++s)
        n += u.seznam(s).size();
    return n;
}

void hlasOvereni(std::FILE* err, const SouhrnOvereni& s)
{
    std::string t = textShodnehoObsahu(s.novejsi) + '\n';
    for (const NecitelnyPar& p : s.necitelne)
        t += (QStringLiteral("Soubor nelze přečíst: ") + bezpecnaCesta(p.cesta) + QStringLiteral(": ")).toStdString() +
             textChyby(p.chyba) + '\n';
    std::fputs(t.c_str(), err);
}

std::string jsonOvereni(const SouhrnOvereni& s)
{
    std::string j = ",\"contentCheck\":{\"equalContent\":" + std::to_string(s.novejsi.shodne.size()) +
                    ",\"equalContentBytes\":" + std::to_string(s.novejsi.bajtuShodnych) + ",\"differing\":[";
    for (std::size_t i = 0; i < s.lisiSe.size(); ++i)
        j += (i ? "," : "") + jsonCesta(s.lisiSe[i]);
    j += "],\"unreadable\":[";
    for (std::size_t i = 0; i < s.necitelne.size(); ++i)
        j += std::string(i ? "," : "") + "{\"path\":" + jsonCesta(s.necitelne[i].cesta) +
             ",\"error\":" + jsonText(QString::fromStdString(textChyby(s.necitelne[i].chyba))) + '}';
    return j + "]}";
}

int vypisLisiciSe(std::FILE* f, const SouhrnOvereni& s, Format format)
{
    std::string t;
    for (const std::string& cesta : s.lisiSe) {
        // Tabs and line breaks of a name come escaped (\t, \n): one line each.
        t += format == Format::Tsv ? "LIŠÍ SE\t" : "LIŠÍ SE  ";
        t += bezpecnaCesta(cesta).toStdString() + '\n';
    }
    errno = 0;
    if (!t.empty() && (std::fputs(t.c_str(), f) == EOF || std::fflush(f) != 0))
        return errno ? errno : EIO;
    return 0;
}

} // namespace zrc::cli
