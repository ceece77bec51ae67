#include "app/orva2.h"
#include "pages/common/changemarks.h"
#include "pages/common/devicepage.h"
#include "tests/pages/common/pageform.h"
#include "tests/support/widgets.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStyle>
#include <QTest>
#include <QTextDocument>
#include <QWheelEvent>

namespace {

using Id = ModelInfo::Id;

// One page of each class; TLMX-1 shares the KZR-1 page.
void addPageRows()
{
    QTest::addColumn<int>("model");
    for (const ModelInfo &model : ModelInfo::all()) {
        if (model.id != Id::Tlmx)
            QTest::newRow(model.name) << int(model.id);
    }
}

} // namespace

// How the engineer's hand meets every page: the wheel scrolls the page and never changes a
// setting it only passes over, numbers are Polish whatever the system's locale, the read
// and write keys work on the page shown and say so, and a change mark never hides a label.
class tst_PageInputs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void wheelScrollsPastSettings_data() { addPageRows(); }
    void wheelScrollsPastSettings();
    void decimalCommaAndDot_data();
    void decimalCommaAndDot();
    void readAndWriteKeys_data() { addPageRows(); }
    void readAndWriteKeys();
    void pictureButtonsSayWhatTheyDo_data() { addPageRows(); }
    void pictureButtonsSayWhatTheyDo();
    void marksLeaveLabelsReadable_data() { addPageRows(); }
    void marksLeaveLabelsReadable();
    void focusIsVisible_data() { addPageRows(); }
    void focusIsVisible();
};

namespace {

template <class Input> Input *firstEnabled(QWidget &page)
{
    for (Input *input : page.findChildren<Input *>()) {
        if (input->isEnabled() && input->isVisibleTo(&page))
            return input;
    }
    return nullptr;
}

QVariant valueOf(QWidget *input)
{
    if (auto *combo = qobject_cast<QComboBox *>(input))
        return combo->currentIndex();
    return qobject_cast<QAbstractSpinBox *>(input)->text();
}

// A wheel turn down over the widget. True when the widget took it; a turn left to the
// widget's parents goes on to the page's scrolled area.
bool turnWheelOver(QWidget *widget)
{
    const QPoint position = widget->rect().center();
    QWheelEvent turn(QPointF(position), QPointF(widget->mapToGlobal(position)), QPoint(),
                     QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &turn);
    return turn.isAccepted();
}

} // namespace

void tst_PageInputs::initTestCase()
{
    // An engineer's system may speak any language; the pages must not follow it.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void tst_PageInputs::wheelScrollsPastSettings()
{
    QFETCH(int, model);
    auto page = makePage(Id(model));
    page->show();
    QVERIFY(QTest::qWaitForWindowExposed(page.get()));
    QList<QWidget *> inputs;
    if (auto *spin = firstEnabled<QAbstractSpinBox>(*page))
        inputs << spin;
    if (auto *combo = firstEnabled<QComboBox>(*page))
        inputs << combo;
    if (inputs.isEmpty())
        QSKIP("the page has no spin box or list");
    for (QWidget *input : inputs) {
        QVERIFY2(input->focusPolicy() == Qt::StrongFocus, qPrintable(input->objectName()));
        if (auto *spin = qobject_cast<QSpinBox *>(input))
            spin->setValue((spin->minimum() + spin->maximum()) / 2);
        if (auto *spin = qobject_cast<QDoubleSpinBox *>(input))
            spin->setValue((spin->minimum() + spin->maximum()) / 2);
        if (auto *combo = qobject_cast<QComboBox *>(input))
            combo->setCurrentIndex(0);
        page->setFocus();
        QTRY_VERIFY(!input->hasFocus());
        const QVariant before = valueOf(input);

        QVERIFY2(!turnWheelOver(input), qPrintable(input->objectName()));
        QCOMPARE(valueOf(input), before);

        // Chosen with the keyboard or a click, the field takes the wheel.
        input->setFocus();
        QTRY_VERIFY(input->hasFocus());
        QVERIFY(turnWheelOver(input));
        QVERIFY2(valueOf(input) != before, qPrintable(input->objectName()));
    }
}

void tst_PageInputs::decimalCommaAndDot_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("shown");
    QTest::newRow("GA-1, comma") << int(Id::Ga) << "2,5" << 2.5 << "2,50";
    QTest::newRow("GA-1, dot out of habit") << int(Id::Ga) << "1.5" << 1.5 << "1,50";
    QTest::newRow("GA-1 MI, comma") << int(Id::Gami) << "12,3" << 12.3 << "12,30";
}

void tst_PageInputs::decimalCommaAndDot()
{
    QFETCH(int, model);
    QFETCH(QString, typed);
    QFETCH(double, value);
    QFETCH(QString, shown);
    auto page = makePage(Id(model));
    page->show();
    QVERIFY(QTest::qWaitForWindowExposed(page.get()));
    auto *delay = widget<QDoubleSpinBox>(*page, QStringLiteral("OpoznieniePojawienie"));
    delay->setValue(0.1);
    QVERIFY2(delay->text().startsWith(QLatin1String("0,10")), qPrintable(delay->text()));
    typeInto(delay, typed);
    QCOMPARE(delay->value(), value);
    QVERIFY2(delay->text().startsWith(shown), qPrintable(delay->text()));
}

// F5 reads and Ctrl+Enter writes on the page shown; a disabled button (the KZR-1 view on)
// stays disabled for its key too.
void tst_PageInputs::readAndWriteKeys()
{
    QFETCH(int, model);
    auto page = makePage(Id(model));
    QAbstractButton *read = nullptr;
    QAbstractButton *write = nullptr;
    for (QAbstractButton *button : page->findChildren<QAbstractButton *>()) {
        if (button->objectName().startsWith(QLatin1String("DZ")))
            read = button;
        else if (button->objectName().startsWith(QLatin1String("Zapisz")))
            write = button;
    }
    if (!read || !write)
        QSKIP("the page neither reads nor writes a relay");
    QVERIFY2(read->toolTip().endsWith(QLatin1String(" (F5)")), qPrintable(read->toolTip()));
    QVERIFY2(write->toolTip().endsWith(QLatin1String(" (Ctrl+Enter)")),
             qPrintable(write->toolTip()));
    page->show();
    QApplication::setActiveWindow(page.get());
    QVERIFY(QTest::qWaitForWindowActive(page.get()));
    QSignalSpy reads(read, &QAbstractButton::clicked);
    QSignalSpy writes(write, &QAbstractButton::clicked);

    QTest::keyClick(page.get(), Qt::Key_F5);
    QTest::keyClick(page.get(), Qt::Key_Return, Qt::ControlModifier);
    QTest::keyClick(page.get(), Qt::Key_Enter, Qt::ControlModifier);
    QCOMPARE(reads.count(), 1);
    QCOMPARE(writes.count(), 2);

    write->setEnabled(false);
    QTest::keyClick(page.get(), Qt::Key_Return, Qt::ControlModifier);
    QCOMPARE(writes.count(), 2);
}

void tst_PageInputs::pictureButtonsSayWhatTheyDo()
{
    QFETCH(int, model);
    auto page = makePage(Id(model));
    for (QAbstractButton *button : page->findChildren<QAbstractButton *>()) {
        const bool pressed =
            qobject_cast<QPushButton *>(button) || qobject_cast<QRadioButton *>(button);
        if (pressed && button->text().isEmpty())
            QVERIFY2(!button->toolTip().isEmpty(), qPrintable(button->objectName()));
    }
}

// Wherever a mark is drawn, no label's text and no other field lies under it.
void tst_PageInputs::marksLeaveLabelsReadable()
{
    QFETCH(int, model);
    auto page = makePage(Id(model));
    page->resize(page->sizeHint());
    page->show();
    QVERIFY(QTest::qWaitForWindowExposed(page.get()));
    const ChangeMarks &marks = page->changeMarks();
    for (QWidget *input : page->findChildren<QWidget *>()) {
        const bool markable = qobject_cast<QAbstractSpinBox *>(input) ||
                              qobject_cast<QComboBox *>(input) || qobject_cast<QCheckBox *>(input);
        if (!markable || !input->isVisibleTo(page.get()))
            continue;
        const QRect mark = marks.markPlace(input);
        const QRect field(input->mapTo(page.get(), QPoint()), input->size());
        for (const QLabel *label : page->findChildren<QLabel *>()) {
            if (!label->isVisibleTo(page.get()) || label->text().isEmpty())
                continue;
            const QRect drawn =
                Qt::mightBeRichText(label->text())
                    ? label->rect()
                    : label->style()->itemTextRect(label->fontMetrics(), label->contentsRect(),
                                                   int(label->alignment()), true, label->text());
            const QRect text = drawn.translated(label->mapTo(page.get(), QPoint()));
            QVERIFY2(!text.intersects(mark) || field.contains(mark),
                     qPrintable(input->objectName() + " over " + label->objectName()));
        }
    }
}

// Whatever control the keyboard is on looks different from the same control without it, as
// the window shows the page.
void tst_PageInputs::focusIsVisible()
{
    QFETCH(int, model);
    ORVA2 window;
    window.show();
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QVERIFY(window.openPageOffline(Id(model)));
    QWidget *page = &window.pageOf(Id(model));
    // As after Tab: styles draw the keyboard's frame only once the keyboard has moved it.
    window.setAttribute(Qt::WA_KeyboardFocusChange);
    QStringList unseen;
    for (QWidget *control : page->findChildren<QWidget *>()) {
        if (!(control->focusPolicy() & Qt::TabFocus) || !control->isEnabled() ||
            !control->isVisible() || control->focusProxy())
            continue;
        const QRect around =
            QRect(control->mapTo(page, QPoint()), control->size()).adjusted(-3, -3, 3, 3);
        page->setFocus();
        QTRY_VERIFY(!control->hasFocus());
        const QImage without = page->grab(around).toImage();
        control->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(control->hasFocus());
        if (page->grab(around).toImage() == without)
            unseen << control->objectName();
    }
    QVERIFY2(unseen.isEmpty(), qPrintable(unseen.join(QStringLiteral(", "))));
}

QTEST_MAIN(tst_PageInputs)
#include "tst_pageinputs.moc"
