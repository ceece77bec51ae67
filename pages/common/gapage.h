#pragma once

#include "codecs/gaconfig.h"
#include "pages/common/devicepage.h"

#include <QByteArray>
#include <QString>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QSpinBox;

// The GA-1 signalling relay and its GA-1 MI variant share one configuration frame, one set
// of option rules and one set of defaults; only their forms' button names, delay minimum,
// banner and manual differ. Each model's page derives from this class, builds its own form
// and hands the shared widgets over with bindForm(widgetsOf(ui)).
class GaPage : public DevicePage
{
    Q_OBJECT

public:
    QByteArray encodeConfig() const;
    QByteArray configuration() const override { return encodeConfig(); }
    // Applies the fields in frame order; each changed box runs its option rules, so a later
    // box may undo an earlier one. Missing bytes read as 0.
    void decodeConfig(const QByteArray &block) override;
    // "1" selects the long delay range; anything else the short one, clamping the delays.
    void setRangeVariant(const QString &variant);

protected:
    struct Relay
    {
        QCheckBox *doSkasowania;
        QCheckBox *brakKasowania;
        QCheckBox *trwale;
        QCheckBox *impulsowy;
        QCheckBox *inwersja;
        QSpinBox *impulsT;
    };

    struct Widgets
    {
        QComboBox *zanikPobudzenie;
        QDoubleSpinBox *opoznieniePojawienie;
        QDoubleSpinBox *opoznienieZanik;
        QCheckBox *migoweSzybkie;
        QCheckBox *migoweWolne;
        QCheckBox *samokasowanieLed;
        QCheckBox *migoweSzyIWolKasowanie;
        QCheckBox *pobOpcjaA;
        QCheckBox *pobOpcjaB;
        QCheckBox *pobOpcjaC;
        QCheckBox *pobOpcjaD;
        QCheckBox *pobOpcjaE;
        Relay pk1;
        Relay pk2;
    };

    // Both designer forms name the shared widgets alike, so one template serves both.
    template <class Form> static Widgets widgetsOf(const Form *ui)
    {
        return {ui->ZanikPobudzenie,
                ui->OpoznieniePojawienie,
                ui->OpoznienieZanik,
                ui->MigoweSzybkie,
                ui->MigoweWolne,
                ui->SamokasowanieLED,
                ui->MigoweSzyIWolKasowanie,
                ui->PobOpcjaA,
                ui->PobOpcjaB,
                ui->PobOpcjaC,
                ui->PobOpcjaD,
                ui->PobOpcjaE,
                {ui->PK1DoSkasowania, ui->PK1BrakKasowania, ui->PK1Trwale, ui->PK1Impulsowy,
                 ui->PK1Inwersja, ui->PK1ImpulsT},
                {ui->PK2DoSkasowania, ui->PK2BrakKasowania, ui->PK2Trwale, ui->PK2Impulsowy,
                 ui->PK2Inwersja, ui->PK2ImpulsT}};
    }

    explicit GaPage(QWidget *parent = nullptr);

    // Call once, right after the form is built and before anything changes a box.
    void bindForm(const Widgets &widgets);

    // Loads the factory settings into the form; nothing is sent.
    void loadDefaults();

private slots:
    void on_PK1DoSkasowania_stateChanged(int state);
    void on_PK1BrakKasowania_stateChanged(int state);
    void on_PK1Trwale_stateChanged(int state);
    void on_PK1Impulsowy_stateChanged(int state);
    void on_PK2DoSkasowania_stateChanged(int state);
    void on_PK2BrakKasowania_stateChanged(int state);
    void on_PK2Trwale_stateChanged(int state);
    void on_PK2Impulsowy_stateChanged(int state);
    void on_PobOpcjaA_stateChanged(int state);
    void on_PobOpcjaB_stateChanged(int state);
    void on_PobOpcjaC_stateChanged(int state);
    void on_PobOpcjaD_stateChanged(int state);
    void on_PobOpcjaE_stateChanged(int state);

    // Makes every enabled state agree with the check states, whatever combination of bits
    // a received frame brought.
    void AktualizacjaWidokuProgramu();

private:
    void relayModeChanged(const Relay &relay, QCheckBox *mode, bool checked);
    void colourSchemeChanged(QCheckBox *scheme, bool checked);
    GaConfig formConfig() const;
    // Sets the form field by field in frame order, each change running its option rules.
    void applyConfig(const GaConfig &config);
    static QList<QAbstractButton *> relayBoxes(const Relay &relay);
    static GaConfig::Relay relayConfig(const Relay &relay);
    static void applyRelay(const Relay &relay, const GaConfig::Relay &config);
    QList<QAbstractButton *> schemeBoxes() const;
    QList<QAbstractButton *> behaviourBoxes() const;

    Widgets m_form{};
};
