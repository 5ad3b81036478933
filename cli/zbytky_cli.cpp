#include "zbytky_cli.h"

#include "engine/nepristupne_adresare.h"
#include "operace/chyba_souboru.h"
#include "util/bajty_cesty.h"
#include "util/velikost_text.h"
#include "vystup.h"

namespace zrc::cli {

namespace {

// Five paths on standard error, as in the window's offer; the JSON has all.
constexpr std::size_t ukazanych = 5;

const QCommandLineOption odstranit{
    "remove-leftovers",
    "Move the leftover temporary files of interrupted copies (.NAME.xxxxxx.zrtmp) that the run met to the trash."};
const QCommandLineOption natrvalo{"permanently", "With --remove-leftovers: delete them instead."};

const char* textNakladu(Zbytky z)
{
    switch (z) {
    case Zbytky::Ohlasit: return "none";
    case Zbytky::DoKose: return "trash";
    case Zbytky::Natrvalo: return "delete";
    }
    return "none";
}

std::string radekCesty(const std::string& cesta)
{
    return "  " + bezpecnaCesta(cesta).toStdString() + '\n';
}

std::string vysledekOdstraneni(const SouhrnZbytku& s)
{
    const VysledekMazaniDocasnych& o = s.odstraneni;
    std::string t = s.naklad == Zbytky::DoKose ? "Přesunuto do koše: " + std::to_string(o.doKose) + ".\n"
                                               : "Smazáno natrvalo: " + std::to_string(o.smazano) + ".\n";
    for (const NesmazanyDocasny& n : o.nesmazane)
        t += "Nelze odstranit: " + bezpecnaCesta(n.cesta).toStdString() + " (" + textChyby(n.chyba) + ")\n";
    return t;
}

} // namespace

QList<QCommandLineOption> volbyZbytku()
{
    return {odstranit, natrvalo};
}

std::optional<QString> nactiVolbyZbytku(const QCommandLineParser& p, Zbytky& z)
{
    if (p.isSet(natrvalo) && !p.isSet(odstranit))
        return QStringLiteral("--permanently: only together with --remove-leftovers");
    z = !p.isSet(odstranit) ? Zbytky::Ohlasit : p.isSet(natrvalo) ? Zbytky::Natrvalo : Zbytky::DoKose;
    return std::nullopt;
}

SouhrnZbytku vyridZbytky(std::vector<NalezenyDocasny> nalezene, Zbytky naklad, const std::string& kosDomov)
{
    SouhrnZbytku s{.naklad = naklad, .nalezene = std::move(nalezene)};
    for (const NalezenyDocasny& d : s.nalezene)
        s.bajty += d.velikost;
    if (naklad != Zbytky::Ohlasit && !s.nalezene.empty())
        s.odstraneni = smazDocasne(s.nalezene, {.mazani = naklad == Zbytky::DoKose ? Mazani::DoKose : Mazani::Natrvalo,
                                                .kosDomov = kosDomov});
    return s;
}

std::string jsonZbytku(const SouhrnZbytku& s)
{
    std::string j = ",\"leftovers\":{\"count\":" + std::to_string(s.nalezene.size()) +
                    ",\"bytes\":" + std::to_string(s.bajty) + ",\"paths\":[";
    for (std::size_t i = 0; i < s.nalezene.size(); ++i)
        j += (i ? "," : "") + jsonText(textProZobrazeni(s.nalezene[i].cesta()));
    j += "],\"action\":\"" + std::string(textNakladu(s.naklad)) + "\",\"removed\":" +
         std::to_string(s.odstraneni.doKose + s.odstraneni.smazano) + ",\"failed\":[";
    for (std::size_t i = 0; i < s.odstraneni.nesmazane.size(); ++i) {
        const NesmazanyDocasny& n = s.odstraneni.nesmazane[i];
        j += std::string(i ? "," : "") + "{\"path\":" + jsonText(textProZobrazeni(n.cesta)) +
             ",\"reason\":" + jsonText(QString::fromStdString(textChyby(n.chyba))) + '}';
    }
    return j + "]}";
}

std::string textZbytku(const SouhrnZbytku& s)
{
    if (s.nalezene.empty())
        return {};
    std::string t = "Porovnání vynechalo " + pocetDocasnych(s.nalezene.size()) + " přerušeného kopírování (" +
                    velikostTextem(s.bajty) + "), v seznamech nejsou:\n";
    for (std::size_t i = 0; i < s.nalezene.size() && i < ukazanych; ++i)
        t += radekCesty(s.nalezene[i].cesta());
    if (s.nalezene.size() > ukazanych)
        t += "  ... a další (" + std::to_string(s.nalezene.size() - ukazanych) + ")\n";
    if (s.naklad == Zbytky::Ohlasit)
        return t + "Do koše je přesune volba --remove-leftovers, natrvalo smaže s --permanently.\n";
    return t + vysledekOdstraneni(s);
}

} // namespace zrc::cli
