#pragma once
// The main window under test: its own INI file in a temporary directory, every
// message answered and recorded instead of shown.

#include "ui/hlaseni.h"
#include "ui/stranka_nastaveni.h"
#include "ui/stranky_vysledku.h"
#include "ui/zakl_okno_1.h"

#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace zrc::test {

class OknoTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Creates and shows the window (optionally with an INI path of its own).
    void otevri(const QString& cestaIni = {});

    QString cestaIni() const { return adresar_.filePath(QStringLiteral("zrcadlovac.ini")); }

    QTemporaryDir adresar_;
    QStringList zpravy;                       // texts of the messages shown
    Odpoved odpoved = Odpoved::OK;            // how every message is answered
    std::unique_ptr<NahradaHlaseni> nahrada_;
    std::unique_ptr<TForm1> okno;
};

// Waits (event loop running) until the condition holds or 10 s pass.
bool pockej(const std::function<bool()>& podminka, int ms = 10000);

} // namespace zrc::test
