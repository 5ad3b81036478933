#include "denik_cli.h"

#include "operace/slozka_deniku.h"
#include "util/bajty_cesty.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cerrno>
#include <cstring>
#include <string>

namespace zrc::cli {

namespace {

std::string polozkaKose(const ZaznamDeniku& z)
{
    return z.kos.empty() ? std::string() : z.kos + "/files/" + z.vKosi;
}

std::string datum(std::time_t cas)
{
    return QDateTime::fromSecsSinceEpoch(cas).toString(Qt::ISODate).toStdString();
}

// TSV: the journal's own escapes (bytes below 0x21, DEL and "%" as "%XX"),
// so that a script gets every name's exact bytes back.
std::string tsv(const Denik& d)
{
    std::string s;
    for (const auto& z : d.zaznamy)
        s += std::string(jmenoDruhu(z.druh)) + '\t' + zakoduj(z.cesta) + '\t' + zakoduj(z.cil) + '\t' +
             zakoduj(polozkaKose(z)) + '\t' + std::to_string(z.identita.velikost) + '\t' + zakoduj(z.duvod) + '\n';
    return s;
}

QString zobrazeni(const std::string& bajty)
{
    return textProZobrazeni(bajty);
}

std::string json(const Denik& d)
{
    QJsonArray polozky;
    for (const auto& z : d.zaznamy)
        polozky.append(QJsonObject{{"action", QString::fromUtf8(jmenoDruhu(z.druh))},
                                   {"path", zobrazeni(z.cesta)},
                                   {"target", zobrazeni(z.cil)},
                                   {"trash", zobrazeni(polozkaKose(z))},
                                   {"size", qint64(z.identita.velikost)},
                                   {"reason", QString::fromStdString(z.duvod)}});
    const QJsonObject o{{"journal", zobrazeni(d.cesta)},
                        {"operation", QString::fromUtf8(jmenoDruhu(d.hlavicka.druh))},
                        {"directory1", zobrazeni(d.hlavicka.zdroj)},
                        {"directory2", zobrazeni(d.hlavicka.cil)},
                        {"time", QString::fromStdString(datum(d.hlavicka.cas))},
                        {"truncated", d.useknuty},
                        {"items", polozky}};
    return QJsonDocument(o).toJson(QJsonDocument::Indented).toStdString();
}

// Text for a terminal: control characters as "%XX", so that no escape
// sequence from a file name reaches the terminal.
std::string proTerminal(const std::string& bajty)
{
    std::string s;
    for (const char c : zobrazeni(bajty).toStdString()) {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 0x20 && u != 0x7f && u != '%') {
            s += c;
            continue;
        }
        s += zakoduj(std::string_view(&c, 1));
    }
    return s;
}

std::string text(const Denik& d)
{
    const auto z = proTerminal;
    std::string s = std::string(jmenoDruhu(d.hlavicka.druh)) + "  " + datum(d.hlavicka.cas) + "  " +
                    z(d.hlavicka.zdroj) + " -> " + z(d.hlavicka.cil) + "\n";
    for (const auto& r : d.zaznamy) {
        s += std::string(jmenoDruhu(r.druh)) + "\t" + z(r.cesta.empty() ? r.cil : r.cesta);
        if (!r.cesta.empty() && !r.cil.empty())
            s += " -> " + z(r.cil);
        if (!r.kos.empty())
            s += "  (koš: " + z(polozkaKose(r)) + ")";
        if (!r.duvod.empty())
            s += "  (" + r.duvod + ")";
        s += "\n";
    }
    return s;
}

void chyba(const std::string& zprava)
{
    std::fputs((zprava + "\n").c_str(), stderr);
}

} // namespace

QCommandLineOption volbaDeniku()
{
    return {"journal",
            QStringLiteral("List the journal of operation N of the window program instead of comparing, 1 to %1 "
                           "(1 is the newest).")
                .arg(ponechatDeniku),
            "N"};
}

std::optional<int> cisloDeniku(const QCommandLineParser& p, QString& chybaText)
{
    const QString jmeno = QStringLiteral("journal");
    if (!p.isSet(jmeno))
        return std::nullopt;
    bool ok = false;
    const int n = p.value(jmeno).toInt(&ok);
    if (!ok || n < 1 || n > int(ponechatDeniku))
        chybaText = QStringLiteral("--journal: expected a whole number from 1 to %1").arg(ponechatDeniku);
    return n;
}

int vypisDenik(std::FILE* f, int n, Format format)
{
    const std::string adresar = adresarDeniku();
    const auto deniky = denikyVAdresari(adresar);
    if (std::size_t(n) > deniky.size()) {
        chyba("Deník operace " + std::to_string(n) + " v " + adresar + " není (deníků: " +
              std::to_string(deniky.size()) + ").");
        return 2;
    }
    const auto c = ctiDenik(deniky[deniky.size() - std::size_t(n)]);
    if (!c.denik) {
        chyba(c.chyba);
        return 2;
    }
    const std::string s = format == Format::Json ? json(*c.denik) : format == Format::Tsv ? tsv(*c.denik)
                                                                                        : text(*c.denik);
    errno = 0;
    if (std::fwrite(s.data(), 1, s.size(), f) != s.size() || std::fflush(f) != 0) {
        chyba(std::string("Standardní výstup nelze zapsat: ") + std::strerror(errno ? errno : EIO));
        return 2;
    }
    return 0;
}

} // namespace zrc::cli
