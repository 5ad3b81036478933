#include "overeni_cli.h"

#include "engine/beh.h"
#include "engine/cislo_seznamu.h"
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

OvereniBehem::OvereniBehem(int vlakna, const std::atomic<bool>* zrusit)
    : vlakna_(vlakna > 0 ? vlakna : vychoziPocetVlaken()), zrusit_(zrusit)
{
}

VolbySoubeznehoOvereni OvereniBehem::volby(const QString& cestaAdr1, const QString& cestaAdr2) const
{
    return {.zaklad1 = bajtyZTextu(cestaAdr1),
            .zaklad2 = bajtyZTextu(cestaAdr2),
            .vlakna = vlakna_,
            .shoda = {.zrusit = zrusit_}};
}

void OvereniBehem::zacni(const QString& cestaAdr1, const QString& cestaAdr2)
{
    overeni_.emplace(volby(cestaAdr1, cestaAdr2));
}

void OvereniBehem::pridej(int seznam, std::size_t radek, const NalezenySoubor& s)
{
    if (!overeni_ || !CisloSeznamu(seznam).novejsi())
        return;
    std::string cesta;
    cesta.reserve(s.podadresar.size() + s.jmeno.size());
    cesta.append(s.podadresar).append(s.jmeno);
    overeni_->pridej({std::move(cesta), s.velikost});
    puvod_.push_back({seznam, radek});
}

VysledekOvereni OvereniBehem::dokonci(UlozisteVysledku& u)
{
    if (!overeni_)
        return {};
    VysledekOvereni v = overeni_->vysledek();
    overeni_.reset();
    // Back to front, so that the rows still to go keep their indices (the
    // rows of a list were handed in ascending).
    for (auto i = v.shodne.rbegin(); i != v.shodne.rend(); ++i) {
        auto& seznam = u.seznam(puvod_[*i].seznam);
        seznam.erase(seznam.begin() + std::ptrdiff_t(puvod_[*i].radek));
    }
    return v;
}

SouhrnOvereni overObsah(const VolbyCli& v, UlozisteVysledku& u, const SberShodnych& shodne,
                        OvereniBehem& behem)
{
    SouhrnOvereni s;
    if (v.overeni == OvereniCli::Zadne)
        return s;
    s.novejsi = behem.dokonci(u);
    s.necitelne = s.novejsi.necitelne;
    if (v.overeni != OvereniCli::IShodne)
        return s;
    SoubezneOvereni overeni(behem.volby(u.cestaAdr(1), u.cestaAdr(2)));
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
