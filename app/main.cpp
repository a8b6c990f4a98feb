#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("VelmoraViewer"));
    QWidget window;
    window.setWindowTitle(QStringLiteral("Velmora package"));
    window.resize(1024, 738);
    window.show();
    return QApplication::exec();
}
