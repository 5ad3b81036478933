// The undo of a replacement where the file system refuses the atomic exchange
// (renameat2 with RENAME_EXCHANGE answers EINVAL: some FUSE and network file
// systems, kernels before 3.15). The swap then takes two renames: the new
// version goes into the trash as an entry of its own, with its info file, and
// the old version comes from its entry to the freed name, refusing an existing
// one. Between the two the name is empty, and both versions are in the trash,
// each with the info file that names its place.

#include "operace/beh_vraceni.h"

#include "platform/zapisy.h"

#include <cerrno>

namespace zrc {

ChybaSouboru BehVraceni::vymenVeDvou(const ZaznamDeniku& z, const Misto& cil)
{
    const std::string stara = z.kos + "/files/" + z.vKosi;
    struct stat st {};
    if (!sys_.fstatAt(AT_FDCWD, stara.c_str(), st, AT_SYMLINK_NOFOLLOW).ok())
        return {Duvod::ZmenenoOdOperace, 0};
    const auto k = kos_.doKose(cil.adresar->get(), cil.jmeno);
    if (!k.ok())
        return k.stav == platform::StavKose::Chyba ? ChybaSouboru::systemu(k.err)
                                                   : ChybaSouboru{Duvod::KosNelze, k.err};
    const auto r = platform::prejmenujBezPrepisu(sys_, AT_FDCWD, stara.c_str(), cil.adresar->get(),
                                                 cil.jmeno.c_str());
    if (!r.ok())
        return vratNovou(z, cil, k, r.err);
    odeberInfo(z);
    // As after the exchange: the name holds the old version, the trash the
    // new one, so that a second undo swaps them again.
    zapisIdentitu({.druh = DruhZaznamu::Nahrazeno, .cil = z.cil, .kos = k.kos, .vKosi = k.jmeno}, cil);
    return {};
}

// The old version could not take the name (err): the new version goes back
// to it from the trash, as before the undo. Where even that fails it stays in
// the trash entry k, which the log names and the undo's journal holds, so
// that undoing the undo brings it back.
ChybaSouboru BehVraceni::vratNovou(const ZaznamDeniku& z, const Misto& cil, const platform::VysledekKose& k,
                                   int err)
{
    // Not Kos::vrat: where RENAME_NOREPLACE is missing it renames over the
    // name, and whoever took the name meanwhile keeps it here.
    const std::string nova = k.kos + "/files/" + k.jmeno;
    if (platform::prejmenujBezPrepisu(sys_, AT_FDCWD, nova.c_str(), cil.adresar->get(), cil.jmeno.c_str()).ok()) {
        odeberInfo({.kos = k.kos, .vKosi = k.jmeno});
        return err == EEXIST ? ChybaSouboru{Duvod::MistoObsazeno, 0} : ChybaSouboru::systemu(err);
    }
    zustaloVKosi_ = nova;
    zapisDenik({.druh = DruhZaznamu::DoKose, .cesta = z.cil, .kos = k.kos, .vKosi = k.jmeno,
                .identita = z.identita});
    return {Duvod::NovaVKosi, err};
}

} // namespace zrc
