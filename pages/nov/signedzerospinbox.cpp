#include "pages/nov/signedzerospinbox.h"

#include <QLineEdit>

namespace {
const QLatin1Char Minus('-');
}

SignedZeroSpinBox::SignedZeroSpinBox(QWidget *parent) : QSpinBox(parent)
{
    connect(this, QOverload<int>::of(&QSpinBox::valueChanged), this, [this](int value) {
        if (value != 0)
            m_negativeZero = false;
    });
    connect(lineEdit(), &QLineEdit::textEdited, this, &SignedZeroSpinBox::followTypedText);
}

bool SignedZeroSpinBox::isNegative() const
{
    return value() < 0 || (value() == 0 && m_negativeZero);
}

void SignedZeroSpinBox::setSignedValue(bool negative, int magnitude)
{
    m_negativeZero = negative && magnitude == 0;
    // Setting an unchanged value still redraws the text, so a sign change of zero shows.
    setValue(negative ? -magnitude : magnitude);
}

QString SignedZeroSpinBox::textFromValue(int value) const
{
    if (value == 0 && m_negativeZero)
        return Minus + QSpinBox::textFromValue(value);
    return QSpinBox::textFromValue(value);
}

void SignedZeroSpinBox::followTypedText(const QString &text)
{
    QString typed = text;
    typed.remove(0, prefix().size());
    typed.chop(suffix().size());
    typed = typed.trimmed();
    bool isNumber = false;
    const int number = typed.toInt(&isNumber);
    m_negativeZero = isNumber && number == 0 && typed.startsWith(Minus);
}
