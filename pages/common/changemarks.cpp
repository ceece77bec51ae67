#include "pages/common/changemarks.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QRegion>
#include <QSpinBox>
#include <QStyle>
#include <QTextDocument>

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

const QVector<QWidget *> &ChangeMarks::inputs()
{
    if (m_inputsFound)
        return m_inputs;
    m_inputsFound = true;
    const QList<QWidget *> children = parentWidget()->findChildren<QWidget *>();
    for (QWidget *child : children) {
        const bool input = qobject_cast<QCheckBox *>(child) || qobject_cast<QComboBox *>(child) ||
                           qobject_cast<QAbstractSpinBox *>(child);
        if (input && !isExcluded(child)) {
            m_inputs.append(child);
            watch(child);
        }
    }
    return m_inputs;
}

void ChangeMarks::watch(QWidget *input)
{
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

QVariant ChangeMarks::valueOf(const QWidget *input)
{
    if (const auto *box = qobject_cast<const QCheckBox *>(input))
        return box->checkState();
    if (const auto *combo = qobject_cast<const QComboBox *>(input))
        return combo->currentIndex();
    if (input->metaObject() == &QSpinBox::staticMetaObject)
        return static_cast<const QSpinBox *>(input)->value();
    if (input->metaObject() == &QDoubleSpinBox::staticMetaObject)
        return static_cast<const QDoubleSpinBox *>(input)->value();
    // Spin boxes of other kinds, the signed zero's among them, hold more than their number
    // (-0 is not 0): what they hold is in their text.
    if (const auto *spin = qobject_cast<const QAbstractSpinBox *>(input))
        return spin->text();
    return QVariant();
}

void ChangeMarks::setBaseline()
{
    const QVector<QWidget *> &all = inputs();
    m_baseline.resize(all.size());
    for (int i = 0; i < all.size(); ++i)
        m_baseline[i] = valueOf(all[i]);
    m_hasBaseline = true;
    m_changed.clear();
    m_changedKnown = true;
    raise();
    announce();
}

void ChangeMarks::clearBaseline()
{
    m_baseline.clear();
    m_hasBaseline = false;
    m_changed.clear();
    m_changedKnown = true;
    announce();
}

QList<QWidget *> ChangeMarks::changedInputs() const
{
    if (!m_changedKnown) {
        m_changed.clear();
        for (int i = 0; i < m_baseline.size(); ++i) {
            if (valueOf(m_inputs[i]) != m_baseline[i])
                m_changed.append(m_inputs[i]);
        }
        m_changedKnown = true;
    }
    return m_changed;
}

QVector<QVariant> ChangeMarks::inputStates()
{
    QVector<QVariant> states;
    states.reserve(inputs().size() * 2);
    for (QWidget *input : inputs())
        states << valueOf(input) << input->isEnabled();
    return states;
}

void ChangeMarks::inputEdited()
{
    if (!m_hasBaseline)
        return;
    m_changedKnown = false;
    announce();
}

void ChangeMarks::announce()
{
    if (m_holds > 0) {
        m_heldChange = true;
        return;
    }
    updateMarks();
    emit changed();
}

// Only the marks that come or go are drawn again. The layer lies over the whole page, so
// drawing all of it would draw the whole page beneath it too.
void ChangeMarks::updateMarks()
{
    const QList<QWidget *> changed = changedInputs();
    QRegion region;
    for (auto it = m_drawn.begin(); it != m_drawn.end();) {
        if (changed.contains(it.key())) {
            ++it;
            continue;
        }
        region += it.value();
        it = m_drawn.erase(it);
    }
    for (QWidget *input : changed) {
        if (!m_drawn.contains(input)) {
            const QRect mark = markPlace(input);
            m_drawn.insert(input, mark);
            region += mark;
        }
    }
    if (!region.isEmpty())
        update(region);
}

ChangeMarks::Hold::Hold(ChangeMarks &marks) : m_marks(marks)
{
    ++m_marks.m_holds;
}

ChangeMarks::Hold::~Hold()
{
    if (--m_marks.m_holds > 0 || !m_marks.m_heldChange)
        return;
    m_marks.m_heldChange = false;
    m_marks.announce();
}

bool ChangeMarks::eventFilter(QObject *watched, QEvent *event)
{
    // The layer takes the page's size at once: taken after the page's first paint, the new
    // size would paint the whole page a second time.
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        setGeometry(parentWidget()->rect());
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
    const QList<QWidget *> changed = changedInputs();
    if (changed.isEmpty())
        return;
    QPainter painter(this);
    QFont font = painter.font();
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QColor(0xB0, 0x5A, 0x00));
    for (QWidget *input : changed) {
        if (!input->isVisibleTo(parentWidget()))
            continue;
        const QRect mark = markPlace(input);
        const QRect field(input->mapTo(parentWidget(), QPoint(0, 0)), input->size());
        if (field.contains(mark))
            painter.fillRect(mark, Qt::white);
        painter.drawText(mark, Qt::AlignCenter, QString::fromUtf8(Glyph));
    }
}
