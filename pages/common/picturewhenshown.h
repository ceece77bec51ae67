#pragma once

#include <QObject>

class QWidget;

// A label whose picture is named in its "picture" property decodes it only when the label is
// first shown: of a page's preview pictures, most stand on stack pages never opened.
class PictureWhenShown : public QObject
{
public:
    // Watches every such label under root.
    static void installOn(QWidget *root);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    using QObject::QObject;
};
