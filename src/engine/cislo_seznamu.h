#pragma once
// The number of a result list (the Tag of ListView1..ListView8) and the rules
// that hang on it, kept in one place:
//
//   list   page          directory   twin list
//   1, 2   1 "NOVÉ"      1, 2        none
//   3, 4   2 "NOVĚJŠÍ"   1, 2        none
//   5, 6   3 "VĚTŠÍ"     1, 2        8, 7
//   7, 8   4 "MENŠÍ"     1, 2        6, 5
//
// Odd lists are the left lists of their page and hold the files of directory 1.
// An item of "VĚTŠÍ" has its twin in "MENŠÍ" (the same file seen from the other
// side): the left list of one page pairs with the right list of the other.

#include <optional>

namespace zrc {

class CisloSeznamu final {
public:
    static constexpr int pocet = 8;

    // cislo: 1..8 (platne() says whether a number from outside is one).
    constexpr explicit CisloSeznamu(int cislo) : cislo_(cislo) {}
    [[nodiscard]] static constexpr bool platne(int cislo) { return cislo >= 1 && cislo <= pocet; }

    [[nodiscard]] constexpr int cislo() const { return cislo_; }

    // Page of the result pages 1..4 (index of PageControl1 without "Nastavení").
    [[nodiscard]] constexpr int stranka() const { return (cislo_ + 1) / 2; }
    // "NOVÉ": files that exist on one side only; there is no other version.
    [[nodiscard]] constexpr bool nove() const { return stranka() == 1; }
    [[nodiscard]] constexpr bool novejsi() const { return stranka() == 2; }
    // "VĚTŠÍ" and "MENŠÍ": every item has a twin in the partner list.
    [[nodiscard]] constexpr bool maDvojce() const { return stranka() >= 3; }
    // The list that holds the twins of this list's items (5 <-> 8, 6 <-> 7).
    [[nodiscard]] constexpr std::optional<CisloSeznamu> protejsiSeznam() const
    {
        return maDvojce() ? std::optional(CisloSeznamu(13 - cislo_)) : std::nullopt;
    }

    // The compared directory whose files the list shows (1 or 2), and the other one.
    [[nodiscard]] constexpr int adresar() const { return cislo_ % 2 == 1 ? 1 : 2; }
    [[nodiscard]] constexpr int protejsiAdresar() const { return 3 - adresar(); }
    // The left list of its page (directory 1).
    [[nodiscard]] constexpr bool levy() const { return adresar() == 1; }
    // The other list of the same page.
    [[nodiscard]] constexpr CisloSeznamu sousedNaStrance() const { return CisloSeznamu(levy() ? cislo_ + 1 : cislo_ - 1); }

    constexpr bool operator==(const CisloSeznamu&) const = default;

private:
    int cislo_;
};

} // namespace zrc
