#pragma once
// What the file information dialog shows of one file: whether it exists, its
// size, modification time and attribute word.
//
// The attribute word keeps the layout the dialog's texts were written for:
// bit 0 (1) read-only, bit 1 (2) hidden, bit 2 (4) system, bit 3 (8) volume
// label, bit 4 (16) directory, bit 5 (32) archive; 128 stands for a plain file
// with none of them. On Linux only three of them have a meaning: read-only is
// a file whose owner has no write permission, hidden a name that begins with
// ".", directory a directory.

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>

struct stat;

namespace zrc {

namespace platform { class Syscalls; }

namespace atribut {
constexpr int JenProCteni = 1;
constexpr int Skryty = 2;
constexpr int Systemovy = 4;
constexpr int IdentifikatorMedia = 8;
constexpr int Adresar = 16;
constexpr int Archivni = 32;
constexpr int Normalni = 128;
} // namespace atribut

struct InfoSouboru {
    bool existuje = false;       // a regular file, or a symbolic link to one
    std::int64_t velikost = 0;   // bytes
    std::time_t cas = 0;         // modification time, seconds since the epoch
    int atributy = 0;            // the attribute word
};

// The attribute word of a file with this status and name (its last component).
int SlovoAtributu(const struct stat& st, std::string_view jmeno);

// The text of the highest of the six attribute bits that is set ("pouze pro
// čtení", "skrytý", "systémový", "Identifikátor média", "adresář", "archívní");
// a word with none of them set shows its decimal number ("128").
std::string TextAtributu(int slovo);

// The file at the full path (bytes), following a symbolic link as the
// comparison does. A directory, a dangling link, a FIFO or a device does not
// count as an existing file (the comparison never lists one).
InfoSouboru CtiInfoSouboru(const std::string& cesta, platform::Syscalls* sys = nullptr);

} // namespace zrc
