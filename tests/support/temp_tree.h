#pragma once
// Declarative temporary trees for tests: a table of paths with kinds, sizes,
// modification times and permissions, built under a fresh directory (in
// $ZRC_TEST_TMPDIR, else /dev/shm, else $TMPDIR or /tmp)
// and removed again (permissions restored first) when the tree goes.
//
//   TempTree t{{file("a/x.txt", 10, localTime(2020, 1, 2, 3, 4, 6))},
//              {dir("a", localTime(2019, 1, 1))},
//              {symlink("link", "a/x.txt")}, {fifo("pipe")},
//              {dir("closed").withMode(0)}};

#include <QString>
#include <cstdint>
#include <ctime>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

namespace zrc::test {

enum class Kind { File, Dir, Symlink, Fifo };

struct Entry {
    std::string path;                   // relative, "/"-separated; any bytes but "/" and NUL
    Kind kind = Kind::File;
    std::int64_t size = 0;              // files are sparse: large sizes cost nothing
    std::optional<std::time_t> mtime;   // unset: the time of creation
    std::string target;                 // symbolic links
    std::optional<mode_t> mode;         // applied after everything else (0: unreadable)

    Entry withMode(mode_t m) const;
};

Entry file(std::string path, std::int64_t size = 0, std::optional<std::time_t> mtime = {});
Entry dir(std::string path, std::optional<std::time_t> mtime = {});
Entry symlink(std::string path, std::string target);
Entry fifo(std::string path);

// Creates levels nested directories named name below parent (an absolute
// path), one inside the other, each relative to its parent's descriptor, so the
// chain may reach far beyond PATH_MAX; then the files given (relative to the
// deepest directory, no subdirectories). Returns the relative path of the
// deepest directory, "name/name/...".
std::string deepChain(const std::string& parent, const std::string& name, int levels,
                      const std::vector<std::string>& files = {});

// Seconds since the epoch of a local calendar time.
std::time_t localTime(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);

class TempTree {
public:
    TempTree();
    TempTree(std::initializer_list<Entry> entries);
    explicit TempTree(const std::vector<Entry>& entries);
    ~TempTree();
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    // Creates the entries (and any missing parent directories), then sets the
    // times (directories after files, deepest first) and finally the modes.
    void add(const std::vector<Entry>& entries);
    void remove(std::string_view relative);

    const std::string& root() const { return root_; }
    QString qroot() const;                         // the root as a QString
    std::string path(std::string_view relative) const;

private:
    void create(const Entry& e);
    void applyTimes();

    std::string root_;
    std::vector<Entry> timed_;      // entries with an explicit time, in creation order
    std::vector<std::string> restricted_;
};

} // namespace zrc::test
