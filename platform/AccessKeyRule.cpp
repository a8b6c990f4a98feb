#include "AccessKeyRule.h"

#include <QRegion>

namespace velmora {

bool inView(const AccessKeyButton& button) {
    if (!button.shown)
        return false;
    QRegion seen(button.rect);
    for (const QRect& clip : button.clips)
        seen &= clip;
    for (const QRect& cover : button.inFront)
        seen -= cover;
    return !seen.isEmpty();
}

AccessKeyChoice chooseAccessKeyTarget(const QList<AccessKeyButton>& buttons) {
    QList<int> takers;
    int focused = -1;
    for (int i = 0; i < buttons.size(); ++i) {
        if (!buttons[i].enabled || !inView(buttons[i]))
            continue;
        if (buttons[i].hasFocus)
            focused = int(takers.size());
        takers << i;
    }
    if (takers.isEmpty())
        return {};
    if (takers.size() == 1)
        return {AccessKeyChoice::Click, takers.front()};
    return {AccessKeyChoice::Focus, takers[(focused + 1) % takers.size()]};
}

} // namespace velmora
