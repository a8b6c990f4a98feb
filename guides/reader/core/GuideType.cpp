#include "GuideType.h"

namespace velmora {

QString groupFileUrlFor(GuideType type, const QString& contentServer) {
    switch (type) {
    case GuideType::Coder:
        return QStringLiteral("http://%1/guidesdisplayVelmora/demo/testdoc.txt").arg(contentServer);
    case GuideType::Buyer:
        return QStringLiteral("http://%1/guidesdisplayVelmora/demo/testdoc2.txt")
            .arg(contentServer);
    case GuideType::None:
        break;
    }
    return {};
}

} // namespace velmora
