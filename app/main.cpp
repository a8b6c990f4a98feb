#include "Program.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("VelmoraViewer"));
    velmora::Program program;
    program.start();
    return QApplication::exec();
}
