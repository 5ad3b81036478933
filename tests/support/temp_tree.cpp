#include "temp_tree.h"

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <dirent.h>
#include <filesystem>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace zrc::test {

namespace {

void check(bool ok, const std::string& what)
{
    if (!ok)
        throw std::runtime_error(what + ": " + std::strerror(errno));
}

void makeParents(const std::string& root, std::string_view relative)
{
    for (std::size_t pos = relative.find('/'); pos != std::string_view::npos;
         pos = relative.find('/', pos + 1)) {
        const std::string p = root + "/" + std::string(relative.substr(0, pos));
        check(::mkdir(p.c_str(), 0755) == 0 || errno == EEXIST, "mkdir " + p);
    }
}

void setTime(const std::string& p, std::time_t t)
{
    const struct timespec times[2] = {{t, 0}, {t, 0}};
    check(::utimensat(AT_FDCWD, p.c_str(), times, AT_SYMLINK_NOFOLLOW) == 0, "utimensat " + p);
}

std::size_t depth(const std::string& p)
{
    return static_cast<std::size_t>(std::count(p.begin(), p.end(), '/'));
}

} // namespace

Entry Entry::withMode(mode_t m) const
{
    Entry e = *this;
    e.mode = m;
    return e;
}

Entry file(std::string path, std::int64_t size, std::optional<std::time_t> mtime)
{
    Entry e;
    e.path = std::move(path);
    e.size = size;
    e.mtime = mtime;
    return e;
}

Entry dir(std::string path, std::optional<std::time_t> mtime)
{
    Entry e;
    e.path = std::move(path);
    e.kind = Kind::Dir;
    e.mtime = mtime;
    return e;
}

Entry symlink(std::string path, std::string target)
{
    Entry e;
    e.path = std::move(path);
    e.kind = Kind::Symlink;
    e.target = std::move(target);
    return e;
}

Entry fifo(std::string path)
{
    Entry e;
    e.path = std::move(path);
    e.kind = Kind::Fifo;
    return e;
}

std::time_t localTime(int year, int month, int day, int hour, int minute, int second)
{
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    tm.tm_isdst = -1;
    return std::mktime(&tm);
}

// Trees live in memory when they can: on an ext4 volume mounted with "discard"
// removing 10 000 directories takes half a minute, on tmpfs a fraction of a second.
static std::string baseDirectory()
{
    if (const char* own = std::getenv("ZRC_TEST_TMPDIR"); own && *own)
        return own;
    if (::access("/dev/shm", W_OK | X_OK) == 0)
        return "/dev/shm";
    const char* tmp = std::getenv("TMPDIR");
    return tmp && *tmp ? tmp : "/tmp";
}

TempTree::TempTree()
{
    std::string pattern = baseDirectory() + "/zrc-test-XXXXXX";
    check(::mkdtemp(pattern.data()) != nullptr, "mkdtemp");
    root_ = pattern;
    // Readable by everybody, so that tests may look at it without privileges.
    check(::chmod(root_.c_str(), 0755) == 0, "chmod " + root_);
}

TempTree::TempTree(std::initializer_list<Entry> entries) : TempTree(std::vector<Entry>(entries)) {}

TempTree::TempTree(const std::vector<Entry>& entries) : TempTree()
{
    add(entries);
}

// Unlinks every entry of the open directory but subdirectories; returns the
// name of one subdirectory, or "" when none is left.
static std::string emptyBesidesOneSubdirectory(int fd)
{
    DIR* d = ::fdopendir(::dup(fd));
    std::string sub;
    while (d) {
        const dirent* e = ::readdir(d);
        if (!e)
            break;
        const std::string n = e->d_name;
        if (n != "." && n != ".." && ::unlinkat(fd, n.c_str(), 0) != 0 && sub.empty())
            sub = n;
    }
    if (d)
        ::closedir(d);
    return sub;
}

// Removes a tree of any depth: walks down by descriptors (no path longer than
// one name), empties the deepest directory, climbs back through "..".
static void removeDeep(const std::string& root)
{
    std::vector<std::string> names;   // from the root down to the current directory
    int fd = ::open(root.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    while (fd >= 0) {
        const std::string sub = emptyBesidesOneSubdirectory(fd);
        if (!sub.empty()) {
            // A mode that cannot be set shows as the openat failure below.
            [[maybe_unused]] const int pravo = ::fchmodat(fd, sub.c_str(), 0755, 0);
            const int child = ::openat(fd, sub.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            ::close(fd);
            fd = child;
            names.push_back(sub);
            continue;
        }
        if (names.empty()) {
            ::close(fd);
            ::rmdir(root.c_str());
            return;
        }
        const int parent = ::openat(fd, "..", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        ::close(fd);
        fd = parent;
        if (fd >= 0)
            ::unlinkat(fd, names.back().c_str(), AT_REMOVEDIR);
        names.pop_back();
    }
}

TempTree::~TempTree()
{
    for (const std::string& p : restricted_)
        ::chmod(p.c_str(), 0755);
    std::error_code ec;
    std::filesystem::remove_all(root_, ec);
    if (ec)
        removeDeep(root_);
}

std::string deepChain(const std::string& parent, const std::string& name, int levels,
                      const std::vector<std::string>& files)
{
    int fd = ::open(parent.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    check(fd >= 0, "open " + parent);
    std::string relative;
    for (int i = 0; i < levels; ++i) {
        check(::mkdirat(fd, name.c_str(), 0755) == 0 || errno == EEXIST, "mkdirat " + name);
        const int child = ::openat(fd, name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        ::close(fd);
        fd = child;
        check(fd >= 0, "openat " + name);
        relative += (i ? "/" : "") + name;
    }
    for (const std::string& f : files) {
        const int file = ::openat(fd, f.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
        check(file >= 0, "openat " + f);
        ::close(file);
    }
    ::close(fd);
    return relative;
}

QString TempTree::qroot() const
{
    return QFile::decodeName(QByteArray::fromStdString(root_));
}

std::string TempTree::path(std::string_view relative) const
{
    return relative.empty() ? root_ : root_ + "/" + std::string(relative);
}

void TempTree::create(const Entry& e)
{
    makeParents(root_, e.path);
    const std::string p = path(e.path);
    switch (e.kind) {
    case Kind::File: {
        const int fd = ::open(p.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        check(fd >= 0, "open " + p);
        const bool ok = ::ftruncate(fd, e.size) == 0;
        ::close(fd);
        check(ok, "ftruncate " + p);
        break;
    }
    case Kind::Dir:
        check(::mkdir(p.c_str(), 0755) == 0 || errno == EEXIST, "mkdir " + p);
        break;
    case Kind::Symlink:
        check(::symlink(e.target.c_str(), p.c_str()) == 0, "symlink " + p);
        break;
    case Kind::Fifo:
        check(::mkfifo(p.c_str(), 0644) == 0, "mkfifo " + p);
        break;
    }
}

// Creating an entry changes its directory's time, so every explicit time is set
// again after each batch: files first, then directories from the deepest up.
void TempTree::applyTimes()
{
    std::vector<const Entry*> order;
    for (const Entry& e : timed_)
        order.push_back(&e);
    std::stable_sort(order.begin(), order.end(), [](const Entry* a, const Entry* b) {
        const bool da = a->kind == Kind::Dir, db = b->kind == Kind::Dir;
        if (da != db)
            return !da;
        return da && depth(a->path) > depth(b->path);
    });
    for (const Entry* e : order)
        setTime(path(e->path), *e->mtime);
}

void TempTree::add(const std::vector<Entry>& entries)
{
    for (const Entry& e : entries) {
        create(e);
        if (e.mtime) {
            std::erase_if(timed_, [&](const Entry& t) { return t.path == e.path; });
            timed_.push_back(e);
        }
    }
    applyTimes();
    for (const Entry& e : entries) {
        if (!e.mode)
            continue;
        const std::string p = path(e.path);
        check(::chmod(p.c_str(), *e.mode) == 0, "chmod " + p);
        restricted_.push_back(p);
    }
}

void TempTree::remove(std::string_view relative)
{
    std::error_code ec;
    std::filesystem::remove_all(path(relative), ec);
    std::erase_if(timed_, [&](const Entry& t) {
        return t.path == relative || t.path.starts_with(std::string(relative) + "/");
    });
    applyTimes();
}

} // namespace zrc::test
