#include "app/core/nabidka_start.h"

#include "platform/syscalls.h"
#include "platform/zapisy.h"
#include "util/bajty_cesty.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QXmlStreamWriter>

namespace zrc {
namespace {

QString xdgDirectory(const char* variable, const QString& fallbackUnderHome)
{
    const QString value = qEnvironmentVariable(variable);
    // Relative values are invalid by the base directory rules and are ignored.
    if (!value.isEmpty() && QDir::isAbsolutePath(value))
        return value;
    return QDir::home().filePath(fallbackUnderHome);
}

// An ASCII identifier for file names and the menu category: diacritics
// dropped, lower case, every other character a dash ("Zrcadlovač" gives
// "zrcadlovac").
QString identifikator(const QString& nazev)
{
    QString id;
    for (const QChar c : nazev.normalized(QString::NormalizationForm_D)) {
        if (c.isLetterOrNumber() && c.unicode() < 0x80)
            id.append(c.toLower());
        else if (c.category() != QChar::Mark_NonSpacing && !id.endsWith(u'-'))
            id.append(u'-');
    }
    while (id.endsWith(u'-'))
        id.chop(1);
    return id.isEmpty() ? QStringLiteral("x") : id;
}

// Escapes of the "string" value type of desktop entries.
QString hodnota(const QString& text)
{
    QString out = text;
    out.replace(u'\\', QStringLiteral("\\\\"));
    out.replace(u'\n', QStringLiteral("\\n"));
    out.replace(u'\t', QStringLiteral("\\t"));
    out.replace(u'\r', QStringLiteral("\\r"));
    return out;
}

// One argument of an Exec line: always quoted, with the four characters that
// stay special inside quotes escaped and "%" doubled so that no field code
// appears; the result still gets the value escapes.
QString argumentExec(const QString& argument)
{
    QString quoted;
    for (const QChar c : argument) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            quoted.append(u'\\');
        quoted.append(c);
    }
    quoted.replace(u'%', QStringLiteral("%%"));
    return u'"' + quoted + u'"';
}

bool zapisSoubor(const QString& cesta, const QByteArray& obsah)
{
    auto& sys = platform::realSyscalls();
    if (platform::vytvorCestu(sys, bajtyZTextu(QFileInfo(cesta).path()), 0777) != 0)
        return false;
    const std::string_view data(obsah.constData(), static_cast<std::size_t>(obsah.size()));
    return platform::nahradSoubor(sys, bajtyZTextu(cesta), data).ok();
}

QByteArray adresarovaPolozka(const QString& skupina)
{
    const QString text = QStringLiteral("[Desktop Entry]\nType=Directory\nName=%1\n")
                             .arg(hodnota(skupina));
    return text.toUtf8();
}

// The merge file: a submenu of the applications menu named after the group,
// taking every entry of the group's own category.
QByteArray slucovaciMenu(const QString& skupina, const QString& id)
{
    QByteArray xml;
    QXmlStreamWriter w(&xml);
    w.setAutoFormatting(true);
    w.writeStartDocument();
    w.writeDTD(QStringLiteral(
        "<!DOCTYPE Menu PUBLIC \"-//freedesktop//DTD Menu 1.0//EN\"\n"
        " \"http://www.freedesktop.org/standards/menu-spec/1.0/menu.dtd\">"));
    w.writeStartElement(QStringLiteral("Menu"));
    w.writeTextElement(QStringLiteral("Name"), QStringLiteral("Applications"));
    w.writeStartElement(QStringLiteral("Menu"));
    w.writeTextElement(QStringLiteral("Name"), skupina);
    w.writeTextElement(QStringLiteral("Directory"), id + QStringLiteral(".directory"));
    w.writeStartElement(QStringLiteral("Include"));
    w.writeTextElement(QStringLiteral("Category"), QStringLiteral("X-") + id);
    w.writeEndElement();
    w.writeEndElement();
    w.writeEndElement();
    w.writeEndDocument();
    return xml;
}

QByteArray polozkaAplikace(const QString& idSkupiny, const QString& polozka,
                           const QString& prikaz)
{
    const QFileInfo cil(prikaz);
    QString exec = argumentExec(prikaz);
    if (!(cil.isFile() && cil.isExecutable()))
        exec.prepend(QStringLiteral("xdg-open "));
    QString text = QStringLiteral("[Desktop Entry]\nType=Application\nName=%1\nExec=%2\n")
                       .arg(hodnota(polozka), hodnota(exec));
    const QString pracovni = DruhyAdresarVzhuru(prikaz);
    if (!pracovni.isEmpty())
        text += QStringLiteral("Path=%1\n").arg(hodnota(pracovni));
    text += QStringLiteral("Terminal=false\nCategories=X-%1;\n").arg(idSkupiny);
    return text.toUtf8();
}

} // namespace

AdresareXdg AdresareXdg::zProstredi()
{
    return {xdgDirectory("XDG_DATA_HOME", QStringLiteral(".local/share")),
            xdgDirectory("XDG_CONFIG_HOME", QStringLiteral(".config"))};
}

QString DruhyAdresarVzhuru(const QString& cesta)
{
    const qsizetype posledni = cesta.lastIndexOf(u'/');
    if (posledni <= 0)
        return {};
    const qsizetype predposledni = cesta.lastIndexOf(u'/', posledni - 1);
    return predposledni < 0 ? QString() : cesta.left(predposledni);
}

bool VytvorZastupce(const QString& skupina, const QString& polozka, const QString& prikaz,
                    const AdresareXdg& kam)
{
    if (skupina.isEmpty() || polozka.isEmpty() || prikaz.isEmpty())
        return false;
    const QString id = identifikator(skupina);
    const QDir data(kam.dataHome);
    const QDir config(kam.configHome);
    bool ok = zapisSoubor(data.filePath(QStringLiteral("desktop-directories/%1.directory").arg(id)),
                          adresarovaPolozka(skupina));
    ok = zapisSoubor(config.filePath(QStringLiteral("menus/applications-merged/%1.menu").arg(id)),
                     slucovaciMenu(skupina, id))
         && ok;
    const QString soubor = QStringLiteral("applications/%1-%2.desktop").arg(id, identifikator(polozka));
    return zapisSoubor(data.filePath(soubor), polozkaAplikace(id, polozka, prikaz)) && ok;
}

void NastavNabidkuStart(const QString& cestaProgramu, const AdresareXdg& kam)
{
    const QString skupina = QString::fromUtf8(kSkupinaNabidky);
    VytvorZastupce(skupina, QString::fromUtf8(kPolozkaProgram), cestaProgramu, kam);
    const QString popis = QFileInfo(cestaProgramu).dir().filePath(QString::fromUtf8(kSouborPopisu));
    if (QFileInfo(popis).isFile())
        VytvorZastupce(skupina, QString::fromUtf8(kPolozkaPopis), popis, kam);
}

} // namespace zrc
