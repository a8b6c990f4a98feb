#include "ColourChooser.h"

#include <QColorDialog>

namespace velmora {

namespace {

class DialogColourChooser final : public ColourChooser {
public:
    std::optional<OleColor> choose(OleColor current, const QString& title,
                                   QWidget* parent) override {
        const QColor chosen = QColorDialog::getColor(toQColor(current), parent, title);
        if (!chosen.isValid())
            return std::nullopt;
        return fromQColor(chosen);
    }
};

} // namespace

ColourChooser& ColourChooser::standard() {
    static DialogColourChooser chooser;
    return chooser;
}

} // namespace velmora
