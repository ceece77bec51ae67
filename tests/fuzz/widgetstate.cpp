#include "tests/fuzz/widgetstate.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QStackedWidget>
#include <QTabWidget>

namespace {

QString valueOf(const QWidget *widget)
{
    if (auto *box = qobject_cast<const QCheckBox *>(widget))
        return QString::number(box->checkState());
    if (auto *button = qobject_cast<const QAbstractButton *>(widget))
        return button->isCheckable() ? QString::number(button->isChecked()) : QString();
    if (auto *combo = qobject_cast<const QComboBox *>(widget))
        return QStringLiteral("%1 %2").arg(combo->currentIndex()).arg(combo->currentText());
    if (auto *spin = qobject_cast<const QAbstractSpinBox *>(widget))
        return spin->text();
    if (auto *label = qobject_cast<const QLabel *>(widget))
        return label->text();
    if (auto *edit = qobject_cast<const QLineEdit *>(widget))
        return edit->text();
    if (auto *slider = qobject_cast<const QAbstractSlider *>(widget))
        return QString::number(slider->value());
    if (auto *tabs = qobject_cast<const QTabWidget *>(widget))
        return QString::number(tabs->currentIndex());
    if (auto *stack = qobject_cast<const QStackedWidget *>(widget))
        return QString::number(stack->currentIndex());
    return QString();
}

bool usable(const QWidget *widget, const QWidget *root)
{
    return widget->isEnabledTo(root) && !widget->isHidden();
}

} // namespace

QStringList widgetState(const QWidget *root)
{
    QStringList lines;
    const auto widgets = root->findChildren<QWidget *>();
    for (const QWidget *widget : widgets) {
        // Unnamed children are the inner parts of composite widgets (line edits of spin
        // boxes, scroll bars); their owner already reports what they show.
        if (widget->objectName().isEmpty() || widget->objectName().startsWith(QLatin1String("qt_")))
            continue;
        lines << QStringLiteral("%1 %2 enabled=%3 hidden=%4 %5")
                     .arg(QLatin1String(widget->metaObject()->className()), widget->objectName())
                     .arg(widget->testAttribute(Qt::WA_Disabled) ? 0 : 1)
                     .arg(widget->isHidden() ? 1 : 0)
                     .arg(valueOf(widget));
    }
    return lines;
}

void editInputs(QWidget *root, QRandomGenerator &random)
{
    const auto widgets = root->findChildren<QWidget *>();
    for (QWidget *widget : widgets) {
        if (!usable(widget, root) || random.bounded(2) == 0)
            continue;
        if (qobject_cast<QCheckBox *>(widget) || qobject_cast<QRadioButton *>(widget)) {
            auto *button = static_cast<QAbstractButton *>(widget);
            button->setChecked(!button->isChecked());
        } else if (auto *combo = qobject_cast<QComboBox *>(widget)) {
            if (combo->count() > 0)
                combo->setCurrentIndex(static_cast<int>(random.bounded(combo->count())));
        } else if (auto *spin = qobject_cast<QAbstractSpinBox *>(widget)) {
            spin->stepBy(static_cast<int>(random.bounded(1, 20)) * (random.bounded(2) ? 1 : -1));
        }
    }
}
