#include "operace/strom_operace.h"

#include <cerrno>

namespace zrc {

namespace {

// 64 directories cover the working set of a sorted list; the cache is simply
// emptied when full (the pending batch keeps its own references).
constexpr std::size_t velikostCache = 64;
constexpr int priznakyAdresare = O_RDONLY | O_DIRECTORY | O_CLOEXEC;

} // namespace

std::pair<std::string_view, std::string_view> rozdelCestu(std::string_view cesta)
{
    const auto lomitko = cesta.rfind('/');
    if (lomitko == std::string_view::npos)
        return {{}, cesta};
    return {cesta.substr(0, lomitko), cesta.substr(lomitko + 1)};
}

StromOperace::StromOperace(platform::Syscalls& sys, std::string zaklad)
    : sys_(sys), zaklad_(std::move(zaklad))
{
    while (zaklad_.size() > 1 && zaklad_.back() == '/')
        zaklad_.pop_back();
}

StromOperace::StromOperace(platform::Syscalls& sys, std::string zaklad, SdilenyAdresar zakladFd)
    : StromOperace(sys, std::move(zaklad))
{
    zakladFd_ = std::move(zakladFd);
}

SdilenyAdresar StromOperace::otevriZaklad(bool vytvorit, ChybaSouboru& chyba)
{
    if (zakladFd_)
        return zakladFd_;
    auto r = sys_.openAt(AT_FDCWD, zaklad_.c_str(), priznakyAdresare);
    if (!r.ok() && r.err == ENOENT && vytvorit) {
        // The base as typed, with its missing parents (0777 less the umask, as mkdir -p).
        if (const int e = platform::vytvorCestu(sys_, zaklad_, 0777)) {
            chyba = ChybaSouboru::systemu(e);
            return {};
        }
        r = sys_.openAt(AT_FDCWD, zaklad_.c_str(), priznakyAdresare);
    }
    if (!r.ok()) {
        chyba = ChybaSouboru::systemu(r.err);
        return {};
    }
    zakladFd_ = std::make_shared<platform::Fd>(sys_, static_cast<int>(r.value));
    return zakladFd_;
}

SdilenyAdresar StromOperace::otevri(std::string_view podadr, bool vytvorit, ChybaSouboru& chyba)
{
    while (!podadr.empty() && podadr.back() == '/')
        podadr.remove_suffix(1);
    auto adresar = otevriZaklad(vytvorit, chyba);
    if (!adresar || podadr.empty())
        return adresar;
    if (auto it = cache_.find(std::string(podadr)); it != cache_.end())
        return it->second;

    std::size_t od = 0;
    while (od <= podadr.size()) {
        auto konec = podadr.find('/', od);
        if (konec == std::string_view::npos)
            konec = podadr.size();
        const std::string jmeno(podadr.substr(od, konec - od));
        od = konec + 1;
        if (jmeno.empty())
            continue;
        auto r = sys_.openAt(adresar->get(), jmeno.c_str(), priznakyAdresare | O_NOFOLLOW);
        if (!r.ok() && r.err == ENOENT && vytvorit) {
            const auto m = sys_.mkdirAt(adresar->get(), jmeno.c_str(), 0777);
            if (m.ok())
                vytvorene_.emplace_back(podadr.substr(0, konec));
            else if (m.err != EEXIST)
                r = m;
            if (m.ok() || m.err == EEXIST)
                r = sys_.openAt(adresar->get(), jmeno.c_str(), priznakyAdresare | O_NOFOLLOW);
        }
        if (!r.ok()) {
            // O_DIRECTORY | O_NOFOLLOW answers ENOTDIR for a link too: tell them apart.
            struct stat st {};
            const bool odkaz = r.err == ENOTDIR &&
                               sys_.fstatAt(adresar->get(), jmeno.c_str(), st, AT_SYMLINK_NOFOLLOW).ok() &&
                               S_ISLNK(st.st_mode);
            chyba = ChybaSouboru::systemu(odkaz ? ELOOP : r.err);
            return {};
        }
        adresar = std::make_shared<platform::Fd>(sys_, static_cast<int>(r.value));
    }
    if (cache_.size() >= velikostCache)
        cache_.clear();
    cache_.emplace(std::string(podadr), adresar);
    return adresar;
}

} // namespace zrc
