#pragma once

#include <QLocale>
#include <QObject>

class QWidget;

// A Polish engineer writes "2,5": every number of a page is shown and read with a decimal
// comma, whatever the system's locale. A dot typed out of habit, or by the keypad of another
// keyboard layout, still means the decimal point.
class PolishNumbers : public QObject
{
public:
    // Polish digits without a thousands separator, as the settings are written.
    static QLocale locale();
    static void applyTo(QWidget *page);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit PolishNumbers(QObject *parent);
};
