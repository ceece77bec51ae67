#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QString>

#include <functional>

// The application object of the benchmark: it times every top-level event delivery, so a
// run can tell how long the program's own handlers held the event loop. Wall time includes
// any time the machine gave to other processes meanwhile; the thread's processor time is
// what the program itself spent.
class TimedApplication : public QApplication
{
public:
    TimedApplication(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;

    struct Longest
    {
        double ms = 0;
        // The event type and the class of the object that received it.
        QString what;
    };
    Longest longestWall() const { return m_wall; }
    Longest longestProcessor() const { return m_processor; }
    void resetLongest();
    // Called at the end of every top-level event delivery.
    void setAfterDelivery(std::function<void()> after) { m_afterDelivery = std::move(after); }

private:
    QElapsedTimer m_clock;
    Longest m_wall;
    Longest m_processor;
    int m_depth = 0;
    std::function<void()> m_afterDelivery;
};
