#include "operace/mazani_docasnych.h"

#include "operace/strom_operace.h"
#include "platform/kos.h"
#include "platform/syscalls.h"

#include <cerrno>
#include <fcntl.h>
#include <map>
#include <memory>
#include <sys/stat.h>

namespace zrc {

namespace {

enum class Odstraneno : std::uint8_t { Ne, DoKose, Natrvalo };

bool stejny(const struct stat& st, const NalezenyDocasny& d)
{
    return S_ISREG(st.st_mode) && st.st_dev == d.dev && st.st_ino == d.ino && st.st_size == d.velikost &&
           st.st_mtim.tv_sec == d.casSekundy && st.st_mtim.tv_nsec == d.casNano;
}

class MazaniDocasnych final {
public:
    explicit MazaniDocasnych(const VolbyMazaniDocasnych& v)
        : sys_(v.sys ? *v.sys : platform::realSyscalls()), mazani_(v.mazani),
          kos_(platform::VolbyKose{.sys = &sys_, .domov = v.kosDomov})
    {
    }

    ChybaSouboru odstran(const NalezenyDocasny& d, Odstraneno& jak)
    {
        if (!jeDocasnySoubor(d.jmeno))
            return {Duvod::ZmenenOdPorovnani, 0};
        ChybaSouboru chyba;
        const SdilenyAdresar adresar = strom(d.zaklad).otevri(d.podadr, false, chyba);
        if (!adresar)
            return chyba.err == ENOENT ? ChybaSouboru{} : chyba;
        struct stat st {};
        if (const auto r = sys_.fstatAt(adresar->get(), d.jmeno.c_str(), st, AT_SYMLINK_NOFOLLOW); !r.ok())
            return r.err == ENOENT ? ChybaSouboru{} : ChybaSouboru::systemu(r.err);
        if (!stejny(st, d))
            return {Duvod::ZmenenOdPorovnani, 0};
        return mazani_ == Mazani::DoKose ? doKose(adresar->get(), d.jmeno, jak)
                                         : natrvalo(adresar->get(), d.jmeno, jak);
    }

private:
    StromOperace& strom(const std::string& zaklad)
    {
        auto it = stromy_.find(zaklad);
        if (it == stromy_.end())
            it = stromy_.emplace(zaklad, std::make_unique<StromOperace>(sys_, zaklad)).first;
        return *it->second;
    }

    ChybaSouboru doKose(int adresar, const std::string& jmeno, Odstraneno& jak)
    {
        const platform::VysledekKose k = kos_.doKose(adresar, jmeno);
        if (k.ok()) {
            jak = Odstraneno::DoKose;
            return {};
        }
        if (k.stav == platform::StavKose::Nepouzitelny)
            return {Duvod::KosNelze, k.err};
        return k.err == ENOENT ? ChybaSouboru{} : ChybaSouboru::systemu(k.err);
    }

    ChybaSouboru natrvalo(int adresar, const std::string& jmeno, Odstraneno& jak)
    {
        const auto r = sys_.unlinkAt(adresar, jmeno.c_str(), 0);
        if (r.ok())
            jak = Odstraneno::Natrvalo;
        return r.ok() || r.err == ENOENT ? ChybaSouboru{} : ChybaSouboru::systemu(r.err);
    }

    platform::Syscalls& sys_;
    Mazani mazani_;
    platform::Kos kos_;
    std::map<std::string, std::unique_ptr<StromOperace>> stromy_;   // by base
};

} // namespace

VysledekMazaniDocasnych smazDocasne(const std::vector<NalezenyDocasny>& docasne,
                                    const VolbyMazaniDocasnych& volby)
{
    MazaniDocasnych m(volby);
    VysledekMazaniDocasnych v;
    for (const NalezenyDocasny& d : docasne) {
        Odstraneno jak = Odstraneno::Ne;
        if (const auto chyba = m.odstran(d, jak))
            v.nesmazane.push_back({d.cesta(), chyba});
        v.doKose += jak == Odstraneno::DoKose;
        v.smazano += jak == Odstraneno::Natrvalo;
    }
    return v;
}

} // namespace zrc
