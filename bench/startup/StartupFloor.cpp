// The floor of the startup benchmark: the least a Qt Widgets program does to show one main
// window with text. Brimvault's own start is measured against it. The label matters: the
// first text a window shows loads the font database, the largest single cost of any window
// that shows words, and a floor without it measures a window no player would see.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Brimvault Startup Floor"));
    window.setCentralWidget(new QLabel(QStringLiteral("Brimvault")));
    window.resize(413, 353);
    window.show();
    return QApplication::exec();
}
