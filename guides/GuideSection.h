#pragma once

#include "platform/Form.h"
#include "reader/GuideReader.h"

#include <QObject>

#include <memory>

class QComboBox;

namespace velmora {

/// The guides section of the main window: the guide selection screen, loaded
/// into the frame fraDoors, and the reading screen, loaded into fraGuide.
/// The main window owns the frames and wires the buttons that lead out of
/// the section (ButtonEx14 "Back to welcome", ButtonEx10 "E&xit",
/// ButtonEx11 "&Instructions") through doorsForm().
class GuideSection : public QObject {
    Q_OBJECT
public:
    GuideSection(QWidget* fraDoors, QWidget* fraGuide, QObject* parent = nullptr);

    /// The controls of the guide selection screen.
    const Form& doorsForm() const { return m_doors; }
    /// The controls of the reading screen.
    const Form& readerForm() const { return m_reader; }
    /// The guide type list; its text is the guide type everything here reads.
    QComboBox* docCategories() const { return m_guideReader->selection().selector(); }

    /// The guide reader working on both screens.
    GuideReader& reader() const { return *m_guideReader; }

    /// The main window's load step for the guides: neither guide counts as
    /// fetched, and the go-to box reads "1".
    void resetForMainLoad() { m_guideReader->resetForMainLoad(); }

    /// The main window's layout rules for the two viewers, given the
    /// window's outer width in twips: each viewport spans the window less
    /// three times its left edge and its vertical bar, the vertical bars are
    /// 50 twips shorter than their viewports, the horizontal bar follows the
    /// Coder viewport.  Ends with AdjustScrollBars.
    void layoutViewers(int windowWidthTwips) { m_guideReader->layoutViewers(windowWidthTwips); }

private:
    Form m_doors;
    Form m_reader;
    std::unique_ptr<GuideReader> m_guideReader;
};

} // namespace velmora
