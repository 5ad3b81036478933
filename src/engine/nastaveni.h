#pragma once
// The settings record: the options of one comparison, one field per control of
// the settings page, named after that control. The history stores it under the
// same names ("adr1"/"adr2" for the directories).

#include <QDate>
#include <QString>

namespace zrc {

// Choice fields keep the 1-based number of the chosen item, as the combo boxes do.
enum class RezimFiltru : int { ZaPoslednich = 1, PoDatu = 2 };     // "za posledních", "po datu"
enum class JednotkaFiltru : int { Dny = 1, Hodiny = 2, Minuty = 3 }; // "dnů", "hodin", "minut"
enum class Omezeni : int { Oba = 1, JenAdresar1 = 2, JenAdresar2 = 3 }; // CBOmez

struct NastaveniPorovnani {
    QString adresar1;
    bool ChB_adresar1 = true;
    QString adresar2;
    bool ChB_adresar2 = true;

    bool ChB_Filtr_1 = false;
    int CB_Filtr_1 = 1;                 // RezimFiltru number
    int SE_Filtr_1_Posledni = 0;
    int ChB_Filtr_1_Posledni = 1;       // JednotkaFiltru number
    QDate DTP_Filtr_1_OdData{2000, 7, 10};
    QString ME_Filtr_1_OdData = QStringLiteral("10:00");

    bool ChB_Filtr_2 = false;
    int CB_Filtr_2 = 1;
    int SE_Filtr_2_Posledni = 0;
    int ChB_Filtr_2_Posledni = 1;
    QDate DTP_Filtr_2_OdData{2000, 7, 10};
    QString ME_Filtr_2_OdData = QStringLiteral("10:00");

    bool ChB_Filtr_3 = false;
    int SE_Filtr_3 = 0;

    int CBOmez = 1;                     // Omezeni number
    bool ChBIgnorCasFiltr = true;
    int SEMazUroven = 0;
    bool CBMazPodAdr = true;

    bool operator==(const NastaveniPorovnani&) const = default;
};

} // namespace zrc
