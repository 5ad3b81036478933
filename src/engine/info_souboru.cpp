#include "engine/info_souboru.h"

#include "platform/syscalls.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace zrc {

int SlovoAtributu(const struct stat& st, std::string_view jmeno)
{
    int slovo = 0;
    if ((st.st_mode & S_IWUSR) == 0)
        slovo |= atribut::JenProCteni;
    if (jmeno.starts_with('.'))
        slovo |= atribut::Skryty;
    if (S_ISDIR(st.st_mode))
        slovo |= atribut::Adresar;
    return slovo == 0 ? atribut::Normalni : slovo;
}

std::string TextAtributu(int slovo)
{
    // Each bit that is set replaces the text of the lower ones: the text
    // names the highest of the six.
    static constexpr struct {
        int bit;
        const char* text;
    } bity[] = {
        {atribut::JenProCteni, "pouze pro čtení"}, {atribut::Skryty, "skrytý"},
        {atribut::Systemovy, "systémový"},         {atribut::IdentifikatorMedia, "Identifikátor média"},
        {atribut::Adresar, "adresář"},             {atribut::Archivni, "archívní"},
    };
    std::string text = std::to_string(slovo);
    for (const auto& b : bity)
        if (slovo & b.bit)
            text = b.text;
    return text;
}

InfoSouboru CtiInfoSouboru(const std::string& cesta, platform::Syscalls* sys)
{
    auto& s = sys ? *sys : platform::realSyscalls();
    struct stat st {};
    if (!s.fstatAt(AT_FDCWD, cesta.c_str(), st, 0).ok() || !S_ISREG(st.st_mode))
        return {};
    const std::size_t lomitko = cesta.rfind('/');
    const std::string_view jmeno =
        lomitko == std::string::npos ? std::string_view(cesta) : std::string_view(cesta).substr(lomitko + 1);
    return {.existuje = true, .velikost = st.st_size, .cas = st.st_mtime, .atributy = SlovoAtributu(st, jmeno)};
}

} // namespace zrc
