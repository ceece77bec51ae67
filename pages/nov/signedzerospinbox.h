#pragma once

#include <QSpinBox>

// The integer part of a NOV-1 coefficient, whose sign the device keeps apart from the
// magnitude: -0,50 has an integer part of "-0", which a plain spin box cannot hold. The box
// shows and accepts "-0"; stepping or typing any other value drops the negative zero.
class SignedZeroSpinBox : public QSpinBox
{
    Q_OBJECT

public:
    explicit SignedZeroSpinBox(QWidget *parent = nullptr);

    bool isNegative() const;
    void setSignedValue(bool negative, int magnitude);

protected:
    QString textFromValue(int value) const override;

private:
    void followTypedText(const QString &text);

    bool m_negativeZero = false;
};
