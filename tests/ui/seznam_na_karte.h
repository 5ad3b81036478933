#pragma once
// List 1 of the result pages as the window shows it: on the "NOVÉ" tab beside a
// settings tab, the pages' INI file in a temporary directory of its own.

#include "ui/stranky_vysledku.h"

#include <QBoxLayout>
#include <QLabel>
#include <QTabWidget>
#include <QTemporaryDir>
#include <memory>

namespace zrc::test {

class SeznamNaKarte {
protected:
    // Builds the pages and shows the tab with list 1 at the given size.
    void zobrazSeznam(int sirka, int vyska)
    {
        tabs.addTab(new QLabel, QStringLiteral("Nastavení"));
        tabs.addTab(new QWidget, QStringLiteral("NOVÉ"));
        stranky = std::make_unique<StrankyVysledku>(&tabs);
        seznam = stranky->seznam(1);
        (new QHBoxLayout(tabs.widget(1)))->addWidget(seznam);
        stranky->setCestaIni(adresar.filePath("zrcadlovac.ini"));
        tabs.resize(sirka, vyska);
        tabs.show();
        tabs.setCurrentIndex(1);
    }

    QTabWidget tabs;
    std::unique_ptr<StrankyVysledku> stranky;
    QTemporaryDir adresar;
    SeznamVysledku* seznam = nullptr;
};

} // namespace zrc::test
