#include "pages/common/changemarks.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QSpinBox>
#include <QStyle>
#include <QTextDocument>
#include <QTimer>

const char *const ChangeMarks::Glyph = "✱";

namespace {

constexpr int MarkWidth = 10;

// A label laid out wider than its text leaves room beside the text; anything else takes its
// whole rectangle. In the widget's own coordinates.
QRect drawnArea(const QWidget *widget)
{
    const auto *label = qobject_cast<const QLabel *>(widget);
    if (!label || label->text().isEmpty() || Qt::mightBeRichText(label->text()) ||
        label->wordWrap())
        return widget->rect();
    return label->style()->itemTextRect(label->fontMetrics(), label->contentsRect(),
                                        int(label->alignment()), label->isEnabled(),
                                        label->text());
}

} // namespace

ChangeMarks::ChangeMarks(QWidget *page) : QWidget(page)
{
    setObjectName(QStringLiteral("changeMarks"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    page->installEventFilter(this);
    setGeometry(page->rect());
    raise();
}

void ChangeMarks::exclude(QWidget *widgetOrContainer)
{
    m_excluded.append(widgetOrContainer);
}

bool ChangeMarks::isExcluded(const QWidget *widget) const
{
    for (const QPointer<QWidget> &excluded : m_excluded) {
        if (excluded && (excluded == widget || excluded->isAncestorOf(widget)))
            return true;
    }
    return false;
}

QList<QWidget *> ChangeMarks::inputs() const
{
    QList<QWidget *> result;
    const QList<QWidget *> children = parentWidget()->findChildren<QWidget *>();
    for (QWidget *child : children) {
        const bool input = qobject_cast<QCheckBox *>(child) || qobject_cast<QComboBox *>(child) ||
                           qobject_cast<QAbstractSpinBox *>(child);
        if (input && !isExcluded(child))
            result.append(child);
    }
    return result;
}

QVariant ChangeMarks::valueOf(const QWidget *input)
{
    if (const auto *box = qobject_cast<const QCheckBox *>(input))
        return box->checkState();
    if (const auto *combo = qobject_cast<const QComboBox *>(input))
        return combo->currentIndex();
    if (const auto *spin = qobject_cast<const QSpinBox *>(input))
        return spin->value();
    if (const auto *spin = qobject_cast<const QDoubleSpinBox *>(input))
        return spin->value();
    // Spin boxes of other kinds (signed zero) say what they hold in their text.
    if (const auto *spin = qobject_cast<const QAbstractSpinBox *>(input))
        return spin->text();
    return QVariant();
}

void ChangeMarks::setBaseline()
{
    const QList<QWidget *> all = inputs();
    if (!m_watching) {
        for (QWidget *input : all) {
            if (auto *box = qobject_cast<QCheckBox *>(input))
                connect(box, &QCheckBox::stateChanged, this, &ChangeMarks::inputEdited);
            else if (auto *combo = qobject_cast<QComboBox *>(input))
                connect(combo, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
                        &ChangeMarks::inputEdited);
            else if (auto *spin = qobject_cast<QAbstractSpinBox *>(input))
                connect(spin, &QAbstractSpinBox::editingFinished, this, &ChangeMarks::inputEdited);
            if (auto *spin = qobject_cast<QSpinBox *>(input))
                connect(spin, QOverload<int>::of(&QSpinBox::valueChanged), this,
                        &ChangeMarks::inputEdited);
            else if (auto *spin = qobject_cast<QDoubleSpinBox *>(input))
                connect(spin, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this,
                        &ChangeMarks::inputEdited);
        }
        m_watching = true;
    }
    m_baseline.clear();
    for (QWidget *input : all)
        m_baseline.insert(input, valueOf(input));
    raise();
    inputEdited();
}

void ChangeMarks::clearBaseline()
{
    m_baseline.clear();
    inputEdited();
}

QList<QWidget *> ChangeMarks::changedInputs() const
{
    QList<QWidget *> result;
    for (auto it = m_baseline.constBegin(); it != m_baseline.constEnd(); ++it) {
        if (valueOf(it.key()) != it.value())
            result.append(it.key());
    }
    return result;
}

void ChangeMarks::inputEdited()
{
    update();
    emit changed();
}

bool ChangeMarks::eventFilter(QObject *watched, QEvent *event)
{
    // Following the page later, not inside its resize, leaves the page's layout alone.
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        QTimer::singleShot(0, this, [this] { setGeometry(parentWidget()->rect()); });
    return QWidget::eventFilter(watched, event);
}

// The mark goes beside the field where nothing else is drawn: left of it, else right of it,
// else inside its top-left corner on a white ground, so it never covers a label's text.
QRect ChangeMarks::markPlace(const QWidget *input) const
{
    const QRect field(input->mapTo(parentWidget(), QPoint(0, 0)), input->size());
    const QRect left(field.left() - MarkWidth, field.top(), MarkWidth, field.height());
    const QRect right(field.right() + 1, field.top(), MarkWidth, field.height());
    QList<QRect> taken;
    const QList<QWidget *> widgets = parentWidget()->findChildren<QWidget *>();
    for (const QWidget *other : widgets) {
        const bool drawsText = qobject_cast<const QLabel *>(other) ||
                               qobject_cast<const QAbstractButton *>(other) ||
                               qobject_cast<const QAbstractSpinBox *>(other) ||
                               qobject_cast<const QComboBox *>(other);
        if (drawsText && other != input && !input->isAncestorOf(other) &&
            other->isVisibleTo(parentWidget()))
            taken.append(drawnArea(other).translated(other->mapTo(parentWidget(), QPoint(0, 0))));
    }
    const auto free = [&taken, this](const QRect &place) {
        if (!rect().contains(place))
            return false;
        for (const QRect &other : taken) {
            if (other.intersects(place))
                return false;
        }
        return true;
    };
    if (free(left))
        return left;
    if (free(right))
        return right;
    return QRect(field.topLeft(), QSize(MarkWidth, qMin(field.height(), MarkWidth + 4)));
}

void ChangeMarks::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QFont font = painter.font();
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QColor(0xB0, 0x5A, 0x00));
    for (QWidget *input : changedInputs()) {
        if (!input->isVisibleTo(parentWidget()))
            continue;
        const QRect mark = markPlace(input);
        const QRect field(input->mapTo(parentWidget(), QPoint(0, 0)), input->size());
        if (field.contains(mark))
            painter.fillRect(mark, Qt::white);
        painter.drawText(mark, Qt::AlignCenter, QString::fromUtf8(Glyph));
    }
}
