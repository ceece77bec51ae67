#pragma once

#include <QHash>
#include <QList>
#include <QPointer>
#include <QRect>
#include <QVariant>
#include <QVector>
#include <QWidget>

// Marks every input of a page whose value differs from the configuration last read, opened
// or written: a glyph beside the field, so the mark does not rest on colour alone. It lies
// over the page as a transparent layer that lets every click through.
class ChangeMarks : public QWidget
{
    Q_OBJECT

public:
    static const char *const Glyph;

    explicit ChangeMarks(QWidget *page);

    // A widget, or every input inside it, that shows the device rather than a setting.
    void exclude(QWidget *widgetOrContainer);
    // The values now in the form become the ones nothing is measured against.
    void setBaseline();
    void clearBaseline();
    bool hasBaseline() const { return m_hasBaseline; }

    QList<QWidget *> changedInputs() const;
    // Where a changed input's mark is drawn, in the page's coordinates.
    QRect markPlace(const QWidget *input) const;
    // Every input's value and whether it can be edited, in a fixed order: two equal states
    // show the same form.
    QVector<QVariant> inputStates();

    // While one is held, edits of the form only note that something changed; `changed` is
    // said once, when the last hold ends. Filling a form sets many fields, and each would
    // otherwise have the marks and everything that follows them counted again.
    class Hold
    {
    public:
        explicit Hold(ChangeMarks &marks);
        ~Hold();
        Hold(const Hold &) = delete;
        Hold &operator=(const Hold &) = delete;

    private:
        ChangeMarks &m_marks;
    };

signals:
    void changed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    // The page's inputs, found once: a page keeps its widgets for its whole life.
    const QVector<QWidget *> &inputs();
    bool isExcluded(const QWidget *widget) const;
    static QVariant valueOf(const QWidget *input);
    void watch(QWidget *input);
    void inputEdited();
    void announce();
    void updateMarks();

    QList<QPointer<QWidget>> m_excluded;
    QVector<QWidget *> m_inputs;
    bool m_inputsFound = false;
    // One value per input, in the order of m_inputs.
    QVector<QVariant> m_baseline;
    bool m_hasBaseline = false;
    // The inputs that differ, counted again only after an edit.
    mutable QList<QWidget *> m_changed;
    mutable bool m_changedKnown = true;
    // The inputs whose marks were last asked to be drawn, and where.
    QHash<QWidget *, QRect> m_drawn;
    int m_holds = 0;
    bool m_heldChange = false;
};
