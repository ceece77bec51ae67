// orva-screenshots <folder>: every screen of the program as PNG files, <folder>/default at
// the usual resolution and <folder>/dpi120 with QT_FONT_DPI=120, as on a screen set to larger
// text. Drawn on the display there is (xvfb-run gives one), or off screen without one.

#include "tools/screenshots/shooter.h"

#include "app/comparedialog.h"
#include "app/orva2.h"
#include "app/settingsmenu.h"
#include "app/setupapplication.h"
#include "protocol/frames.h"
#include "simulator/devicesimulator.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QProcess>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

const char *const SetFlag = "--set";

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

template <class T> T &child(QWidget &root, const char *name)
{
    T *found = root.findChild<T *>(QLatin1String(name));
    if (!found)
        qFatal("no %s in %s", name, qPrintable(root.objectName()));
    return *found;
}

void click(QWidget &root, const char *name)
{
    child<QAbstractButton>(root, name).click();
}

QString lastLogLine(ORVA2 &window)
{
    const QStringList lines = window.communicationLog().lines();
    return lines.isEmpty() ? QString() : lines.last();
}

// A window connected over a pseudo-terminal to a simulated relay of the given model.
class SimulatedDeviceWindow
{
public:
    explicit SimulatedDeviceWindow(const QByteArray &identity) : m_simulator(identity)
    {
        m_simulator.start();
    }

    // Chooses the relay's port and presses connect, as the engineer does.
    void pressConnect()
    {
        auto &ports = child<QComboBox>(m_window, "porty");
        ports.addItem(m_simulator.portName());
        ports.setCurrentIndex(ports.count() - 1);
        click(m_window, "polacz");
    }

    // Connects and waits until the configuration is in the form.
    bool connect()
    {
        pressConnect();
        const bool readsConfiguration = device().identity() != Frame::Reply::Hel;
        return waitUntil([&] {
            const QString line = lastLogLine(m_window);
            return line.startsWith(QStringLiteral("Konfiguracja pobrana")) ||
                   (!readsConfiguration && line == QStringLiteral("Pobierz konfiguracje"));
        });
    }

    // Waits for the next reply of the interlock view.
    bool nextViewUpdate()
    {
        const int updates = viewUpdates();
        return waitUntil([&] { return viewUpdates() > updates; });
    }

    ORVA2 &window() { return m_window; }
    SimulatedDevice &device() { return m_simulator.device(); }
    QString portName() const { return m_simulator.portName(); }

private:
    int viewUpdates()
    {
        return m_window.communicationLog().lines().count(
            QStringLiteral("Widok urządzenia aktualizacja"));
    }

    DeviceSimulator m_simulator;
    ORVA2 m_window;
};

void shootStart(Shooter &shooter)
{
    ORVA2 window;
    shooter.window(window, QStringLiteral("start"));
    shooter.openList(window, child<QComboBox>(window, "porty"),
                     QStringLiteral("start-port-list-open"));
    shooter.modalDialog([&] { click(window, "infokontakt"); }, QStringLiteral("box-kontakt"));

    auto &ports = child<QComboBox>(window, "porty");
    ports.addItem(QStringLiteral("/dev/ttyUSB7"));
    ports.setCurrentIndex(ports.count() - 1);
    shooter.modalDialog([&] { click(window, "polacz"); },
                        QStringLiteral("box-connection-error"));
}

void shootOffline(Shooter &shooter)
{
    {
        ORVA2 window;
        click(window, "polacz");
        shooter.window(window, QStringLiteral("offline-chooser"));
    }
    for (const OfflineShot &shot : OfflineShots) {
        ORVA2 window;
        click(window, "polacz");
        click(window.offlinePage(), shot.button);
        shooter.window(window, QLatin1String(shot.file));
    }
    {
        ORVA2 window;
        click(window, "polacz");
        click(window.offlinePage(), "pushButton");
        shooter.openList(window, child<QComboBox>(window.brtPage(), "We1Kolor"),
                         QStringLiteral("offline-brt1-colour-list-open"));
    }
    ORVA2 window;
    click(window, "polacz");
    child<QAbstractButton>(window.offlinePage(), "Symulator").setEnabled(true);
    click(window.offlinePage(), "Symulator");
    shooter.window(window, QStringLiteral("offline-symulator-wrn2"));
}

// The interlock view while the relay blocks, then after the remote unlock has reached it.
void shootKzrView(Shooter &shooter, SimulatedDeviceWindow &device)
{
    device.device().setViewState(0x0F);
    click(device.window().kzrPage(), "WidokUrzadzenia");
    if (device.nextViewUpdate())
        shooter.window(device.window(), QStringLiteral("device-kzr1-view-blocked"));
    click(device.window().kzrPage(), "PrzyciskOdblok");
    if (device.nextViewUpdate() && device.nextViewUpdate())
        shooter.window(device.window(), QStringLiteral("device-kzr1-view-unblocked"));
}

// "Test Pojedyńczy" becomes "test-pojedynczy": plain letters travel well in file names.
QString fileNamePart(const QString &text)
{
    QString part;
    const QString decomposed = text.toLower().replace(QChar(0x0142), QLatin1Char('l')).normalized(
        QString::NormalizationForm_D);
    for (const QChar c : decomposed) {
        if (c == QLatin1Char(' '))
            part += QLatin1Char('-');
        else if (c.unicode() < 0x80)
            part += c;
    }
    return part;
}

void shootTabs(Shooter &shooter, QWidget &window, QWidget &page, const QString &name)
{
    auto &tabs = child<QTabWidget>(page, "tabWidget");
    for (int i = 0; i < tabs.count(); ++i) {
        tabs.setCurrentIndex(i);
        shooter.window(window, name + QLatin1Char('-') + fileNamePart(tabs.tabText(i)));
    }
}

void shootDevices(Shooter &shooter)
{
    for (const QString &model : SimulatedDevice::modelNames()) {
        SimulatedDeviceWindow device(SimulatedDevice::identityFor(model));
        QString name = model.toLower();
        name.remove(QLatin1Char(' '));
        name.remove(QLatin1Char('-'));
        name.prepend(QStringLiteral("device-"));
        if (!device.connect()) {
            QTextStream(stderr) << model << " did not load its configuration" << Qt::endl;
            shooter.window(device.window(), name + QStringLiteral("-FAILED"));
            continue;
        }
        ORVA2 &window = device.window();
        const ModelInfo &info = *ModelInfo::find(model);
        if (info.id == ModelInfo::Id::Brt)
            shootTabs(shooter, window, window.brtPage(), name);
        else if (info.id == ModelInfo::Id::Tester)
            shootTabs(shooter, window, window.testerPage(), name);
        else
            shooter.window(window, name);
        if (info.id == ModelInfo::Id::Kzr)
            shootKzrView(shooter, device);
    }
}

// What the engineer sees of settings files: changes marked on the form, the "Plik" menu,
// and the form compared with the device.
void shootSettings(Shooter &shooter)
{
    SimulatedDeviceWindow device(Frame::Reply::Kzr);
    if (!device.connect())
        return;
    ORVA2 &window = device.window();
    click(window.kzrPage(), "inw_we1");
    click(window.kzrPage(), "pk2_przycisk");
    shooter.window(window, QStringLiteral("settings-kzr1-changes-marked"));
    shooter.openMenu(window, child<QMenu>(window, "menuPlik"), QStringLiteral("settings-menu-plik"));
    window.requestDeviceComparison();
    if (waitUntil([&] { return window.findChild<CompareDialog *>() != nullptr; })) {
        CompareDialog &compare = *window.findChild<CompareDialog *>();
        shooter.window(compare, QStringLiteral("settings-compare-device"));
        compare.close();
    }
    const auto trigger = [&window](const char *action) {
        return [&window, action] { child<QAction>(window, action).trigger(); };
    };
    shooter.modalDialog(trigger("raportNastaw"), QStringLiteral("settings-report-details"));
    shooter.modalDialog(trigger("kopieZapasowe"), QStringLiteral("settings-history"));
}

// The settings sheet of a WRN-2, which runs over two pages: read and written, with changes
// never written, and read from a simulated relay.
void shootReports(Shooter &shooter)
{
    enum class Visit
    {
        Written,
        Unwritten,
        Simulated,
    };
    const QList<QPair<Visit, QString>> visits = {{Visit::Written, QStringLiteral("report-written")},
                                                 {Visit::Unwritten, QStringLiteral("report-unwritten")},
                                                 {Visit::Simulated, QStringLiteral("report-simulated")}};
    for (const auto &[visit, name] : visits) {
        SimulatedDeviceWindow device(Frame::Reply::Wrn2);
        ORVA2 &window = device.window();
        if (visit == Visit::Simulated)
            window.markSimulated(device.portName());
        if (!device.connect())
            continue;
        if (visit != Visit::Simulated) {
            click(window.wrn2Page(), "We1Inwersja");
            click(window.wrn2Page(), "LED1Samokasowanie");
        }
        if (visit == Visit::Written) {
            window.WyslijDaneWRN2Slot();
            waitUntil([&] { return lastLogLine(window) == QStringLiteral("Zapis potwierdzony odczytem"); });
        }
        window.settingsMenu().setReportDetails({QStringLiteral("GPZ Północ / pole 12"),
                                                QStringLiteral("W2-004711"),
                                                QStringLiteral("Jan Kowalski")});
        const QString pdf = shooter.pathOf(name + QStringLiteral(".pdf"));
        if (window.settingsMenu().writeReport(pdf))
            shooter.pdfPages(pdf, name);
        QFile::remove(pdf);
    }
}

// The relay and a file told apart, the question before edits are dropped, and the start
// window the engineer comes back to.
void shootLeaving(Shooter &shooter)
{
    QTemporaryDir folder;
    SimulatedDeviceWindow device(Frame::Reply::Kzr);
    if (!device.connect())
        return;
    ORVA2 &window = device.window();
    click(window.kzrPage(), "inw_we1");
    click(window.kzrPage(), "odblok_przycisk");
    window.settingsMenu().saveFile(folder.filePath(QStringLiteral("kzr1.orva.json")));
    shooter.window(window, QStringLiteral("settings-kzr1-differs-after-save"));
    shooter.modalDialog([&] { click(window.kzrPage(), "rozlacz"); },
                        QStringLiteral("box-unsaved-question"));
    window.PobierzDaneSlot();
    waitUntil([&] { return !window.isWindowModified(); });
    click(window.kzrPage(), "rozlacz");
    shooter.window(window, QStringLiteral("start-after-disconnect"));
}

// The status bar while the relay has not answered yet, and once it has fallen silent.
void shootLinkState(Shooter &shooter)
{
    const auto linkText = [](ORVA2 &window) {
        return window.findChild<QLabel *>(QStringLiteral("statusLink"))->text();
    };
    {
        SimulatedDeviceWindow silent(Frame::Reply::Kzr);
        silent.device().setAnswering(false);
        silent.pressConnect();
        shooter.window(silent.window(), QStringLiteral("status-connecting"));
        waitUntil([&] { return linkText(silent.window()) == QStringLiteral("Brak odpowiedzi"); });
        shooter.window(silent.window(), QStringLiteral("status-no-answer"));
    }
    SimulatedDeviceWindow device(Frame::Reply::Kzr);
    if (!device.connect())
        return;
    ORVA2 &window = device.window();
    click(window.kzrPage(), "WidokUrzadzenia");
    device.nextViewUpdate();
    shooter.window(window, QStringLiteral("device-kzr1-view-answering"));
    device.device().setAnswering(false);
    waitUntil([&] { return linkText(window) == QStringLiteral("Brak odpowiedzi"); });
    shooter.window(window, QStringLiteral("device-kzr1-view-silent"));
}

int shootEverything(const QString &folder)
{
    if (!QDir().mkpath(folder)) {
        QTextStream(stderr) << "cannot create " << folder << Qt::endl;
        return 1;
    }
    Shooter shooter{QDir(folder)};
    shootStart(shooter);
    shootOffline(shooter);
    shootDevices(shooter);
    shootSettings(shooter);
    shootReports(shooter);
    shootLeaving(shooter);
    shootLinkState(shooter);
    return shooter.failures() == 0 ? 0 : 1;
}

// One set of shots per text size, each in a process of its own: the resolution of fonts is
// fixed when the application starts.
int runSets(const QString &folder)
{
    const QList<QPair<QString, QByteArray>> sets = {{QStringLiteral("default"), QByteArray()},
                                                   {QStringLiteral("dpi120"), "120"}};
    int failed = 0;
    for (const auto &set : sets) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        if (set.second.isEmpty())
            environment.remove(QStringLiteral("QT_FONT_DPI"));
        else
            environment.insert(QStringLiteral("QT_FONT_DPI"), QString::fromLatin1(set.second));
        QProcess shots;
        shots.setProcessEnvironment(environment);
        shots.setProcessChannelMode(QProcess::ForwardedChannels);
        shots.start(QCoreApplication::applicationFilePath(),
                    {QLatin1String(SetFlag), QDir(folder).filePath(set.first)});
        if (!shots.waitForFinished(-1) || shots.exitCode() != 0)
            ++failed;
    }
    return failed == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    setUpApplication(application);
    // The devices shot here are simulated: their backups belong to no one.
    QStandardPaths::setTestModeEnabled(true);
    // The offscreen platform has no desktop theme and falls back to the font database's
    // 12-point default; X11 without a desktop's own settings gives every program Sans Serif
    // at 9 points, and that is what an engineer sees.
    if (QApplication::platformName() == QLatin1String("offscreen"))
        QApplication::setFont(QFont(QStringLiteral("Sans Serif"), 9));

    const QStringList arguments = QApplication::arguments();
    if (arguments.size() == 3 && arguments.at(1) == QLatin1String(SetFlag))
        return shootEverything(arguments.at(2));
    return runSets(arguments.value(1, QStringLiteral("screenshots")));
}
