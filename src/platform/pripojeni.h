#pragma once
// Which mount a path or an open directory lies on, read from /proc/self/mountinfo.
//
// The trash needs the mount point ("topdir") of a file, and the guard of the
// base directories needs to notice a disk unmounted or mounted since a
// comparison. st_dev alone tells neither: a bind mount of the same file system
// has the same st_dev but a different mount, and btrfs subvolumes have their own
// st_dev that mountinfo does not show. So a directory's mount is found by its
// mount id (/proc/self/fdinfo, "mnt_id:", Linux 3.15 and later), and only where
// that is missing by the longest mount point that is a prefix of its path.

#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

namespace zrc::platform {

struct Pripojeni {
    int id = -1;              // mount id
    int rodic = -1;           // parent mount id
    unsigned major = 0, minor = 0;
    std::string bod;          // mount point, unescaped ("/media/x y")
    std::string typ;          // file-system type: "ext4", "tmpfs", "fuse.sshfs"
    std::string zdroj;        // mount source: "/dev/sdb1", "tmpfs"
};

// Parses the text of a mountinfo file; lines that do not parse are skipped.
std::vector<Pripojeni> rozeberMountinfo(std::string_view text);
// The process's mounts now; empty when /proc is not mounted.
std::vector<Pripojeni> nactiPripojeni();

// "\040" and the other octal escapes of mountinfo back to their bytes.
std::string odescapuj(std::string_view s);

// The mount id of an open file or directory, or -1.
int idPripojeni(int fd);
// The canonical path of an open directory (/proc/self/fd), or "" when unknown.
std::string cestaDeskriptoru(int fd);

// The mount that holds the open directory fd (canonical path cesta), from
// the table: by mount id, else by the longest matching mount point (the
// topmost of several mounts on one point).
std::optional<Pripojeni> pripojeniAdresare(int fd, const std::string& cesta,
                                           const std::vector<Pripojeni>& tabulka);

} // namespace zrc::platform
