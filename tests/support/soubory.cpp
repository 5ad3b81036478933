#include "support/soubory.h"

#include <fstream>
#include <iterator>
#include <sys/stat.h>

namespace zrc::test {

std::string obsah(const std::string& cesta)
{
    std::ifstream f(cesta, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

bool existuje(const std::string& cesta)
{
    struct stat st {};
    return ::lstat(cesta.c_str(), &st) == 0;
}

} // namespace zrc::test
