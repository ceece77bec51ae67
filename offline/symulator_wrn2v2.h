#pragma once

#include <QWidget>

namespace Ui {
class symulator_wrn2v2;
}

class symulator_wrn2v2 : public QWidget
{
    Q_OBJECT

public:
    explicit symulator_wrn2v2(QWidget *parent = nullptr);
    ~symulator_wrn2v2() override;

private:
    Ui::symulator_wrn2v2 *ui;
};
