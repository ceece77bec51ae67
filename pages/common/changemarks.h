#pragma once

#include <QHash>
#include <QList>
#include <QPointer>
#include <QVariant>
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
    bool hasBaseline() const { return !m_baseline.isEmpty(); }

    QList<QWidget *> changedInputs() const;
    // Where a changed input's mark is drawn, in the page's coordinates.
    QRect markPlace(const QWidget *input) const;

signals:
    void changed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QList<QWidget *> inputs() const;
    bool isExcluded(const QWidget *widget) const;
    static QVariant valueOf(const QWidget *input);
    void inputEdited();

    QList<QPointer<QWidget>> m_excluded;
    QHash<QWidget *, QVariant> m_baseline;
    bool m_watching = false;
};
