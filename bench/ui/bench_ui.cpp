// Benchmark of the window's comparison run.
//
//   bench_ui --cli PATH [--dir DIR] [--rounds N] [--make-trees SCRIPT]
//
// 1. Times, in interleaved rounds on the benchmark pair DIR/A, DIR/B (built by
//    bench/make_trees when missing), the command line
//      zrcadlovac-cli --format tsv --same-subdirs1 no --same-subdirs2 no A B
//    against the window's run with the same options: from the click on
//    "&Porovnej" until the run has ended with all eight lists filled and sorted
//    (configured sort: by name, ascending) on shown, offscreen lists.
//    Target: the window takes at most 1.1 x the command line's median, and no
//    block of the window's thread (final sort of the lists included) is longer
//    than 100 ms.
// 2. Compares A with an empty directory, which fills one list with every file
//    of A, and times a sort of that list by each of the five columns, repaint
//    included. Target: each at most 0.2 x the window's median comparison time.
//    Each sort (here and in 3.) also reports the longest input wait: the
//    longest the window's own event loop, the one that takes key presses and
//    clicks, stayed away while the sort ran. Target: at most 100 ms.
// 3. Without a pair (--synthetic N): feeds N made-up items to a shown list in
//    batches every 100 ms as a run does, and reports the longest block of the
//    window's thread (a heartbeat timer) while they arrive, during a sort per
//    column and a scroll to the end, then times marking by type and by a
//    directory mask; with those items marked a repaint after scrolling a page,
//    the status line, a Ctrl-click and a sort; Ctrl+A and a sort with every
//    item selected. Target: no block over 100 ms at 1 000 000.
// 4. --memory: peak memory (VmHWM) of the command line and of the window
//    program's run on the pair, each in a process of its own.
//    Target: the window at most 2 x the command line.

#include "platform/pamet.h"
#include "settings/ini_soubor.h"
#include "ui/beh_porovnani.h"
#include "ui/hlaseni.h"
#include "ui/stranky_vysledku.h"

#include <QApplication>
#include <QTimer>
#include <QBoxLayout>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QEventLoop>
#include <QLabel>
#include <QProcess>
#include <QScrollBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <memory>
#include <vector>

namespace {

using namespace zrc;

struct Volby {
    QString cli, dir, makeTrees, ini;
    int kola = 3;
    int synteticky = 0;
    bool pamet = false;      // --memory: peak memory of both programs
    bool jedenBeh = false;   // --window-once: one window run, for --memory
};

// CPU time of the calling thread: under a loaded machine the wall time of a
// sort says more about the load than about the sort.
double cpuVlakna()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + t.tv_nsec / 1e9;
}

// The longest time the window's thread stayed away from its event loop: a 5 ms
// timer on that thread ticks whenever the loop runs, so the largest gap between
// two ticks bounds every block (a repaint, an insertion, a sort) from above.
// Beside the wall time it keeps the window thread's CPU time between two ticks:
// on a machine shared by several builds a thread waits for a core, and a 20 ms
// piece of work may show as a 100 ms gap; the CPU time is the work itself.
class Tep : public QObject {
public:
    Tep()
    {
        casovac_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&casovac_, &QTimer::timeout, this, [this] { tik(); });
    }
    void start()
    {
        nejdelsi_ = nejdelsiCpu_ = 0;
        hodiny_.start();
        posledni_ = 0;
        posledniCpu_ = cpuVlakna();
        casovac_.start(5);
    }
    // Seconds of the longest gap since start(), the gap up to now included.
    double nejdelsi()
    {
        tik();
        return nejdelsi_ / 1e9;
    }
    double nejdelsiCpu() const { return nejdelsiCpu_; }

private:
    void tik()
    {
        const qint64 ted = hodiny_.nsecsElapsed();
        const double cpu = cpuVlakna();
        nejdelsi_ = std::max(nejdelsi_, ted - posledni_);
        nejdelsiCpu_ = std::max(nejdelsiCpu_, cpu - posledniCpu_);
        posledni_ = ted;
        posledniCpu_ = cpu;
    }
    QTimer casovac_;
    QElapsedTimer hodiny_;
    qint64 posledni_ = 0, nejdelsi_ = 0;
    double posledniCpu_ = 0, nejdelsiCpu_ = 0;
};

// The longest a key press or a click would have waited while a sort ran: the
// gaps between ticks of a 5 ms timer taken only at the event loop the
// benchmark waits in. A tick from a nested event loop (one that a sort ran
// while it kept user input out) does not count as the window taking input.
class CekaniVstupu : public QObject {
public:
    CekaniVstupu()
    {
        casovac_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&casovac_, &QTimer::timeout, this, [this] { tik(); });
    }
    // Starts measuring from the event loop at level uroven (QThread::loopLevel()).
    void start(int uroven)
    {
        uroven_ = uroven;
        nejdelsi_ = 0;
        hodiny_.start();
        posledni_ = 0;
        casovac_.start(5);
    }
    double nejdelsi()
    {
        casovac_.stop();
        return std::max(nejdelsi_, hodiny_.nsecsElapsed() - posledni_) / 1e9;
    }

private:
    void tik()
    {
        if (QThread::currentThread()->loopLevel() > uroven_)
            return;
        const qint64 ted = hodiny_.nsecsElapsed();
        nejdelsi_ = std::max(nejdelsi_, ted - posledni_);
        posledni_ = ted;
    }
    QTimer casovac_;
    QElapsedTimer hodiny_;
    int uroven_ = 0;
    qint64 posledni_ = 0, nejdelsi_ = 0;
};

// Clicks the list's header for column c from inside an event loop and runs
// that loop until the rows are in order; returns the longest input wait.
double seradACekej(SeznamVysledku* seznam, int c)
{
    QEventLoop smycka;
    CekaniVstupu cekani;
    QTimer::singleShot(0, &smycka, [&] {
        cekani.start(QThread::currentThread()->loopLevel());
        seznam->ListView1ColumnClick(c);
        if (!seznam->modelSeznamu()->razeniBezi())
            smycka.quit();
    });
    QObject::connect(seznam->modelSeznamu(), &ResultListModel::serazeno, &smycka, &QEventLoop::quit);
    smycka.exec();
    QCoreApplication::processEvents();   // the repaint of the sorted list
    return cekani.nejdelsi();
}

// Peak resident memory of this process (VmHWM), in MiB.
double spickaPametiMiB()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& radek : f.readAll().split('\n'))
        if (radek.startsWith("VmHWM:"))
            return radek.mid(6).trimmed().split(' ').value(0).toDouble() / 1024;
    return 0;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// A result window as the program builds it: five pages, two shown lists each.
struct Okno {
    QTabWidget tabs;
    std::unique_ptr<StrankyVysledku> stranky;
    std::unique_ptr<BehPorovnani> beh;
    double nejdelsiBlok = 0, nejdelsiBlokCpu = 0;   // of the window's thread during the last run

    explicit Okno(const QString& ini)
    {
        for (const char* t : {"Nastavení", "NOVÉ", "NOVĚJŠÍ", "VĚTŠÍ", "MENŠÍ"})
            tabs.addTab(new QWidget, QString::fromUtf8(t));
        stranky = std::make_unique<StrankyVysledku>(&tabs);
        for (int s = 1; s <= 4; ++s) {
            auto* l = new QHBoxLayout(tabs.widget(s));
            l->addWidget(stranky->seznam(2 * s - 1));
            l->addWidget(stranky->seznam(2 * s));
        }
        stranky->setCestaIni(ini);
        beh = std::make_unique<BehPorovnani>(*stranky);
        beh->setCestaIni(ini);
        tabs.resize(632, 449);
        tabs.show();
    }

    // Seconds from the click to the end of the run's completion.
    double porovnej(const QString& a, const QString& b)
    {
        ZadaniBehu z;
        z.nastaveni.adresar1 = a;
        z.nastaveni.adresar2 = b;
        z.nastaveni.ChB_adresar1 = false;
        z.nastaveni.ChB_adresar2 = false;
        QEventLoop smycka;
        QObject::connect(beh.get(), &BehPorovnani::dokonceno, &smycka, &QEventLoop::quit);
        QElapsedTimer t;
        Tep tep;
        t.start();
        tep.start();
        beh->Button4Click(z);
        smycka.exec();
        // The sorts of the eight lists that the run's end started.
        for (int tag = 1; tag <= StrankyVysledku::pocetSeznamu; ++tag)
            while (stranky->model(tag)->razeniBezi())
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        QCoreApplication::processEvents();   // the repaint of the sorted lists
        nejdelsiBlok = tep.nejdelsi();
        nejdelsiBlokCpu = tep.nejdelsiCpu();
        return t.nsecsElapsed() / 1e9;
    }
};

// A child process in the benchmark pair's directory, with the benchmark's
// settings file and its standard output discarded.
void pripravProces(QProcess& p, const Volby& v)
{
    p.setWorkingDirectory(v.dir);
    p.setStandardOutputFile(QProcess::nullDevice());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("ZRCADLOVAC_INI"), v.ini);
    p.setProcessEnvironment(env);
}

// The command line's arguments for one comparison of the pair.
const QStringList argumentyCli{"--format", "tsv", "--same-subdirs1", "no", "--same-subdirs2", "no", "A", "B"};

double casCli(const Volby& v)
{
    QProcess p;
    pripravProces(p, v);
    QElapsedTimer t;
    t.start();
    p.start(v.cli, argumentyCli);
    p.waitForFinished(-1);
    const double s = t.nsecsElapsed() / 1e9;
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() > 1)   // 1: some list holds an item
        qFatal("%s failed: %s", qPrintable(v.cli), qPrintable(p.errorString()));
    return s;
}

double casOkna(const Volby& v, std::size_t* polozek, double* blok = nullptr, double* blokCpu = nullptr)
{
    Okno okno(v.ini);
    const double s = okno.porovnej(v.dir + "/A", v.dir + "/B");
    if (blok)
        *blok = okno.nejdelsiBlok;
    if (blokCpu)
        *blokCpu = okno.nejdelsiBlokCpu;
    *polozek = 0;
    for (int tag = 1; tag <= 8; ++tag)
        *polozek += std::size_t(okno.stranky->model(tag)->rowCount());
    return s;
}

void pripravStromy(const Volby& v)
{
    if (QDir(v.dir + "/A").exists() && QDir(v.dir + "/B").exists())
        return;
    if (v.makeTrees.isEmpty())
        qFatal("no pair in %s and no --make-trees", qPrintable(v.dir));
    std::printf("building the pair in %s ...\n", qPrintable(v.dir));
    std::fflush(stdout);
    if (QProcess::execute(v.makeTrees, {v.dir}) != 0)
        qFatal("make_trees failed");
}

double porovnaniKol(const Volby& v)
{
    std::vector<double> cli, okno;
    std::size_t polozek = 0;
    double blok = 0, nejdelsi = 0, blokCpu = 0, nejdelsiCpu = 0;
    casCli(v);   // warm the cache
    for (int k = 0; k < v.kola; ++k) {
        if (k % 2 == 0) {
            cli.push_back(casCli(v));
            okno.push_back(casOkna(v, &polozek, &blok, &blokCpu));
        } else {
            okno.push_back(casOkna(v, &polozek, &blok, &blokCpu));
            cli.push_back(casCli(v));
        }
        nejdelsi = std::max(nejdelsi, blok);
        nejdelsiCpu = std::max(nejdelsiCpu, blokCpu);
        std::printf("  round %d/%d: cli %.3f s, window %.3f s, longest block of the window's thread %.3f s "
                    "(%.3f s of cpu)\n", k + 1, v.kola, cli.back(), okno.back(), blok, blokCpu);
        std::fflush(stdout);
    }
    const double mc = median(cli), mo = median(okno);
    std::printf("\ncomparison of the pair (%zu items in the lists)\n", polozek);
    std::printf("  cli median %.3f s, window median %.3f s: %.2f x   target <= 1.10 x   %s\n", mc, mo,
                mo / mc, mo / mc <= 1.1 ? "met" : "MISSED");
    std::printf("  longest block of the window's thread in any run %.3f s, %.3f s of cpu   target <= 0.100 s   %s\n",
                nejdelsi, nejdelsiCpu, nejdelsi <= 0.1 ? "met" : "MISSED");
    return mo;
}

// The benchmark's sort setting; a settings file it cannot write would time the
// wrong thing, so that stops it.
void zapisRazeni(const QString& ini, const char16_t* klic, int hodnota)
{
    const VysledekZapisu z = IniZapisCislo(ini, u"Serazeni", klic, hodnota);
    if (!z)
        qFatal("%s", qPrintable(z.chyba()));
}

void razeni(const Volby& v, double casPorovnani)
{
    QTemporaryDir prazdny;
    Okno okno(v.ini);
    zapisRazeni(v.ini, u"podle", 0);   // the sort is timed here
    okno.porovnej(v.dir + "/A", prazdny.path());
    SeznamVysledku* seznam = okno.stranky->seznam(1);
    okno.tabs.setCurrentIndex(1);
    QCoreApplication::processEvents();
    std::printf("\nsort of a %d-item list (target <= 0.20 x the window's comparison, %.3f s)\n",
                seznam->model()->rowCount(), 0.2 * casPorovnani);
    const char* nazvy[] = {"název", "typ", "datum", "velikost", "podadr"};
    Tep tep;
    for (int c = 0; c < pocetSloupcu; ++c) {
        QElapsedTimer t;
        t.start();
        const double cpu = cpuVlakna();
        tep.start();
        const double vstup = seradACekej(seznam, c);
        const double s = t.nsecsElapsed() / 1e9;
        const double blok = tep.nejdelsi();
        std::printf("  %-9s %.3f s (window thread cpu %.3f s)  %.2f x   %s, longest block %.3f s, %.3f s of cpu, "
                    "longest input wait %.3f s\n",
                    nazvy[c], s, cpuVlakna() - cpu, s / casPorovnani, s <= 0.2 * casPorovnani ? "met" : "MISSED",
                    blok, tep.nejdelsiCpu(), vstup);
    }
}

void odebraniDavkou(Okno& okno, int pocet);
void razeniSVyberem(SeznamVysledku* seznam, const char* vyber);
void oznaceniDavkou(Okno& okno, SeznamVysledku* seznam);
void sOznacenymi(Okno& okno, SeznamVysledku* seznam);

// Made-up items: names a permutation of 0..N-1 (7919 is prime, so i * 7919 mod N
// visits every number once when N is not a multiple of it), 1 000 directories.
// The product needs 64 bits: in int it overflows from N = 271 189 on and gave
// negative, repeated names.
struct SyntetickePolozky {
    std::vector<std::string> podadr, jmena;

    explicit SyntetickePolozky(int pocet)
    {
        const char* typy[] = {"txt", "pdf", "jpg", "cpp", "h", "odt"};
        const std::int64_t n = pocet % 7919 == 0 ? pocet + 1 : pocet;
        std::vector<bool> videno(std::size_t(n), false);
        for (std::int64_t i = 0; i < pocet; ++i) {
            const std::int64_t cislo = i * 7919 % n;
            if (cislo < 0 || videno[std::size_t(cislo)])
                qFatal("synthetic name %lld repeated or negative", static_cast<long long>(cislo));
            videno[std::size_t(cislo)] = true;
            podadr.push_back("Adresář " + std::to_string(i / 20 % 1000) + "/sub " + std::to_string(i / 20) + "/");
            jmena.push_back("Soubor " + std::to_string(cislo) + "." + typy[i % 6]);
        }
    }
    NalezenySoubor operator[](int i) const
    {
        return {podadr[std::size_t(i)], jmena[std::size_t(i)], 1000 + i % 5000, std::int64_t(i) * 31 % 100000};
    }
};

// The longest block of the window's thread while N items arrive, are sorted
// and scrolled: what decides whether the user sees a stall.
void synteticky(int pocet)
{
    QTemporaryDir tmp;
    Okno okno(tmp.filePath("zrcadlovac.ini"));
    okno.tabs.setCurrentIndex(1);
    SeznamVysledku* seznam = okno.stranky->seznam(1);
    const SyntetickePolozky polozky(pocet);
    // A run at 1 000 000 files per side finds about 100 000 items a second and
    // hands them over every 100 ms.
    constexpr int davka = 10000;
    Tep tep;
    QEventLoop smycka;
    QTimer prisun;
    int od = 0;
    QObject::connect(&prisun, &QTimer::timeout, [&] {
        std::vector<NalezenySoubor> s;
        for (int i = od; i < std::min(pocet, od + davka); ++i)
            s.push_back(polozky[i]);
        okno.stranky->model(1)->pridej(s);
        od += davka;
        if (od >= pocet)
            smycka.quit();
    });
    QElapsedTimer celkem;
    celkem.start();
    tep.start();
    prisun.start(100);
    smycka.exec();
    QCoreApplication::processEvents();
    std::printf("\n%d synthetic items in batches of %d every 100 ms: %.3f s in all, "
                "longest block of the window's thread %.3f s, %.3f s of its cpu (target <= 0.100 s)\n",
                pocet, davka, celkem.nsecsElapsed() / 1e9, tep.nejdelsi(), tep.nejdelsiCpu());
    const char* nazvy[] = {"název", "typ", "datum", "velikost", "podadr"};
    for (int c = 0; c < pocetSloupcu; ++c) {
        QElapsedTimer t;
        t.start();
        const double cpu = cpuVlakna();
        tep.start();
        const double vstup = seradACekej(seznam, c);
        const double blok = tep.nejdelsi();
        std::printf("  sort by %-9s %.3f s (window thread cpu %.3f s), longest block %.3f s, %.3f s of cpu, "
                    "longest input wait %.3f s (target <= 0.100 s)\n",
                    nazvy[c], t.nsecsElapsed() / 1e9, cpuVlakna() - cpu, blok, tep.nejdelsiCpu(), vstup);
    }
    QElapsedTimer t;
    t.start();
    seznam->scrollToBottom();
    QCoreApplication::processEvents();
    std::printf("  scroll to the end %.3f s\n", t.nsecsElapsed() / 1e9);
    std::printf("  peak memory of the process %.0f MiB\n", spickaPametiMiB());
    oznaceniDavkou(okno, seznam);
    odebraniDavkou(okno, pocet);
}

// Marking by type and by a directory mask on the full shown list: the rows go
// to the selection model in ranges. Target: well under a second.
void oznaceniDavkou(Okno& okno, SeznamVysledku* seznam)
{
    QElapsedTimer t;
    t.start();
    okno.stranky->OznacDleSloupce(true, seznam, Sloupec::Typ, QStringLiteral("TXT"));
    QCoreApplication::processEvents();
    std::printf("  marking by type: %zu items, %.3f s\n", seznam->vybraneRadky().size(), t.nsecsElapsed() / 1e9);
    t.start();
    okno.stranky->OznacDleAdresare(true, seznam, QStringLiteral("adresář 1*"));
    QCoreApplication::processEvents();
    std::printf("  marking by the mask \"adresář 1*\": %zu items in all, %.3f s\n", seznam->vybraneRadky().size(),
                t.nsecsElapsed() / 1e9);
    sOznacenymi(okno, seznam);
    razeniSVyberem(seznam, "the marked items");
    t.start();
    seznam->selectAll();
    QCoreApplication::processEvents();
    std::printf("  Ctrl+A after them: %.3f s\n", t.nsecsElapsed() / 1e9);
    razeniSVyberem(seznam, "every item");
    t.start();
    seznam->clearSelection();
    QCoreApplication::processEvents();
    std::printf("  unmarking every item: %.3f s\n", t.nsecsElapsed() / 1e9);
}

// What a person does with a list of scattered marks: scrolls it a page at a
// time (each repaint asks every painted cell whether its row is marked),
// reads the status line (count and size of the marks, every second),
// Ctrl-clicks a row, and selects everything.
void sOznacenymi(Okno& okno, SeznamVysledku* seznam)
{
    QScrollBar* posuvnik = seznam->verticalScrollBar();
    double nejdelsi = 0;
    for (int i = 0; i < 10; ++i) {
        QElapsedTimer t;
        t.start();
        posuvnik->setValue(posuvnik->value() + posuvnik->pageStep());
        seznam->viewport()->repaint();
        nejdelsi = std::max(nejdelsi, t.nsecsElapsed() / 1e9);
    }
    std::printf("  repaint after scrolling a page with them marked: longest of 10 %.4f s\n", nejdelsi);
    QElapsedTimer t;
    t.start();
    okno.stranky->Timer1Timer();
    std::printf("  status line with them marked: %.4f s\n", t.nsecsElapsed() / 1e9);
    const QModelIndex radek = seznam->model()->index(seznam->model()->rowCount() / 3, 0);
    t.start();
    seznam->selectionModel()->select(radek, QItemSelectionModel::Toggle | QItemSelectionModel::Rows);
    seznam->selectionModel()->select(radek, QItemSelectionModel::Toggle | QItemSelectionModel::Rows);
    QCoreApplication::processEvents();
    std::printf("  Ctrl-click twice with them marked: %.4f s\n", t.nsecsElapsed() / 1e9);
}

// A sort keeps the selection and the current row on their items: the
// selection model follows every selected row through the new order.
void razeniSVyberem(SeznamVysledku* seznam, const char* vyber)
{
    seznam->selectionModel()->setCurrentIndex(seznam->model()->index(seznam->model()->rowCount() / 2, 0),
                                              QItemSelectionModel::NoUpdate);
    QCoreApplication::processEvents();
    const std::size_t vybrano = seznam->vybraneRadky().size();
    Tep tep;
    QElapsedTimer t;
    t.start();
    tep.start();
    seradACekej(seznam, int(Sloupec::Nazev));
    const double blok = tep.nejdelsi();
    std::printf("  sort by název with %s selected (%zu): %.3f s, longest block %.3f s, %.3f s of cpu%s\n", vyber,
                vybrano, t.nsecsElapsed() / 1e9, blok, tep.nejdelsiCpu(),
                seznam->vybraneRadky().size() == vybrano ? "" : ", SELECTION LOST");
}

// A file operation on every fifth item of a full "VĚTŠÍ" list: the handled
// items leave it and their twins leave the shown "MENŠÍ" list, each list in
// one batch. Target: 40 000 of 200 000 well under a second.
void odebraniDavkou(Okno& okno, int pocet)
{
    ResultListModel* vetsi = okno.stranky->model(1);
    ResultListModel* mensi = okno.stranky->model(8);
    std::vector<NalezenySoubor> s;
    for (int r = 0; r < vetsi->rowCount(); ++r) {
        const Polozka& p = vetsi->polozka(r);
        s.push_back({okno.stranky->uloziste().podadresar(p.podadresar), p.jmeno, p.cas, p.velikost});
    }
    std::reverse(s.begin(), s.end());   // the twins in another order than the handled items
    mensi->pridej(s);
    okno.tabs.setTabVisible(4, true);
    okno.tabs.setCurrentIndex(4);
    QCoreApplication::processEvents();
    std::vector<int> radky;
    for (int r = 0; r < pocet; r += 5)
        radky.push_back(r);
    QElapsedTimer t;
    t.start();
    std::vector<Polozka> vzory;
    vzory.reserve(radky.size());
    for (int r : radky)
        vzory.push_back(vetsi->polozka(r));
    vetsi->odeberRadky(radky);
    const int odebrano = mensi->odeberProtejsky(vzory);
    QCoreApplication::processEvents();
    std::printf("  %zu handled items and %d twins leave two lists of %d: %.3f s\n", radky.size(), odebrano,
                pocet, t.nsecsElapsed() / 1e9);
}

// Peak memory (MiB) of a child process, by /usr/bin/time's maximum resident set.
double spickaProcesu(const QString& program, const QStringList& argumenty, const Volby& v)
{
    QProcess p;
    pripravProces(p, v);
    p.start(QStringLiteral("/usr/bin/time"), QStringList{"-f", "ZRC_MAXRSS %M", program} + argumenty);
    p.waitForFinished(-1);
    for (const QByteArray& radek : p.readAllStandardError().split('\n'))
        if (radek.startsWith("ZRC_MAXRSS "))
            return radek.mid(11).toDouble() / 1024;
    qFatal("no peak memory from /usr/bin/time for %s", qPrintable(program));
}

void pametKol(const Volby& v)
{
    const QString ja = QCoreApplication::applicationFilePath();
    const double cli = spickaProcesu(v.cli, argumentyCli, v);
    const double okno = spickaProcesu(ja, {"--window-once", "--dir", v.dir}, v);
    std::printf("\npeak memory: cli %.1f MiB, window run %.1f MiB: %.2f x   target <= 2.00 x   %s\n", cli, okno,
                okno / cli, okno <= 2 * cli ? "met" : "MISSED");
}

Volby nactiVolby(const QCoreApplication& app)
{
    QCommandLineParser p;
    p.addOption({"cli", "zrcadlovac-cli to compare with", "path"});
    p.addOption({"dir", "directory of the pair A, B", "dir", "/tmp/zrc-bench"});
    p.addOption({"rounds", "timed rounds", "n", "3"});
    p.addOption({"make-trees", "bench/make_trees, run when the pair is missing", "path"});
    p.addOption({"synthetic", "only the made-up list of N items", "n"});
    p.addOption({"memory", "also the peak memory of the command line and of the window's run"});
    p.addOption({"window-once", "one window run on the pair (used by --memory)"});
    p.addHelpOption();
    p.process(app);
    Volby v;
    v.cli = QFileInfo(p.value("cli")).absoluteFilePath();
    v.dir = p.value("dir");
    v.kola = std::max(1, p.value("rounds").toInt());
    v.makeTrees = p.value("make-trees");
    v.synteticky = p.value("synthetic").toInt();
    v.pamet = p.isSet("memory");
    v.jedenBeh = p.isSet("window-once");
    if (p.value("cli").isEmpty() && v.synteticky == 0 && !v.jedenBeh)
        qFatal("--cli is required");
    return v;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    vracejVelkeBloky();   // as the window program does
    QApplication app(argc, argv);
    Volby v = nactiVolby(app);
    QTemporaryDir tmp;
    v.ini = tmp.filePath("zrcadlovac.ini");
    zapisRazeni(v.ini, u"podle", 1);
    zapisRazeni(v.ini, u"typ", 1);
    // Messages ("nothing found") are answered, never shown.
    NahradaHlaseni ticho([](const ZadostHlaseni&) { return Odpoved::OK; });
    if (v.synteticky > 0) {
        synteticky(v.synteticky);
        return 0;
    }
    if (v.jedenBeh) {
        std::size_t polozek = 0;
        casOkna(v, &polozek);
        return 0;
    }
    pripravStromy(v);
    const double casPorovnani = porovnaniKol(v);
    razeni(v, casPorovnani);
    if (v.pamet)
        pametKol(v);
    return 0;
}
