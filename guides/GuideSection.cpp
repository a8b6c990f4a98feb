#include "GuideSection.h"

#include "GuideGlobals.h"
#include "ViewerLayout.h"

#include "platform/FormLoader.h"
#include "platform/Twips.h"

#include <QComboBox>
#include <QLineEdit>

namespace velmora {

GuideSection::GuideSection(QWidget* fraDoors, QWidget* fraGuide, QObject* parent)
    : QObject(parent),
      m_doors(FormLoader::load(QStringLiteral(":/guides/forms/fraDoors.json"), fraDoors)),
      m_reader(FormLoader::load(QStringLiteral(":/guides/forms/fraGuide.json"), fraGuide)),
      m_guideReader(std::make_unique<GuideReader>(m_doors, m_reader)) {
    // Showing a page lays the viewers out to the main window's width.
    m_guideReader->setLayoutHook([this, fraGuide] {
        if (QWidget* window = fraGuide ? fraGuide->window() : nullptr)
            layoutViewers(pixelsToTwips(window->width()));
    });
}

QComboBox* GuideSection::docCategories() const {
    return m_doors.control<QComboBox>(QStringLiteral("cmbDocCategories"));
}

void GuideSection::resetForMainLoad() {
    g_CoderFetched = false;
    g_BuyerFetched = false;
    if (auto* box = m_reader.control<QLineEdit>(QStringLiteral("txtGotoPage")))
        box->setText(QStringLiteral("1"));
}

void GuideSection::layoutViewers(int windowWidthTwips) {
    fitViewer("picScrollArea", "vsbScroll", windowWidthTwips);
    if (QWidget* horizontal = m_reader.control(QStringLiteral("hsbScroll")))
        if (QWidget* viewport = m_reader.control(QStringLiteral("picScrollArea")))
            horizontal->resize(viewport->width(), horizontal->height());
    // picBuyer shares the Coder viewport's place and size, so the horizontal
    // bar sized above fits it too.
    fitViewer("picBuyer", "vsBuyer", windowWidthTwips);
    AdjustScrollBars();
}

void GuideSection::fitViewer(const char* viewportName, const char* barName, int windowWidthTwips) {
    QWidget* viewport = m_reader.control(QLatin1String(viewportName));
    QWidget* bar = m_reader.control(QLatin1String(barName));
    if (!viewport || !bar)
        return;
    const int width =
        viewerWidthFor(windowWidthTwips, pixelsToTwips(viewport->x()), pixelsToTwips(bar->width()));
    viewport->resize(qMax(0, twipsToPixels(width)), viewport->height());
    const int barHeight = viewerBarHeightFor(pixelsToTwips(viewport->height()));
    bar->resize(bar->width(), qMax(0, twipsToPixels(barHeight)));
}

void GuideSection::AdjustScrollBars() {
    m_guideReader->AdjustScrollBars();
}

} // namespace velmora
