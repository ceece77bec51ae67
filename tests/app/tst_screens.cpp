#include "tests/support/simulatedconnection.h"

#include "app/backupsdialog.h"
#include "app/reportdetailsdialog.h"
#include "app/comparedialog.h"
#include "settings/backupstore.h"
#include "settings/settingdescription.h"

#include "protocol/modeltable.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollArea>
#include <QSplitter>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

// Every screen reads whole at whatever font and scale the desktop uses: CTest runs this
// suite at the default font, with the fonts enlarged and with the window scaled, and the
// window is squeezed to its smallest size before anything is measured.
class tst_Screens : public QObject
{
    Q_OBJECT

private slots:
    void nothingClipsAtSmallestWindow_data();
    void nothingClipsAtSmallestWindow();
    void enlargedWindowGivesPageAndLogTheRoom();
    void dialogsReadWholeAtTheirSmallest();
};

namespace {

// What a laptop screen of 1366 x 768 leaves for the window once the title bar and the
// task bar have taken theirs.
const QSize SmallScreenRoom(1366, 700);

void open(ORVA2 &window, const QString &screen)
{
    if (const ModelInfo *model = ModelInfo::find(screen)) {
        window.processBlock(QByteArray(model->identity) + QByteArray("0315071") +
                            QByteArray(5, '\0'));
        return;
    }
    if (screen == QLatin1String("start"))
        return;
    window.connectTo(QStringLiteral("Tryb Offline"));
    if (screen == QLatin1String("simulator")) {
        auto *simulator =
            window.offlinePage().findChild<QAbstractButton *>(QStringLiteral("Symulator"));
        simulator->setEnabled(true);
        simulator->click();
    }
}

// The room a widget needs to show its text or value whole; invalid when it shows none.
QSize neededSize(const QWidget *widget)
{
    if (const auto *label = qobject_cast<const QLabel *>(widget)) {
        if (label->text().isEmpty())
            return {};
        return label->wordWrap() ? QSize(0, label->heightForWidth(label->width()))
                                 : label->sizeHint();
    }
    if (const auto *button = qobject_cast<const QAbstractButton *>(widget)) {
        // A picture button may carry a text for screen readers that it never draws.
        const bool drawsText = button->palette().color(QPalette::ButtonText).alpha() > 0;
        return button->text().isEmpty() || !drawsText ? QSize() : button->sizeHint();
    }
    if (qobject_cast<const QAbstractSpinBox *>(widget) || qobject_cast<const QComboBox *>(widget))
        return widget->minimumSizeHint();
    return {};
}

QStringList clippedWidgets(QWidget *screen)
{
    QStringList clipped;
    const auto widgets = screen->findChildren<QWidget *>();
    for (const QWidget *widget : widgets) {
        const QSize needed = neededSize(widget);
        if (!needed.isValid() || !widget->isVisibleTo(screen))
            continue;
        if (widget->width() < needed.width() || widget->height() < needed.height())
            clipped << QStringLiteral("%1 %2x%3 < %4x%5")
                           .arg(widget->objectName())
                           .arg(widget->width())
                           .arg(widget->height())
                           .arg(needed.width())
                           .arg(needed.height());
    }
    return clipped;
}

// Each page of a tab or stack inside the screen in turn, the others left as they were.
QStringList clippedInEveryView(QWidget *window, QWidget *screen)
{
    QStringList clipped = clippedWidgets(window);
    auto visit = [&](auto *container) {
        const int shown = container->currentIndex();
        for (int index = 0; index < container->count(); ++index) {
            container->setCurrentIndex(index);
            QApplication::processEvents();
            for (const QString &widget : clippedWidgets(window)) {
                if (!clipped.contains(widget))
                    clipped << container->objectName() + QLatin1Char('/') + widget;
            }
        }
        container->setCurrentIndex(shown);
    };
    const auto tabs = screen->findChildren<QTabWidget *>();
    for (QTabWidget *tab : tabs)
        visit(tab);
    const auto stacks = screen->findChildren<QStackedWidget *>();
    for (QStackedWidget *stack : stacks) {
        // A tab widget's own stack was visited with its tabs.
        if (!qobject_cast<QTabWidget *>(stack->parentWidget()))
            visit(stack);
    }
    return clipped;
}

} // namespace

void tst_Screens::nothingClipsAtSmallestWindow_data()
{
    QTest::addColumn<QString>("screen");
    QTest::newRow("start") << "start";
    QTest::newRow("offline chooser") << "chooser";
    QTest::newRow("WRN-2 simulator") << "simulator";
    for (const ModelInfo &model : ModelInfo::all())
        QTest::newRow(model.name) << QString::fromLatin1(model.name);
}

void tst_Screens::nothingClipsAtSmallestWindow()
{
    QFETCH(QString, screen);
    ORVA2 window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    open(window, screen);
    window.resize(1, 1);
    QApplication::processEvents();

    QStringList faults = clippedInEveryView(&window, pageStack(window)->currentWidget());
    if (window.width() > SmallScreenRoom.width() || window.height() > SmallScreenRoom.height())
        faults << QStringLiteral("smallest window %1x%2").arg(window.width()).arg(window.height());
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("; "))));
}

void tst_Screens::enlargedWindowGivesPageAndLogTheRoom()
{
    ORVA2 window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    open(window, QStringLiteral("KZR-1"));
    QWidget *page = pageStack(window)->currentWidget();
    auto *log = window.findChild<QTextBrowser *>(QStringLiteral("textBrowser"));
    const int logHeight = log->height();

    const QSize large(2400, 1400);
    window.resize(large);
    QApplication::processEvents();
    QCOMPARE(window.size(), large);
    auto *scroll = qobject_cast<QScrollArea *>(pageStack(window)->parentWidget()->parentWidget());
    QVERIFY(scroll);
    QCOMPARE(page->size(), scroll->viewport()->size());
    QVERIFY(log->height() > logHeight);

    // Dragging the bar above the log upwards gives the log the room the page gives up.
    auto *splitter = window.findChild<QSplitter *>();
    QVERIFY(splitter);
    QSplitterHandle *handle = splitter->handle(splitter->indexOf(log));
    const int before = log->height();
    const QPoint grip = handle->rect().center();
    const QPoint raised = grip - QPoint(0, 200);
    QTest::mousePress(handle, Qt::LeftButton, {}, grip);
    QMouseEvent drag(QEvent::MouseMove, raised, handle->mapToGlobal(raised), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(handle, &drag);
    QTest::mouseRelease(handle, Qt::LeftButton, {}, raised);
    QCOMPARE(log->height(), before + 200);
}


void tst_Screens::dialogsReadWholeAtTheirSmallest()
{
    const SettingDescription &kzr = *SettingDescription::of(ModelInfo::Id::Kzr);
    const QByteArray frames = kzr.normalised(Frame::configFrame());
    CompareDialog compare(SettingsComparison(kzr, frames, frames), QStringLiteral("Plik „a.orva.json”"));
    QTemporaryDir folder;
    BackupStore store(folder.path());
    SettingsFile read = SettingsFile::of(ModelInfo::of(ModelInfo::Id::Kzr), frames,
                                         QStringLiteral("v03d15m07r"));
    read.read = SettingsFile::readNow(QStringLiteral("/dev/ttyUSB0"), false);
    store.keep(read);
    BackupsDialog backups(store, QStringLiteral("KZR-1"), QStringLiteral("KZR-1"));
    ReportDetailsDialog details;
    for (QDialog *dialog : {static_cast<QDialog *>(&compare), static_cast<QDialog *>(&backups),
                            static_cast<QDialog *>(&details)}) {
        dialog->show();
        dialog->resize(1, 1);
        QApplication::processEvents();
        const QStringList faults = clippedWidgets(dialog);
        QVERIFY2(faults.isEmpty(), qPrintable(dialog->objectName() + ": " + faults.join("; ")));
    }
}

QTEST_MAIN(tst_Screens)
#include "tst_screens.moc"
