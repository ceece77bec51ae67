#pragma once

#include <QObject>

#include <functional>

class QWidget;

// Runs a task once, on the next event-loop turn after the watched widget was first painted,
// so work the first screen does not show stays out of the way of showing it.
class AfterFirstPaint : public QObject
{
public:
    AfterFirstPaint(QWidget *watched, std::function<void()> task);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::function<void()> m_task;
};
