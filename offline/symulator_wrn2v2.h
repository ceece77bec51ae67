#pragma once

#include <QWidget>

class QAbstractButton;
class QStackedWidget;

namespace Ui {
class symulator_wrn2v2;
}

// An offline demonstration of how a WRN-2 latches its three signals: an energised input
// lights its LED red and keeps it red after it drops, until a reset, which turns a signal
// whose input is still energised yellow. Nothing here talks to a device.
class symulator_wrn2v2 : public QWidget
{
    Q_OBJECT

public:
    explicit symulator_wrn2v2(QWidget *parent = nullptr);
    ~symulator_wrn2v2() override;

private slots:
    void on_NapieciWe1_stateChanged(int arg1);
    void on_Kasowanie_stateChanged(int arg1);
    void on_NapieciWe2_stateChanged(int arg1);
    void on_NapieciWe3_stateChanged(int arg1);

private:
    static void inputChanged(QStackedWidget *led, int state);
    static void reset(const QAbstractButton *input, QStackedWidget *led);

    Ui::symulator_wrn2v2 *ui;
};
