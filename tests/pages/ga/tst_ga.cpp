#include "tests/pages/ga/gapagetests.h"

#include "protocol/frames.h"

#include <QApplication>
#include <QTest>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);

    GaModel model;
    model.identity = Frame::Reply::Ga;
    model.replyHeader = Frame::Reply::GaConfig;
    model.otherReplyHeader = Frame::Reply::GamiConfig;
    model.makePage = [] { return std::make_unique<ga>(); };
    model.pageIn = [](ORVA2 &window) -> GaPage & { return window.gaPage(); };
    model.otherPageIn = [](ORVA2 &window) -> GaPage & { return window.gamiPage(); };
    model.minimumDelay = 0.1;
    model.sendButton = QStringLiteral("ZapiszGA");
    model.readButton = QStringLiteral("DZGA");
    model.defaultsButton = QStringLiteral("Domyslne");
    model.ledTestButton = QStringLiteral("pLEDGA");
    model.disconnectButton = QStringLiteral("rozlaczGA");
    model.sendSignal = SIGNAL(WyslijDaneGA());
    model.readSignal = SIGNAL(PobierzDaneZGA());
    model.backSignal = SIGNAL(PowrotPoczatekGA());
    model.ledTestSignal = SIGNAL(ProbaLEDGA());

    GaPageTests tests(model);
    return QTest::qExec(&tests, argc, argv);
}
