#include "engine/docasne_soubory.h"

#include "platform/syscalls.h"

#include <algorithm>
#include <fcntl.h>
#include <sys/stat.h>

namespace zrc {

std::string NalezenyDocasny::cesta() const
{
    std::string c = zaklad;
    for (const std::string* dil : {&podadr, &jmeno}) {
        if (dil->empty())
            continue;
        if (c.empty() || c.back() != '/')
            c += '/';
        c += *dil;
    }
    return c;
}

bool zjistiDocasny(int fd, std::string_view jmeno, NalezenyDocasny& d)
{
    d.jmeno.assign(jmeno);
    struct stat st {};
    const auto r = platform::realSyscalls().fstatAt(fd, d.jmeno.c_str(), st, AT_SYMLINK_NOFOLLOW);
    if (!r.ok() || !S_ISREG(st.st_mode))
        return false;
    d.dev = st.st_dev;
    d.ino = st.st_ino;
    d.velikost = st.st_size;
    d.casSekundy = st.st_mtim.tv_sec;
    d.casNano = st.st_mtim.tv_nsec;
    return true;
}

void SberDocasnych::pridej(NalezenyDocasny d)
{
    std::lock_guard z(zamek_);
    nalezene_.push_back(std::move(d));
}

std::vector<NalezenyDocasny> SberDocasnych::nalezene() const
{
    std::lock_guard z(zamek_);
    std::vector<NalezenyDocasny> v = nalezene_;
    std::sort(v.begin(), v.end());
    v.erase(std::unique(v.begin(), v.end()), v.end());
    return v;
}

std::string pocetDocasnych(std::size_t n)
{
    const char* tvar = n == 1 ? "dočasný soubor" : (n >= 2 && n <= 4) ? "dočasné soubory" : "dočasných souborů";
    return std::to_string(n) + ' ' + tvar;
}

bool jeDocasnySoubor(std::string_view j)
{
    const std::size_t ocas = 1 + delkaNahodneCasti + priponaDocasneho.size();
    if (j.size() < 2 + ocas || j[0] != '.' || !j.ends_with(priponaDocasneho))
        return false;
    const std::size_t tecka = j.size() - ocas;
    if (j[tecka] != '.')
        return false;
    for (char c : j.substr(tecka + 1, delkaNahodneCasti))
        if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')))
            return false;
    return true;
}

} // namespace zrc
