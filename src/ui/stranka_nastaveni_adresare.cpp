// The two directory fields: status text while they are edited, the directory
// chooser, creating the typed directory, and files or directories dropped
// from the file manager onto the "Adresář 1:" / "Adresář 2:" groups.
#include "ui/stranka_nastaveni.h"
#include "ui/cestina.h"
#include "ui/hlaseni.h"
#include "ui/zakl_okno_1_pomoc.h"

#include "operace/strom_operace.h"
#include "platform/listing.h"
#include "util/bajty_cesty.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLineEdit>
#include <QToolButton>

namespace zrc {

void StrankaNastaveni::propojAdresare()
{
    for (int strana : {1, 2}) {
        QComboBox* combo = adresar(strana);
        combo->installEventFilter(this);
        combo->lineEdit()->installEventFilter(this);
        connect(strana == 1 ? BBOpen1 : BBOpen2, &QToolButton::clicked, this, [this, strana] { BBOpenClick(strana); });
        connect(strana == 1 ? BBNew11 : BBNew2, &QToolButton::clicked, this, [this, strana] { BBNewClick(strana); });
        pridejCilPusteni(strana == 1 ? GroupBox2 : GroupBox7,
                         [this, strana](const QStringList& cesty) { adresarFileDropDrop(strana, cesty); });
    }
}

// The chooser opens at the field's directory (the current directory when the
// text names none); the chosen directory is taken as it is, letter case kept.
void StrankaNastaveni::BBOpenClick(int strana)
{
    QComboBox* combo = adresar(strana);
    const QString text = combo->currentText();
    const QString start = !text.isEmpty() && QFileInfo(text).isDir() ? text : QDir::currentPath();
    const QString vybrany = VyberAdresar(this, start);
    if (!vybrany.isEmpty())
        combo->setEditText(vybrany);
}

void StrankaNastaveni::BBNewClick(int strana)
{
    const QString d = adresar(strana)->currentText();
    // Asked through the name's bytes, as the comparison asks: a name that is
    // not UTF-8 (given on the command line) is a directory Qt cannot name.
    const auto jeAdresar = [&d] { return platform::isDirectory(bajtyZTextu(d).c_str()); };
    if (!d.isEmpty() && jeAdresar()) {
        Hlaseni(QStringLiteral("Adresář ") + d + QStringLiteral(" již existuje"), DruhHlaseni::Informace, Tlacitko::OK);
        return;
    }
    if (d.isEmpty()) {
        Hlaseni(QStringLiteral("Unable to create directory"), DruhHlaseni::Chyba, Tlacitko::OK);
        return;
    }
    // All missing parents, through the same creation the file operations use;
    // a trailing "/" changes nothing.
    ChybaSouboru chyba;
    StromOperace(platform::realSyscalls(), bajtyZTextu(d)).otevri({}, true, chyba);
    if (jeAdresar())
        Hlaseni(QStringLiteral("Adresář ") + d + QStringLiteral(" vytvořen"), DruhHlaseni::Informace, Tlacitko::OK);
    else
        Hlaseni(QStringLiteral("Adresář ") + d + QStringLiteral(" nelze vytvořit"), DruhHlaseni::Varovani,
                Tlacitko::OK);
}

// The first dropped item: a directory is taken whole, anything else gives its
// directory part with the trailing "/" (empty when it has none).
void StrankaNastaveni::adresarFileDropDrop(int strana, const QStringList& soubory)
{
    if (soubory.isEmpty())
        return;
    const QString& f = soubory.first();
    QString text;
    if (QFileInfo(f).isDir())
        text = f;
    else if (const qsizetype lomitko = f.lastIndexOf(QLatin1Char('/')); lomitko >= 0)
        text = f.left(lomitko + 1);
    adresar(strana)->setEditText(text);
}

} // namespace zrc
