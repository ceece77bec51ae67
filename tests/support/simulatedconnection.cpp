#include "tests/support/simulatedconnection.h"

#include "tests/support/dialogs.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QCoreApplication>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QTest>
#include <QTextBrowser>

#include <algorithm>

namespace {

constexpr int TimeoutMs = 5000;

// Backups, recent files and remembered switches go to a throwaway place, never the user's.
void isolateUserData()
{
    QStandardPaths::setTestModeEnabled(true);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(isolateUserData)

SimulatedConnection::SimulatedConnection(const QByteArray &identity) : m_simulator(identity)
{
    m_simulator.start();
    QObject::connect(&m_window.link(), &DeviceLink::replyReceived,
                     [this](const QByteArray &reply) { m_replies << reply; });
}

// A port that cannot be opened shows a modal box; closing it lets the test fail with the
// reason instead of waiting for a click that never comes.
void SimulatedConnection::pressConnect()
{
    ModalDialogCloser closer;
    m_window.connectTo(m_simulator.portName());
    if (!closer.closedText().isEmpty())
        qWarning("%s: %s", qPrintable(closer.closedText()), qPrintable(closer.closedDetails()));
}

bool SimulatedConnection::connectAndLoad()
{
    const int linesBefore = logLines().size();
    const int framesBefore = m_simulator.device().receivedFrames().size();
    pressConnect();
    // Identification request, then the read request sent after identification.
    if (!waitForFrames(framesBefore + 2))
        return false;
    const bool hasConfigReply = m_simulator.device().identity() != "06";
    const QString expected = hasConfigReply ? QStringLiteral("Konfiguracja pobrana")
                                            : QStringLiteral("Pobierz konfiguracje");
    // Lines about what the form cannot show may follow the one awaited.
    return QTest::qWaitFor(
        [&] {
            const QStringList lines = logLines().mid(linesBefore);
            return std::any_of(lines.cbegin(), lines.cend(),
                               [&](const QString &line) { return line.startsWith(expected); });
        },
        TimeoutMs);
}

bool SimulatedConnection::waitForFrames(int count)
{
    return QTest::qWaitFor([&] { return m_simulator.device().receivedFrames().size() >= count; }, TimeoutMs);
}

bool SimulatedConnection::waitForLogLine(const QString &line)
{
    return QTest::qWaitFor([&] { return logLines().contains(line); }, TimeoutMs);
}

QStringList SimulatedConnection::logLines() const
{
    return logLinesOf(const_cast<ORVA2 &>(m_window));
}

QTextBrowser *SimulatedConnection::log() const
{
    return m_window.findChild<QTextBrowser *>(QStringLiteral("textBrowser"));
}

QStringList logLinesOf(ORVA2 &window)
{
    return window.communicationLog().lines();
}

void clickButton(QWidget *root, const char *objectName)
{
    auto *button = root->findChild<QAbstractButton *>(QLatin1String(objectName));
    Q_ASSERT_X(button, "clickButton", objectName);
    button->click();
}

QStackedWidget *pageStack(ORVA2 &window)
{
    return window.findChild<QStackedWidget *>(QStringLiteral("stackedWidget"));
}

QCheckBox *kzrBox(ORVA2 &window, const char *objectName)
{
    return window.kzrPage().findChild<QCheckBox *>(QLatin1String(objectName));
}
