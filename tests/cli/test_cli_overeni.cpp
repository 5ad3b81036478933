// --verify-content and --verify-equal on real trees: what is printed, what is
// reported on standard error and the exit status. The pairs are written with
// chosen bytes and then given chosen times, so that the comparison sorts them
// as the case needs.

#include "spusteni_cli.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace zrc {
namespace {

using test::localTime;
using test::TempTree;

const std::time_t starsi = localTime(2021, 3, 4, 5, 6, 8);
const std::time_t novejsi = localTime(2022, 3, 4, 5, 6, 8);

void zapis(const std::string& cesta, const std::string& obsah, std::time_t cas)
{
    std::ofstream(cesta, std::ios::binary) << obsah;
    const timespec t[2] = {{cas, 0}, {cas, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, cesta.c_str(), t, 0), 0);
}

struct Pripad {
    const char* nazev;
    QStringList volby;
    std::string obsah2;        // side 2 of x.txt (side 1: "abcde")
    std::time_t cas1;          // of side 1 (side 2: starsi)
    mode_t mod2;               // of side 2
    int kod;
    std::string vystupObsahuje, vystupNeobsahuje, chybaObsahuje;
};

void PrintTo(const Pripad& p, std::ostream* os) { *os << p.nazev; }

class OvereniCli : public testing::TestWithParam<Pripad> {};

TEST_P(OvereniCli, VystupAKod)
{
    const Pripad& p = GetParam();
    test::nastavPasmoCli();
    TempTree a, b;
    zapis(a.path("x.txt"), "abcde", p.cas1);
    zapis(b.path("x.txt"), p.obsah2, starsi);
    ::chmod(b.path("x.txt").c_str(), p.mod2);
    test::VolbyCli volby;
    // As "nobody", so that mode 000 means what it says also for root.
    if (::geteuid() == 0)
        volby.vPotomkovi = [] {
            if (::setgid(65534) != 0 || ::setuid(65534) != 0)
                ::_exit(99);
        };
    ::chmod(a.root().c_str(), 0755);
    ::chmod(b.root().c_str(), 0755);
    const auto v = test::spustCli(p.volby + QStringList{a.qroot(), b.qroot()}, volby);
    EXPECT_EQ(v.kod, p.kod) << v.err;
    EXPECT_NE(v.out.find(p.vystupObsahuje), std::string::npos) << v.out;
    if (!p.vystupNeobsahuje.empty()) {
        EXPECT_EQ(v.out.find(p.vystupNeobsahuje), std::string::npos) << v.out;
    }
    EXPECT_NE(v.err.find(p.chybaObsahuje), std::string::npos) << v.err;
}

const QStringList tsv{"--format", "tsv"};

INSTANTIATE_TEST_SUITE_P(
    Volby, OvereniCli,
    testing::Values(
        Pripad{"novejsiBezOvereni", tsv, "abcde", novejsi, 0644, 1, "3\tx\ttxt", "", ""},
        Pripad{"novejsiShodny", tsv + QStringList{"--verify-content"}, "abcde", novejsi, 0644, 0, "",
               "x\ttxt", "shodný obsah: 1 soubor, 5 B"},
        Pripad{"novejsiLisiSe", tsv + QStringList{"--verify-content"}, "abcdX", novejsi, 0644, 1,
               "3\tx\ttxt", "", "shodný obsah: 0 souborů, 0 B"},
        Pripad{"shodnyCasLisiSe", tsv + QStringList{"--verify-equal"}, "abcdX", starsi, 0644, 1,
               "LIŠÍ SE\tx.txt", "", ""},
        Pripad{"shodnyCasShodny", tsv + QStringList{"--verify-equal"}, "abcde", starsi, 0644, 0, "",
               "LIŠÍ SE", "shodný obsah: 0 souborů"},
        Pripad{"shodnyCasJson", QStringList{"--format", "json", "--verify-equal"}, "abcdX", starsi, 0644, 1,
               "\"contentCheck\":{\"equalContent\":0,\"equalContentBytes\":0,\"differing\":[\"x.txt\"]", "", ""},
        Pripad{"necitelny", tsv + QStringList{"--verify-equal"}, "abcde", starsi, 0000, 2, "", "LIŠÍ SE",
               "Soubor nelze přečíst: "},
        Pripad{"necitelnyNovejsi", tsv + QStringList{"--verify-content"}, "abcde", novejsi, 0000, 2,
               "3\tx\ttxt", "", "x.txt: přístup odepřen"}),
    [](const testing::TestParamInfo<Pripad>& i) { return std::string(i.param.nazev); });

// 36 pairs in three directories, checked by one thread and by eight: in each
// directory f00, f04, f08 are newer on side 1 with the same bytes (they leave
// list 3), f01, f05, f09 newer on side 1 with another last byte (they stay),
// f02, f06, f10 newer on side 2 with another last byte (list 4), f03, f07,
// f11 of one time with another last byte ("LIŠÍ SE"). d1/f05 is unreadable on
// side 2 (list 3), d0/f02 on side 1 (list 4), d2/f03 on side 2 (of one time):
// the reports come in that order, list by list, not by path.
class OvereniCliVlakna : public testing::TestWithParam<const char*> {};

TEST_P(OvereniCliVlakna, PoradiVystupu)
{
    test::nastavPasmoCli();
    TempTree a{test::dir("d0"), test::dir("d1"), test::dir("d2")}, b{test::dir("d0"), test::dir("d1"), test::dir("d2")};
    std::string seznam3, seznam4, lisi;
    for (int d = 0; d < 3; ++d)
        for (int f = 0; f < 12; ++f) {
            const std::string rel = "d" + std::to_string(d) + "/f" + (f < 10 ? "0" : "") + std::to_string(f) + ".txt";
            const std::string obsah(100 + 37 * f, char('a' + f));
            const int druh = f % 4;
            zapis(a.path(rel), obsah, druh == 0 || druh == 1 ? novejsi : starsi);
            zapis(b.path(rel), druh == 0 ? obsah : obsah.substr(1) + 'X', druh == 2 ? novejsi : starsi);
            if (druh == 1)
                seznam3 += "3 " + rel + '\n';
            if (druh == 2)
                seznam4 += "4 " + rel + '\n';
            if (druh == 3 && rel != "d2/f03.txt")
                lisi += "LIŠÍ SE\t" + rel + '\n';
        }
    for (const std::string& cesta : {b.path("d1/f05.txt"), a.path("d0/f02.txt"), b.path("d2/f03.txt")})
        ::chmod(cesta.c_str(), 0);
    test::VolbyCli volby;
    if (::geteuid() == 0)
        volby.vPotomkovi = [] {
            if (::setgid(65534) != 0 || ::setuid(65534) != 0)
                ::_exit(99);
        };
    for (TempTree* t : {&a, &b})
        for (const char* d : {"", "/d0", "/d1", "/d2"})
            ::chmod((t->root() + d).c_str(), 0755);
    const auto v = test::spustCli(QStringList{"--format", "tsv", "--verify-equal", "--threads", GetParam(), a.qroot(), b.qroot()},
                                  volby);
    EXPECT_EQ(v.kod, 2) << v.err;
    const auto konecSeznamu = v.out.find("LIŠÍ SE");
    EXPECT_EQ(test::seznamyACesty(v.out.substr(0, konecSeznamu)), seznam3 + seznam4);
    EXPECT_EQ(v.out.substr(std::min(konecSeznamu, v.out.size())), lisi);
    const std::string neprecteno = ": přístup odepřen\nSoubor nelze přečíst: ";
    const std::string chyby = "shodný obsah: 9 souborů, 2,2 KiB\nSoubor nelze přečíst: " + b.path("d1/f05.txt") +
                              neprecteno + a.path("d0/f02.txt") + neprecteno + b.path("d2/f03.txt") + ": přístup odepřen\n";
    EXPECT_EQ(v.err.substr(0, chyby.size()), chyby);
}

INSTANTIATE_TEST_SUITE_P(Vlakna, OvereniCliVlakna, testing::Values("1", "8"),
                         [](const testing::TestParamInfo<const char*>& i) { return std::string("vlakna") + i.param; });

} // namespace
} // namespace zrc
