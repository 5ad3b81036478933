#include "test_okno_pomoc.h"

namespace zrc::test {

void OknoTest::SetUp()
{
    ASSERT_TRUE(adresar_.isValid());
    nahrada_ = std::make_unique<NahradaHlaseni>([this](const ZadostHlaseni& z) {
        zpravy << z.text;
        return odpoved;
    });
}

void OknoTest::TearDown()
{
    if (okno)
        okno->close();
    okno.reset();
    nahrada_.reset();
}

void OknoTest::otevri(const QString& ini)
{
    okno = std::make_unique<TForm1>(ini.isEmpty() ? cestaIni() : ini);
    okno->show();
    okno->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(okno.get()));
}

bool pockej(const std::function<bool()>& podminka, int ms)
{
    return QTest::qWaitFor(podminka, ms);
}

} // namespace zrc::test
