// Undo where one rename cannot do it, on real trees through the fault seam: a
// move between file systems (EXDEV on the rename) goes back by a copy, and a
// replacement on a file system that refuses the atomic exchange (EINVAL)
// swaps in two renames through the trash. Each case checks the bytes of both
// trees and the trash, and what the log says.

#include "support/tmpfs.h"
#include "vraceni_pomoc.h"

#include <algorithm>
#include <array>
#include <fcntl.h>
#include <optional>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace zrc::test {
namespace {

constexpr const char* chybaDisku = "chyba čtení nebo zápisu na disk";
constexpr timespec casPresunuteho{1'600'000'000, 123'456'789};

// What the log says for the one item not taken back; "" when all went back.
std::string duvodKnihy(const KnihaChyb& k)
{
    return k.zaznamy().empty() ? std::string() : k.zaznamy()[0].duvod;
}

// A content short enough for a failure message: itself up to 40 bytes, else
// its size and hash.
std::string otisk(const std::string& data)
{
    if (data.size() <= 40)
        return data;
    return std::to_string(data.size()) + " B #" + std::to_string(std::hash<std::string>{}(data));
}

std::optional<std::string> soubor(const std::string& cesta)
{
    return existuje(cesta) ? std::optional(otisk(obsah(cesta))) : std::nullopt;
}

timespec mtime(const std::string& cesta)
{
    struct stat st {};
    EXPECT_EQ(::stat(cesta.c_str(), &st), 0) << cesta;
    return st.st_mtim;
}

// ---- A move between file systems ----------------------------------------

// SkutecnySvazek: b/ is a tmpfs of its own (root only), nothing injected.
enum class Vada : std::uint8_t {
    Zadna, SkutecnySvazek, ZmenaBehemKopie, MistoObsazeno, PlnyDisk, ChybaFdatasync, ChybaOdstraneni
};

struct SvazekPripad {
    const char* nazev;
    Vada vada;
    bool nahrazuje;     // the move replaced a target, whose old version went to the trash
    bool zpet;          // the old place holds the file after the undo
    bool zustal;        // the new place still holds it
    const char* duvod;  // "" when nothing is logged
};

class PresunMeziSvazky : public VraceniTest, public testing::WithParamInterface<SvazekPripad> {
protected:
    const std::string data = vzorek(300'000, 'p');
    std::string stara() const { return a() + "/m/x.bin"; }
    std::string nova() const { return b() + "/m/x.bin"; }

    // The od-th rename to the file's name answers EXDEV, as between volumes
    // (unless they are two volumes already).
    void jinySvazek(ChyboveVolani& sys, int od = 1) const
    {
        sys.jenCteniZapis();
        if (!svazek_)
            sys.poruchy.push_back({.druh = Call::RenameAt, .od = od, .err = EXDEV, .jmeno = "x.bin"});
    }
    std::optional<Tmpfs> svazek_;
};

TEST_P(PresunMeziSvazky, VratiKopiiNeboNechaSouborNaNovemMiste)
{
    const auto& p = GetParam();
    if (p.vada == Vada::SkutecnySvazek) {
        svazek_.emplace(b());
        if (!svazek_->pripojeno())
            GTEST_SKIP() << svazek_->proc();
    }
    zapis(stara(), data);
    ASSERT_EQ(::utimensat(AT_FDCWD, stara().c_str(), std::array{casPresunuteho, casPresunuteho}.data(), 0), 0);
    if (p.nahrazuje)
        zapis(nova(), "stara verze");
    ChyboveVolani operace;
    jinySvazek(operace);
    const Denik d = proved(p.nahrazuje ? 3 : 1, KodOperace::Presun, {"m/x.bin"}, &operace);
    ASSERT_EQ(d.zaznamy.size(), 1u);
    ASSERT_EQ(d.zaznamy[0].druh, p.nahrazuje ? DruhZaznamu::Nahrazeno : DruhZaznamu::Presun);
    ASSERT_FALSE(existuje(stara()));

    ChyboveVolani sys;
    jinySvazek(sys);
    switch (p.vada) {
    case Vada::Zadna:
    case Vada::SkutecnySvazek: break;
    case Vada::ZmenaBehemKopie:
        sys.poruchy.push_back({.druh = Call::Pwrite, .err = 0, .akce = [&] { zapis(nova(), data + "navic"); }});
        break;
    case Vada::MistoObsazeno: zapis(stara(), "cizí"); break;
    case Vada::PlnyDisk: sys.poruchy.push_back({.druh = Call::Pwrite, .err = ENOSPC}); break;
    case Vada::ChybaFdatasync: sys.poruchy.push_back({.druh = Call::Fdatasync, .err = EIO}); break;
    case Vada::ChybaOdstraneni: sys.poruchy.push_back({.druh = Call::UnlinkAt, .err = EIO, .jmeno = "x.bin"}); break;
    }
    const auto v = vrat(d, &sys);
    EXPECT_EQ(v.vraceno, p.duvod[0] ? 0u : 1u);
    EXPECT_EQ(duvodKnihy(kniha), p.duvod);
    const std::string naNovem = p.vada == Vada::ZmenaBehemKopie ? data + "navic" : data;
    EXPECT_EQ(soubor(nova()), p.zustal      ? std::optional(otisk(naNovem))
                              : p.nahrazuje ? std::optional<std::string>("stara verze")
                                            : std::nullopt);
    if (p.vada == Vada::MistoObsazeno)
        EXPECT_EQ(obsah(stara()), "cizí");
    else
        EXPECT_EQ(soubor(stara()), p.zpet ? std::optional(otisk(data)) : std::nullopt);
    if (p.zpet) {
        const timespec t = mtime(stara());
        EXPECT_EQ(t.tv_sec, casPresunuteho.tv_sec);
        EXPECT_EQ(t.tv_nsec, casPresunuteho.tv_nsec);
    }
    EXPECT_TRUE(docasne(a()).empty());
    EXPECT_TRUE(docasne(b()).empty());
    if (!p.zpet)
        return;

    // The undo's journal takes it all back again: the copy back is moved
    // forward, or, where the moved file stayed, the copy alone goes (to the
    // trash of its own volume: no EXDEV there).
    const auto zpet = ctiDenik(denikVraceni, {.kosDomov = kos()});
    ASSERT_TRUE(zpet.denik) << zpet.chyba;
    ChyboveVolani znovu;
    if (!p.zustal)   // after the old version's own rename to the trash, where there is one
        jinySvazek(znovu, p.nahrazuje ? 2 : 1);
    kniha.vymaz();
    const auto zmeny = std::ranges::count_if(zpet.denik->zaznamy,
                                             [](const auto& z) { return z.druh != DruhZaznamu::Chyba; });
    EXPECT_EQ(vrat(*zpet.denik, &znovu).vraceno, std::size_t(zmeny));
    EXPECT_TRUE(kniha.prazdna()) << textKnihy(kniha.zaznamy());
    EXPECT_EQ(soubor(nova()), otisk(data));
    EXPECT_FALSE(existuje(stara()));
    if (p.nahrazuje) {
        EXPECT_EQ(snimek(kos() + "/files"), (Snimek{{"x.bin", "stara verze"}}));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Vraceni, PresunMeziSvazky,
    testing::Values(
        SvazekPripad{"Uspech", Vada::Zadna, false, true, false, ""},
        SvazekPripad{"UspechSNahrazenim", Vada::Zadna, true, true, false, ""},
        SvazekPripad{"SkutecnySvazek", Vada::SkutecnySvazek, false, true, false, ""},
        SvazekPripad{"ZmenaBehemKopie", Vada::ZmenaBehemKopie, false, false, true, "soubor byl od operace změněn"},
        SvazekPripad{"MistoObsazeno", Vada::MistoObsazeno, false, false, true, "jeho původní místo je obsazeno"},
        SvazekPripad{"PlnyDisk", Vada::PlnyDisk, false, false, true, "na disku není místo"},
        SvazekPripad{"ChybaFdatasync", Vada::ChybaFdatasync, false, false, true, chybaDisku},
        SvazekPripad{"ChybaOdstraneni", Vada::ChybaOdstraneni, false, true, true,
                     "soubor je zpět na původním místě, ale zůstal i na novém (chyba čtení nebo zápisu na disk)"}),
    [](const auto& i) { return std::string(i.param.nazev); });

// ---- A replacement without the atomic exchange ---------------------------

struct VymenaPripad {
    const char* nazev;
    int selhani;                           // renames of the name failing with EIO after the refused exchange
    std::optional<std::string> cil;        // b/x.txt after the undo
    std::multiset<std::string> vKosi;      // the contents of the trash's files
    const char* duvod;
};

class VymenaOdmitnuta : public VraceniTest, public testing::WithParamInterface<VymenaPripad> {
protected:
    std::multiset<std::string> kosik() const
    {
        std::multiset<std::string> s;
        for (const auto& [_, v] : snimek(kos() + "/files"))
            s.insert(v);
        return s;
    }
    // Every entry of the trash has its info file, and no info file is left without one.
    void kosCely() const
    {
        const auto soubory = snimek(kos() + "/files"), info = snimek(kos() + "/info");
        EXPECT_EQ(soubory.size(), info.size());
        for (const auto& [k, _] : soubory)
            EXPECT_TRUE(info.contains(k + ".trashinfo")) << k;
    }
};

TEST_P(VymenaOdmitnuta, VymeniVeDvouKrocichNicNeztrati)
{
    const auto& p = GetParam();
    zapis(a() + "/x.txt", "nova verze");
    zapis(b() + "/x.txt", "stara verze");
    const Denik d = proved(3, KodOperace::Kopie, {"x.txt"});
    ASSERT_EQ(d.zaznamy.size(), 1u);
    ASSERT_EQ(d.zaznamy[0].druh, DruhZaznamu::Nahrazeno);

    ChyboveVolani sys;
    // The exchange is refused; the renames to the name after it fail, as many as selhani.
    sys.poruchy.push_back({.druh = Call::RenameAt, .err = EINVAL, .jmeno = "x.txt"});
    sys.poruchy.push_back({.druh = Call::RenameAt, .pocet = p.selhani, .err = EIO, .jmeno = "x.txt"});
    const auto v = vrat(d, &sys);
    EXPECT_EQ(v.vraceno, p.selhani ? 0u : 1u);
    EXPECT_EQ(soubor(b() + "/x.txt"), p.cil);
    EXPECT_EQ(kosik(), p.vKosi);
    kosCely();
    EXPECT_EQ(duvodKnihy(kniha), p.duvod);
    if (p.selhani == 2) {
        // The log names the trash entry that holds the new version.
        ASSERT_EQ(kniha.zaznamy().size(), 1u);
        EXPECT_EQ(obsah(kniha.zaznamy()[0].cil), "nova verze");
    }
    if (p.selhani == 1)
        return;

    // The undo of the undo, the exchange still refused: the operation's state again.
    const auto zpet = ctiDenik(denikVraceni, {.kosDomov = kos()});
    ASSERT_TRUE(zpet.denik) << zpet.chyba;
    ChyboveVolani znovu;
    znovu.poruchy.push_back({.druh = Call::RenameAt, .err = EINVAL, .jmeno = "x.txt"});
    kniha.vymaz();
    EXPECT_EQ(vrat(*zpet.denik, &znovu).vraceno, 1u);
    EXPECT_TRUE(kniha.prazdna()) << textKnihy(kniha.zaznamy());
    EXPECT_EQ(obsah(b() + "/x.txt"), "nova verze");
    EXPECT_EQ(kosik(), (std::multiset<std::string>{"stara verze"}));
    kosCely();
}

INSTANTIATE_TEST_SUITE_P(
    Vraceni, VymenaOdmitnuta,
    testing::Values(
        VymenaPripad{"Uspech", 0, "stara verze", {"nova verze"}, ""},
        VymenaPripad{"DruhyKrokSelze", 1, "nova verze", {"stara verze"}, chybaDisku},
        VymenaPripad{"NovaZustaneVKosi", 2, std::nullopt, {"nova verze", "stara verze"},
                     "vrácení předchozí verze selhalo (chyba čtení nebo zápisu na disk), nová verze zůstala v koši"}),
    [](const auto& i) { return std::string(i.param.nazev); });

} // namespace
} // namespace zrc::test
