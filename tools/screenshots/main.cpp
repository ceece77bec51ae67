// orva-screenshots <folder>: one PNG per page of the program, taken offscreen.

#include "app/orva2.h"
#include "simulator/devicesimulator.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QTextBrowser>
#include <QTextStream>

namespace {

constexpr int ReplyTimeoutMs = 3000;

struct OfflineShot
{
    const char *button;
    const char *file;
};

const OfflineShot OfflineShots[] = {
    {"KZROffline", "offline-kzr1"},    {"TLMXOffline", "offline-tlmx1"},
    {"GAOffline", "offline-ga1"},      {"WRNOffline", "offline-wrn1"},
    {"WRN2Offline", "offline-wrn2"},   {"DRAVOffline", "offline-drav1"},
    {"GA1MIOffline", "offline-ga1mi"}, {"pushButton", "offline-brt1"},
};

class Shooter
{
public:
    explicit Shooter(const QDir &folder) : m_folder(folder) {}

    bool save(QWidget &window, const QString &name)
    {
        window.show();
        QApplication::processEvents();
        const QString path = m_folder.filePath(name + QStringLiteral(".png"));
        const bool saved = window.grab().save(path);
        QTextStream(stdout) << (saved ? "wrote " : "FAILED ") << path << Qt::endl;
        m_failures += saved ? 0 : 1;
        return saved;
    }

    int failures() const { return m_failures; }

private:
    QDir m_folder;
    int m_failures = 0;
};

void click(QWidget &root, const char *name)
{
    if (auto *button = root.findChild<QAbstractButton *>(QLatin1String(name)))
        button->click();
}

bool waitUntil(const std::function<bool()> &done)
{
    QDeadlineTimer deadline(ReplyTimeoutMs);
    while (!done() && !deadline.hasExpired())
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
}

QString lastLogLine(ORVA2 &window)
{
    auto *log = window.findChild<QTextBrowser *>(QStringLiteral("textBrowser"));
    const QStringList lines = log->toPlainText().split(QLatin1Char('\n'));
    return lines.last();
}

void shootStartAndOffline(Shooter &shooter)
{
    {
        ORVA2 window;
        shooter.save(window, QStringLiteral("start"));
        click(window, "polacz");
        shooter.save(window, QStringLiteral("offline-chooser"));
    }
    for (const OfflineShot &shot : OfflineShots) {
        ORVA2 window;
        click(window, "polacz");
        click(window.offlinePage(), shot.button);
        shooter.save(window, QLatin1String(shot.file));
    }
    ORVA2 window;
    click(window, "polacz");
    window.offlinePage()
        .findChild<QAbstractButton *>(QStringLiteral("Symulator"))
        ->setEnabled(true);
    click(window.offlinePage(), "Symulator");
    shooter.save(window, QStringLiteral("offline-symulator-wrn2"));
}

void shootDevices(Shooter &shooter)
{
    for (const QString &model : SimulatedDevice::modelNames()) {
        const QByteArray identity = SimulatedDevice::identityFor(model);
        DeviceSimulator simulator(identity);
        if (!simulator.start())
            return;

        ORVA2 window;
        auto *ports = window.findChild<QComboBox *>(QStringLiteral("porty"));
        ports->addItem(simulator.portName());
        ports->setCurrentIndex(ports->count() - 1);
        click(window, "polacz");
        waitUntil([&] {
            const QString line = lastLogLine(window);
            return line.startsWith(QStringLiteral("Konfiguracja pobrana")) ||
                   (identity == "06" && line == QStringLiteral("Pobierz konfiguracje"));
        });
        QString slug = model.toLower();
        slug.remove(QLatin1Char(' '));
        slug.remove(QLatin1Char('-'));
        shooter.save(window, QStringLiteral("device-") + slug);
    }
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList arguments = QApplication::arguments();
    const QDir folder(arguments.size() > 1 ? arguments.at(1) : QStringLiteral("screenshots"));
    if (!QDir().mkpath(folder.path())) {
        QTextStream(stderr) << "cannot create " << folder.path() << Qt::endl;
        return 1;
    }
    Shooter shooter(folder);
    shootStartAndOffline(shooter);
    shootDevices(shooter);
    return shooter.failures() == 0 ? 0 : 1;
}
