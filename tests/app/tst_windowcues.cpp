#include "app/communicationlog.h"
#include "pages/common/changemarks.h"
#include "tests/support/simulatedconnection.h"

#include <QAbstractButton>
#include <QAction>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextBrowser>
#include <QToolBar>
#include <QtTest>

#include <memory>

// What the window tells the engineer on the way: defaults that were never sent, a relay that
// reports nothing, a live view that has gone quiet, the log without its polling, and the keys
// that reach the menu.
class tst_WindowCues : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void defaultsAreSaidAndMarked();
    void helSaysItReportsNothing();
    void liveViewSaysItsAge();
    void pollingHiddenFromTheViewOnly();
    void menuByKeyboardAndNoEmptyToolBar();

private:
    QTemporaryDir m_settings;
};

namespace {

constexpr int TimeoutMs = 6000;

QString labelText(QWidget &root, const char *name)
{
    return root.findChild<QLabel *>(QLatin1String(name))->text();
}

QAbstractButton *buttonOf(QWidget &root, const char *name)
{
    return root.findChild<QAbstractButton *>(QLatin1String(name));
}

} // namespace

// The remembered choices go to a file of this run's own, as the program keeps them: a file, not
// the registry, on every system.
void tst_WindowCues::initTestCase()
{
    QVERIFY(m_settings.isValid());
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_settings.path());
}

void tst_WindowCues::defaultsAreSaidAndMarked()
{
    ORVA2 window;
    QVERIFY(window.openPageOffline(ModelInfo::Id::Ga));
    auto *delay = window.gaPage().findChild<QDoubleSpinBox *>(QStringLiteral("OpoznienieZanik"));
    delay->setValue(7.5);
    window.gaPage().markUnchanged();
    const int linesBefore = logLinesOf(window).size();

    clickButton(&window.gaPage(), "Domyslne");
    QCOMPARE(logLinesOf(window).mid(linesBefore),
             QStringList{QStringLiteral("Nastawy domyślne w formularzu – nie wysłano")});
    QVERIFY(window.gaPage().changeMarks().changedInputs().contains(delay));
    QVERIFY(window.isWindowModified());
}

// Zeros on the HEL-1 page are never taken for what the relay holds.
void tst_WindowCues::helSaysItReportsNothing()
{
    SimulatedConnection connection("06");
    ORVA2 &window = connection.window();
    window.show();
    QVERIFY(connection.connectAndLoad());
    auto *notice = window.helPage().findChild<QLabel *>(QStringLiteral("brakOdczytuHEL"));
    QVERIFY(notice);
    QVERIFY(notice->isVisible());
    QVERIFY2(notice->text().contains(QStringLiteral("nie przekazuje swoich nastaw")),
             qPrintable(notice->text()));
}

void tst_WindowCues::liveViewSaysItsAge()
{
    SimulatedConnection connection("01");
    ORVA2 &window = connection.window();
    window.show();
    QVERIFY(connection.connectAndLoad());
    KZR &page = window.kzrPage();
    QAbstractButton *unlock = buttonOf(page, "PrzyciskOdblok");
    clickButton(&page, "WidokUrzadzenia");
    QTRY_VERIFY_WITH_TIMEOUT(
        connection.logLines().contains(QStringLiteral("Widok urządzenia aktualizacja")), TimeoutMs);
    const QRegularExpression age(QStringLiteral("^ostatnia odpowiedź \\d+,\\d s temu$"));
    QVERIFY2(age.match(labelText(page, "wiekWidoku")).hasMatch(),
             qPrintable(labelText(page, "wiekWidoku")));
    QVERIFY(unlock->isEnabled());
    QCOMPARE(labelText(window, "statusLink"), QStringLiteral("Połączono"));

    // Silent, the view is stale: the status bar says so and unlocking waits.
    connection.device().setAnswering(false);
    QTRY_COMPARE_WITH_TIMEOUT(labelText(window, "statusLink"), QStringLiteral("Brak odpowiedzi"),
                              TimeoutMs);
    QVERIFY(!unlock->isEnabled());
    QVERIFY(page.viewStale());

    // Answering again, a view switched on anew is live.
    connection.device().setAnswering(true);
    clickButton(&page, "WidokUrzadzenia");
    clickButton(&page, "WidokUrzadzenia");
    QTRY_COMPARE_WITH_TIMEOUT(labelText(window, "statusLink"), QStringLiteral("Połączono"),
                              TimeoutMs);
    QTRY_VERIFY(unlock->isEnabled());

    // Gone from view, the page stops telling the age.
    auto *ageTimer = page.findChild<QTimer *>(QStringLiteral("viewAgeTimer"));
    QVERIFY(ageTimer->isActive());
    clickButton(&page, "rozlacz");
    QVERIFY(!page.isVisible());
    QVERIFY(!ageTimer->isActive());
}

// The view's request and reply come every second; hidden, they stay in the saved log, and
// the choice outlives the window.
void tst_WindowCues::pollingHiddenFromTheViewOnly()
{
    QSettings().remove(QStringLiteral("log"));
    const auto hideAction = [](CommunicationLog &log) {
        std::unique_ptr<QMenu> menu(log.createContextMenu());
        QAction *action = menu->findChild<QAction *>(QStringLiteral("ukryjOdpytywanieWidoku"));
        return std::make_pair(std::move(menu), action);
    };
    QTemporaryDir folder;
    const QString saved = folder.filePath(QStringLiteral("log.txt"));
    {
        ORVA2 window;
        CommunicationLog &log = window.communicationLog();
        auto *view = window.findChild<QTextBrowser *>(QStringLiteral("textBrowser"));
        log.sent(QStringLiteral("Dane dla Widoku"), QByteArray(14, 'd'), true);
        log.markPolling();
        log.note(QStringLiteral("Offline"));
        auto [menu, hide] = hideAction(log);
        QVERIFY(hide);
        QCOMPARE(hide->text(), QStringLiteral("Ukryj odpytywanie widoku"));
        QVERIFY(hide->isCheckable());
        QVERIFY(!hide->isChecked());
        hide->trigger();

        QVERIFY(!view->document()->findBlockByNumber(0).isVisible());
        QVERIFY(view->document()->findBlockByNumber(1).isVisible());
        // A line written while hidden is hidden at once.
        log.beginReceived(QByteArray(14, 'd'));
        log.received(QStringLiteral("Widok urządzenia aktualizacja"));
        log.markPolling();
        QTRY_VERIFY(!view->document()->findBlockByNumber(2).isVisible());
        QString error;
        QVERIFY(log.saveTo(saved, &error));
    }
    QFile file(saved);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    QVERIFY(text.contains(QStringLiteral("\tDane dla Widoku\t")));
    QVERIFY(text.contains(QStringLiteral("\tWidok urządzenia aktualizacja\t")));

    ORVA2 next;
    auto [menu, hide] = hideAction(next.communicationLog());
    QVERIFY(hide->isChecked());
    hide->trigger();
    QVERIFY(!next.communicationLog().pollingHidden());
}

void tst_WindowCues::menuByKeyboardAndNoEmptyToolBar()
{
    ORVA2 window;
    window.show();
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QVERIFY(!window.findChild<QToolBar *>(QStringLiteral("mainToolBar"))->isVisible());

    auto *menu = window.findChild<QMenu *>(QStringLiteral("menuPlik"));
    QCOMPARE(menu->title(), QStringLiteral("&Plik"));
    QTest::keyClick(&window, Qt::Key_P, Qt::AltModifier);
    QTRY_VERIFY(menu->isVisible());
    menu->close();
    const QList<QPair<const char *, QKeySequence>> keys = {
        {"otworzNastawy", QKeySequence(QStringLiteral("Ctrl+O"))},
        {"zapiszNastawy", QKeySequence(QStringLiteral("Ctrl+S"))},
        {"drukuj", QKeySequence(QStringLiteral("Ctrl+P"))}};
    for (const auto &key : keys)
        QCOMPARE(window.findChild<QAction *>(QLatin1String(key.first))->shortcut(), key.second);
}

QTEST_MAIN(tst_WindowCues)
#include "tst_windowcues.moc"
