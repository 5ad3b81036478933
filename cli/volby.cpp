#include "volby.h"

#include "overeni_cli.h"
#include "denik_cli.h"

#include <QCommandLineParser>
#include <QRegularExpression>

namespace zrc::cli {

namespace {

// More listing threads than this only add contention: a walk is bound by the
// file system long before.
constexpr int maxVlaken = 256;

struct Definice {
    QCommandLineOption scope{"scope", "Which passes run: both, 1 (directory 1 as the source) or 2.", "both|1|2", "both"};
    QCommandLineOption same1{"same-subdirs1", "Walk only subdirectories of DIR1 that exist under DIR2.", "yes|no", "yes"};
    QCommandLineOption same2{"same-subdirs2", "Walk only subdirectories of DIR2 that exist under DIR1.", "yes|no", "yes"};
    QCommandLineOption filesSince{"files-since", "List only files changed after WHEN: Nd, Nh, Nm (the last N days, hours, minutes), YYYY-MM-DD or YYYY-MM-DDTHH:MM.", "WHEN"};
    QCommandLineOption dirsSince{"dirs-since", "Compare only the files of subdirectories whose own time is after WHEN (as --files-since).", "WHEN"};
    QCommandLineOption depth{"depth-match", "Walk a subdirectory only when the other side has it down to level N.", "N"};
    QCommandLineOption sizes{"time-filter-sizes", "Apply --files-since to the larger/smaller lists too."};
    QCommandLineOption exclude{"exclude", "Leave out files of these types (extensions, no dot).", "TYPE[,TYPE...]"};
    QCommandLineOption format{"format", "Output: text (default), tsv or json.", "text|tsv|json", "text"};
    QCommandLineOption threads{"threads", "Listing threads, 1 to 256 (default: 4 per core, at least 8).", "N"};
    QCommandLineOption oneFs{"one-file-system", "Do not enter mount points inside the trees (subdirectories on another file system); they are counted on standard error or in the JSON summary."};
};

std::optional<bool> anoNe(const QString& text)
{
    if (text == QLatin1String("yes"))
        return true;
    if (text == QLatin1String("no"))
        return false;
    return std::nullopt;
}

std::optional<int> nezaporneCislo(const QString& text)
{
    bool ok = false;
    const int n = text.toInt(&ok);
    if (!ok || n < 0)
        return std::nullopt;
    return n;
}

// Applies one time filter to the fields of filter 1 or 2.
void nastavFiltr(NastaveniPorovnani& n, int filtr, const CasovyFiltr& f)
{
    if (filtr == 1) {
        n.ChB_Filtr_1 = true;
        n.CB_Filtr_1 = f.rezim;
        n.SE_Filtr_1_Posledni = f.pocet;
        n.ChB_Filtr_1_Posledni = f.jednotka;
        if (f.datum.isValid())
            n.DTP_Filtr_1_OdData = f.datum;
        n.ME_Filtr_1_OdData = f.cas;
    } else {
        n.ChB_Filtr_2 = true;
        n.CB_Filtr_2 = f.rezim;
        n.SE_Filtr_2_Posledni = f.pocet;
        n.ChB_Filtr_2_Posledni = f.jednotka;
        if (f.datum.isValid())
            n.DTP_Filtr_2_OdData = f.datum;
        n.ME_Filtr_2_OdData = f.cas;
    }
}

VysledekParsovani chyba(const QString& text)
{
    return {std::nullopt, text, 2};
}

std::optional<QString> nactiVolby(const QCommandLineParser& p, const Definice& d, VolbyCli& v)
{
    NastaveniPorovnani& n = v.nastaveni;
    // Only the options given change the record: it may come from --ini/--history.
    if (p.isSet(d.scope)) {
        const QString scope = p.value(d.scope);
        if (scope == QLatin1String("both")) n.CBOmez = int(Omezeni::Oba);
        else if (scope == QLatin1String("1")) n.CBOmez = int(Omezeni::JenAdresar1);
        else if (scope == QLatin1String("2")) n.CBOmez = int(Omezeni::JenAdresar2);
        else return QStringLiteral("--scope: expected both, 1 or 2");
    }
    const auto s1 = anoNe(p.value(d.same1)), s2 = anoNe(p.value(d.same2));
    if (!s1 || !s2)
        return QStringLiteral("--same-subdirs1/--same-subdirs2: expected yes or no");
    if (p.isSet(d.same1))
        n.ChB_adresar1 = *s1;
    if (p.isSet(d.same2))
        n.ChB_adresar2 = *s2;
    const std::pair<const QCommandLineOption*, int> filtry[] = {{&d.filesSince, 1}, {&d.dirsSince, 2}};
    for (const auto& [volba, cislo] : filtry) {
        if (!p.isSet(*volba))
            continue;
        const auto f = parsujCasovyFiltr(p.value(*volba));
        if (!f)
            return QStringLiteral("--%1: expected Nd, Nh, Nm, YYYY-MM-DD or YYYY-MM-DDTHH:MM").arg(volba->names().first());
        nastavFiltr(n, cislo, *f);
    }
    if (p.isSet(d.depth)) {
        const auto uroven = nezaporneCislo(p.value(d.depth));
        if (!uroven)
            return QStringLiteral("--depth-match: expected a whole number 0 or more");
        n.ChB_Filtr_3 = true;
        n.SE_Filtr_3 = *uroven;
    }
    if (p.isSet(d.sizes))
        n.ChBIgnorCasFiltr = false;
    for (const QString& seznam : p.values(d.exclude))
        for (const QString& typ : seznam.split(QLatin1Char(','), Qt::SkipEmptyParts))
            v.vynechaneTypy.push_back(typ.trimmed());
    const QString format = p.value(d.format);
    if (format == QLatin1String("text")) v.format = Format::Text;
    else if (format == QLatin1String("tsv")) v.format = Format::Tsv;
    else if (format == QLatin1String("json")) v.format = Format::Json;
    else return QStringLiteral("--format: expected text, tsv or json");
    if (p.isSet(d.threads)) {
        const auto vlakna = nezaporneCislo(p.value(d.threads));
        if (!vlakna || *vlakna < 1 || *vlakna > maxVlaken)
            return QStringLiteral("--threads: expected a whole number from 1 to %1").arg(maxVlaken);
        v.vlakna = *vlakna;
    }
    if (p.isSet(d.oneFs))
        v.jineSvazky = JineSvazky::Vynechat;
    return std::nullopt;
}

} // namespace

std::optional<CasovyFiltr> parsujCasovyFiltr(const QString& text)
{
    static const QRegularExpression relativni(QStringLiteral("^(\\d{1,9})([dhm])$"));
    static const QRegularExpression absolutni(
        QStringLiteral("^(\\d{4})-(\\d{2})-(\\d{2})(?:T(\\d{2}):(\\d{2}))?$"));
    CasovyFiltr f;
    if (const auto m = relativni.match(text); m.hasMatch()) {
        f.rezim = int(RezimFiltru::ZaPoslednich);
        f.pocet = m.captured(1).toInt();
        const QChar j = m.captured(2).at(0);
        f.jednotka = int(j == 'd' ? JednotkaFiltru::Dny : j == 'h' ? JednotkaFiltru::Hodiny
                                                                   : JednotkaFiltru::Minuty);
        return f;
    }
    const auto m = absolutni.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    f.rezim = int(RezimFiltru::PoDatu);
    f.datum = QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    if (!f.datum.isValid())
        return std::nullopt;
    if (m.capturedLength(4) > 0) {
        const int h = m.captured(4).toInt(), min = m.captured(5).toInt();
        if (h > 23 || min > 59)
            return std::nullopt;
        f.cas = m.captured(4) + QLatin1Char(':') + m.captured(5);
    }
    return f;
}

VysledekParsovani parsujVolby(const QStringList& arguments)
{
    QCommandLineParser p;
    p.setApplicationDescription(QStringLiteral(
        "Compares two directory trees and prints the eight result lists: files that are\n"
        "new (NOVÉ), newer (NOVĚJŠÍ), larger (VĚTŠÍ) or smaller (MENŠÍ) on either side.\n"
        "Exit status: 0 nothing found, 1 differences listed (or, with --verify-equal,\n"
        "pairs whose bytes differ), 2 error."));
    const Definice d;
    p.addOptions({d.scope, d.same1, d.same2, d.filesSince, d.dirsSince, d.depth, d.sizes,
                  d.exclude, d.format, d.threads, d.oneFs});
    p.addOptions(volbyOvereni());
    p.addOptions(iniVolby());
    p.addOptions(volbyZbytku());
    p.addOption(volbaDeniku());
    const QCommandLineOption help = p.addHelpOption();
    const QCommandLineOption version = p.addVersionOption();
    p.addPositionalArgument(QStringLiteral("DIR1"), QStringLiteral("Directory 1."));
    p.addPositionalArgument(QStringLiteral("DIR2"), QStringLiteral("Directory 2."));
    if (!p.parse(arguments))
        return chyba(p.errorText());
    if (p.isSet(help)) {
        // Without a QCoreApplication the parser names the program by a placeholder.
        QString text = p.helpText();
        text.replace(QStringLiteral("<executable_name>"), arguments.value(0, QStringLiteral("zrcadlovac-cli")));
        return {std::nullopt, text, 0};
    }
    if (p.isSet(version))
        return {std::nullopt, QStringLiteral(ZRC_CLI_VERSION) + QLatin1Char('\n'), 0};
    const qsizetype adresaru = p.positionalArguments().size();
    QString chybaDeniku;
    if (const auto n = cisloDeniku(p, chybaDeniku)) {
        if (!chybaDeniku.isEmpty() || adresaru != 0)
            return chyba(chybaDeniku.isEmpty() ? QStringLiteral("--journal: takes no directories") : chybaDeniku);
        VolbyCli v;
        v.denik = n;
        if (const auto problem = nactiVolby(p, d, v))
            return chyba(*problem);
        return {std::move(v), {}, 0};
    }
    if (adresaru != 2 && !(adresaru == 0 && adresareZHistorie(p)))
        return chyba(QStringLiteral("expected two directories: DIR1 DIR2"));
    VolbyCli v;
    if (const auto problem = nactiZIni(p, adresaru == 2, v))
        return chyba(*problem);
    if (adresaru == 2) {
        v.nastaveni.adresar1 = p.positionalArguments().at(0);
        v.nastaveni.adresar2 = p.positionalArguments().at(1);
    }
    if (const auto problem = nactiVolby(p, d, v))
        return chyba(*problem);
    if (const auto problem = nactiVolbyZbytku(p, v.zbytky))
        return chyba(*problem);
    nactiOvereni(p, v);
    return {std::move(v), {}, 0};
}

} // namespace zrc::cli
