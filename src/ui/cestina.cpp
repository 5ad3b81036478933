#include "ui/cestina.h"

#include "util/bajty_cesty.h"
#include "util/velikost_text.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QIdentityProxyModel>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace zrc {

namespace {

// Qt 6 asks for the type names of its file dialogs ("Folder", "Drive",
// "Unknown", "Shortcut") in the context QAbstractFileIconProvider, which the
// Czech translation of Qt 6.4 lacks, so the choosers said "Folder". Qt 5
// asked for the same texts in the context QFileDialog, where the translation
// has them ("Složka"): they are taken from there.
class TypySouboru : public QTranslator {
public:
    TypySouboru(const QTranslator& qt, QObject* rodic) : QTranslator(rodic), qt_(qt) {}

    QString translate(const char* kontext, const char* text, const char* rozliseni, int n) const override
    {
        if (qstrcmp(kontext, "QAbstractFileIconProvider") != 0)
            return {};
        return qt_.translate("QFileDialog", text, rozliseni, n);
    }
    bool isEmpty() const override { return false; }

private:
    const QTranslator& qt_;
};

const QLocale& cesky()
{
    static const QLocale l(QLocale::Czech, QLocale::CzechRepublic);
    return l;
}

// Column 1 (size) and 3 (date modified) of Qt's file model, written again in
// Czech: the date as the Czech short form, a file's size by the program's one
// size formatter. A directory's empty size stays empty.
class CeskeUdaje final : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override
    {
        const auto* fs = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (!fs || role != Qt::DisplayRole || (index.column() != sloupecVelikosti && index.column() != sloupecData))
            return QIdentityProxyModel::data(index, role);
        const QModelIndex zdroj = mapToSource(index);
        if (index.column() == sloupecData)
            return cesky().toString(fs->lastModified(zdroj), QLocale::ShortFormat);
        if (fs->isDir(zdroj))
            return QIdentityProxyModel::data(index, role);
        return textZBajtu(velikostTextem(fs->size(zdroj)));
    }

private:
    static constexpr int sloupecVelikosti = 1;   // QFileSystemModel's columns
    static constexpr int sloupecData = 3;
};

} // namespace

void CeskyDialog(QFileDialog& dialog)
{
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setLocale(cesky());
    dialog.setProxyModel(new CeskeUdaje(&dialog));
}

QString VyberAdresar(QWidget* rodic, const QString& start)
{
    QFileDialog d(rodic, QString(), start);
    d.setObjectName(QStringLiteral("VyberAdresare"));
    CeskyDialog(d);
    d.setFileMode(QFileDialog::Directory);
    d.setOption(QFileDialog::ShowDirsOnly);
    if (d.exec() != QDialog::Accepted)
        return {};
    return d.selectedFiles().value(0);
}

bool NastavCestinu(QCoreApplication& aplikace)
{
    QLocale::setDefault(cesky());
    auto* preklad = new QTranslator(&aplikace);
    if (!preklad->load(cesky(), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete preklad;
        return false;
    }
    if (!QCoreApplication::installTranslator(preklad))
        return false;
    return QCoreApplication::installTranslator(new TypySouboru(*preklad, &aplikace));
}

} // namespace zrc
