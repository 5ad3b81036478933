#include "ui/pojistky_operace.h"

#include "operace/hromadne_mazani.h"
#include "platform/pripojeni.h"
#include "platform/syscalls.h"
#include "settings/ini_soubor.h"
#include "settings/klice.h"
#include "ui/hlaseni.h"
#include "util/bajty_cesty.h"

#include <QApplication>
#include <QFontMetrics>
#include <QScreen>

#include <algorithm>
#include <fcntl.h>

namespace zrc {

namespace {

// Where the replaced or deleted files of the operation go; "Nic" for a plain
// copy or move to a new place, which gives up nothing.
KamSmazane kamSmazane(const Operace& o, Mazani m)
{
    if (o.kod == KodOperace::Odstraneni)
        return m == Mazani::DoKose ? KamSmazane::DoKose : KamSmazane::Natrvalo;
    if (o.nahrazeni)
        return m == Mazani::DoKose ? KamSmazane::StareDoKose : KamSmazane::Natrvalo;
    return KamSmazane::Nic;
}

// "/media/zaloha (vfat)" for the mount that holds the file's directory.
std::string popisSvazku(const std::string& soubor)
{
    const auto lomitko = soubor.rfind('/');
    const std::string adresar = lomitko == std::string::npos ? "." : lomitko == 0 ? "/" : soubor.substr(0, lomitko);
    auto& sys = platform::realSyscalls();
    const auto r = sys.openAt(AT_FDCWD, adresar.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (!r.ok())
        return adresar;
    const platform::Fd fd(sys, static_cast<int>(r.value));
    if (const auto m = platform::pripojeniAdresare(fd.get(), platform::cestaDeskriptoru(fd.get()),
                                                   platform::nactiPripojeni()))
        return m->bod + " (" + m->typ + ")";
    return adresar;
}

} // namespace

Mazani PojistkyOperace::mazani() const
{
    return IniCtiBool(cestaIni_, ini::Nastaveni, ini::kos, ini::vychoziKos) ? Mazani::DoKose : Mazani::Natrvalo;
}

QString PojistkyOperace::otazka(const QString& prvniRadek, const Operace& o, const PlanOperace& plan,
                                const QString& adresar) const
{
    return prvniRadek + QStringLiteral("\r") + textZBajtu(textPlanu(plan, kamSmazane(o, mazani()))) +
           QStringLiteral("\r") + adresar;
}

bool PojistkyOperace::hromadnePotvrzeno(const Operace& o, std::int64_t mazanych, std::int64_t naStrane,
                                        const QString& adresar)
{
    rozsah_ = {.mazani = o.kod == KodOperace::Odstraneni, .mazanych = mazanych, .naStrane = naStrane,
               .adresar = adresar};
    if (!rozsah_.mazani ||
        !hromadneMazani({.mazanych = mazanych, .naStrane = naStrane, .natrvalo = mazani() == Mazani::Natrvalo}))
        return true;
    return hromadnaOtazka();
}

bool PojistkyOperace::hromadnaOtazka()
{
    const QString text =
        textZBajtu(textHromadnehoMazani(rozsah_.mazanych, rozsah_.naStrane, rozsah_.adresar.toStdString()));
    rozsah_.potvrzeno = Hlaseni(text, DruhHlaseni::Varovani, Tlacitko::Ano | Tlacitko::Ne) == Odpoved::Ano;
    return rozsah_.potvrzeno;
}

OdpovedKose PojistkyOperace::bezKose(const std::string& zdroj, const ChybaSouboru& c)
{
    const OdpovedKose o = zeptejSeBezKose(zdroj, c);
    if (o != OdpovedKose::Ano || !rozsah_.mazani || rozsah_.potvrzeno ||
        !hromadneMazani({.mazanych = rozsah_.mazanych, .naStrane = rozsah_.naStrane, .natrvalo = true}))
        return o;
    return hromadnaOtazka() ? OdpovedKose::Ano : OdpovedKose::Ne;
}

void PojistkyOperace::zaznamenejZaklady(const QString& adresar1, const QString& adresar2)
{
    straz_[0].emplace(std::vector<StrazZakladu::Zaklad>{{"Adresář 1", bajtyZTextu(adresar1)}});
    straz_[1].emplace(std::vector<StrazZakladu::Zaklad>{{"Adresář 2", bajtyZTextu(adresar2)}});
}

void PojistkyOperace::zapomenZaklady()
{
    straz_ = {};
}

// Only the compared bases the operation reads or writes: a copy into a
// chosen directory does not care whether the other compared disk is mounted.
bool PojistkyOperace::zakladyPlati(const Operace& o) const
{
    for (const Strana s : {o.zdroj, o.cil}) {
        if (s == Strana::Zvoleny || !straz_[int(s) - 1])
            continue;
        if (const auto zmena = straz_[int(s) - 1]->zkontroluj()) {
            Hlaseni(textZBajtu(zmena->zprava), DruhHlaseni::Varovani, Tlacitko::OK);
            return false;
        }
    }
    return true;
}

KnihaChyb& PojistkyOperace::novaKniha()
{
    kniha_.vymaz();
    return kniha_;
}

QString radekAdresare(Strana strana, std::string_view adresar)
{
    const QString uvod = QStringLiteral("v adresáři %1: ").arg(int(strana));
    const QFontMetrics metriky(QApplication::font());
    const QScreen* obrazovka = QGuiApplication::primaryScreen();
    const int sirka = (obrazovka ? obrazovka->availableGeometry().width() / 2 : 400) -
                      metriky.horizontalAdvance(uvod);
    return uvod + metriky.elidedText(textProZobrazeni(adresar), Qt::ElideMiddle, std::max(sirka, 100));
}

QString textBezKose(const std::string& zdroj, const ChybaSouboru& c)
{
    return QStringLiteral("Na svazku %1 nelze použít koš (%2).\rSoubor: %3\rSmazat soubory tohoto svazku natrvalo?")
        .arg(textZBajtu(popisSvazku(zdroj)), textZBajtu(textChyby(c)), textZBajtu(zdroj));
}

OdpovedKose zeptejSeBezKose(const std::string& zdroj, const ChybaSouboru& c)
{
    switch (Hlaseni(textBezKose(zdroj, c), DruhHlaseni::Potvrzeni, Tlacitko::Ano | Tlacitko::Ne | Tlacitko::Zrus)) {
    case Odpoved::Ano: return OdpovedKose::Ano;
    case Odpoved::Ne: return OdpovedKose::Ne;
    default: return OdpovedKose::Zrusit;   // "Zruš", Esc, closing the box
    }
}

} // namespace zrc
