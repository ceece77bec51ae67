#include "tests/pages/kzr/kzrform.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QSpinBox>

#include <algorithm>

QAbstractButton *buttonOf(QWidget *page, const QString &name)
{
    auto *button = page->findChild<QAbstractButton *>(name);
    Q_ASSERT_X(button, "buttonOf", qPrintable(name));
    return button;
}

QStringList formState(QWidget *page)
{
    QStringList lines;
    auto line = [&lines](const QWidget *widget, const QString &value) {
        lines << QStringLiteral("%1: %2, %3")
                     .arg(widget->objectName(), value,
                          widget->isEnabled() ? QStringLiteral("enabled")
                                              : QStringLiteral("disabled"));
    };
    for (const QAbstractButton *box : page->findChildren<QAbstractButton *>()) {
        if (box->isCheckable())
            line(box, box->isChecked() ? QStringLiteral("checked") : QStringLiteral("unchecked"));
    }
    for (const QSpinBox *spin : page->findChildren<QSpinBox *>())
        line(spin, QString::number(spin->value()));
    for (const QComboBox *combo : page->findChildren<QComboBox *>())
        line(combo, combo->currentText());
    std::sort(lines.begin(), lines.end());
    return lines;
}

QByteArray configReply(const QByteArray &payload)
{
    return QByteArray("DE") + payload;
}

QByteArray viewReply(quint8 state)
{
    QByteArray frame(14, '\0');
    frame[0] = 'd';
    frame[1] = 'V';
    frame[5] = static_cast<char>(state);
    return frame;
}
