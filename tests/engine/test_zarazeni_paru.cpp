// A pair classified both ways at once gives what classifying each file of it
// against the other gives, on the edges of the packed time: seconds inside one
// 2-second step, the hour that repeats when summer time ends, sizes alike and not.

#include "engine/zarazeni.h"
#include "test_cas_pasmo.h"

#include <gtest/gtest.h>

namespace zrc {
namespace {

struct PripadParu {
    const char* nazev;
    std::int64_t sekundyA, sekundyB;
    std::int64_t velikostA, velikostB;
};

// 2026-10-25 02:30 CEST and 02:10 CET: the later file has the earlier local time.
constexpr std::int64_t letni = 1792888200;
constexpr std::int64_t zimni = letni + 40 * 60;
constexpr std::int64_t t0 = 1765000000;   // an even second

class ZarazeniParu : public VPasmu, public testing::WithParamInterface<PripadParu> {};

TEST_P(ZarazeniParu, JakoKazdyZObouSamostatne)
{
    const PripadParu& c = GetParam();
    const SouborVypisu a{.velikost = c.velikostA, .sekundy = c.sekundyA};
    const SouborVypisu b{.velikost = c.velikostB, .sekundy = c.sekundyB};
    PrevodCasu prevod;
    const RozdilyParu r = tridyParu(a, b, prevod);
    const auto stejne = [](const std::optional<Rozdil>& x, const std::optional<Rozdil>& y) {
        return x.has_value() == y.has_value() && (!x || (x->trida == y->trida && x->cas == y->cas));
    };
    EXPECT_TRUE(stejne(r.a, tridaRozdilu(a, &b, prevod)));
    EXPECT_TRUE(stejne(r.b, tridaRozdilu(b, &a, prevod)));
}

INSTANTIATE_TEST_SUITE_P(
    Pary, ZarazeniParu,
    testing::Values(PripadParu{"StejnePlne", t0, t0, 5, 5},
                    PripadParu{"StejnyCasVetsi", t0, t0, 9, 5},
                    PripadParu{"StejnyCasMensi", t0, t0, 5, 9},
                    PripadParu{"NovejsiA", t0 + 60, t0, 5, 5},
                    PripadParu{"NovejsiB", t0, t0 + 60, 5, 9},
                    PripadParu{"VJednomKrokuStejne", t0, t0 + 1, 5, 5},
                    PripadParu{"VJednomKrokuVetsi", t0 + 1, t0, 7, 5},
                    PripadParu{"ZimniPozdejiAleDrive", letni, zimni, 5, 5},
                    PripadParu{"ZimniPozdejiVetsi", letni, zimni, 9, 5},
                    PripadParu{"PresZmenuPosunu", letni - 3600, zimni + 3600, 5, 5},
                    PripadParu{"OdDvouSekund", t0 + 2, t0, 5, 5},
                    PripadParu{"PredRokem1980", 100, 0, 5, 5},
                    PripadParu{"ZaRozsahemPakovani", std::int64_t(1) << 62, t0, 5, 5}),
    [](const testing::TestParamInfo<PripadParu>& i) { return std::string(i.param.nazev); });

} // namespace
} // namespace zrc
