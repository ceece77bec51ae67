#include "tests/support/simulatedconnection.h"

#include "protocol/modeltable.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QFile>
#include <QLoggingCategory>
#include <QRegularExpression>
#include <QTest>

// What the engineer sees and hears of the interface: pictures that exist, buttons a screen
// reader can tell apart, and log lines that carry the bytes behind them.
class tst_Interface : public QObject
{
    Q_OBJECT

private slots:
    void everyPictureExists();
    void everyPictureButtonHasAnAccessibleName();
    void disabledPictureButtonsLookDisabled();
    void openListShowsItsHighlight();
    void boxesShowWhatTheirParentsWouldPaint();
    void receivedLineCarriesTheBlock();
    void debugCategoriesAreSilentUnlessEnabled_data();
    void debugCategoriesAreSilentUnlessEnabled();
};

static QList<QWidget *> everyScreen(ORVA2 &window)
{
    QList<QWidget *> screens{&window, &window.offlinePage(), &window.simulatorPage()};
    for (const ModelInfo &model : ModelInfo::all()) {
        if (!screens.contains(&window.pageOf(model.id)))
            screens << &window.pageOf(model.id);
    }
    return screens;
}

void tst_Interface::everyPictureExists()
{
    ORVA2 window;
    const QRegularExpression picture(QStringLiteral(":/[A-Za-z0-9_/@.]+"));
    int checked = 0;
    for (QWidget *screen : everyScreen(window)) {
        QList<QWidget *> widgets = screen->findChildren<QWidget *>();
        widgets.prepend(screen);
        for (QWidget *widget : widgets) {
            // Named in a style sheet, or in the properties of the widgets that draw them.
            const QString named = widget->styleSheet() + widget->property("picture").toString() +
                                  widget->property("pressedPicture").toString();
            auto matches = picture.globalMatch(named);
            while (matches.hasNext()) {
                const QString path = matches.next().captured();
                QVERIFY2(QFile::exists(path),
                         qPrintable(widget->objectName() + QStringLiteral(": ") + path));
                ++checked;
            }
        }
    }
    QVERIFY(QFile::exists(QStringLiteral(":/GRAFIKA/LOGO.png")));
    QVERIFY(QFile::exists(QStringLiteral(":/GRAFIKA/logocale.png")));
    QVERIFY(checked > 50);
}

void tst_Interface::everyPictureButtonHasAnAccessibleName()
{
    ORVA2 window;
    QStringList unnamed;
    for (QWidget *screen : everyScreen(window)) {
        const auto buttons = screen->findChildren<QAbstractButton *>();
        for (QAbstractButton *button : buttons) {
            // Buttons Qt makes for itself (menu bar extension, tool bar handle) are not ours.
            if (!button->text().isEmpty() || button->objectName().startsWith(QLatin1String("qt_")))
                continue;
            if (button->accessibleName().isEmpty())
                unnamed << screen->objectName() + QLatin1Char('/') + button->objectName();
        }
    }
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QStringLiteral(", "))));
}

// While the device view runs, writing and reading the configuration are switched off; the
// buttons must say so, and look as before once the view stops.
void tst_Interface::disabledPictureButtonsLookDisabled()
{
    ORVA2 window;
    window.processBlock(QByteArray("01031507") + QByteArray(6, '\0'));
    auto *view = window.kzrPage().findChild<QAbstractButton *>(QStringLiteral("WidokUrzadzenia"));
    for (const char *name : {"Zapisz", "DZ"}) {
        auto *button = window.kzrPage().findChild<QAbstractButton *>(QLatin1String(name));
        const QImage usable = button->grab().toImage();
        view->click();
        QVERIFY(!button->isEnabled());
        QVERIFY2(button->grab().toImage() != usable, name);
        view->click();
        QVERIFY(button->isEnabled());
        QCOMPARE(button->grab().toImage(), usable);
    }
}

// The entry under the cursor in an open list stands out from the entries around it.
// A spin or combo box that changes is repainted alone, painting beneath its rounded corners
// what the form around it would have painted there: the same window either way.
void tst_Interface::boxesShowWhatTheirParentsWouldPaint()
{
    ORVA2 window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    int checked = 0;
    for (const ModelInfo &model : ModelInfo::all()) {
        window.processBlock(QByteArray(model.identity) + QByteArray("031507") +
                            QByteArray(6, '\0'));
        QWidget &page = window.pageOf(model.id);
        QList<QWidget *> boxes;
        for (QWidget *box : page.findChildren<QWidget *>()) {
            if ((qobject_cast<QAbstractSpinBox *>(box) || qobject_cast<QComboBox *>(box)) &&
                box->isVisible() && box->testAttribute(Qt::WA_OpaquePaintEvent))
                boxes << box;
        }
        for (QWidget *box : boxes) {
            const QRect place(box->mapTo(&window, QPoint()), box->size());
            const QImage alone = window.grab(place).toImage();
            box->setAttribute(Qt::WA_OpaquePaintEvent, false);
            const QImage overParents = window.grab(place).toImage();
            box->setAttribute(Qt::WA_OpaquePaintEvent, true);
            QVERIFY2(alone == overParents,
                     qPrintable(QString::fromLatin1(model.name) + QLatin1Char('/') +
                                box->objectName()));
            ++checked;
        }
    }
    QVERIFY(checked > 20);
}

void tst_Interface::openListShowsItsHighlight()
{
    ORVA2 window;
    window.show();
    // Each page takes the window's style once it stands in the window.
    for (const ModelInfo &model : ModelInfo::all())
        window.processBlock(QByteArray(model.identity) + QByteArray("031507") +
                            QByteArray(6, '\0'));
    window.connectTo(QStringLiteral("Tryb Offline"));
    int checked = 0;
    for (QWidget *screen : everyScreen(window)) {
        const auto combos = screen->findChildren<QComboBox *>();
        for (QComboBox *combo : combos) {
            if (combo->count() < 2 || !combo->isEnabled())
                continue;
            combo->showPopup();
            QAbstractItemView *list = combo->view();
            const QModelIndex highlighted = list->model()->index(0, 0);
            const QModelIndex plain = list->model()->index(1, 0);
            list->selectionModel()->setCurrentIndex(highlighted,
                                                    QItemSelectionModel::ClearAndSelect);
            const QImage shown = list->viewport()->grab().toImage();
            combo->hidePopup();
            // Sampled beside the texts, at the right end of each row.
            const int x = shown.width() - 3;
            QVERIFY2(shown.pixel(x, list->visualRect(highlighted).center().y()) !=
                         shown.pixel(x, list->visualRect(plain).center().y()),
                     qPrintable(combo->objectName()));
            ++checked;
        }
    }
    QVERIFY(checked > 10);
}

void tst_Interface::receivedLineCarriesTheBlock()
{
    ORVA2 window;
    const QByteArray block = QByteArray("OK") + QByteArray(12, '\x5A');
    window.processBlock(block);
    const QString toolTip = window.communicationLog().toolTipOfLine(0);
    QVERIFY2(toolTip.endsWith(QString::fromLatin1(block.toHex(' ').toUpper())),
             qPrintable(toolTip));

    window.processBlock(QByteArray());
    clickButton(&window, "polacz"); // offline: a line about no frame shows only its date and time
    const QString noFrame = window.communicationLog().toolTipOfLine(1);
    QVERIFY2(QRegularExpression(
                 QStringLiteral("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\\.\\d{3} Offline$"))
                 .match(noFrame)
                 .hasMatch(),
             qPrintable(noFrame));

    // A long block shows its first bytes only, and says that more followed.
    window.processBlock(QByteArray("OK") + QByteArray(4000, '\x5A'));
    const QString longToolTip = window.communicationLog().toolTipOfLine(2);
    QVERIFY2(longToolTip.endsWith(QStringLiteral("5A …")), qPrintable(longToolTip));
    QVERIFY(longToolTip.size() < 400);
}

static QStringList captured;
static QString capturedCategory;

static void capture(QtMsgType, const QMessageLogContext &context, const QString &message)
{
    if (QLatin1String(context.category) == capturedCategory)
        captured << message;
}

void tst_Interface::debugCategoriesAreSilentUnlessEnabled_data()
{
    QTest::addColumn<QString>("category");
    QTest::addColumn<QByteArray>("block");
    QTest::newRow("frames") << "orva.frames" << QByteArray("OK");
    // The interlock view is polled every second; its field trace must not fill a log file.
    QTest::newRow("KZR fields") << "orva.pages.kzr" << QByteArray("dV") + QByteArray(12, '\x01');
}

void tst_Interface::debugCategoriesAreSilentUnlessEnabled()
{
    QFETCH(QString, category);
    QFETCH(QByteArray, block);
    ORVA2 window;
    captured.clear();
    capturedCategory = category;
    QtMessageHandler previous = qInstallMessageHandler(capture);
    window.processBlock(block);
    QVERIFY(captured.isEmpty());

    QLoggingCategory::setFilterRules(category + QStringLiteral(".debug=true"));
    window.processBlock(block);
    QLoggingCategory::setFilterRules(QString());
    qInstallMessageHandler(previous);
    QVERIFY(!captured.isEmpty());
    if (category == QLatin1String("orva.frames"))
        QCOMPARE(captured, QStringList{"RX 4F 4B"});
}

QTEST_MAIN(tst_Interface)
#include "tst_interface.moc"
