#include "tests/pages/common/pageform.h"

#include "app/orva2.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QSpinBox>
#include <QTest>

#include <algorithm>

std::unique_ptr<DevicePage> makePage(ModelInfo::Id model)
{
    using Id = ModelInfo::Id;
    switch (model) {
    case Id::Kzr:
    case Id::Tlmx:
        return std::make_unique<KZR>();
    case Id::Ga:
        return std::make_unique<ga>();
    case Id::Gami:
        return std::make_unique<gami>();
    case Id::Wrn1:
        return std::make_unique<WRN2>();
    case Id::Wrn2:
        return std::make_unique<wrn2v2>();
    case Id::Drav:
        return std::make_unique<DRAV>();
    case Id::Hel:
        return std::make_unique<hel>();
    case Id::Zegar:
        return std::make_unique<Milisekundomierz>();
    case Id::Nov:
        return std::make_unique<nov>();
    case Id::Brt:
        return std::make_unique<BRT>();
    case Id::Tester:
        return std::make_unique<TesterKZR>();
    }
    qFatal("no page for model %d", int(model));
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
