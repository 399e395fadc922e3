// The yardstick for start-up time and memory: a Qt Widgets program that shows one empty window
// of the main window's size and title, and nothing else. Built a second time with WITH_LABEL,
// it also shows one line of text, to tell the cost of the font system apart.
#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Glyphwright Relative VERSION 1.0"));
    window.setFixedSize(272, 178);
#ifdef WITH_LABEL
    new QLabel(QStringLiteral("Table Order:"), &window);
#endif
    window.show();
    return QApplication::exec();
}
