#include "app/deferrediconengine.h"

DeferredIconEngine::DeferredIconEngine(std::shared_ptr<Made> icon) : m_icon(std::move(icon)) {}

QIcon DeferredIconEngine::icon(Source source)
{
    auto made = std::make_shared<Made>();
    made->source = std::move(source);
    return QIcon(new DeferredIconEngine(std::move(made)));
}

const QIcon &DeferredIconEngine::made() const
{
    if (!m_icon->made) {
        m_icon->icon = m_icon->source();
        m_icon->made = true;
        m_icon->source = nullptr;
    }
    return m_icon->icon;
}

void DeferredIconEngine::paint(QPainter *painter, const QRect &rect, QIcon::Mode mode,
                               QIcon::State state)
{
    made().paint(painter, rect, Qt::AlignCenter, mode, state);
}

QPixmap DeferredIconEngine::pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state)
{
    return made().pixmap(size, mode, state);
}

QSize DeferredIconEngine::actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state)
{
    return made().actualSize(size, mode, state);
}

QList<QSize> DeferredIconEngine::availableSizes(QIcon::Mode mode, QIcon::State state) const
{
    return made().availableSizes(mode, state);
}

QString DeferredIconEngine::iconName() const
{
    return made().name();
}

QIconEngine *DeferredIconEngine::clone() const
{
    return new DeferredIconEngine(m_icon);
}

void DeferredIconEngine::virtual_hook(int id, void *data)
{
    if (id == QIconEngine::IsNullHook) {
        *static_cast<bool *>(data) = m_icon->made && m_icon->icon.isNull();
        return;
    }
    QIconEngine::virtual_hook(id, data);
}
