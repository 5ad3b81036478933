#include "engine/otevirac_stromu.h"

#include <algorithm>
#include <climits>

namespace zrc {

OteviracStromu::OteviracStromu(std::size_t otevrenych) : otevrenych_(std::max<std::size_t>(otevrenych, 2))
{
}

bool OteviracStromu::jeOtevreny(const UzelStromu& u) const
{
    const auto h = static_cast<std::size_t>(u.hloubka);
    return h < cesta_.size() && cesta_[h].uzel == &u && cesta_[h].adresar.valid();
}

int OteviracStromu::otevri(const StromStran& strom, int strana, const UzelStromu& uzel,
                           std::error_code& ec)
{
    retez_.clear();
    const UzelStromu* predek = &uzel;
    for (; predek && !jeOtevreny(*predek); predek = predek->rodic)
        retez_.push_back(predek);
    cesta_.resize(predek ? static_cast<std::size_t>(predek->hloubka) + 1 : 0);
    if (predek && retez_.size() >= 2) {
        if (const std::optional<int> fd = otevriNaprimo(uzel, ec))
            return *fd;
    }
    for (auto it = retez_.rbegin(); it != retez_.rend(); ++it) {
        const UzelStromu& u = **it;
        platform::DirectoryHandle h = u.rodic
            ? platform::openSubdirectory(cesta_.back().adresar.get(), u.jmenoBajty, ec)
            // the base directory as the user named it: links allowed
            : platform::openDirectory(strom.zaklad(strana).c_str(), platform::FollowLinks::Yes, ec);
        if (!h.valid())
            return -1;
        cesta_.push_back({&u, std::move(h)});
        // The base directory and the otevrenych - 1 deepest links stay open.
        const std::size_t i = cesta_.size() - 1;
        if (i + 1 >= otevrenych_ && i + 1 - otevrenych_ >= 1)
            cesta_[i + 1 - otevrenych_].adresar = platform::DirectoryHandle();
    }
    ec.clear();
    return cesta_.back().adresar.get();
}

// The threads of a walk take directories in the order they were found, so a
// thread's next directory is seldom a child of its last one: going down link by
// link reopened 1.6 directories for every directory of a tree of a million files
// (264 000 openat and close calls for 100 000 directories, a tenth of the run's
// CPU). One openat2 from the nearest open ancestor costs one call, with the same
// refusal of links. Nothing when the call is not offered or the path is too long
// for it; then the chain goes link by link.
std::optional<int> OteviracStromu::otevriNaprimo(const UzelStromu& uzel, std::error_code& ec)
{
    std::size_t delka = 0;
    for (const UzelStromu* u : retez_)
        delka += u->delkaJmena + 1;
    if (delka > PATH_MAX)
        return std::nullopt;
    relativni_.clear();
    for (auto it = retez_.rbegin(); it != retez_.rend(); ++it) {
        if (!relativni_.empty())
            relativni_.push_back('/');
        relativni_.append((*it)->jmeno());
    }
    platform::DirectoryHandle h = platform::openBeneath(cesta_.back().adresar.get(), relativni_.c_str(), ec);
    if (!h.valid())
        return ec == std::errc::function_not_supported ? std::nullopt : std::optional<int>(-1);
    cesta_.resize(static_cast<std::size_t>(uzel.hloubka));
    cesta_.push_back({&uzel, std::move(h)});
    omezOtevrene();
    return cesta_.back().adresar.get();
}

// A jump leaves gaps in the chain, so the open links are counted: the base
// directory and the deepest ones stay.
void OteviracStromu::omezOtevrene()
{
    std::size_t otevrenych = 0;
    for (const Clanek& c : cesta_)
        otevrenych += c.adresar.valid();
    for (std::size_t i = 1; otevrenych > otevrenych_ && i < cesta_.size(); ++i) {
        if (cesta_[i].adresar.valid()) {
            cesta_[i].adresar = platform::DirectoryHandle();
            --otevrenych;
        }
    }
}

std::size_t descriptoruNaOtevirac(int otviracu)
{
    // A quarter of the limit for the walk; 64 per opener covers any realistic
    // depth without reopening (deeper chains reopen from the base directory).
    const std::size_t limit = platform::raiseDescriptorLimit();
    const std::size_t podil = limit / 4 / static_cast<std::size_t>(std::max(otviracu, 1));
    return std::clamp<std::size_t>(podil, 2, 64);
}

void OteviracStromu::zavri()
{
    cesta_ = std::vector<Clanek>();
    retez_ = std::vector<const UzelStromu*>();
    relativni_ = std::string();
}

} // namespace zrc
