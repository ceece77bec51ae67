#include "tests/pages/ga/gapagetests.h"

#include "protocol/frames.h"

#include <QApplication>
#include <QTest>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);

    // The GA-1 MI is held to everything the GA-1 is, with its own names and a delay that
    // may be zero.
    GaModel model;
    model.identity = Frame::Reply::Gami;
    model.replyHeader = Frame::Reply::GamiConfig;
    model.otherReplyHeader = Frame::Reply::GaConfig;
    model.makePage = [] { return std::make_unique<gami>(); };
    model.pageIn = [](ORVA2 &window) -> GaPage & { return window.gamiPage(); };
    model.otherPageIn = [](ORVA2 &window) -> GaPage & { return window.gaPage(); };
    model.minimumDelay = 0.0;
    model.sendButton = QStringLiteral("ZapiszGAMI");
    model.readButton = QStringLiteral("DZGAMI");
    model.defaultsButton = QStringLiteral("DomyslneGAMI");
    model.ledTestButton = QStringLiteral("pLEDGAMI");
    model.disconnectButton = QStringLiteral("rozlaczGAMI");
    model.sendSignal = SIGNAL(WyslijDaneGAMI());
    model.readSignal = SIGNAL(PobierzDaneZGAMI());
    model.backSignal = SIGNAL(PowrotPoczatekGAMI());
    model.ledTestSignal = SIGNAL(ProbaLEDGAMI());

    GaPageTests tests(model);
    return QTest::qExec(&tests, argc, argv);
}
