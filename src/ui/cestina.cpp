#include "ui/cestina.h"

#include <QCoreApplication>
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

} // namespace

bool NastavCestinu(QCoreApplication& aplikace)
{
    const QLocale cesky(QLocale::Czech, QLocale::CzechRepublic);
    QLocale::setDefault(cesky);
    auto* preklad = new QTranslator(&aplikace);
    if (!preklad->load(cesky, QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete preklad;
        return false;
    }
    if (!QCoreApplication::installTranslator(preklad))
        return false;
    return QCoreApplication::installTranslator(new TypySouboru(*preklad, &aplikace));
}

} // namespace zrc
