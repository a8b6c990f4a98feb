#include "GuideSection.h"

#include "platform/FormLoader.h"

namespace velmora {

GuideSection::GuideSection(QWidget* fraDoors, QWidget* fraGuide, QObject* parent)
    : QObject(parent),
      m_doors(FormLoader::load(QStringLiteral(":/guides/forms/fraDoors.json"), fraDoors)),
      m_reader(FormLoader::load(QStringLiteral(":/guides/forms/fraGuide.json"), fraGuide)),
      m_guideReader(std::make_unique<GuideReader>(m_doors, m_reader)) {}

} // namespace velmora
