#pragma once

#include <QGraphicsEffect>

class QWidget;

// A picture button draws its picture from its style sheet, or is a PictureButton; neither has
// a disabled state, so a disabled one looked exactly like a usable one. While its button is
// disabled this effect draws the picture the way the style draws a disabled icon: greyed and
// faded.
class DisabledPictureEffect : public QGraphicsEffect
{
    Q_OBJECT

public:
    // Gives the effect to every push and radio button under root that shows a picture. Check
    // boxes are left alone: the pages use disabled ones as lamps.
    static void installOnPictureButtons(QWidget *root);

protected:
    void draw(QPainter *painter) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit DisabledPictureEffect(QWidget *button);
};
