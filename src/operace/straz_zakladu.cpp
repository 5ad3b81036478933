#include "operace/straz_zakladu.h"

#include "operace/chyba_souboru.h"
#include "platform/pripojeni.h"
#include "platform/syscalls.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace zrc {

OtiskZakladu otiskZakladu(std::string nazev, std::string cesta, platform::Syscalls* sys)
{
    platform::Syscalls& s = sys ? *sys : platform::realSyscalls();
    OtiskZakladu o;
    o.nazev = std::move(nazev);
    o.cesta = std::move(cesta);
    // The base as typed, links followed: that is the directory the lists describe.
    const auto r = s.openAt(AT_FDCWD, o.cesta.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (!r.ok()) {
        o.err = r.err;
        return o;
    }
    const platform::Fd deskriptor(s, static_cast<int>(r.value));
    const int fd = deskriptor.get();
    struct stat st {};
    if (s.fstat(fd, st).ok()) {
        o.dev = st.st_dev;
        o.ino = st.st_ino;
    }
    const std::string kanonicka = platform::cestaDeskriptoru(fd);
    if (const auto m = platform::pripojeniAdresare(fd, kanonicka, platform::nactiPripojeni())) {
        o.idPripojeni = m->id;
        o.bodPripojeni = m->bod;
        o.typ = m->typ;
    }
    return o;
}

std::optional<std::string> rozdilZakladu(const OtiskZakladu& p, const OtiskZakladu& t)
{
    if (p.err && t.err)
        return std::nullopt;   // absent then and now: an operation creates it
    if (t.err)
        return "není dostupný (" + textChyby(ChybaSouboru::systemu(t.err)) + ")";
    if (p.err)
        return std::nullopt;   // created since (by the user or a previous operation)
    if (p.idPripojeni != t.idPripojeni || p.dev != t.dev || p.typ != t.typ ||
        p.bodPripojeni != t.bodPripojeni) {
        std::string s = "leží nyní na jiném svazku";
        if (!t.typ.empty())
            s += " (" + t.typ + (t.bodPripojeni.empty() ? "" : " v " + t.bodPripojeni) + ")";
        return s;
    }
    if (p.ino != t.ino)
        return "byl mezitím nahrazen jiným adresářem";
    return std::nullopt;
}

StrazZakladu::StrazZakladu(const std::vector<Zaklad>& zaklady, platform::Syscalls* sys) : sys_(sys)
{
    for (const auto& z : zaklady)
        otisky_.push_back(otiskZakladu(z.nazev, z.cesta, sys_));
}

std::optional<ZmenaZakladu> StrazZakladu::zkontroluj() const
{
    for (const auto& p : otisky_) {
        const auto t = otiskZakladu(p.nazev, p.cesta, sys_);
        if (const auto duvod = rozdilZakladu(p, t))
            return ZmenaZakladu{p.nazev, p.cesta,
                                p.nazev + " \"" + p.cesta + "\" se od porovnání změnil: " +
                                    *duvod + ".\rNic nebylo provedeno."};
    }
    return std::nullopt;
}

} // namespace zrc
