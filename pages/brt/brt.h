#pragma once

#include "codecs/brtconfig.h"
#include "pages/common/devicepage.h"

#include <QByteArray>

class QAbstractButton;
class QComboBox;
class QSpinBox;
class QStackedWidget;

namespace Ui {
class BRT;
}

// BRT-1: two inputs shown as coloured bars, each with its own trigger, colour and delays,
// and two relays that the inputs drive. The previews show which bar lights in which colour,
// so they follow both the colour choice and the channel swap.
class BRT : public DevicePage
{
    Q_OBJECT

public:
    explicit BRT(QWidget *parent = nullptr);
    ~BRT() override;

    QByteArray encodeConfig() const;
    QByteArray configuration() const override { return encodeConfig(); }
    void decodeConfig(const QByteArray &block) override;

signals:
    void WyslijDaneBRT();
    void PobierzDaneZBRT();
    void PowrotPoczatekBRT();
    void ProbaLEDBRT();

private slots:
    void on_We1Kolor_currentIndexChanged(int index);
    void on_ZamianaKanalow_stateChanged(int arg1);
    void on_We2Kolor_currentIndexChanged(int index);
    void on_ZapiszBRT_clicked();
    void on_DZBRT_clicked();
    void on_DomyslneBRT_clicked();
    void on_pLEDBRT_clicked();
    void on_DTRBRT_clicked();
    void on_rozlaczBRT_clicked();
    void on_WE1_PK1_stateChanged(int arg1);
    void on_WE1_PK2_stateChanged(int arg1);
    void on_WE2_PK1_stateChanged(int arg1);
    void on_WE2_PK2_stateChanged(int arg1);

private:
    // One input's controls, so both inputs are encoded and decoded by the same code.
    struct Input
    {
        QComboBox *trigger;
        QComboBox *colour;
        QSpinBox *appearDelay;
        QSpinBox *vanishDelay;
        QStackedWidget *preview;
    };

    Input input1() const;
    Input input2() const;

    BrtConfig currentConfig() const;
    static BrtConfig::Input inputOf(const Input &widgets);
    static void applyInput(const BrtConfig::Input &input, const Input &widgets);
    void showPreview(const Input &input);
    static void settleRelay(bool ticked, QAbstractButton *sameInputOtherRelay,
                            QAbstractButton *otherInputSameRelay);

    Ui::BRT *ui;
    bool m_channelsSwapped = false;
};
