#include "style.h"

const Style &style()
{
    static const Style s = [] {
        Style st;
        st.pal.ink = QColor(0x1f, 0x3a, 0x5f);
        st.pal.accent = QColor(0x1e, 0x78, 0xc8);
        st.pal.green = QColor(0x2e, 0x9b, 0x4e);
        st.pal.red = QColor(0xd1, 0x3b, 0x30);
        st.pal.amber = QColor(0xf4, 0xb4, 0x00);
        st.pal.paper = QColor(0xfb, 0xfc, 0xfe);
        st.pal.tileTop = QColor(0xff, 0xff, 0xff);
        st.pal.tileBottom = QColor(0xdf, 0xe6, 0xee);
        st.pal.tileBorder = QColor(0x8c, 0x9b, 0xab);
        st.pal.pressedTop = QColor(0xbd, 0xca, 0xd8);
        st.pal.pressedBottom = QColor(0xd9, 0xe2, 0xec);
        st.pal.pressedBorder = QColor(0x5a, 0x6d, 0x82);
        st.pal.shadow = QColor(0x1f, 0x2a, 0x38, 70);
        return st;
    }();
    return s;
}
