#include "ui/volba_cile.h"

#include "operace/chyba_souboru.h"
#include "operace/prikazy.h"
#include "operace/strom_operace.h"
#include "platform/syscalls.h"
#include "ui/cestina.h"
#include "ui/hlaseni.h"
#include "util/bajty_cesty.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>

namespace zrc {

namespace {

// Qt's directory dialog accepts only a directory that exists: its "Vybrat"
// button goes grey while the name field holds a new name. This one keeps the
// button usable for a new name and hands that name back, so that the command
// can offer to create the directory.
class DialogCile : public QFileDialog {
public:
    DialogCile(QWidget* rodic, const QString& titulek, const QString& start)
        : QFileDialog(rodic, titulek, start)
    {
        setObjectName(QStringLiteral("VolbaCile"));
        CeskyDialog(*this);
        setFileMode(QFileDialog::Directory);
        setOption(QFileDialog::ShowDirsOnly);
        // No "new folder", rename or delete inside the dialog: those would
        // write past the program's system-call layer. A new name typed in the
        // field is created by PripravCil, after asking.
        setOption(QFileDialog::ReadOnly);
        setAcceptMode(QFileDialog::AcceptOpen);
        if (auto* tlacitka = findChild<QDialogButtonBox*>())
            vybrat_ = tlacitka->button(QDialogButtonBox::Open);
        nazev_ = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (vybrat_)
            vybrat_->installEventFilter(this);
    }

    void accept() override
    {
        if (novyNazev())
            QDialog::accept();   // selectedFiles() still names the new directory
        else
            QFileDialog::accept();
    }

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (o == vybrat_ && e->type() == QEvent::EnabledChange && !vybrat_->isEnabled() && novyNazev())
            vybrat_->setEnabled(true);
        return QFileDialog::eventFilter(o, e);
    }

private:
    bool novyNazev() const
    {
        if (!nazev_ || nazev_->text().trimmed().isEmpty())
            return false;
        const QStringList vybrane = selectedFiles();
        return !vybrane.isEmpty() && !QFileInfo(vybrane.first()).exists() && !QFileInfo(vybrane.first()).isSymLink();
    }

    QPushButton* vybrat_ = nullptr;
    QLineEdit* nazev_ = nullptr;
};

bool stat(platform::Syscalls& sys, const QString& cesta, struct stat& st, int& err)
{
    const platform::SysResult r = sys.fstatAt(AT_FDCWD, bajtyZTextu(cesta).c_str(), st, 0);
    err = r.err;
    return r.ok();
}

// Creates the directory with its missing parents, as the operations create
// their target directories; an empty text when it worked, else the reason.
QString vytvor(platform::Syscalls& sys, const QString& cesta)
{
    ChybaSouboru chyba;
    StromOperace(sys, bajtyZTextu(cesta)).otevri({}, true, chyba);
    return chyba ? textZBajtu(textChyby(chyba)) : QString();
}

} // namespace

namespace zpravyCile {

QString neexistuje(const QString& cesta)
{
    return QStringLiteral("Adresář\r") + cesta + QStringLiteral("\rneexistuje. Mám ho vytvořit?");
}

QString nelzeVytvorit(const QString& cesta, const QString& duvod)
{
    return QStringLiteral("Adresář\r") + cesta + QStringLiteral("\rnelze vytvořit: ") + duvod;
}

QString neniAdresar(const QString& cesta)
{
    return cesta + QStringLiteral("\rnení adresář. Vyberte adresář, do kterého se mají soubory uložit.");
}

QString vlastniZaklad(const QString& cesta, const QString& zaklad)
{
    // A path that reaches the base another way (a link) names the base too.
    const QString jiny = cesta == zaklad ? QString() : QStringLiteral(" ") + zaklad;
    return QStringLiteral("Vybraný adresář\r") + cesta +
           QStringLiteral("\rje adresář, ze kterého soubory pocházejí") + jiny +
           QStringLiteral(".\rSoubor nelze zkopírovat ani přesunout sám na sebe, nic se neprovedlo.");
}

} // namespace zpravyCile

std::optional<QString> VyberAdresarDialogem(QWidget* rodic, const QString& titulek, const QString& start)
{
    DialogCile d(rodic, titulek, start);
    if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty())
        return std::nullopt;
    return d.selectedFiles().first();
}

QString titulekVolbyCile(KodOperace kod)
{
    return kod == KodOperace::Presun ? QStringLiteral("Přesunout vybrané soubory do adresáře")
                                     : QStringLiteral("Zkopírovat vybrané soubory do adresáře");
}

std::optional<QString> PripravCil(const QString& zvoleny, const QString& vlastniZaklad, platform::Syscalls* s)
{
    platform::Syscalls& sys = s ? *s : platform::realSyscalls();
    QString cil = zvoleny;
    if (cil.size() > 1 && cil.endsWith(QLatin1Char('/')))
        cil.chop(1);
    if (cil.isEmpty())
        return std::nullopt;
    struct stat st {};
    int err = 0;
    if (!stat(sys, cil, st, err)) {
        if (err != ENOENT) {
            Hlaseni(zpravyCile::nelzeVytvorit(cil, textZBajtu(textChyby(ChybaSouboru::systemu(err)))),
                    DruhHlaseni::Chyba, Tlacitko::OK);
            return std::nullopt;
        }
        if (Hlaseni(zpravyCile::neexistuje(cil), DruhHlaseni::Potvrzeni, Tlacitko::Ano | Tlacitko::Ne) !=
            Odpoved::Ano)
            return std::nullopt;
        if (const QString duvod = vytvor(sys, cil); !duvod.isEmpty()) {
            Hlaseni(zpravyCile::nelzeVytvorit(cil, duvod), DruhHlaseni::Chyba, Tlacitko::OK);
            return std::nullopt;
        }
        return cil;
    }
    if (!S_ISDIR(st.st_mode)) {
        Hlaseni(zpravyCile::neniAdresar(cil), DruhHlaseni::Varovani, Tlacitko::OK);
        return std::nullopt;
    }
    struct stat zaklad {};
    if (stat(sys, vlastniZaklad, zaklad, err) && zaklad.st_dev == st.st_dev && zaklad.st_ino == st.st_ino) {
        Hlaseni(zpravyCile::vlastniZaklad(cil, vlastniZaklad), DruhHlaseni::Varovani, Tlacitko::OK);
        return std::nullopt;
    }
    return cil;
}

} // namespace zrc
