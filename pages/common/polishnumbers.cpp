#include "pages/common/polishnumbers.h"

#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QKeyEvent>

PolishNumbers::PolishNumbers(QObject *parent) : QObject(parent) {}

QLocale PolishNumbers::locale()
{
    QLocale polish(QLocale::Polish, QLocale::Poland);
    polish.setNumberOptions(QLocale::OmitGroupSeparator);
    return polish;
}

void PolishNumbers::applyTo(QWidget *page)
{
    // Children take the page's locale unless they set one of their own.
    page->setLocale(locale());
    auto *dotAsComma = new PolishNumbers(page);
    const QList<QDoubleSpinBox *> boxes = page->findChildren<QDoubleSpinBox *>();
    for (QDoubleSpinBox *box : boxes)
        box->installEventFilter(dotAsComma);
}

bool PolishNumbers::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    if (key->text() != QLatin1String("."))
        return false;
    const QString comma = static_cast<QWidget *>(watched)->locale().decimalPoint();
    QKeyEvent typed(QEvent::KeyPress, Qt::Key_Comma, key->modifiers(), comma,
                    key->isAutoRepeat(), ushort(key->count()));
    QCoreApplication::sendEvent(watched, &typed);
    return true;
}
