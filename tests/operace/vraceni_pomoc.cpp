#include "vraceni_pomoc.h"

#include <filesystem>

namespace zrc::test {

namespace fs = std::filesystem;

Snimek snimek(const std::string& koren)
{
    Snimek s;
    if (!fs::exists(koren))
        return s;
    for (const auto& e : fs::recursive_directory_iterator(koren))
        if (e.is_regular_file())
            s[fs::relative(e.path(), koren).string()] = obsah(e.path().string());
    return s;
}

Snimek VraceniTest::vse() const
{
    Snimek s;
    for (const auto& [jmeno, koren] : {std::pair{"a/", a()}, {"b/", b()}, {"kos/", kos() + "/files"}})
        for (auto& [k, v] : snimek(koren))
            s[jmeno + k] = v;
    return s;
}

Denik VraceniTest::proved(int seznam, KodOperace kod, const std::vector<std::string>& polozky,
                          platform::Syscalls* sys)
{
    ZadaniOperace z{.zdroj = a(), .cil = kod == KodOperace::Odstraneni ? a() : b(),
                    .operace = OperaceKodu(seznam, int(kod)), .mazani = Mazani::DoKose};
    for (const auto& p : polozky)
        z.polozky.push_back({p, std::int64_t(obsah(a() + "/" + p).size())});
    ZapisDeniku denik;
    const HlavickaDeniku h{.druh = DruhDeniku::Kopie, .zdroj = z.zdroj, .cil = z.cil, .cas = 0};
    EXPECT_EQ(zalozDenik(sys ? *sys : platform::realSyscalls(), t.path("stav"), h, denik), 0);
    (void)ProvedOperaci(z, skript, {.sys = sys, .kosDomov = kos(), .denik = &denik});
    EXPECT_EQ(denik.chyba(), 0);
    auto c = ctiDenik(denik.cesta(), {.kosDomov = kos()});
    EXPECT_TRUE(c.denik) << c.chyba;
    return c.denik ? *c.denik : Denik{};
}

VysledekVraceni VraceniTest::vrat(const Denik& d, platform::Syscalls* sys)
{
    ZapisDeniku denik;
    EXPECT_EQ(zalozDenik(platform::realSyscalls(), t.path("stav"), hlavickaVraceni(d), denik), 0);
    denikVraceni = denik.cesta();
    return VratOperaci(d, skript, {.sys = sys, .kosDomov = kos(), .kniha = &kniha, .denik = &denik});
}

} // namespace zrc::test
