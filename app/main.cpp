#include "Program.h"

#include <QApplication>
#include <QFont>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("VelmoraViewer"));
    // The windows name the design's fonts; here the metric-compatible
    // Liberation faces stand in, so that texts fit the boxes drawn for them.
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    velmora::Program program;
    program.start();
    return QApplication::exec();
}
