// The marks of a result list as an assistive technology meets them: Qt's
// accessible table reports the marked rows as selected, whole rows, cell by
// cell, after clicks, keys, a sort and Ctrl+A, also for marks made before the
// screen reader started listening.

#include "seznam_na_karte.h"

#include <QAccessible>
#include <QTest>
#include <gtest/gtest.h>
#include <functional>

namespace zrc {
namespace {

struct Pripad {
    const char* nazev;
    std::function<void(SeznamVysledku&)> oznac;
    std::vector<int> ocekavane;   // the rows a screen reader finds selected
    bool aktivniPredem = true;    // false: it starts listening after the marks are made
};

void PrintTo(const Pripad& p, std::ostream* os) { *os << p.nazev; }

void klik(SeznamVysledku& s, int radek, Qt::KeyboardModifiers mod = {})
{
    QTest::mouseClick(s.viewport(), Qt::LeftButton, mod, s.visualRect(s.model()->index(radek, 0)).center());
}

class VyberProAsistenci : public ::testing::TestWithParam<Pripad>, protected test::SeznamNaKarte {
protected:
    std::vector<std::string> jmena;

    void SetUp() override
    {
        zobrazSeznam(400, 500);
        for (int i = 0; i < 8; ++i)
            jmena.push_back("s" + std::to_string((i * 5) % 8));
        std::vector<NalezenySoubor> s;
        for (const std::string& j : jmena)
            s.push_back({"", j, 0, 1});
        stranky->model(1)->pridej(s);
    }

    void TearDown() override { QAccessible::setActive(false); }
};

TEST_P(VyberProAsistenci, OznaceneRadkyJsouVybrane)
{
    QAccessible::setActive(GetParam().aktivniPredem);
    GetParam().oznac(*seznam);
    QAccessible::setActive(true);

    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(seznam);
    ASSERT_NE(iface, nullptr);
    QAccessibleTableInterface* tabulka = iface->tableInterface();
    ASSERT_NE(tabulka, nullptr);
    const std::vector<int>& ocekavane = GetParam().ocekavane;
    EXPECT_EQ(tabulka->selectedRows(), QList<int>(ocekavane.begin(), ocekavane.end()));
    EXPECT_EQ(tabulka->selectedRowCount(), int(ocekavane.size()));
    EXPECT_EQ(tabulka->selectedCellCount(), int(ocekavane.size()) * pocetSloupcu);
    for (int radek = 0; radek < seznam->model()->rowCount(); ++radek) {
        const bool oznacen = std::find(ocekavane.begin(), ocekavane.end(), radek) != ocekavane.end();
        EXPECT_EQ(tabulka->isRowSelected(radek), oznacen) << "row " << radek;
        for (int sloupec = 0; sloupec < pocetSloupcu; ++sloupec) {
            QAccessibleInterface* bunka = tabulka->cellAt(radek, sloupec);
            ASSERT_NE(bunka, nullptr);
            EXPECT_EQ(bool(bunka->state().selected), oznacen) << "row " << radek << " column " << sloupec;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Oznaceni, VyberProAsistenci,
    ::testing::Values(
        Pripad{"klik", [](SeznamVysledku& s) { klik(s, 2); }, {2}},
        Pripad{"ctrl_a_shift", [](SeznamVysledku& s) { klik(s, 1); klik(s, 3, Qt::ShiftModifier);
                                                        klik(s, 6, Qt::ControlModifier); }, {1, 2, 3, 6}},
        Pripad{"shift_end", [](SeznamVysledku& s) { klik(s, 5); QTest::keyClick(&s, Qt::Key_End, Qt::ShiftModifier); },
               {5, 6, 7}},
        Pripad{"odznaceni", [](SeznamVysledku& s) { klik(s, 1); klik(s, 4, Qt::ShiftModifier);
                                                     klik(s, 2, Qt::ControlModifier); }, {1, 3, 4}},
        // Names s0, s5, s2, s7, s4, s1, s6, s3: ascending, s5 and s7 (rows 1 and 3) go to rows 5 and 7.
        Pripad{"razeni", [](SeznamVysledku& s) { klik(s, 1); klik(s, 3, Qt::ControlModifier);
                                                  s.modelSeznamu()->sortuj(Sloupec::Nazev, true); }, {5, 7}},
        Pripad{"vse", [](SeznamVysledku& s) { QTest::keyClick(&s, Qt::Key_A, Qt::ControlModifier); },
               {0, 1, 2, 3, 4, 5, 6, 7}},
        Pripad{"nic", [](SeznamVysledku& s) { klik(s, 2); s.clearSelection(); }, {}},
        Pripad{"pred_ctenarem", [](SeznamVysledku& s) { klik(s, 0); klik(s, 4, Qt::ControlModifier); }, {0, 4},
               false}),
    [](const auto& i) { return std::string(i.param.nazev); });

} // namespace
} // namespace zrc
