#pragma once

#include <Button/ClassFactory.h>

namespace velmora {

/// The class factory for "Button.ButtonEx".  One instance serves the whole
/// process; release() leaves it in place.
class ButtonExFactory final : public ClassFactory {
public:
    static constexpr const char* kProgId = "Button.ButtonEx";

    static ButtonExFactory& instance();

    QWidget* createInstance(QWidget* parent) override;
    void lockServer(bool lock) override;
    void release() override {}
};

} // namespace velmora
