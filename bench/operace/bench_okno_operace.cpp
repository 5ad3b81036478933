// The progress window during a 1 GiB copy: how often it is updated and the
// longest time the user-interface thread was blocked.
//
//   bench_okno_operace [--dir DIR] [--snimek FILE.png] [--za MS] [--pomalu 1]
//
// A 5 ms timer on the user-interface thread measures the largest gap between
// its ticks; the status-line callback marks every update of the window. With
// --snimek, `import -window root` takes a picture of the screen 300 ms (--za)
// into the copy; --pomalu 1 holds every 1 MiB write for 8 ms (~120 MiB/s, a
// copy of some 8 s), so that the picture shows the progress line settled (run under xvfb-run with a window manager for the window frames).

#include "ui/beh_operace_okno.h"
#include "ui/copy_info.h"
#include "platform/syscalls.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QProcess>
#include <QStatusBar>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

constexpr std::int64_t gib = std::int64_t{1} << 30;

void pripravZdroj(const std::string& cesta)
{
    if (std::filesystem::exists(cesta) && std::filesystem::file_size(cesta) == std::uint64_t(gib))
        return;
    std::system(("head -c 1073741824 /dev/urandom > '" + cesta + "'").c_str());
}

void zahodCache(const std::string& cesta)
{
    const int fd = ::open(cesta.c_str(), O_RDONLY);
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
    ::close(fd);
}

class PomaleZapisy : public zrc::platform::Syscalls {
public:
    zrc::platform::SysResult pwrite(int fd, const void* b, std::size_t n, off_t o) override
    {
        ::usleep(8000);
        return Syscalls::pwrite(fd, b, n, o);
    }
    zrc::platform::SysResult copyFileRange(int, off_t*, int, off_t*, std::size_t) override
    {
        return zrc::platform::SysResult::fail(EOPNOTSUPP);
    }
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    std::string adresar = "/var/tmp/zrc-bench-ops";
    QString snimek;
    int za = 300;
    bool pomalu = false;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::string(argv[i]) == "--dir")
            adresar = argv[i + 1];
        else if (std::string(argv[i]) == "--snimek")
            snimek = QString::fromLocal8Bit(argv[i + 1]);
        else if (std::string(argv[i]) == "--pomalu")
            pomalu = std::string(argv[i + 1]) == "1";
        else if (std::string(argv[i]) == "--za")
            za = std::atoi(argv[i + 1]);
    }
    const std::string zdroj = adresar + "/okno-zdroj", cil = adresar + "/okno-cil";
    std::filesystem::create_directories(zdroj);
    std::filesystem::remove_all(cil);
    pripravZdroj(zdroj + "/obraz-disku.img");
    zahodCache(zdroj + "/obraz-disku.img");
    ::sync();

    QMainWindow hlavni;
    hlavni.setWindowTitle(QStringLiteral("Zrcadlovač - Květodílna"));
    hlavni.resize(760, 520);
    hlavni.show();
    QElapsedTimer hodiny;
    qint64 posledniTik = -1, nejdelsiMezera = 0, posledniObnova = -1, nejdelsiObnova = 0;
    int obnov = 0;
    zrc::BehOperaceVOkne beh(&hlavni, [&](const QString& s) {
        hlavni.statusBar()->showMessage(s);
        const qint64 t = hodiny.elapsed();
        if (posledniObnova >= 0)
            nejdelsiObnova = std::max(nejdelsiObnova, t - posledniObnova);
        posledniObnova = t;
        ++obnov;
    });
    QTimer tik;
    tik.setInterval(5);
    QObject::connect(&tik, &QTimer::timeout, [&] {
        const qint64 t = hodiny.elapsed();
        if (posledniTik >= 0)
            nejdelsiMezera = std::max(nejdelsiMezera, t - posledniTik);
        posledniTik = t;
    });
    if (!snimek.isEmpty())
        QObject::connect(&beh, &zrc::BehOperaceVOkne::oknoOtevreno, [&] {
            QTimer::singleShot(za, [&] {
                QProcess::execute(QStringLiteral("import"),
                                  {QStringLiteral("-window"), QStringLiteral("root"), snimek});
            });
        });
    zrc::ZadaniOperace z;
    z.zdroj = zdroj;
    z.cil = cil;
    z.operace = zrc::OperaceKodu(1, int(zrc::KodOperace::Kopie));
    z.polozky = {{"obraz-disku.img", gib}};
    hodiny.start();
    tik.start();
    PomaleZapisy sys;
    zrc::VolbyOperace volby;
    if (pomalu) {
        volby.sys = &sys;
        volby.blokCteni = std::size_t{1} << 20;
    }
    const auto v = beh.proved(z, volby);
    const qint64 celkem = hodiny.elapsed();
    tik.stop();
    std::printf("1 GiB copy in the window: %.3f s, %d window updates, longest interval between "
                "updates %lld ms, longest user-interface block %lld ms%s\n",
                celkem / 1000.0, obnov, static_cast<long long>(nejdelsiObnova),
                static_cast<long long>(nejdelsiMezera), snimek.isEmpty() ? "" : " (with a screenshot)");
    std::filesystem::remove_all(cil);
    return v.vyrizene.size() == 1 ? 0 : 1;
}
