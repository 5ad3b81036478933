// Base directories whose names are not UTF-8 (Latin-1 bytes), as a person uses
// them in the main window: both fields hold such a directory, the comparison
// lists the new files, F5 copies them to the other side. What reached the disk
// is checked under the original bytes of every name.

#include "test_okno_pomoc.h"

#include "support/soubory.h"
#include "support/temp_tree.h"
#include "ui/beh_porovnani.h"
#include "util/bajty_cesty.h"

#include <QComboBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>

#include <filesystem>
#include <set>

namespace zrc::test {
namespace {

namespace fs = std::filesystem;

const std::string zdroj = "zdroj\xe9";       // "zdrojé" in Latin-1
const std::string cil = "c\xedl";            // "cíl" in Latin-1
const std::string ucet = "\xfa\xe8" "et.txt"; // "účet.txt" in Latin-1

// Every path below the root, relative, in its own bytes.
std::set<std::string> cesty(const std::string& koren)
{
    std::set<std::string> s;
    for (const auto& e : fs::recursive_directory_iterator(koren))
        s.insert(fs::relative(e.path(), koren).string());
    return s;
}

class ZakladyMimoUtf8 : public OknoTest {
protected:
    TempTree t{dir(zdroj), dir(cil), file(zdroj + "/a.txt", 2, localTime(2024, 1, 10, 12)),
               file(zdroj + "/" + ucet, 5, localTime(2024, 1, 10, 12))};

    StrankyVysledku& vysledky() { return okno->vysledky(); }

    void porovnej()
    {
        otevri();
        okno->strankaNastaveni().adresar1->setEditText(textZBajtu(t.path(zdroj)));
        okno->strankaNastaveni().adresar2->setEditText(textZBajtu(t.path(cil)));
        QSignalSpy konec(&okno->beh(), &BehPorovnani::dokonceno);
        QTest::mouseClick(okno->strankaNastaveni().Button4, Qt::LeftButton);
        ASSERT_TRUE(konec.count() > 0 || konec.wait(20000));
    }
};

TEST_F(ZakladyMimoUtf8, NoveSouborySeZkopirujiNaDruhouStranu)
{
    porovnej();
    ASSERT_TRUE(zpravy.isEmpty()) << zpravy.join('|').toStdString();
    const QAbstractItemModel* nove = vysledky().model(1);
    ASSERT_EQ(nove->rowCount(), 2);
    QStringList nazvy;
    for (int r = 0; r < 2; ++r)
        nazvy << nove->index(r, int(Sloupec::Nazev)).data().toString();
    nazvy.sort();
    EXPECT_EQ(nazvy, (QStringList{QStringLiteral("a"), QStringLiteral("\uFFFD\uFFFDet")}));

    odpoved = Odpoved::Ano;   // any confirmation is answered "Ano"
    okno->PageControl1->setCurrentIndex(strankaSeznamu(1));
    SeznamVysledku* s = vysledky().seznam(1);
    s->setFocus();
    ASSERT_TRUE(pockej([&] { return s->hasFocus(); }));
    s->selectAll();
    QTest::keyClick(s, Qt::Key_F5);

    EXPECT_EQ(obsah(t.path(cil + "/a.txt")), obsah(t.path(zdroj + "/a.txt")));
    EXPECT_EQ(obsah(t.path(cil + "/" + ucet)).size(), 5u);
    EXPECT_EQ(cesty(t.root()), (std::set<std::string>{zdroj, zdroj + "/a.txt", zdroj + "/" + ucet, cil,
                                                      cil + "/a.txt", cil + "/" + ucet}))
        << "nothing is written under a name rebuilt from a display text";
    EXPECT_EQ(nove->rowCount(), 0);
    for (const QString& z : zpravy)
        ADD_FAILURE() << "unexpected message: " << bajtyZTextu(z);
}

} // namespace
} // namespace zrc::test
