#include "ui/operace_souboru.h"

#include "ui/stranky_vysledku.h"

namespace zrc {

OvladacOperaci::OvladacOperaci(StrankyVysledku& vysledky, QObject* parent)
    : QObject(parent), vysledky_(vysledky)
{
}

OvladacOperaci::~OvladacOperaci() = default;

void OvladacOperaci::ProvedOperaci(const Operace& operace, const std::vector<int>& vybraneRadky)
{
    // No operation engine yet: the lists and the disk stay as they are.
    (void)operace;
    (void)vybraneRadky;
    (void)vysledky_;
    emit hotovo();
}

} // namespace zrc
