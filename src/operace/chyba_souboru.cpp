#include "operace/chyba_souboru.h"

#include <cerrno>
#include <cstring>

namespace zrc {

namespace {

const char* textErrno(int e)
{
    switch (e) {
    case ENOSPC: return "na disku není místo";
    case EDQUOT: return "překročena kvóta disku";
    case EIO: return "chyba čtení nebo zápisu na disk";
    case EACCES:
    case EPERM: return "přístup odepřen";
    case ENOENT: return "soubor nebo adresář neexistuje";
    case EROFS: return "systém souborů je jen pro čtení";
    case ELOOP: return "cesta vede přes symbolický odkaz";
    case ENOTDIR: return "část cesty není adresář";
    case EISDIR: return "cíl je adresář";
    case EEXIST: return "soubor už existuje";
    case ENAMETOOLONG: return "příliš dlouhá cesta nebo jméno";
    case EBUSY:
    case ETXTBSY: return "soubor je používán";
    case ENOTEMPTY: return "adresář není prázdný";
    case EMFILE:
    case ENFILE: return "příliš mnoho otevřených souborů";
    case ENOMEM: return "nedostatek paměti";
    default: return nullptr;
    }
}

std::string textErrnoCely(int e)
{
    if (const char* t = textErrno(e))
        return t;
    return std::strerror(e);
}

} // namespace

std::string textChyby(const ChybaSouboru& chyba)
{
    switch (chyba.duvod) {
    case Duvod::Zadna: return {};
    case Duvod::ZdrojSeZmenil: return "soubor se během kopírování změnil";
    case Duvod::NeniSoubor: return "zdroj není obyčejný soubor";
    case Duvod::CilExistuje:
        return "v cílovém adresáři mezitím vznikl soubor stejného jména, nebyl přepsán";
    case Duvod::CilJenProCteni: return "cílový soubor je jen pro čtení";
    case Duvod::TentyzSoubor: return "zdroj a cíl jsou tentýž soubor";
    case Duvod::JenProCteni: return "soubor je jen pro čtení";
    case Duvod::Zruseno: return "přerušeno";
    case Duvod::BezKose: return "koš nelze použít a trvalé smazání bylo odmítnuto";
    case Duvod::StaraVKosi:
        return "nahrazení selhalo" + (chyba.err ? " (" + textErrnoCely(chyba.err) + ")" : std::string()) +
               ", předchozí verze cíle zůstala v koši";
    case Duvod::ZmenenOdPorovnani: return "soubor se od porovnání změnil";
    case Duvod::KosNelze:
        return "koš nelze použít" + (chyba.err ? " (" + textErrnoCely(chyba.err) + ")" : std::string());
    case Duvod::ZmenenoOdOperace: return "soubor byl od operace změněn";
    case Duvod::MistoObsazeno: return "jeho původní místo je obsazeno";
    case Duvod::SmazanoNatrvalo: return "byl smazán natrvalo";
    case Duvod::NaObouMistech:
        return "soubor je zpět na původním místě, ale zůstal i na novém" +
               (chyba.err ? " (" + textErrnoCely(chyba.err) + ")" : std::string());
    case Duvod::NovaVKosi:
        return "vrácení předchozí verze selhalo" +
               (chyba.err ? " (" + textErrnoCely(chyba.err) + ")" : std::string()) + ", nová verze zůstala v koši";
    case Duvod::System: break;
    }
    return textErrnoCely(chyba.err);
}

bool nepodporovano(int err)
{
    switch (err) {
    case EXDEV:
    case EOPNOTSUPP:
    case EINVAL:
    case ENOSYS:
    case EPERM:
    case EACCES:
    case EBADF:
    case ETXTBSY:
    case ENOENT:
    case ENOTTY:   // an ioctl the file system does not know
        return true;
    default:
        return false;
    }
}

} // namespace zrc
