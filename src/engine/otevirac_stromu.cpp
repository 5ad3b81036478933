#include "engine/otevirac_stromu.h"

#include <algorithm>

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
    for (auto it = retez_.rbegin(); it != retez_.rend(); ++it) {
        const UzelStromu& u = **it;
        platform::DirectoryHandle h = u.rodic
            ? platform::openSubdirectory(cesta_.back().adresar.fd(), u.jmeno.data(), ec)
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
    return cesta_.back().adresar.fd();
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
}

} // namespace zrc
