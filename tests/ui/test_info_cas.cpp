// The date and time of the information dialog: a four-digit year, and the
// time the lists show for the same file (the packed 2-second time), so that
// the dialog and the "datum" column never disagree by a second.

#include "engine/cas.h"
#include "support/temp_tree.h"
#include "ui/soubor_info.h"

#include <QLineEdit>
#include <gtest/gtest.h>

namespace zrc::test {
namespace {

struct CasInfa {
    const char* nazev;
    std::time_t cas;
    DlouhyFormatCasu format;
    const char* text;   // what the dialog shows
};

class InfoCas : public testing::TestWithParam<CasInfa> {};

TEST_P(InfoCas, CtyriCislaRokuACasJakoVSeznamu)
{
    const CasInfa& p = GetParam();
    TempTree t1{file("x.txt", 3, p.cas)}, t2;
    TForm5 d({.adresar1 = t1.root(), .adresar2 = t2.root(), .jmeno = "x.txt", .formatCasu = p.format});
    EXPECT_EQ(d.s1_cas->text(), QString::fromUtf8(p.text));
    // The list's "datum" text of the same file ends with the same time of
    // day (at exactly midnight it shows the date alone).
    const QString seznam = textDatumu(balenyCasZUnix(p.cas), p.format);
    if (seznam.contains(QLatin1Char(' '))) {
        EXPECT_TRUE(d.s1_cas->text().endsWith(seznam.section(QLatin1Char(' '), 1)))
            << seznam.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Pripady, InfoCas, testing::Values(
    CasInfa{"LicheSekundyDolu", localTime(2026, 3, 24, 0, 16, 41), DlouhyFormatCasu::HodinyMinutySekundy,
            "24.03.2026 00:16:40"},
    CasInfa{"Poledne", localTime(2024, 1, 10, 12, 0, 0), DlouhyFormatCasu::HodinyMinutySekundy,
            "10.01.2024 12:00:00"},
    CasInfa{"KonecStoleti", localTime(1999, 12, 31, 23, 59, 59), DlouhyFormatCasu::HodinyMinutySekundy,
            "31.12.1999 23:59:58"},
    CasInfa{"Pulnoc", localTime(2025, 6, 1, 0, 0, 0), DlouhyFormatCasu::HodinyMinutySekundy,
            "01.06.2025 00:00:00"},
    CasInfa{"HodinyMinuty", localTime(2026, 3, 24, 7, 5, 41), DlouhyFormatCasu::HodinyMinuty,
            "24.03.2026 07:05"}),
    [](const auto& info) { return std::string(info.param.nazev); });

} // namespace
} // namespace zrc::test
