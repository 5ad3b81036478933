#include "operace/slozka_deniku.h"

#include "platform/kos.h"
#include "platform/zapisy.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace zrc {

namespace {

constexpr std::string_view predpona = "operace-";
constexpr std::string_view pripona = ".denik";

std::optional<std::uint64_t> cisloDeniku(std::string_view jmeno)
{
    if (!jmeno.starts_with(predpona) || !jmeno.ends_with(pripona))
        return std::nullopt;
    const auto cislice = jmeno.substr(predpona.size(), jmeno.size() - predpona.size() - pripona.size());
    std::uint64_t n = 0;
    const auto [p, ec] = std::from_chars(cislice.data(), cislice.data() + cislice.size(), n);
    if (ec != std::errc{} || p != cislice.data() + cislice.size())
        return std::nullopt;
    return n;
}

// 20 digits: names of equal length sort as their numbers.
std::string jmenoDeniku(std::uint64_t n)
{
    std::string s = std::to_string(n);
    return std::string(predpona) + std::string(20 - std::min<std::size_t>(20, s.size()), '0') + s +
           std::string(pripona);
}

std::uint64_t dalsiCislo(const std::vector<std::string>& existujici)
{
    const auto ted = std::chrono::system_clock::now().time_since_epoch();
    std::uint64_t n = std::uint64_t(std::chrono::duration_cast<std::chrono::nanoseconds>(ted).count());
    if (!existujici.empty())
        if (const auto posledni = cisloDeniku(std::filesystem::path(existujici.back()).filename().native()))
            n = std::max(n, *posledni + 1);
    return n;
}

// Removes the oldest journals beyond the limit. A failure leaves an old
// journal behind, which only costs its bytes: it is not reported.
void prorezej(platform::Syscalls& sys, int adresar, const std::vector<std::string>& deniky)
{
    for (std::size_t i = 0; i + ponechatDeniku < deniky.size(); ++i) {
        const auto jmeno = std::filesystem::path(deniky[i]).filename().native();
        (void)sys.unlinkAt(adresar, jmeno.c_str(), 0);
    }
}

int zapisHlavicku(platform::Syscalls& sys, int adresar, const std::string& jmeno, const HlavickaDeniku& h,
                  platform::Fd& fd, off_t& konec)
{
    const auto o = sys.openAt(adresar, jmeno.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (!o.ok())
        return o.err;
    fd = platform::Fd(sys, int(o.value));
    const std::string radek = radekHlavicky(h);
    auto r = platform::zapisVse(sys, fd.get(), radek.data(), radek.size(), 0);
    if (r.ok())
        r = sys.fdatasync(fd.get());
    if (r.ok())
        r = sys.fsync(adresar);
    if (!r.ok()) {
        fd.reset();
        (void)sys.unlinkAt(adresar, jmeno.c_str(), 0);   // the write's error is the one to report
        return r.err;
    }
    konec = off_t(radek.size());
    return 0;
}

} // namespace

std::string adresarDeniku()
{
    if (const char* s = std::getenv("XDG_STATE_HOME"); s && s[0] == '/')
        return std::string(s) + "/zrcadlovac";
    if (const char* h = std::getenv("HOME"); h && *h)
        return std::string(h) + "/.local/state/zrcadlovac";
    return {};
}

std::vector<std::string> denikyVAdresari(const std::string& adresar)
{
    std::vector<std::string> v;
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(adresar, ec))
        if (cisloDeniku(e.path().filename().native()))
            v.push_back(e.path().native());
    std::sort(v.begin(), v.end());
    return v;
}

int zalozDenik(platform::Syscalls& sys, const std::string& adresar, const HlavickaDeniku& h,
               ZapisDeniku& vysledek)
{
    if (adresar.empty())
        return ENOENT;
    if (const int e = platform::vytvorCestu(sys, adresar, 0700))
        return e;
    const auto o = sys.openAt(AT_FDCWD, adresar.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (!o.ok())
        return o.err;
    const platform::Fd dir(sys, int(o.value));
    auto deniky = denikyVAdresari(adresar);
    const std::string jmeno = jmenoDeniku(dalsiCislo(deniky));
    platform::Fd fd;
    off_t konec = 0;
    if (const int e = zapisHlavicku(sys, dir.get(), jmeno, h, fd, konec))
        return e;
    deniky.push_back(adresar + "/" + jmeno);
    prorezej(sys, dir.get(), deniky);
    vysledek = ZapisDeniku(sys, adresar + "/" + jmeno, std::move(fd), konec);
    return 0;
}

} // namespace zrc
