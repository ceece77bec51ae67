#pragma once

#include "codecs/kzrconfig.h"
#include "pages/common/devicepage.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QTimer>

namespace Ui {
class KZR;
}

// The interlock relay KZR-1 and its variant TLMX-1: one form, one frame layout, two sets of
// defaults, and a live view of the interlock that can also unlock it.
class KZR : public DevicePage
{
    Q_OBJECT

public:
    explicit KZR(QWidget *parent = nullptr);
    ~KZR() override;

    QByteArray encodeConfig() const;
    QByteArray configuration() const override { return encodeConfig(); }
    void decodeConfig(const QByteArray &block) override;
    void decodeView(const QByteArray &block);
    void setModelBanner(const QString &code);
    // The view's indicators are older than a reply should be: the relay has fallen silent.
    bool viewStale() const { return m_stale; }

signals:
    // The view fell silent, or answered again after falling silent.
    void viewStaleChanged(bool stale);
    void PowrotPoczatek();
    void WyslijDaneKZR();
    void PobierzDaneZKZR();
    void WidokZalaczonyKZR();
    void OdblokujZProgramu();

protected:
    // The age is told only while someone can read it.
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private slots:
    void on_DTR_clicked();
    void on_DZ_clicked();
    void on_rozlacz_clicked();
    void on_Zapisz_clicked();
    void on_WidokUrzadzenia_clicked();
    void on_odblok_pc_stateChanged(int arg1);
    void on_pk1_powwe1_stateChanged(int arg1);
    void on_pk1_powwe2_stateChanged(int arg1);
    void on_pk2_powwe1_stateChanged(int arg1);
    void on_pk2_powwe2_stateChanged(int arg1);
    void on_uz_we1_stateChanged(int arg1);
    void on_uz_we2_stateChanged(int arg1);
    void on_PrzyciskOdblok_clicked();
    void on_pk1_nappom_stateChanged(int arg1);
    void on_pk1_odblok_stateChanged(int arg1);
    void on_pk2_odblok_stateChanged(int arg1);
    void on_pk1_przycisk_stateChanged(int arg1);
    void on_pk2_przycisk_stateChanged(int arg1);
    void on_pk2_nappom_stateChanged(int arg1);
    void on_odblok_we1_stateChanged(int arg1);
    void on_odblok_we2_stateChanged(int arg1);
    void on_DomyslneKZR_TLMX_clicked();

private:
    KzrConfig formConfig() const;
    // Sets the form field by field in frame order, each change running its interlocks.
    void applyConfig(const KzrConfig &config);
    QList<QAbstractButton *> unlockBoxes() const;
    QList<QAbstractButton *> relay1Boxes() const;
    QList<QAbstractButton *> relay2Boxes() const;
    QList<QAbstractButton *> inputBoxes() const;
    void showViewStale(bool stale);
    void showViewAge();
    void excludeRelay1Sources(QAbstractButton *changed, int state);
    void excludeRelay2Sources(QAbstractButton *changed, int state);
    void updateInversionLocks();
    void useInputForEarthing(QAbstractButton *unlockSource, int state);
    void useInputForUnlock(QAbstractButton *earthingInput, int state);
    bool viewShown() const;

    Ui::KZR *ui;
    QString m_modelCode;
    // One timer for the whole polling chain, so switching the view off and on again within
    // a second cannot leave two chains polling side by side.
    QTimer m_viewPoll{this};
    // Runs while the view waits for a reply; when it expires the indicators are marked as
    // out of date instead of passing old states off as live.
    QTimer m_viewStale{this};
    // How old the indicators are, said in words while the view is shown.
    QElapsedTimer m_sinceView;
    QTimer m_ageTick{this};
    bool m_stale = false;
};
