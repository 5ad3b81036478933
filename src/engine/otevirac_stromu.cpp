#include "engine/otevirac_stromu.h"

#include <algorithm>

namespace zrc {

OteviracStromu::OteviracStromu(std::size_t otevrenych) : otevrenych_(std::max<std::size_t>(otevrenych, 2))
{
}

platform::DirectoryHandle OteviracStromu::otevriClanek(const StromStrany& strom, std::size_t i,
                                                       std::error_code& ec)
{
    if (i == 0)   // the base directory as the user named it: links allowed
        return platform::openDirectory(strom.zaklad().c_str(), platform::FollowLinks::Yes, ec);
    jmeno_.assign(strom.jmeno(retez_[i]));
    return platform::openSubdirectory(cesta_[i - 1].adresar.fd(), jmeno_.c_str(), ec);
}

int OteviracStromu::otevri(const StromStrany& strom, std::uint32_t uzel, std::error_code& ec)
{
    retez_.clear();
    for (std::uint32_t u = uzel; u != zadnyUzel; u = strom.uzel(u).rodic)
        retez_.push_back(u);
    std::reverse(retez_.begin(), retez_.end());
    std::size_t spolecne = 0;
    while (spolecne < cesta_.size() && spolecne < retez_.size()
           && cesta_[spolecne].uzel == retez_[spolecne])
        ++spolecne;
    cesta_.resize(spolecne);
    std::size_t od = cesta_.size();
    while (od > 0 && !cesta_[od - 1].adresar.valid())
        --od;
    for (std::size_t i = od; i < retez_.size(); ++i) {
        platform::DirectoryHandle h = otevriClanek(strom, i, ec);
        if (!h.valid()) {
            cesta_.resize(i);
            return -1;
        }
        if (i < cesta_.size())
            cesta_[i].adresar = std::move(h);
        else
            cesta_.push_back({retez_[i], std::move(h)});
        // The base directory and the otevrenych - 1 deepest links stay open.
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

} // namespace zrc
