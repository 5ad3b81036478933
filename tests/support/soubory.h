#pragma once
// What a test finds on the disk after the code under test ran.

#include <string>

namespace zrc::test {

// The whole content of a file; "" when it is missing or unreadable.
std::string obsah(const std::string& cesta);

// Whether anything (a link too, never followed) stands at cesta.
bool existuje(const std::string& cesta);

} // namespace zrc::test
