// The date of a time filter taken from a file or directory: chosen in a
// dialog (the ".." button) or dropped from the file manager on that button.
#include "ui/stranka_nastaveni.h"
#include "ui/cestina.h"
#include "ui/volby_ovladacu.h"
#include "ui/zakl_okno_1_pomoc.h"

#include "engine/prevod_filtru.h"
#include "platform/listing.h"
#include "util/bajty_cesty.h"

#include <QDateEdit>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>

namespace zrc {

namespace {

// The modification time of a file or of a directory's own entry, in the
// 2-second packed form the comparison uses, as a date-time, read through the
// platform layer as the comparison reads it.
std::optional<DatumCas> casPolozky(const QString& cesta)
{
    std::error_code chyba;
    const auto info = platform::statPath(bajtyZTextu(cesta).c_str(), platform::FollowLinks::Yes, chyba);
    if (!info)
        return std::nullopt;   // gone since it was chosen: the filter stays as it is
    return datumCasZBalenehoCasu(balenyCasZUnix(std::time_t(info->mtime)));
}

QFileDialog* vytvorDialog(QWidget* rodic, const QString& titulek)
{
    // Qt's own dialog: it keeps the last choice between uses.
    auto* d = new QFileDialog(rodic, titulek);
    CeskyDialog(*d);
    return d;
}

} // namespace

void StrankaNastaveni::propojDatumFiltru()
{
    pridejCilPusteni(B_Filtr_1_OdData, [this](const QStringList& c) { B_Filtr_1_OdDataFileDropDrop(c); });
    pridejCilPusteni(B_Filtr_2_OdData, [this](const QStringList& c) { B_Filtr_2_OdDataFileDropDrop(c); });
}

// A cancelled dialog keeps the file chosen last time, whose date is then
// taken again.
void StrankaNastaveni::B_Filtr_1_OdDataClick()
{
    if (!Dialog_Filtr_1) {
        Dialog_Filtr_1 = vytvorDialog(this, QStringLiteral("Dle souboru .."));
        Dialog_Filtr_1->setObjectName(QStringLiteral("Dialog_Filtr_1"));
        Dialog_Filtr_1->setFileMode(QFileDialog::ExistingFile);
        Dialog_Filtr_1->setNameFilter(QStringLiteral("všechny soubory (*)"));
    }
    Dialog_Filtr_1->exec();
    const QString soubor = Dialog_Filtr_1->selectedFiles().value(0);
    if (soubor.isEmpty() || !QFileInfo(soubor).isFile())
        return;
    if (const auto x = casPolozky(soubor))
        B_Filtr_1_OdDataAkce(*x);
}

// The directory chooser opens at the directory it returned last and returns
// one only when confirmed; its last answer is used either way.
void StrankaNastaveni::B_Filtr_2_OdDataClick()
{
    if (!Dialog_Filtr_2) {
        Dialog_Filtr_2 = vytvorDialog(this, QString());
        Dialog_Filtr_2->setObjectName(QStringLiteral("Dialog_Filtr_2"));
        Dialog_Filtr_2->setFileMode(QFileDialog::Directory);
        Dialog_Filtr_2->setOption(QFileDialog::ShowDirsOnly);
    }
    if (!adresarFiltru2_.isEmpty())
        Dialog_Filtr_2->setDirectory(adresarFiltru2_);
    if (Dialog_Filtr_2->exec() == QDialog::Accepted)
        adresarFiltru2_ = Dialog_Filtr_2->selectedFiles().value(0);
    if (adresarFiltru2_.isEmpty() || !QFileInfo(adresarFiltru2_).isDir())
        return;
    if (const auto x = casPolozky(adresarFiltru2_))
        B_Filtr_2_OdDataAkce(*x);
}

// Only the first dropped name counts: filter 1 (files) tries it as a file
// first, filter 2 (subdirectories) as a directory first.
void StrankaNastaveni::B_Filtr_1_OdDataFileDropDrop(const QStringList& cesty)
{
    if (cesty.isEmpty())
        return;
    const QFileInfo f(cesty.first());
    if (!f.isFile() && !f.isDir())
        return;
    if (const auto x = casPolozky(cesty.first()))
        B_Filtr_1_OdDataAkce(*x);
}

void StrankaNastaveni::B_Filtr_2_OdDataFileDropDrop(const QStringList& cesty)
{
    if (cesty.isEmpty())
        return;
    const QFileInfo f(cesty.first());
    if (!f.isDir() && !f.isFile())
        return;
    if (const auto x = casPolozky(cesty.first()))
        B_Filtr_2_OdDataAkce(*x);
}

void StrankaNastaveni::B_Filtr_1_OdDataAkce(DatumCas x) { datumFiltru(1, x); }
void StrankaNastaveni::B_Filtr_2_OdDataAkce(DatumCas x) { datumFiltru(2, x); }

// Date and time of the filter from x; mode, count and unit stay, nothing is
// converted. From now on date-time texts show hours and minutes only.
void StrankaNastaveni::datumFiltru(int filtr, DatumCas x)
{
    const QDateTime t = qDateTimeZDatumCasu(x);
    (filtr == 1 ? DTP_Filtr_1_OdData : DTP_Filtr_2_OdData)->setDate(t.date());
    emit formatCasu(DlouhyFormatCasu::HodinyMinuty);
    nastavTextCasovehoPole(filtr == 1 ? ME_Filtr_1_OdData : ME_Filtr_2_OdData, textCasuFiltru(t.time()));
}

} // namespace zrc
