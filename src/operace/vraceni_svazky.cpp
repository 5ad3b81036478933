// The undo of a move between file systems. The move copied the file to the
// other volume and removed the source; a rename cannot take that back (EXDEV),
// so the undo does the same the other way, with the copy protocol of the
// operations: a temporary file beside the free old place, the data, the times
// and the mode, fdatasync, a placement that refuses an existing name, the
// directory flushed, and only then the file at its new place removed, if it is
// still the one copied. Until that removal the file at its new place is never
// touched; a failure after the placement leaves the file at both places, which
// the log says.

#include "operace/beh_vraceni.h"

#include <cerrno>

namespace zrc {

namespace {

// Progress of a large file's copy back: at most every 100 ms, as an
// operation's, so that a 1 GiB file does not flood the window's event queue.
constexpr auto krokHlaseni = std::chrono::milliseconds(100);

} // namespace

ChybaSouboru BehVraceni::presunKopii(const Misto& odkud, const Misto& kam, const Identita& i)
{
    // The kernel answers EXDEV before it looks at the target: the free place
    // is checked here, before a large file is copied for nothing.
    struct stat st {};
    const auto s = sys_.fstatAt(kam.adresar->get(), kam.jmeno.c_str(), st, AT_SYMLINK_NOFOLLOW);
    if (s.ok())
        return {Duvod::MistoObsazeno, 0};
    if (s.err != ENOENT)
        return ChybaSouboru::systemu(s.err);
    DocasnySoubor t;
    if (auto e = zkopirujZpet(i, odkud, kam, t))
        return e;
    if (auto e = umisti(sys_, t, Prepis::JenNovy)) {
        odstranDocasny(sys_, t);
        return e.duvod == Duvod::CilExistuje ? ChybaSouboru{Duvod::MistoObsazeno, 0} : e;
    }
    // From here the file exists twice. The moved file is removed only once
    // the copy's name is on disk; otherwise both stay (NaObouMistech), and the
    // caller journals the copy as created, so that undoing the undo takes
    // just the copy away.
    if (const auto f = sys_.fsync(kam.adresar->get()); !f.ok())
        return {Duvod::NaObouMistech, f.err};
    if (auto e = odstranPresunuty(odkud, i))
        return {Duvod::NaObouMistech, e.duvod == Duvod::System ? e.err : 0};
    return {};
}

// The file at odkud into a complete, flushed temporary file beside kam, only
// while it is the moved file i, before and after the copy.
ChybaSouboru BehVraceni::zkopirujZpet(const Identita& i, const Misto& odkud, const Misto& kam,
                                      DocasnySoubor& t)
{
    ZdrojKopie zdroj;
    if (auto e = otevriZdroj(sys_, odkud.adresar->get(), odkud.jmeno.c_str(), zdroj))
        return e.duvod == Duvod::NeniSoubor ? ChybaSouboru{Duvod::ZmenenoOdOperace, 0} : e;
    if (!(Identita::ze(zdroj.st) == i))
        return {Duvod::ZmenenoOdOperace, 0};
    if (!kopie_)
        kopie_.emplace(sys_, volby_);
    posledniHlaseni_ = {};
    if (auto e = (*kopie_)(zdroj, kam.adresar, kam.jmeno, true, DruhDocasneho::Pojmenovany, *this, t))
        return e.duvod == Duvod::ZdrojSeZmenil ? ChybaSouboru{Duvod::ZmenenoOdOperace, 0} : e;
    // The descriptor saw the same inode throughout; the name may since hold
    // another file.
    if (auto e = overIdentitu(odkud, i)) {
        odstranDocasny(sys_, t);
        return e;
    }
    return {};
}

// As a move across file systems removes its source: only the file copied.
ChybaSouboru BehVraceni::odstranPresunuty(const Misto& m, const Identita& i)
{
    if (auto e = overIdentitu(m, i))
        return e;
    const auto r = sys_.unlinkAt(m.adresar->get(), m.jmeno.c_str(), 0);
    return r.ok() ? ChybaSouboru{} : ChybaSouboru::systemu(r.err);
}

bool BehVraceni::kopirovano(std::int64_t hotovo, std::int64_t celkem)
{
    const auto ted = std::chrono::steady_clock::now();
    if (hotovo == celkem || ted - posledniHlaseni_ >= krokHlaseni) {
        posledniHlaseni_ = ted;
        r_.prubeh({hotovo, celkem, hotovo_ + hotovo, celkem_});
    }
    return !zrusitPozadovano();
}

} // namespace zrc
