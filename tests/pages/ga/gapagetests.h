#pragma once

#include "app/orva2.h"
#include "pages/common/gapage.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPair>
#include <QString>

#include <functional>
#include <memory>

// What tells the two models of the GA-1 family apart. One suite runs against each page
// class, so a form whose widget names or slots drift from its twin is caught too.
struct GaModel
{
    QByteArray identity;
    QByteArray replyHeader;
    QByteArray otherReplyHeader;
    std::function<std::unique_ptr<GaPage>()> makePage;
    std::function<GaPage &(ORVA2 &)> pageIn;
    std::function<GaPage &(ORVA2 &)> otherPageIn;
    double minimumDelay;
    QString sendButton;
    QString readButton;
    QString defaultsButton;
    QString ledTestButton;
    QString disconnectButton;
    // SIGNAL() texts of the page's send, read, back-to-start and LED-test signals.
    QByteArray sendSignal;
    QByteArray readSignal;
    QByteArray backSignal;
    QByteArray ledTestSignal;
};

class GaPageTests : public QObject
{
    Q_OBJECT

public:
    explicit GaPageTests(GaModel model) : m_model(std::move(model)) {}

private slots:
    void defaultsGiveFactoryFrame_data();
    void defaultsGiveFactoryFrame();
    void untouchedWriteBackKeepsEveryByte();
    void delayOffTheGridIsWrittenBackAsRead();
    void interlocks_data();
    void interlocks();
    void delaysClampToTheForm_data();
    void delaysClampToTheForm();
    void rangeVariantSetsDelayMaximum_data();
    void rangeVariantSetsDelayMaximum();
    void buttonsEmitTheirSignal_data();
    void buttonsEmitTheirSignal();
    void disconnectClosesPage();

    void configurationReplyReachesOnlyItsPage();
    void identificationSetsDelayRange_data();
    void identificationSetsDelayRange();
    void writeThenReadThroughDevice();
    void ledTestIsSentAndResetIsNot();

private:
    GaModel m_model;
};
