#include "pomocne.h"
#include "settings/klice.h"
#include "settings/seznamy.h"

namespace zrc {
namespace {

using Seznamy = test::IniTest;

// The keys "1".."N" of a section as one list, missing keys as "<none>".
QStringList klice(const QString& cesta, QStringView sekce, int n)
{
    const IniDokument d = nactiIni(cesta);
    QStringList ven;
    for (int i = 1; i <= n; ++i)
        ven << d.hodnota(sekce, QString::number(i)).value_or(QStringLiteral("<none>"));
    return ven;
}

struct PripadPridani {
    const char* nazev;
    QStringList pred;           // keys 1..size before
    QString hodnota;
    SrovnaniPolozek srovnani;
    int sloty;
    QStringList po;             // keys 1..sloty after
};

void PrintTo(const PripadPridani& p, std::ostream* os) { *os << p.nazev; }

class PridaniNaZacatek : public Seznamy, public ::testing::WithParamInterface<PripadPridani> {};

TEST_P(PridaniNaZacatek, posuneJenCoMa)
{
    const PripadPridani& p = GetParam();
    QByteArray text = "[Adresar1]\n";
    for (int i = 0; i < p.pred.size(); ++i)
        text += QByteArray::number(i + 1) + '=' + p.pred[i].toUtf8() + '\n';
    zapisSoubor(text);
    ASSERT_TRUE(PridejNaZacatek(cesta, ini::Adresar1, p.hodnota, {.sloty = p.sloty, .srovnani = p.srovnani}).ok());
    EXPECT_EQ(klice(cesta, ini::Adresar1, p.po.size()), p.po);
}

QStringList ocislovane(int od, int po)
{
    QStringList l;
    for (int i = od; i <= po; ++i)
        l << QStringLiteral("/d%1").arg(i);
    return l;
}

const QString zadny = QStringLiteral("<none>");

INSTANTIATE_TEST_SUITE_P(Seznamy, PridaniNaZacatek, ::testing::Values(
    // The match at 2 moves up, the entry below it stays.
    PripadPridani{"shodaNaDruhem", {"C:\\B", "c:\\a", "C:\\D"}, "C:\\A", SrovnaniPolozek::BezVelikostiAZ, 20,
                  {"C:\\A", "C:\\B", "C:\\D", zadny}},
    // Directory paths compare exactly: /A and /a are two directories.
    PripadPridani{"presnePorovnani", {"/b", "/A", "/d"}, "/a", SrovnaniPolozek::Presne, 5,
                  {"/a", "/b", "/A", "/d", ""}},
    PripadPridani{"ceskaPismenaSeNeskladaji", {"/Č"}, "/č", SrovnaniPolozek::BezVelikostiAZ, 2, {"/č", "/Č"}},
    PripadPridani{"shodaNaPrvnim", {"/a", "/b"}, "/a", SrovnaniPolozek::Presne, 20, {"/a", "/b", zadny}},
    PripadPridani{"triZaznamyDoplniPrazdne", {"/1", "/2", "/3"}, "/n", SrovnaniPolozek::Presne, 20,
                  QStringList{"/n", "/1", "/2", "/3"} + QStringList(16, QString())},
    PripadPridani{"dvacatyVypadne", ocislovane(1, 20), "/n", SrovnaniPolozek::Presne, 20,
                  QStringList{"/n"} + ocislovane(1, 19)},
    PripadPridani{"posledniShodaPlati", {"/x", "/a", "/y", "/a"}, "/a", SrovnaniPolozek::Presne, 20,
                  {"/a", "/x", "/a", "/y", zadny}},
    PripadPridani{"nulaSlotuJeJeden", {"/a", "/b"}, "/c", SrovnaniPolozek::Presne, 0, {"/c", "/b"}}),
    [](const auto& info) { return std::string(info.param.nazev); });

TEST_F(Seznamy, nacteniPreskociPrazdneADuplicity)
{
    zapisSoubor("[Adresar1]\n1=C:\\X\n2=c:\\x\n3=\n4=C:\\Y\n5=C:\\X\n");
    EXPECT_EQ(NactiDoComboBoxu(cesta, ini::Adresar1, {.srovnani = SrovnaniPolozek::BezVelikostiAZ}),
              (QStringList{"C:\\X", "C:\\Y"}));
    EXPECT_EQ(NactiDoComboBoxu(cesta, ini::Adresar1), (QStringList{"C:\\X", "c:\\x", "C:\\Y"}));
    EXPECT_EQ(NactiDoComboBoxu(cesta, ini::Adresar1, {.sloty = 2}), (QStringList{"C:\\X", "c:\\x"}));
}

TEST_F(Seznamy, obaSeznamyAdresaru)
{
    zapisSoubor("[Adresar1]\n1=/a\n20=/z\n21=/pryc\n[Adresar2]\n2=/b\n");
    const auto [prvni, druhy] = NactiAdresare(cesta);
    EXPECT_EQ(prvni, (QStringList{"/a", "/z"}));
    EXPECT_EQ(druhy, (QStringList{"/b"}));
}

TEST_F(Seznamy, desetSlotuSMezerami)
{
    zapisSoubor("[oznaceni]\n1=JPG\n2=PNG\n5=GIF\n10=TIF\n11=NE\n");
    EXPECT_EQ(NactiListBox(cesta, ini::oznaceni), (QStringList{"JPG", "PNG", "GIF", "TIF"}));
    const std::vector<QString> menu = NaplnMenu(cesta, ini::oznaceni, 10);
    EXPECT_EQ(menu, (std::vector<QString>{"JPG", "PNG", "", "", "GIF", "", "", "", "", "TIF"}));
    EXPECT_TRUE(NaplnMenu(cesta, ini::oznaceni, 0).empty());
    EXPECT_EQ(CtiPolozku(cesta, ini::oznaceni, 5), QStringLiteral("GIF"));
    EXPECT_EQ(CtiPolozku(cesta, ini::oznaceni, 3), QString());
}

TEST_F(Seznamy, ulozeniListuVyprazdniZbyleSloty)
{
    zapisSoubor("[Typ]\npouzit=1\n1=A\n2=B\n3=C\n4=D\n7=G\n");
    ASSERT_TRUE(UlozListBox(cesta, ini::Typ, {"BAK", "TMP"}).ok());
    EXPECT_EQ(klice(cesta, ini::Typ, 10), (QStringList{"BAK", "TMP", "", "", "", "", "", "", "", ""}));
    EXPECT_TRUE(IniCtiBool(cesta, ini::Typ, ini::pouzit, false));
}

} // namespace
} // namespace zrc
