#pragma once

#include <QObject>

class QWidget;

// Scrolling a page must never change a setting the pointer only passes over: spin boxes and
// drop-down lists take the wheel only once they have the keyboard focus (a click or Tab),
// otherwise the wheel scrolls the page around them.
class WheelGuard : public QObject
{
public:
    // Guards every spin box and drop-down list inside the page.
    static void installOn(QWidget *page);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit WheelGuard(QWidget *page);
};
