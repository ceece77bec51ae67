#include "tests/support/paintcounter.h"
#include "tests/support/simulatedconnection.h"

#include "codecs/kzrconfig.h"
#include "codecs/wrn2config.h"
#include "pages/common/changemarks.h"
#include "protocol/frames.h"
#include "protocol/modeltable.h"
#include "settings/settingdescription.h"

#include <QCheckBox>
#include <QLabel>
#include <QLoggingCategory>
#include <QScreen>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTest>
#include <QTextBrowser>
#include <QTextDocument>

#include <functional>

// What the window does with each received block, by its header.
class tst_ReceiveHandler : public QObject
{
    Q_OBJECT

private slots:
    void identification_data();
    void identification();
    void replyLogLines_data();
    void replyLogLines();
    void reidentificationKeepsOnePageInStack();
    void repeatedReplies_data();
    void repeatedReplies();
    void equalReplyIsNotDecodedAgain();
    void equalReplyTheFormCannotShowIsSaidAgain();
    void changedFormOnScreenAsPaintedAfresh_data();
    void changedFormOnScreenAsPaintedAfresh();
    void fieldLeftHalfTypedShowsTheRelaysValue();
};

namespace {

QByteArray identificationOf(const char *identity)
{
    return QByteArray(identity) + "031507" + QByteArray(6, '\0');
}

// A reply carries each frame's settings behind the reply header.
QByteArray replyOf(const char *header, const QByteArray &frames)
{
    QByteArray reply;
    for (int at = 0; at < frames.size(); at += Frame::Size)
        reply += QByteArray(header) + frames.mid(at + 2, Frame::Size - 2);
    return reply;
}

KzrConfig changedKzr()
{
    KzrConfig config = KzrConfig::kzrDefaults();
    config.unlockSeconds = 45;
    config.relay1 = 1 << KzrConfig::RelayFollowsButton;
    config.blockedColour = KzrConfig::Yellow;
    return config;
}

// Counts the KZR page's trace of decoded fields, which only a decoded reply writes.
int g_decodeTraces = 0;
QtMessageHandler g_previousHandler = nullptr;

void countDecodeTraces(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (qstrcmp(context.category, "orva.pages.kzr") == 0)
        ++g_decodeTraces;
    else
        g_previousHandler(type, context, text);
}

} // namespace

static QStackedWidget *stackOf(ORVA2 &window)
{
    return window.findChild<QStackedWidget *>(QStringLiteral("stackedWidget"));
}

void tst_ReceiveHandler::identification_data()
{
    QTest::addColumn<QByteArray>("code");
    QTest::addColumn<QString>("version");
    for (const ModelInfo &model : ModelInfo::all())
        QTest::newRow(model.name) << QByteArray(model.identity)
                                  << (model.hasRangeVariant ? "v03d15m07r1" : "v03d15m07r");
}

void tst_ReceiveHandler::identification()
{
    QFETCH(QByteArray, code);
    QFETCH(QString, version);
    const QString logLine = QString::fromUtf8(ModelInfo::find(QString::fromLatin1(code))->identifiedLine);

    ORVA2 window;
    window.processBlock(code + QByteArray("0315071") + QByteArray(5, '\x07'));

    QCOMPARE(logLinesOf(window).mid(0, 2), QStringList({logLine, "Pobierz konfiguracje"}));
    QWidget *page = stackOf(window)->currentWidget();
    QCOMPARE(stackOf(window)->currentIndex(), 1);
    QVERIFY(page != nullptr);
    const auto labels = page->findChildren<QLabel *>();
    const bool versionShown = std::any_of(labels.begin(), labels.end(),
                                          [&](QLabel *label) { return label->text() == version; });
    if (code != "12") // the tester page shows no version
        QVERIFY2(versionShown, qPrintable(version));
}

// Every reply is logged in blue, or only turns the log blue when it is no known reply.
void tst_ReceiveHandler::replyLogLines_data()
{
    QTest::addColumn<QByteArray>("block");
    QTest::addColumn<QStringList>("logLines");
    const QByteArray zeros(12, '\0');
    QTest::newRow("KZR view") << "dV" + zeros << QStringList{"Widok urządzenia aktualizacja"};
    QTest::newRow("LED test echo") << "PL" + zeros << QStringList{"RGB"};
    QTest::newRow("acknowledge") << "OK" + zeros << QStringList{"Konfiguracja odebrana"};
    QTest::newRow("empty") << QByteArray() << QStringList();
    QTest::newRow("DL") << "DL" + zeros << QStringList();
    QTest::newRow("one byte") << QByteArray("0") << QStringList();
    QTest::newRow("lower case ok") << QByteArray("ok") << QStringList();
}

void tst_ReceiveHandler::replyLogLines()
{
    QFETCH(QByteArray, block);
    QFETCH(QStringList, logLines);
    ORVA2 window;
    window.processBlock(block);
    QCOMPARE(logLinesOf(window), logLines);
    QCOMPARE(stackOf(window)->currentIndex(), 0);
    auto *log = window.findChild<QTextBrowser *>(QStringLiteral("textBrowser"));
    QCOMPARE(log->textColor(), QColor(Qt::blue));
}

void tst_ReceiveHandler::reidentificationKeepsOnePageInStack()
{
    ORVA2 window;
    const QByteArray reply = QByteArray("01031507") + QByteArray(6, '\0');
    window.processBlock(reply);
    window.processBlock(QByteArray("03031507") + QByteArray(6, '\0'));
    window.processBlock(reply);
    QCOMPARE(stackOf(window)->count(), 3);
    QCOMPARE(stackOf(window)->currentWidget(), &window.kzrPage());
}

// The live view and a repeated read bring the same reply again and again: it must leave the form
// and its marks alone, while an edited form or a different reply is loaded as ever.
void tst_ReceiveHandler::repeatedReplies_data()
{
    QTest::addColumn<QByteArray>("identification");
    QTest::addColumn<QByteArray>("first");
    QTest::addColumn<QByteArray>("second");
    QTest::newRow("KZR-1") << identificationOf(Frame::Reply::Kzr)
                           << replyOf(Frame::Reply::KzrConfig, KzrConfig::kzrDefaults().encode())
                           << replyOf(Frame::Reply::KzrConfig, changedKzr().encode());
    Wrn2Config wrn2 = Wrn2Config::defaults();
    wrn2.third.dropOutSteps += 2;
    wrn2.drives[0][2] = !wrn2.drives[0][2];
    QTest::newRow("WRN-2") << identificationOf(Frame::Reply::Wrn2)
                           << replyOf(Frame::Reply::Wrn2Config, Wrn2Config::defaults().encode())
                           << replyOf(Frame::Reply::Wrn2Config, wrn2.encode());
}

void tst_ReceiveHandler::repeatedReplies()
{
    QFETCH(QByteArray, identification);
    QFETCH(QByteArray, first);
    QFETCH(QByteArray, second);
    ORVA2 window;
    window.processBlock(identification);
    const ModelInfo &model = *ModelInfo::byIdentity(identification);
    const SettingDescription &description = *SettingDescription::of(model.id);
    DevicePage &page = window.pageOf(model.id);
    window.processBlock(first);
    QCOMPARE(page.configuration().toHex(' '), description.normalised(first).toHex(' '));
    const int lines = logLinesOf(window).size();

    QSignalSpy counted(&page.changeMarks(), &ChangeMarks::changed);
    window.processBlock(first);
    QCOMPARE(counted.count(), 0);
    QCOMPARE(page.configuration().toHex(' '), description.normalised(first).toHex(' '));
    QCOMPARE(logLinesOf(window).mid(lines), QStringList{QString::fromUtf8(model.configLine)});

    // The engineer's edit is undone by the same reply, as by any read.
    QCheckBox *box = nullptr;
    for (QCheckBox *candidate : page.findChildren<QCheckBox *>()) {
        if (candidate->isEnabled() && candidate->isVisibleTo(&page)) {
            box = candidate;
            break;
        }
    }
    QVERIFY(box);
    box->click();
    QVERIFY(!page.changeMarks().changedInputs().isEmpty());
    QVERIFY(window.isWindowModified());
    window.processBlock(first);
    QVERIFY(page.changeMarks().changedInputs().isEmpty());
    QVERIFY(!window.isWindowModified());
    QCOMPARE(page.configuration().toHex(' '), description.normalised(first).toHex(' '));

    // A different reply fills the form, and its changes are counted once, when it is full.
    counted.clear();
    window.processBlock(second);
    QCOMPARE(page.configuration().toHex(' '), description.normalised(second).toHex(' '));
    QCOMPARE(counted.count(), 1);
    QVERIFY(page.changeMarks().changedInputs().isEmpty());
    QVERIFY(!window.isWindowModified());
}

void tst_ReceiveHandler::equalReplyIsNotDecodedAgain()
{
    ORVA2 window;
    window.processBlock(identificationOf(Frame::Reply::Kzr));
    const QByteArray first = replyOf(Frame::Reply::KzrConfig, KzrConfig::kzrDefaults().encode());
    const QByteArray second = replyOf(Frame::Reply::KzrConfig, changedKzr().encode());
    window.processBlock(first);

    QLoggingCategory::setFilterRules(QStringLiteral("orva.pages.kzr.debug=true"));
    g_decodeTraces = 0;
    g_previousHandler = qInstallMessageHandler(countDecodeTraces);
    window.processBlock(first);
    const int afterEqual = g_decodeTraces;
    window.processBlock(second);
    const int afterDifferent = g_decodeTraces;
    // After identification the same reply is loaded again: the device may be another one.
    window.processBlock(identificationOf(Frame::Reply::Kzr));
    window.processBlock(second);
    const int afterIdentification = g_decodeTraces;
    qInstallMessageHandler(g_previousHandler);
    QLoggingCategory::setFilterRules(QString());

    QCOMPARE(afterEqual, 0);
    QVERIFY(afterDifferent > 0);
    QVERIFY(afterIdentification > afterDifferent);
}

// A device holding what the form cannot show is said every time it is read, equal or not.
void tst_ReceiveHandler::equalReplyTheFormCannotShowIsSaidAgain()
{
    ORVA2 window;
    window.processBlock(identificationOf(Frame::Reply::Kzr));
    KzrConfig beyond = KzrConfig::kzrDefaults();
    beyond.voltageAppearanceMs = 3000;
    const QByteArray reply = replyOf(Frame::Reply::KzrConfig, beyond.encode());
    window.processBlock(reply);
    const QStringList firstLines = logLinesOf(window);
    const int said = firstLines.count(
        QStringLiteral("Formularz nie pokazuje dokładnie nastaw odczytanych z urządzenia"));
    QCOMPARE(said, 1);
    window.processBlock(reply);
    const QStringList lines = logLinesOf(window);
    QCOMPARE(lines.mid(firstLines.size()), firstLines.mid(firstLines.size() - 3));
}

void tst_ReceiveHandler::changedFormOnScreenAsPaintedAfresh_data()
{
    repeatedReplies_data();
}

// A reply repaints only the fields it changed, and the marks that go with them: what the screen
// shows then is what painting the whole window again would show.
void tst_ReceiveHandler::changedFormOnScreenAsPaintedAfresh()
{
    QFETCH(QByteArray, identification);
    QFETCH(QByteArray, first);
    QFETCH(QByteArray, second);
    ORVA2 window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const auto onScreen = [&window] {
        return window.screen()->grabWindow(window.winId()).toImage().convertToFormat(
            QImage::Format_RGB32);
    };
    const auto afresh = [&window] {
        return window.grab().toImage().convertToFormat(QImage::Format_RGB32);
    };
    window.processBlock(identification);
    window.processBlock(first);
    QTRY_COMPARE(onScreen(), afresh());

    // An edit marks its field; the next reply takes the mark away with the edit.
    DevicePage &page = window.pageOf(ModelInfo::byIdentity(identification)->id);
    for (QCheckBox *box : page.findChildren<QCheckBox *>()) {
        if (box->isEnabled() && box->isVisible()) {
            box->click();
            break;
        }
    }
    QVERIFY(!page.changeMarks().changedInputs().isEmpty());
    QTRY_COMPARE(onScreen(), afresh());
    window.processBlock(second);
    QVERIFY(page.changeMarks().changedInputs().isEmpty());
    QTRY_COMPARE(onScreen(), afresh());

    // Back to the first reply: a field it leaves as it was is not drawn again. KZR-1's one
    // shown spin box changes; WRN-2's changed one lies beyond the scrolled view, the others
    // are shown. (Grabbing the window here would draw every field.)
    QHash<QSpinBox *, int> values;
    for (QSpinBox *spin : page.findChildren<QSpinBox *>()) {
        if (!spin->visibleRegion().isEmpty())
            values.insert(spin, spin->value());
    }
    // The form is drawn before the log lays out the line about the reply.
    const QTextDocument *log =
        window.findChild<QTextBrowser *>(QStringLiteral("textBrowser"))->document();
    const int logLines = log->blockCount();
    int logLinesWhenFormDrawn = -1;
    const PaintCounter painted([&](QObject *watched) {
        if (logLinesWhenFormDrawn < 0 && watched->isWidgetType() &&
            page.isAncestorOf(static_cast<QWidget *>(watched)))
            logLinesWhenFormDrawn = log->blockCount();
    });
    window.processBlock(first);
    // Everything a reply changed is drawn in one go.
    QTRY_VERIFY(painted.total() > 0);
    QTRY_VERIFY(log->blockCount() > logLines);
    // Where the form changed on screen (a spin box below), it was drawn first.
    QVERIFY(logLinesWhenFormDrawn < 0 || logLinesWhenFormDrawn == logLines);
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        const bool same = it.key()->value() == it.value();
        QVERIFY2((painted.of(it.key()) > 0) != same, qPrintable(it.key()->objectName()));
    }
}

// A field the engineer cleared holds no value yet; a reply that leaves its setting as it was
// still shows the relay's value in it.
void tst_ReceiveHandler::fieldLeftHalfTypedShowsTheRelaysValue()
{
    ORVA2 window;
    window.processBlock(identificationOf(Frame::Reply::Wrn2));
    window.processBlock(replyOf(Frame::Reply::Wrn2Config, Wrn2Config::defaults().encode()));
    auto *dropOut = window.findChild<QSpinBox *>(QStringLiteral("We1Zanik"));
    QVERIFY(dropOut);
    const QString shown = dropOut->text();
    dropOut->selectAll();
    QTest::keyClick(dropOut, Qt::Key_Delete);
    QVERIFY(!dropOut->hasAcceptableInput());
    Wrn2Config other = Wrn2Config::defaults();
    other.third.dropOutSteps += 2;
    window.processBlock(replyOf(Frame::Reply::Wrn2Config, other.encode()));
    QCOMPARE(dropOut->text(), shown);
}

QTEST_MAIN(tst_ReceiveHandler)
#include "tst_receivehandler.moc"
