#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Glyphwright"));
    QApplication::setApplicationVersion(QStringLiteral("1.00"));
    QWidget window;
    window.setObjectName(QStringLiteral("frmGlyphwright"));
    window.setWindowTitle(QStringLiteral("Glyphwright Relative VERSION 1.0"));
    window.setFixedSize(272, 178);
    window.show();
    return QApplication::exec();
}
