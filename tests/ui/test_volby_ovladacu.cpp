#include "ui/volby_ovladacu.h"

#include <QComboBox>
#include <QLineEdit>
#include <gtest/gtest.h>

namespace zrc {
namespace {

const QStringList rezimy{QStringLiteral("za posledních"), QStringLiteral("po datu")};
const QStringList jednotky{QStringLiteral("dnů"), QStringLiteral("hodin"), QStringLiteral("minut")};

struct PripadShody {
    const char* text;   // UTF-8
    const QStringList* polozky;
    std::optional<int> cislo;
};
void PrintTo(const PripadShody& p, std::ostream* os) { *os << p.text; }

class CisloPolozkyTest : public testing::TestWithParam<PripadShody> {};

TEST_P(CisloPolozkyTest, Shoda)
{
    const PripadShody& p = GetParam();
    EXPECT_EQ(cisloPolozky(QString::fromUtf8(p.text), *p.polozky), p.cislo);
}

INSTANTIATE_TEST_SUITE_P(Pripady, CisloPolozkyTest, testing::Values(
    PripadShody{"po datu", &rezimy, 2},
    PripadShody{"PO Datu", &rezimy, 2},
    PripadShody{"za posledních", &rezimy, 1},
    PripadShody{"ZA POSLEDNÍCH", &rezimy, std::nullopt},   // Í is not A-Z
    PripadShody{"DNŮ", &jednotky, std::nullopt},       // Ů is not A-Z
    PripadShody{"DNů", &jednotky, 1},
    PripadShody{"po datu ", &rezimy, std::nullopt},
    PripadShody{"", &rezimy, std::nullopt},
    PripadShody{"minut", &jednotky, 3}));

TEST(CisloPolozkyTest, PrazdnyPopisNikdyNeodpovida)
{
    const QStringList sPrazdnou{QString(), QStringLiteral("b")};
    EXPECT_EQ(cisloPolozky(u"", sPrazdnou), std::nullopt);
    EXPECT_EQ(cisloPolozky(u"B", sPrazdnou), 2);
}

TEST(ZvolPolozku, CisloMimoRozsahSeOrizne)
{
    QComboBox c;
    c.setEditable(true);
    c.addItems(jednotky);
    EXPECT_EQ(tagVolby(&c), 1);
    zvolPolozku(&c, 7);
    EXPECT_EQ(tagVolby(&c), 3);
    EXPECT_EQ(c.currentText(), QStringLiteral("minut"));
    zvolPolozku(&c, 0);
    EXPECT_EQ(tagVolby(&c), 1);
    EXPECT_EQ(c.currentText(), QStringLiteral("dnů"));
}

TEST(CasovePole, PrazdneMistoJeMezera)
{
    QLineEdit e;
    e.setInputMask(QString::fromLatin1(maskaCasu));
    nastavTextCasovehoPole(&e, QStringLiteral("10:00"));
    EXPECT_EQ(textCasovehoPole(&e), QStringLiteral("10:00"));
    nastavTextCasovehoPole(&e, QStringLiteral(" 9:05"));
    EXPECT_EQ(textCasovehoPole(&e), QStringLiteral(" 9:05"));
    e.setText(QStringLiteral("12:5"));
    EXPECT_EQ(textCasovehoPole(&e), QStringLiteral("12:5 "));
}

} // namespace
} // namespace zrc
