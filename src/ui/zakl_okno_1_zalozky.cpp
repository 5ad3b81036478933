#include "ui/zakl_okno_1_zalozky.h"

#include <QTabBar>

namespace zrc {

namespace {

class StejneZalozky : public QTabBar {
public:
    using QTabBar::QTabBar;
    int sirka = 100;   // design tab width

protected:
    QSize tabSizeHint(int index) const override
    {
        return {sirka, QTabBar::tabSizeHint(index).height()};
    }
    QSize minimumTabSizeHint(int index) const override
    {
        return tabSizeHint(index);
    }
};

} // namespace

ZalozkyOkna::ZalozkyOkna(QWidget* parent)
    : QTabWidget(parent)
{
    setTabBar(new StejneZalozky(this));
    setTabPosition(QTabWidget::South);
}

void ZalozkyOkna::nastavSirkuZalozek(int sirka)
{
    auto* bar = static_cast<StejneZalozky*>(tabBar());
    if (bar->sirka == sirka)
        return;
    bar->sirka = sirka;
    // Re-layout the tabs with the new hint.
    bar->setIconSize(bar->iconSize());
    tabBar()->updateGeometry();
    setTabPosition(tabPosition());
}

int ZalozkyOkna::sirkaZalozek() const
{
    return static_cast<const StejneZalozky*>(tabBar())->sirka;
}

} // namespace zrc
