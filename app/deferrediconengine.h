#pragma once

#include <QIcon>
#include <QIconEngine>

#include <functional>
#include <memory>

// An icon that is made only when something first draws it or asks for its sizes. For icons
// that always exist but are seldom drawn: making them can cost more than the window that
// holds them, and some are never drawn at all.
class DeferredIconEngine : public QIconEngine
{
public:
    using Source = std::function<QIcon()>;

    // The icon source will give; it tells that it is not null without asking source.
    static QIcon icon(Source source);

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override;
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override;
    QList<QSize> availableSizes(QIcon::Mode mode = QIcon::Normal,
                                QIcon::State state = QIcon::Off) const override;
    QString iconName() const override;
    QIconEngine *clone() const override;
    void virtual_hook(int id, void *data) override;

private:
    // Copies of an icon share what was made.
    struct Made
    {
        Source source;
        QIcon icon;
        bool made = false;
    };

    explicit DeferredIconEngine(std::shared_ptr<Made> icon);
    const QIcon &made() const;

    std::shared_ptr<Made> m_icon;
};
