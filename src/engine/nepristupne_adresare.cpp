#include "engine/nepristupne_adresare.h"

#include "util/bajty_cesty.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace zrc {

namespace {

// Five paths keep the warning within a screen's height; the count says the rest.
constexpr std::size_t ukazanychCest = 5;

} // namespace

QString textDuvodu(std::error_code duvod)
{
    switch (duvod.value()) {
    case EACCES:
    case EPERM: return QStringLiteral("přístup odepřen");
    case ENOENT: return QStringLiteral("během porovnání zmizel");
    case ENOTDIR: return QStringLiteral("během porovnání přestal být adresářem");
    case ELOOP: return QStringLiteral("během porovnání nahrazen symbolickým odkazem");
    case ENAMETOOLONG: return QStringLiteral("příliš dlouhé jméno");
    case EMFILE:
    case ENFILE: return QStringLiteral("příliš mnoho otevřených souborů");
    case EIO: return QStringLiteral("chyba čtení z disku");
    case ENOMEM: return QStringLiteral("nedostatek paměti");
    default: break;
    }
    return QString::fromLocal8Bit(std::strerror(duvod.value()));
}

QString bezpecnaCesta(std::string_view cesta)
{
    const QString text = textProZobrazeni(cesta);
    QString v;
    v.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u >= 0x20 && u != 0x7f && !(u >= 0x80 && u < 0xa0)) {
            v += c;
            continue;
        }
        switch (u) {
        case '\t': v += QStringLiteral("\\t"); break;
        case '\n': v += QStringLiteral("\\n"); break;
        case '\r': v += QStringLiteral("\\r"); break;
        case 0x1b: v += QStringLiteral("\\e"); break;
        default: v += QStringLiteral("\\x%1").arg(int(u), 2, 16, QLatin1Char('0'));
        }
    }
    return v;
}

namespace {

QString nadpisHlaseni(const std::vector<NepristupnyAdresar>& polozky)
{
    const auto souboru = std::ranges::count(polozky, DruhNepristupneho::Soubor, &NepristupnyAdresar::druh);
    if (souboru == 0)
        return QStringLiteral("Některé adresáře nelze přečíst (%1), jejich soubory ve výsledcích chybějí:");
    if (static_cast<std::size_t>(souboru) == polozky.size())
        return QStringLiteral("Některé soubory nelze přečíst (%1), ve výsledcích chybějí:");
    return QStringLiteral("Některé adresáře a soubory nelze přečíst (%1), ve výsledcích chybějí:");
}

} // namespace

QString hlaseniNepristupnych(const std::vector<NepristupnyAdresar>& adresare)
{
    QString text = nadpisHlaseni(adresare).arg(adresare.size());
    for (std::size_t i = 0; i < adresare.size() && i < ukazanychCest; ++i)
        text += QLatin1Char('\r') + bezpecnaCesta(adresare[i].cesta) + QStringLiteral(" (")
              + textDuvodu(adresare[i].duvod) + QLatin1Char(')');
    if (adresare.size() > ukazanychCest)
        text += QStringLiteral("\ra další (%1)").arg(adresare.size() - ukazanychCest);
    return text;
}

QString radekNepristupneho(const NepristupnyAdresar& a)
{
    const QString co = a.druh == DruhNepristupneho::Soubor ? QStringLiteral("Soubor nelze přečíst: ")
                                                           : QStringLiteral("Adresář nelze přečíst: ");
    return co + bezpecnaCesta(a.cesta) + QStringLiteral(": ") + textDuvodu(a.duvod);
}

} // namespace zrc
