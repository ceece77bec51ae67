#pragma once

class QWidget;

// Picture buttons have no text, so a screen reader would announce them all alike; their
// tool tip is what they do, and becomes their accessible name.
void nameButtonsFromToolTips(QWidget *root);
