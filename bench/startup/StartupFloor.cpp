// The floor of the startup benchmark: the least a Qt Widgets program does to show one main
// window. Brimvault's own start is measured against it.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Brimvault Startup Floor"));
    window.resize(413, 353);
    window.show();
    return QApplication::exec();
}
