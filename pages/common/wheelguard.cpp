#include "pages/common/wheelguard.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QEvent>
#include <QWidget>

WheelGuard::WheelGuard(QWidget *page) : QObject(page) {}

void WheelGuard::installOn(QWidget *page)
{
    auto *guard = new WheelGuard(page);
    const QList<QWidget *> children = page->findChildren<QWidget *>();
    for (QWidget *input : children) {
        if (!qobject_cast<QAbstractSpinBox *>(input) && !qobject_cast<QComboBox *>(input))
            continue;
        // The wheel alone no longer gives them the focus either.
        input->setFocusPolicy(Qt::StrongFocus);
        input->installEventFilter(guard);
    }
}

// An ignored wheel event goes on to the parents, up to the page's scroll area.
bool WheelGuard::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Wheel && !static_cast<QWidget *>(watched)->hasFocus()) {
        event->ignore();
        return true;
    }
    return false;
}
