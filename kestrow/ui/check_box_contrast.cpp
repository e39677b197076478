#include "kestrow/ui/check_box_contrast.h"

#include <QColor>

QPalette withVisibleCheckBoxBorders(QPalette palette) {
    const QColor field = palette.color(QPalette::Base);
    if (field.lightness() >= 128) {
        return palette;
    }
    const QColor text = palette.color(QPalette::Text);
    const auto halfway = [](int a, int b) { return (a + b) / 2; };
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Window,
                         QColor(halfway(field.red(), text.red()), halfway(field.green(), text.green()),
                                halfway(field.blue(), text.blue())));
    }
    return palette;
}
