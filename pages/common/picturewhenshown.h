#pragma once

#include <QObject>

class QWidget;

// A label whose picture is named in its "picture" property holds it only while it is shown:
// of a page's preview pictures, most stand on stack pages never opened, and a page left keeps
// its widgets but need not keep its pictures.
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
