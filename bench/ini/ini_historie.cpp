// HistoriePridej on a full history (30 entries) against writing the same
// file once through the same atomic replacement.
//
//   ini_historie [DIR] [ROUNDS]     (DIR default /tmp, ROUNDS default 40)
//
// Both measurements include what every write of the store does: the lock,
// reading the old file, the temporary file, fsync and the rename. The
// baseline alternates between two full-history texts of the same size, so that
// every round really writes.

#include "settings/historie.h"
#include "settings/ini_soubor.h"

#include <QDir>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

using Hodiny = std::chrono::steady_clock;

zrc::NastaveniPorovnani zaznam(int i)
{
    zrc::NastaveniPorovnani n;
    n.adresar1 = QStringLiteral("/home/uzivatel/Dokumenty/projekt %1").arg(i);
    n.adresar2 = QStringLiteral("/mnt/zaloha/Dokumenty/projekt %1").arg(i);
    n.ChB_Filtr_1 = i % 2;
    n.SE_Filtr_1_Posledni = i;
    n.SEMazUroven = i % 5;
    return n;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

template <typename F>
double trvani(F&& f)
{
    const auto od = Hodiny::now();
    f();
    return std::chrono::duration<double, std::milli>(Hodiny::now() - od).count();
}

} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir dir(argc > 1 ? QString::fromLocal8Bit(argv[1]) + QStringLiteral("/zrc-ini-XXXXXX")
                               : QDir::tempPath() + QStringLiteral("/zrc-ini-XXXXXX"));
    const int kol = argc > 2 ? std::max(2, std::atoi(argv[2])) : 40;
    const QString cesta = dir.filePath(QStringLiteral("zrcadlovac.ini"));
    const QDate dnes = QDate::currentDate();
    for (int i = 0; i < zrc::MaxHistorie + 1; ++i)
        if (!zrc::HistoriePridej(cesta, zaznam(i), dnes).ok())
            return std::fprintf(stderr, "cannot write %s\n", qPrintable(cesta)), 2;

    std::vector<double> pridej, zapis;
    QByteArray texty[2];
    for (int k = 0; k < kol; ++k) {
        pridej.push_back(trvani([&] { (void)zrc::HistoriePridej(cesta, zaznam(100 + k), dnes); }));
        texty[k % 2] = zrc::nactiIni(cesta).text();
    }
    for (int k = 0; k < kol; ++k) {
        const QByteArray& text = texty[k % 2];
        zapis.push_back(trvani([&] {
            (void)zrc::zmenIni(cesta, [&](zrc::IniDokument& d) { d = zrc::IniDokument::zTextu(text); });
        }));
    }
    const double p = median(pridej), z = median(zapis);
    std::printf("file          %s (%lld bytes, %d entries)\n", qPrintable(cesta),
                static_cast<long long>(texty[0].size()), zrc::HistoriePocet(cesta));
    std::printf("HistoriePridej, full history   median %8.3f ms\n", p);
    std::printf("one write of the same file     median %8.3f ms\n", z);
    std::printf("ratio                          %8.2f x   (target: at most 3 x)\n", p / z);
    return 0;
}
