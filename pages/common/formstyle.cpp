#include "pages/common/formstyle.h"

#include "pages/common/painterpixels.h"

#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QApplication>
#include <QBackingStore>
#include <QComboBox>
#include <QDialog>
#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QImage>
#include <QStackedWidget>
#include <QAbstractItemView>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPaintEngine>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyleFactory>
#include <QStyleOption>
#include <QTabBar>
#include <QTextEdit>

namespace {

// Marks the widget a form's look was given from: what lies beneath it is the window's white.
const char *const FormRootProperty = "orvaFormRoot";

const char *const WhiteRule = "* { background-color: white; selection-background-color: "
                              "palette(highlight); selection-color: palette(highlighted-text) }\n";

QColor selectionBackground()
{
    return QGuiApplication::palette().color(QPalette::Highlight);
}

QColor selectionForeground()
{
    return QGuiApplication::palette().color(QPalette::HighlightedText);
}

// The white and the selection colours in every colour group, so an inactive window's open
// list still shows which entry is under the cursor.
QPalette whitePalette(QPalette palette)
{
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        for (const auto role : {QPalette::Window, QPalette::Base, QPalette::Button})
            palette.setColor(group, role, Qt::white);
        palette.setColor(group, QPalette::Highlight, selectionBackground());
        palette.setColor(group, QPalette::HighlightedText, selectionForeground());
    }
    return palette;
}

// A line edit inside a spin or combo box and a scroll area's viewport take their look from
// the box or the area around them, and a combo box's list frame from nothing: none of them
// paints a background of its own.
bool embedded(const QWidget *widget)
{
    const QWidget *parent = widget->parentWidget();
    if (qobject_cast<const QLineEdit *>(widget) &&
        (qobject_cast<const QComboBox *>(parent) || qobject_cast<const QAbstractSpinBox *>(parent)))
        return true;
    if (const auto *area = qobject_cast<const QAbstractScrollArea *>(parent)) {
        if (area->viewport() == widget)
            return true;
    }
    if (qobject_cast<const QFrame *>(widget) && qobject_cast<const QComboBox *>(parent))
        return true;
    return widget->metaObject() == &QWidget::staticMetaObject && qobject_cast<const QTabBar *>(parent);
}

bool white(const QWidget *widget)
{
    return widget && !embedded(widget);
}

QWidget *innerWidget(QWidget *widget)
{
    if (auto *combo = qobject_cast<QComboBox *>(widget))
        return combo->isEditable() ? static_cast<QWidget *>(combo->lineEdit()) : combo;
    if (qobject_cast<QAbstractSpinBox *>(widget))
        return widget->findChild<QLineEdit *>();
    if (auto *area = qobject_cast<QAbstractScrollArea *>(widget))
        return area->viewport();
    return widget;
}

bool paintsStyledBackground(const QWidget *widget)
{
    return widget->metaObject() == &QWidget::staticMetaObject ||
           qobject_cast<const QHeaderView *>(widget) || qobject_cast<const QTabBar *>(widget) ||
           qobject_cast<const QFrame *>(widget) || qobject_cast<const QMainWindow *>(widget) ||
           qobject_cast<const QMenuBar *>(widget) || qobject_cast<const QDialog *>(widget);
}

bool paintsItsWholeRect(const QWidget *widget)
{
    return qobject_cast<const QCheckBox *>(widget) || qobject_cast<const QRadioButton *>(widget) ||
           qobject_cast<const QScrollBar *>(widget);
}

bool isBox(const QWidget *widget)
{
    return qobject_cast<const QAbstractSpinBox *>(widget) || qobject_cast<const QComboBox *>(widget);
}

// A spin or combo box's rounded corners show what is beneath it: the white of the nearest
// container that paints itself white, or of a group box darkened a little by the inside of its
// frame. The number of such frames (0 or 1), or -1 when something else (a sheet, a tab, a
// filled background) may be painted there.
int framesBeneath(const QWidget *widget, const QStyle *formStyle)
{
    for (const QWidget *above = widget->parentWidget(); above; above = above->parentWidget()) {
        if (above->style() != formStyle || !above->styleSheet().isEmpty() ||
            above->autoFillBackground() || above->graphicsEffect())
            return -1;
        if (const auto *box = qobject_cast<const QGroupBox *>(above))
            return box->isFlat() ? -1 : 1;
        if (above->property(FormRootProperty).toBool())
            return above->isWindow() || above->parentWidget() ? 0 : -1;
        const QMetaObject *type = above->metaObject();
        if (type != &QWidget::staticMetaObject && type != &QFrame::staticMetaObject &&
            type != &QStackedWidget::staticMetaObject)
            return -1;
        if (above->testAttribute(Qt::WA_StyledBackground))
            return 0;
    }
    return -1;
}

// A container this style paints white all over, with nothing of its own drawn on the white.
bool onlyWhite(const QWidget *widget, const QStyle *formStyle)
{
    if (widget->style() != formStyle || !widget->styleSheet().isEmpty() || !white(widget) ||
        !widget->testAttribute(Qt::WA_StyledBackground) || widget->autoFillBackground() ||
        widget->graphicsEffect())
        return false;
    if (widget->metaObject() == &QWidget::staticMetaObject ||
        qobject_cast<const QMainWindow *>(widget))
        return true;
    const auto *frame = qobject_cast<const QFrame *>(widget);
    return frame && frame->frameShape() == QFrame::NoFrame && !qobject_cast<const QLabel *>(widget);
}

// Painting into the window, the toolkit paints every widget beneath a changed one first, in
// the same pass: a container whose parent filled itself white there, directly or through a
// scroll area's viewport that paints nothing, would only fill the same white again. A picture
// of the container alone (a grab) has no parent beneath it and is filled as before.
bool whiteBeneath(const QWidget *widget, const QPainter *painter, const QStyle *formStyle)
{
    // An opaque widget is painted without what lies beneath it.
    if (widget->isWindow() || widget->graphicsEffect() ||
        widget->testAttribute(Qt::WA_OpaquePaintEvent))
        return false;
    // A widget's painter stands for the widget; its engine paints on the real target.
    QBackingStore *store = widget->window()->backingStore();
    const QPaintEngine *engine = painter->paintEngine();
    if (!store || !engine || engine->paintDevice() != store->paintDevice())
        return false;
    const QWidget *parent = widget->parentWidget();
    const QWidget *grandparent = parent ? parent->parentWidget() : nullptr;
    if (const auto *area = qobject_cast<const QAbstractScrollArea *>(grandparent)) {
        if (area->viewport() == parent && !parent->autoFillBackground() &&
            !parent->testAttribute(Qt::WA_OpaquePaintEvent) && parent->styleSheet().isEmpty())
            parent = area;
    }
    return parent && onlyWhite(parent, formStyle);
}

// A text view's page fills itself with the white that would be behind it anyway. Opaque, it is
// scrolled by copying what it shows: a log that follows its newest line draws only that line.
bool fillsItselfWhite(const QWidget *area, const QWidget *viewport)
{
    if (!qobject_cast<const QTextEdit *>(area) || !viewport || viewport == area ||
        !viewport->autoFillBackground())
        return false;
    const QBrush fill = viewport->palette().brush(viewport->backgroundRole());
    return fill.style() == Qt::SolidPattern && fill.color() == QColor(Qt::white);
}

void fillWhite(QPainter *painter, const QRect &rect)
{
    painter->fillRect(rect, Qt::white);
}

// Gives the form's style to the drop-down list a combo box builds when first opened.
class PopupWatcher : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // The list is complete and not yet painted once its window has been polished.
        if (event->type() == QEvent::ChildPolished) {
            QObject *child = static_cast<QChildEvent *>(event)->child();
            if (child->isWidgetType() && static_cast<QWidget *>(child)->isWindow())
                FormStyle::apply(static_cast<QWidget *>(child));
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

FormStyle::FormStyle()
    : QProxyStyle(QStyleFactory::create(QStringLiteral("Windows"))),
      m_popupWatcher(new PopupWatcher(this))
{
}

FormStyle &FormStyle::instance()
{
    static QPointer<FormStyle> style;
    if (!style) {
        style = new FormStyle;
        style->setParent(qApp);
    }
    return *style;
}

QStyle *FormStyle::native() const
{
    return QApplication::style();
}

bool FormStyle::nativeIsFusion() const
{
    return native()->inherits("QFusionStyle");
}

void FormStyle::apply(QWidget *root)
{
    if (root->isWindow() && !root->parentWidget())
        root->setPalette(whitePalette(root->palette()));
    applyToWidgets(root);
}

void FormStyle::applyToForm(QWidget *form)
{
    applyToWidgets(form);
}

void FormStyle::applyToWidgets(QWidget *root)
{
    root->setProperty(FormRootProperty, true);
    QList<QWidget *> widgets = root->findChildren<QWidget *>();
    widgets.prepend(root);
    for (QWidget *widget : widgets) {
        if (!widget->styleSheet().isEmpty()) {
            const QString own = widget->styleSheet();
            if (own.startsWith(QLatin1String(WhiteRule)))
                continue;
            // A sheet of bare declarations is the widget's own rule; written as one, it
            // can follow the white rule.
            widget->setStyleSheet(QLatin1String(WhiteRule) +
                                  (own.contains(QLatin1Char('{')) ? own
                                                                  : QStringLiteral("* { %1 }").arg(own)));
            continue;
        }
        if (widget->style() != &instance())
            widget->setStyle(&instance());
        if (qobject_cast<QComboBox *>(widget))
            widget->installEventFilter(instance().m_popupWatcher);
        // A combo box's list stands in a window of its own, which takes the menus' palette
        // rather than the form's; the list takes the white and the selection colours over it.
        if (qobject_cast<QAbstractItemView *>(widget) && widget->window()->parentWidget())
            widget->setPalette(whitePalette(widget->palette()));
    }
}

void FormStyle::polish(QWidget *widget)
{
    native()->polish(widget);
    if (!white(widget))
        return;
    if (paintsStyledBackground(widget))
        widget->setAttribute(Qt::WA_StyledBackground, true);
    // A check or radio button paints the whole of its rectangle white itself, and a scroll bar
    // its whole rectangle: when it changes, nothing beneath it (a group box, its title, its
    // frame, the log and the window around a scroll bar) needs painting again.
    if (paintsItsWholeRect(widget) || (isBox(widget) && framesBeneath(widget, this) >= 0))
        widget->setAttribute(Qt::WA_OpaquePaintEvent, true);
    QWidget *inner = innerWidget(widget);
    if (fillsItselfWhite(widget, inner))
        return;
    if (inner && inner->autoFillBackground()) {
        inner->setAutoFillBackground(false);
        if (inner != widget)
            inner->setAttribute(Qt::WA_StyledBackground, true);
    }
}

void FormStyle::unpolish(QWidget *widget)
{
    if (paintsItsWholeRect(widget) || isBox(widget))
        widget->setAttribute(Qt::WA_OpaquePaintEvent, false);
    native()->unpolish(widget);
}

QPalette FormStyle::shaded(const QPalette &palette, QPalette::ColorRole behind) const
{
    const qint64 key = palette.cacheKey() * 64 + behind;
    auto found = m_shaded.find(key);
    if (found == m_shaded.end()) {
        QPalette shades = palette;
        const QColor background(Qt::white);
        if (behind != QPalette::NoRole)
            shades.setBrush(behind, background);
        shades.setBrush(QPalette::Window, background);
        shades.setBrush(QPalette::Light, background.lighter(115));
        shades.setBrush(QPalette::Midlight, background.lighter(107));
        shades.setBrush(QPalette::Dark, background.darker(150));
        shades.setBrush(QPalette::Shadow, background.darker(300));
        shades.setBrush(QPalette::Highlight, selectionBackground());
        shades.setBrush(QPalette::HighlightedText, selectionForeground());
        found = m_shaded.insert(key, shades);
    }
    QPalette result = found.value();
    result.setCurrentColorGroup(palette.currentColorGroup());
    return result;
}

void FormStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option,
                              QPainter *painter, const QWidget *widget) const
{
    switch (element) {
    case PE_IndicatorCheckBox:
    case PE_IndicatorRadioButton:
        // Fusion draws an indicator from its option alone; other styles may fade one state
        // into the next, and a drawing kept mid-fade would stay.
        if (nativeIsFusion() && m_drawings.draw(*native(), element, *option, painter, widget))
            return;
        break;
    case PE_Widget:
        if (!white(widget))
            break;
        if (qobject_cast<const QAbstractScrollArea *>(widget)) {
            fillWhite(painter, option->rect);
            break;
        }
        if (!whiteBeneath(widget, painter, this))
            fillWhite(painter, option->rect);
        return;
    case PE_PanelMenu:
    case PE_PanelStatusBar:
        if (!white(widget))
            break;
        fillWhite(painter, option->rect);
        return;
    case PE_FrameMenu:
    case PE_PanelMenuBar:
        if (white(widget))
            return;
        break;
    case PE_PanelButtonTool:
    case PE_PanelButtonCommand:
        if (white(widget) && qobject_cast<const QAbstractButton *>(widget)) {
            classic()->drawPrimitive(element, option, painter, widget);
            return;
        }
        break;
    case PE_FrameDefaultButton:
        if (white(widget))
            classic()->drawPrimitive(element, option, painter, widget);
        return;
    case PE_Frame:
    case PE_FrameWindow:
    case PE_FrameDockWidget:
        if (const auto *frame = qstyleoption_cast<const QStyleOptionFrame *>(option)) {
            QStyleOptionFrame copy(*frame);
            if (white(widget))
                copy.palette = shaded(copy.palette, QPalette::Base);
            native()->drawPrimitive(element, &copy, painter, widget);
            return;
        }
        break;
    case PE_PanelLineEdit:
        if (const auto *frame = qstyleoption_cast<const QStyleOptionFrame *>(option)) {
            if (!widget || (!embedded(widget) && !white(widget)))
                break;
            QStyleOptionFrame copy(*frame);
            copy.palette = shaded(copy.palette, QPalette::Base);
            native()->drawPrimitive(element, &copy, painter, widget);
            return;
        }
        break;
    case PE_PanelTipLabel:
        if (const auto *frame = qstyleoption_cast<const QStyleOptionFrame *>(option)) {
            if (!white(widget))
                break;
            fillWhite(painter, option->rect);
            QStyleOptionFrame copy(*frame);
            copy.palette.setBrush(QPalette::Window, Qt::NoBrush);
            native()->drawPrimitive(element, &copy, painter, widget);
            return;
        }
        break;
    default:
        break;
    }
    native()->drawPrimitive(element, option, painter, widget);
}

void FormStyle::drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                            const QWidget *widget) const
{
    if (!white(widget)) {
        native()->drawControl(element, option, painter, widget);
        return;
    }
    switch (element) {
    case CE_ToolButtonLabel:
        if (const auto *button = qstyleoption_cast<const QStyleOptionToolButton *>(option)) {
            if (button->features & QStyleOptionToolButton::Arrow) {
                classic()->drawControl(element, option, painter, widget);
            } else {
                QStyleOptionToolButton copy(*button);
                copy.palette = shaded(copy.palette, QPalette::Button);
                native()->drawControl(element, &copy, painter, widget);
            }
            return;
        }
        break;
    case CE_PushButton:
        classic()->drawControl(element, option, painter, widget);
        return;
    case CE_PushButtonBevel:
        if (const auto *button = qstyleoption_cast<const QStyleOptionButton *>(option)) {
            QStyleOptionButton copy(*button);
            copy.palette = shaded(copy.palette, QPalette::Button);
            native()->drawControl(element, &copy, painter, widget);
        }
        return;
    case CE_PushButtonLabel:
    case CE_CheckBoxLabel:
    case CE_RadioButtonLabel:
        if (const auto *button = qstyleoption_cast<const QStyleOptionButton *>(option)) {
            QStyleOptionButton copy(*button);
            copy.palette = shaded(copy.palette, QPalette::Button);
            classic()->drawControl(element, &copy, painter, widget);
        }
        return;
    case CE_CheckBox:
    case CE_RadioButton:
        fillWhite(painter, option->rect);
        classic()->drawControl(element, option, painter, widget);
        return;
    case CE_ToolBar:
        fillWhite(painter, option->rect);
        break;
    case CE_MenuEmptyArea:
    case CE_MenuBarEmptyArea:
        return;
    case CE_MenuBarItem:
        if (const auto *item = qstyleoption_cast<const QStyleOptionMenuItem *>(option)) {
            QStyleOptionMenuItem copy(*item);
            copy.palette = shaded(copy.palette, QPalette::Button);
            if (!(option->state & State_Selected)) {
                copy.palette.setColor(QPalette::Window, Qt::transparent);
                copy.palette.setColor(QPalette::Button, Qt::transparent);
            }
            native()->drawControl(element, &copy, painter, widget);
            return;
        }
        break;
    case CE_MenuItem:
        if (const auto *item = qstyleoption_cast<const QStyleOptionMenuItem *>(option)) {
            QStyleOptionMenuItem copy(*item);
            copy.palette = shaded(shaded(copy.palette, QPalette::Button), QPalette::Highlight);
            painter->save();
            painter->setFont(copy.font);
            if (!(option->state & State_Selected)) {
                copy.palette.setColor(QPalette::Window, Qt::transparent);
                copy.palette.setColor(QPalette::Button, Qt::transparent);
            }
            native()->drawControl(element, &copy, painter, widget);
            painter->restore();
            return;
        }
        break;
    case CE_ShapedFrame:
        if (const auto *frame = qstyleoption_cast<const QStyleOptionFrame *>(option)) {
            QStyleOptionFrame copy(*frame);
            copy.palette = shaded(copy.palette, QPalette::Base);
            native()->drawControl(element, &copy, painter, widget);
            return;
        }
        break;
    case CE_ComboBoxLabel:
        // Fusion draws the current item's text with its own drawItemText, shaped afresh on
        // every paint; this style's draws it alike and shapes it once.
        if (const auto *combo = qstyleoption_cast<const QStyleOptionComboBox *>(option)) {
            if (nativeIsFusion() && !combo->editable && !combo->currentText.isEmpty()) {
                QStyleOptionComboBox iconOnly(*combo);
                iconOnly.currentText.clear();
                native()->drawControl(element, &iconOnly, painter, widget);
                drawComboBoxText(*combo, painter, widget);
                return;
            }
        }
        break;
    case CE_SizeGrip:
        fillWhite(painter, option->rect);
        return;
    case CE_ScrollBarAddLine:
    case CE_ScrollBarSubLine:
    case CE_ScrollBarSlider:
        if (!m_drawings.draw(*classic(), element, *option, painter, widget))
            classic()->drawControl(element, option, painter, widget);
        return;
    default:
        break;
    }
    native()->drawControl(element, option, painter, widget);
}

void FormStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex *option,
                                   QPainter *painter, const QWidget *widget) const
{
    if (white(widget)) {
        switch (control) {
        case CC_ComboBox:
            if (const auto *combo = qstyleoption_cast<const QStyleOptionComboBox *>(option)) {
                paintBackdrop(option, painter, widget);
                QStyleOptionComboBox copy(*combo);
                copy.palette = shaded(copy.palette, QPalette::Button);
                native()->drawComplexControl(control, &copy, painter, widget);
                return;
            }
            break;
        case CC_SpinBox:
            if (const auto *spin = qstyleoption_cast<const QStyleOptionSpinBox *>(option)) {
                paintBackdrop(option, painter, widget);
                QStyleOptionSpinBox copy(*spin);
                copy.palette = shaded(shaded(copy.palette, QPalette::Button), QPalette::Base);
                native()->drawComplexControl(control, &copy, painter, widget);
                return;
            }
            break;
        case CC_GroupBox:
            drawGroupBox(option, painter, widget);
            return;
        case CC_ScrollBar:
            fillWhite(painter, option->rect);
            classic()->drawComplexControl(control, option, painter, widget);
            return;
        default:
            break;
        }
    }
    native()->drawComplexControl(control, option, painter, widget);
}

// An opaque spin or combo box paints what its parents would have painted beneath it, so a value
// that changes repaints the box alone, not the group boxes around it.
void FormStyle::paintBackdrop(const QStyleOption *option, QPainter *painter,
                              const QWidget *widget) const
{
    if (!widget || !widget->testAttribute(Qt::WA_OpaquePaintEvent))
        return;
    const int frames = framesBeneath(widget, this);
    while (m_backdrops.size() <= qMax(frames, 0)) {
        // The colour is taken from frames drawn as a group box draws them, so it is the very
        // colour they give.
        QImage sample(64, 64, QImage::Format_ARGB32_Premultiplied);
        sample.fill(Qt::white);
        QPainter frame(&sample);
        QStyleOptionFrame inside;
        inside.rect = sample.rect();
        for (int drawn = 0; drawn < m_backdrops.size(); ++drawn)
            drawPrimitive(PE_FrameGroupBox, &inside, &frame, nullptr);
        frame.end();
        m_backdrops << sample.pixelColor(sample.width() / 2, sample.height() * 3 / 4);
    }
    painter->fillRect(option->rect, m_backdrops.at(qMax(frames, 0)));
}

// Measuring the title shapes its text; a group box painted again, most often for a field in it
// that changed, has its places measured only when its size, title, font or parts changed.
const FormStyle::GroupBoxPlaces &FormStyle::groupBoxPlaces(const QStyleOptionGroupBox &box,
                                                           const QWidget *widget) const
{
    GroupBoxPlaces &places = m_groupBoxes[widget];
    if (places.measured && places.rect == box.rect && places.text == box.text &&
        places.metrics == box.fontMetrics && places.subControls == box.subControls &&
        places.features == box.features && places.alignment == box.textAlignment &&
        places.direction == box.direction)
        return places;
    places = GroupBoxPlaces();
    places.measured = true;
    places.rect = box.rect;
    places.text = box.text;
    places.metrics = box.fontMetrics;
    places.subControls = box.subControls;
    places.features = box.features;
    places.alignment = box.textAlignment;
    places.direction = box.direction;
    if ((box.subControls & SC_GroupBoxCheckBox) || !box.text.isEmpty()) {
        places.label = native()->subControlRect(CC_GroupBox, &box, SC_GroupBoxLabel, widget);
        places.label.setSize(places.label.size().expandedTo(
            classic()->subControlRect(CC_GroupBox, &box, SC_GroupBoxLabel, widget).size()));
        if (box.subControls & SC_GroupBoxCheckBox)
            places.checkBox = native()->subControlRect(CC_GroupBox, &box, SC_GroupBoxCheckBox, widget);
    }
    places.frame = native()->subControlRect(CC_GroupBox, &box, SC_GroupBoxFrame, widget);
    return places;
}

// The title centred in the room the classic style gives it, the frame left out behind it.
void FormStyle::drawGroupBox(const QStyleOptionComplex *option, QPainter *painter,
                             const QWidget *widget) const
{
    const auto *box = qstyleoption_cast<const QStyleOptionGroupBox *>(option);
    if (!box)
        return;
    fillWhite(painter, option->rect);
    const GroupBoxPlaces &places = groupBoxPlaces(*box, widget);
    const QRect &labelRect = places.label;
    const bool hasTitle = (box->subControls & SC_GroupBoxCheckBox) || !box->text.isEmpty();
    const QRect titleRect =
        (box->subControls & SC_GroupBoxCheckBox) ? places.checkBox.united(labelRect) : labelRect;
    // Clipping the title out makes every line of the frame a clipped one; a repaint that does not
    // reach the title need not.
    const bool clipTitle = hasTitle && PainterPixels::reach(*painter, titleRect);
    if (clipTitle) {
        painter->save();
        painter->setClipRegion(QRegion(option->rect) - titleRect);
    }
    QStyleOptionFrame frame;
    frame.QStyleOption::operator=(*box);
    frame.features = box->features;
    frame.lineWidth = box->lineWidth;
    frame.midLineWidth = box->midLineWidth;
    frame.rect = places.frame;
    // Fusion's frame is a picture, the same for every palette and state.
    if (!nativeIsFusion() || !m_groupBoxFrames.draw(*native(), frame, Qt::white, painter, widget))
        drawPrimitive(PE_FrameGroupBox, &frame, painter, widget);
    if (clipTitle)
        painter->restore();

    if (box->subControls & SC_GroupBoxCheckBox) {
        QStyleOptionButton check;
        check.QStyleOption::operator=(*box);
        check.rect = places.checkBox;
        drawPrimitive(PE_IndicatorCheckBox, &check, painter, widget);
    }
    if (!box->text.isEmpty() && PainterPixels::reach(*painter, labelRect)) {
        int alignment = int(Qt::AlignCenter | Qt::TextShowMnemonic);
        if (!styleHint(SH_UnderlineShortcut, option, widget))
            alignment |= Qt::TextHideMnemonic;
        QPalette palette = box->palette;
        if (box->textColor.isValid())
            palette.setColor(QPalette::WindowText, box->textColor);
        drawItemText(painter, labelRect, alignment, palette, box->state & State_Enabled, box->text,
                     QPalette::WindowText);
        if (box->state & State_HasFocus) {
            QStyleOptionFocusRect focus;
            focus.QStyleOption::operator=(*box);
            focus.rect = labelRect;
            drawPrimitive(PE_FrameFocusRect, &focus, painter, widget);
        }
    }
}

QSize FormStyle::sizeFromContents(ContentsType type, const QStyleOption *option,
                                  const QSize &size, const QWidget *widget) const
{
    if (white(widget)) {
        switch (type) {
        case CT_SpinBox:
            if (const auto *spin = qstyleoption_cast<const QStyleOptionSpinBox *>(option)) {
                // The sheet's own room for the arrows, not the native style's.
                constexpr int ArrowsWidth = 16;
                const int frame = 2 * native()->pixelMetric(PM_SpinBoxFrameWidth, nullptr, widget);
                QSize result = size + QSize(frame, frame);
                if (spin->buttonSymbols != QAbstractSpinBox::NoButtons)
                    result.rwidth() += ArrowsWidth;
                return result;
            }
            break;
        case CT_GroupBox:
        case CT_LineEdit:
            if (qobject_cast<const QAbstractSpinBox *>(widget->parentWidget()))
                return size;
            break;
        default:
            break;
        }
    } else if (widget && (type == CT_LineEdit || type == CT_GroupBox) &&
               qobject_cast<const QAbstractSpinBox *>(widget->parentWidget())) {
        return size;
    }
    return native()->sizeFromContents(type, option, size, widget);
}

QRect FormStyle::subControlRect(ComplexControl control, const QStyleOptionComplex *option,
                                SubControl subControl, const QWidget *widget) const
{
    if (white(widget) && control == CC_ScrollBar)
        return classic()->subControlRect(control, option, subControl, widget);
    return native()->subControlRect(control, option, subControl, widget);
}

QRect FormStyle::subElementRect(SubElement element, const QStyleOption *option,
                                const QWidget *widget) const
{
    switch (element) {
    case SE_CheckBoxFocusRect:
    case SE_CheckBoxClickRect:
        if (white(widget))
            return classic()->subElementRect(element, option, widget);
        break;
    default:
        break;
    }
    return native()->subElementRect(element, option, widget);
}

QStyle::SubControl FormStyle::hitTestComplexControl(ComplexControl control,
                                                    const QStyleOptionComplex *option,
                                                    const QPoint &point,
                                                    const QWidget *widget) const
{
    switch (control) {
    case CC_ScrollBar:
        if (!white(widget))
            break;
        Q_FALLTHROUGH();
    case CC_SpinBox:
    case CC_GroupBox:
    case CC_ComboBox:
    case CC_Slider:
    case CC_ToolButton:
        return classic()->hitTestComplexControl(control, option, point, widget);
    default:
        break;
    }
    return native()->hitTestComplexControl(control, option, point, widget);
}

int FormStyle::pixelMetric(PixelMetric metric, const QStyleOption *option,
                           const QWidget *widget) const
{
    if (metric == PM_ToolTipLabelFrameWidth && white(widget))
        return 0;
    return native()->pixelMetric(metric, option, widget);
}

int FormStyle::styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                         QStyleHintReturn *returnData) const
{
    return native()->styleHint(hint, option, widget, returnData);
}

// Where and how Fusion places a combo box's text: in the edit field, after the icon and its
// margin, one pixel in from each side, clipped to the field.
void FormStyle::drawComboBoxText(const QStyleOptionComboBox &combo, QPainter *painter,
                                 const QWidget *widget) const
{
    const QRect field = native()->subControlRect(CC_ComboBox, &combo, SC_ComboBoxEditField, widget);
    QRect text = field;
    if (!combo.currentIcon.isNull()) {
        const int iconWidth = combo.iconSize.width() + 4;
        text.translate(combo.direction == Qt::RightToLeft ? -iconWidth : iconWidth, 0);
    }
    painter->save();
    painter->setClipRect(field);
    drawItemText(painter, text.adjusted(1, 0, -1, 0),
                 visualAlignment(combo.direction, Qt::AlignLeft | Qt::AlignVCenter),
                 combo.palette, combo.state & State_Enabled, combo.currentText,
                 QPalette::ButtonText);
    painter->restore();
}

void FormStyle::drawItemText(QPainter *painter, const QRect &rect, int flags,
                             const QPalette &palette, bool enabled, const QString &text,
                             QPalette::ColorRole textRole) const
{
    // Fusion draws a disabled text as any other, in the disabled colours; styles that etch or
    // dither it draw it their own way.
    if (!enabled && !nativeIsFusion() &&
        (native()->styleHint(SH_EtchDisabledText) || native()->styleHint(SH_DitherDisabledText))) {
        native()->drawItemText(painter, rect, flags, palette, enabled, text, textRole);
        return;
    }
    const QPen pen = painter->pen();
    if (textRole != QPalette::NoRole)
        painter->setPen(QPen(palette.brush(textRole), pen.widthF()));
    if (!m_itemTexts.draw(painter, rect, flags, text))
        painter->drawText(rect, flags, text);
    painter->setPen(pen);
}

void FormStyle::drawItemPixmap(QPainter *painter, const QRect &rect, int alignment,
                               const QPixmap &pixmap) const
{
    native()->drawItemPixmap(painter, rect, alignment, pixmap);
}

QRect FormStyle::itemTextRect(const QFontMetrics &metrics, const QRect &rect, int flags,
                              bool enabled, const QString &text) const
{
    return native()->itemTextRect(metrics, rect, flags, enabled, text);
}

QRect FormStyle::itemPixmapRect(const QRect &rect, int flags, const QPixmap &pixmap) const
{
    return native()->itemPixmapRect(rect, flags, pixmap);
}

QPixmap FormStyle::generatedIconPixmap(QIcon::Mode mode, const QPixmap &pixmap,
                                       const QStyleOption *option) const
{
    return native()->generatedIconPixmap(mode, pixmap, option);
}

QPixmap FormStyle::standardPixmap(StandardPixmap pixmap, const QStyleOption *option,
                                  const QWidget *widget) const
{
    return native()->standardPixmap(pixmap, option, widget);
}

QIcon FormStyle::standardIcon(StandardPixmap icon, const QStyleOption *option,
                              const QWidget *widget) const
{
    return native()->standardIcon(icon, option, widget);
}

QPalette FormStyle::standardPalette() const
{
    return native()->standardPalette();
}

int FormStyle::layoutSpacing(QSizePolicy::ControlType control1, QSizePolicy::ControlType control2,
                             Qt::Orientation orientation, const QStyleOption *option,
                             const QWidget *widget) const
{
    return native()->layoutSpacing(control1, control2, orientation, option, widget);
}
