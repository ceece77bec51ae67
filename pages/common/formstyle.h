#pragma once

#include "pages/common/drawingcache.h"
#include "pages/common/groupboxframes.h"
#include "pages/common/itemtextcache.h"

#include <QFontMetrics>
#include <QColor>
#include <QHash>
#include <QVector>
#include <QProxyStyle>
#include <QStyleOption>

class QPalette;
class QWidget;

// The forms are white, as the window's style sheet once made them. That sheet put every widget
// of every page under the style-sheet style: a palette, a font and a set of render rules of its
// own per widget, the drop-down list of every combo box built up front, and drawings the native
// style could not share between widgets. This style draws the forms exactly as that sheet did
// (a white background, the open list's highlight the same in every window state) from one
// palette the widgets inherit. Where the sheet left the drawing to the classic style (combo and
// spin boxes, push buttons, scroll bars), so does this one; everything else is the native style.
class FormStyle : public QProxyStyle
{
public:
    // Gives root and everything under it the form's look. The window's palette is set when root
    // is a window; a page takes it over once it stands in the window. Widgets with a style
    // sheet of their own (the pictures) keep it, with the form's white rule in front of it.
    static void apply(QWidget *root);
    // The same for a form that does not stand in a window yet: everything but the palette,
    // which it takes over from the window it is put in.
    static void applyToForm(QWidget *form);

    void polish(QWidget *widget) override;
    using QProxyStyle::polish;
    void unpolish(QWidget *widget) override;
    using QProxyStyle::unpolish;

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex *option,
                            QPainter *painter, const QWidget *widget = nullptr) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption *option, const QSize &size,
                           const QWidget *widget) const override;
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex *option,
                         SubControl subControl, const QWidget *widget) const override;
    QRect subElementRect(SubElement element, const QStyleOption *option,
                         const QWidget *widget) const override;
    SubControl hitTestComplexControl(ComplexControl control, const QStyleOptionComplex *option,
                                     const QPoint &point,
                                     const QWidget *widget = nullptr) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption *option = nullptr,
                    const QWidget *widget = nullptr) const override;
    int styleHint(StyleHint hint, const QStyleOption *option = nullptr,
                  const QWidget *widget = nullptr,
                  QStyleHintReturn *returnData = nullptr) const override;
    void drawItemText(QPainter *painter, const QRect &rect, int flags, const QPalette &palette,
                      bool enabled, const QString &text,
                      QPalette::ColorRole textRole = QPalette::NoRole) const override;
    void drawItemPixmap(QPainter *painter, const QRect &rect, int alignment,
                        const QPixmap &pixmap) const override;
    QRect itemTextRect(const QFontMetrics &metrics, const QRect &rect, int flags, bool enabled,
                       const QString &text) const override;
    QRect itemPixmapRect(const QRect &rect, int flags, const QPixmap &pixmap) const override;
    QPixmap generatedIconPixmap(QIcon::Mode mode, const QPixmap &pixmap,
                                const QStyleOption *option) const override;
    QPixmap standardPixmap(StandardPixmap pixmap, const QStyleOption *option = nullptr,
                           const QWidget *widget = nullptr) const override;
    QIcon standardIcon(StandardPixmap icon, const QStyleOption *option = nullptr,
                       const QWidget *widget = nullptr) const override;
    QPalette standardPalette() const override;
    int layoutSpacing(QSizePolicy::ControlType control1, QSizePolicy::ControlType control2,
                      Qt::Orientation orientation, const QStyleOption *option = nullptr,
                      const QWidget *widget = nullptr) const override;

private:
    FormStyle();
    static FormStyle &instance();
    static void applyToWidgets(QWidget *root);

    // The application's style, which draws all the sheet did not draw itself.
    QStyle *native() const;
    // Fusion draws indicators and disabled texts from their options alone, with no fades
    // and no etching, so they may be kept and drawn again.
    bool nativeIsFusion() const;
    // The classic style the sheet fell back on; it asks this style for its parts.
    QStyle *classic() const { return baseStyle(); }
    // An option's palette as the sheet handed it on: white behind, shades derived from white.
    QPalette shaded(const QPalette &palette, QPalette::ColorRole behind) const;
    void drawGroupBox(const QStyleOptionComplex *option, QPainter *painter,
                      const QWidget *widget) const;
    // A combo box's current text, where Fusion puts it, drawn by this style's drawItemText.
    void drawComboBoxText(const QStyleOptionComboBox &combo, QPainter *painter,
                          const QWidget *widget) const;
    void paintBackdrop(const QStyleOption *option, QPainter *painter, const QWidget *widget) const;

    // Where a group box's title, check box and frame go, and what they were measured for.
    struct GroupBoxPlaces
    {
        bool measured = false;
        QRect rect;
        QString text;
        QFontMetrics metrics{QFont()};
        QStyle::SubControls subControls;
        QStyleOptionFrame::FrameFeatures features;
        Qt::Alignment alignment;
        Qt::LayoutDirection direction = Qt::LeftToRight;
        QRect label;
        QRect checkBox;
        QRect frame;
    };
    const GroupBoxPlaces &groupBoxPlaces(const QStyleOptionGroupBox &box,
                                         const QWidget *widget) const;

    mutable QHash<qint64, QPalette> m_shaded;
    // By group box; an entry is used only while what it was measured for is unchanged.
    mutable QHash<const QWidget *, GroupBoxPlaces> m_groupBoxes;
    // The colour beneath a box outside a group box, and inside one.
    mutable QVector<QColor> m_backdrops;
    mutable ItemTextCache m_itemTexts;
    mutable DrawingCache m_drawings;
    mutable GroupBoxFrames m_groupBoxFrames;
    QObject *m_popupWatcher;
};
