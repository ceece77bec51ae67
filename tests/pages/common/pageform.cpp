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

QByteArray encodePage(DevicePage &page)
{
    if (auto *form = qobject_cast<wrn2v2 *>(&page))
        return form->encodeConfigPart1() + form->encodeConfigPart2();
    if (auto *form = qobject_cast<KZR *>(&page))
        return form->encodeConfig();
    if (auto *form = qobject_cast<GaPage *>(&page))
        return form->encodeConfig();
    if (auto *form = qobject_cast<WRN2 *>(&page))
        return form->encodeConfig();
    if (auto *form = qobject_cast<DRAV *>(&page))
        return form->encodeConfig();
    if (auto *form = qobject_cast<hel *>(&page))
        return form->encodeConfig();
    if (auto *form = qobject_cast<Milisekundomierz *>(&page))
        return form->encodeConfig();
    if (auto *form = qobject_cast<nov *>(&page))
        return form->encodeConfig();
    if (auto *form = qobject_cast<BRT *>(&page))
        return form->encodeConfig();
    if (auto *form = qobject_cast<TesterKZR *>(&page))
        return form->encodeConfig();
    qFatal("no frame for page %s", page.metaObject()->className());
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
