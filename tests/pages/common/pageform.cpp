#include "tests/pages/common/pageform.h"

#include "app/orva2.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QMap>
#include <QSpinBox>
#include <QTest>

#include <algorithm>

template <class Page> std::unique_ptr<DevicePage> make()
{
    return std::make_unique<Page>();
}

std::unique_ptr<DevicePage> makePage(ModelInfo::Id model)
{
    using Id = ModelInfo::Id;
    static const QMap<Id, std::unique_ptr<DevicePage> (*)()> makers = {
        {Id::Kzr, make<KZR>},   {Id::Tlmx, make<KZR>},   {Id::Ga, make<ga>},
        {Id::Gami, make<gami>}, {Id::Wrn1, make<WRN2>},  {Id::Wrn2, make<wrn2v2>},
        {Id::Drav, make<DRAV>}, {Id::Hel, make<hel>},    {Id::Zegar, make<Milisekundomierz>},
        {Id::Nov, make<nov>},   {Id::Brt, make<BRT>},    {Id::Tester, make<TesterKZR>}};
    return makers.value(model)();
}

// Each page class has a frame of its own type; the first class the page is wins.
template <class... Forms> QByteArray encodeAs(DevicePage &page)
{
    QByteArray frame;
    const auto tryForm = [&](auto *form) {
        if (form && frame.isEmpty())
            frame = form->encodeConfig();
    };
    (tryForm(qobject_cast<Forms *>(&page)), ...);
    return frame;
}

QByteArray encodePage(DevicePage &page)
{
    if (auto *form = qobject_cast<wrn2v2 *>(&page))
        return form->encodeConfigPart1() + form->encodeConfigPart2();
    return encodeAs<KZR, GaPage, WRN2, DRAV, hel, Milisekundomierz, nov, BRT, TesterKZR>(page);
}

QStringList formState(QWidget &page)
{
    QStringList lines;
    auto line = [&lines](const QWidget *widget, const QString &value) {
        lines << QStringLiteral("%1: %2, %3")
                     .arg(widget->objectName(), value,
                          QLatin1String(widget->isEnabled() ? "enabled" : "disabled"));
    };
    for (const QAbstractButton *box : page.findChildren<QAbstractButton *>()) {
        if (box->isCheckable())
            line(box, QLatin1String(box->isChecked() ? "checked" : "unchecked"));
    }
    for (const QSpinBox *spin : page.findChildren<QSpinBox *>())
        line(spin, QString::number(spin->value()));
    for (const QDoubleSpinBox *spin : page.findChildren<QDoubleSpinBox *>())
        line(spin, QString::number(spin->value()));
    for (const QComboBox *combo : page.findChildren<QComboBox *>())
        line(combo, combo->currentText());
    std::sort(lines.begin(), lines.end());
    return lines;
}

QStringList checkedBoxes(QWidget &page)
{
    QStringList names;
    for (const QCheckBox *box : page.findChildren<QCheckBox *>()) {
        if (box->isChecked())
            names << box->objectName();
    }
    names.sort();
    return names;
}

void typeInto(QAbstractSpinBox *spin, const QString &text)
{
    spin->setFocus();
    spin->selectAll();
    QTest::keyClicks(spin, text);
    QTest::keyClick(spin, Qt::Key_Return);
}
