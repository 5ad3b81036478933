#pragma once
// The composite writes of the program, each in one place, on top of Syscalls:
// a whole buffer written, a rename that never replaces, a file replaced
// atomically. Errors as Syscalls gives them: a SysResult with the errno.

#include "platform/syscalls.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace zrc::platform {

// Writes all n bytes at offset od (pwrite, as many calls as it takes). A call
// that writes nothing while bytes remain fails with EIO: a regular file that
// takes no byte without an error would otherwise loop for ever.
[[nodiscard]] SysResult zapisVse(Syscalls& sys, int fd, const void* data, std::size_t n, off_t od = 0);

// What prejmenujBezPrepisu does where the file system has no RENAME_NOREPLACE
// (renameat2 answers EINVAL, ENOSYS or EOPNOTSUPP: some network and FUSE file
// systems).
enum class BezNoreplace : std::uint8_t {
    Odkazem,     // link + unlink: a hard link refuses an existing name just as atomically
    Prepsanim,   // a plain rename: the caller has made sure that the name is free
};

// Renames odJmeno to doJmeno only where doJmeno does not exist (EEXIST
// otherwise). With the link fallback the move is all or nothing: when the old
// name cannot be unlinked after the link, the new link is removed again and
// the unlink's error returned, so that the file keeps one name, its old one,
// as before the call. (Were the new link kept, the caller could not tell the
// user which of the two names to trust; a moved file's source would stay
// behind while the item counted as moved.) Should the removal fail too, the
// data stands under both names: duplicated, never lost.
[[nodiscard]] SysResult prejmenujBezPrepisu(Syscalls& sys, int odAdresar, const char* odJmeno,
                                            int doAdresar, const char* doJmeno,
                                            BezNoreplace jinak = BezNoreplace::Odkazem);

// delka random characters of [a-z0-9], for the names of temporary files: 36^6
// names at six characters, so that an existing one (EEXIST) is practically
// never met twice.
std::string nahodnaCast(std::size_t delka);

// The name of the temporary sibling of nahradSoubor.
enum class DocasneJmeno : std::uint8_t {
    // "." + jmeno + ".XXXXXX.tmp", six random [a-z0-9]: any number of writers
    // at once; a killed write leaves its temporary file.
    Nahodne,
    // "." + jmeno + ".tmp": one left by a killed writer is removed first, so
    // killed writes never pile up copies. Only for writers that serialise
    // (the settings file holds a lock on its directory).
    Pevne,
};

// Replaces the file jmeno in the open directory adresar with obsah: the
// temporary sibling is created exclusively, written whole, given the mode of
// the file it replaces (a new file: 0666 less the umask), flushed and renamed
// over jmeno; then the directory is flushed. On failure the temporary file is
// removed and jmeno is untouched.
[[nodiscard]] SysResult nahradSoubor(Syscalls& sys, int adresar, const std::string& jmeno,
                                     std::string_view obsah, DocasneJmeno docasne = DocasneJmeno::Nahodne);
// The same for a path (absolute or relative to the working directory).
[[nodiscard]] SysResult nahradSoubor(Syscalls& sys, const std::string& cesta, std::string_view obsah);

} // namespace zrc::platform
