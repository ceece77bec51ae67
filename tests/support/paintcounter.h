#pragma once

#include <QHash>
#include <QObject>

#include <functional>

// Paint events each widget received while it lived; `seen` is told of each as it comes.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(std::function<void(QObject *)> seen = {});
    ~PaintCounter() override;
    int of(const QObject *widget) const { return m_counts.value(widget); }
    int total() const { return m_counts.size(); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::function<void(QObject *)> m_seen;
    QHash<const QObject *, int> m_counts;
};
