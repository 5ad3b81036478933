#pragma once
// Why one file of an operation failed: a reason of the operation itself or the
// errno of the system call that failed. The error boxes show the Czech text.

#include <cstdint>
#include <string>

namespace zrc {

enum class Duvod : std::uint8_t {
    Zadna,            // no failure
    System,           // errno in ChybaSouboru::err
    ZdrojSeZmenil,    // size, time or inode changed while copying
    NeniSoubor,       // the source is not a regular file
    CilExistuje,      // a "NOVÉ" item's target appeared since the comparison
    CilJenProCteni,   // the existing target may not be written by its owner
    TentyzSoubor,     // target and source are one file (same device and inode)
    JenProCteni,      // the user kept a read-only file ("Ne")
    Zruseno,          // Cancel (Esc) while the file was copied
    BezKose,          // no trash usable and "Ne" to deleting permanently (err: why)
    StaraVKosi,       // the replacement failed (err: why) and the old version stayed in the trash
    ZmenenOdPorovnani, // the file is no longer the one the comparison met
    KosNelze,         // no trash usable for the file (err: why); it stays
    // An undo (vraceni.h):
    ZmenenoOdOperace, // the file is no longer what the operation left there
    MistoObsazeno,    // the place to return the file to is taken
    SmazanoNatrvalo,  // the operation deleted the file (or the old version) permanently
    NaObouMistech,    // a copy is back at the old place, the moved file stayed at its new one (err: why)
    NovaVKosi,        // the old version could not come back (err: why); the new one stayed in the trash
};

struct [[nodiscard]] ChybaSouboru {
    Duvod duvod = Duvod::Zadna;
    int err = 0;

    explicit operator bool() const { return duvod != Duvod::Zadna; }
    static ChybaSouboru systemu(int e) { return {Duvod::System, e}; }
};

// One line of Czech text for the error boxes: "na disku není místo",
// "soubor se během kopírování změnil", ...
std::string textChyby(const ChybaSouboru& chyba);

// The errno values that say "this way of copying is not supported here": the
// copy then tries the next way (FICLONE, copy_file_range, read/write).
bool nepodporovano(int err);

} // namespace zrc
