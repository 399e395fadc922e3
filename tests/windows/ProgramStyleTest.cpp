#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QList>
#include <QSize>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>

#include "ProgramStyle.h"
#include "Session.h"

namespace glyphwright::test {

class ProgramStyleTest : public QObject {
    Q_OBJECT

private slots:
    // The menu bar's overflow icon, made on first use, is the one the wrapped style makes.
    void theOverflowIconIsTheWrappedStyles() {
        ProgramStyle style(QStyleFactory::create(QStringLiteral("Fusion")));
        const auto which = QStyle::SP_ToolBarHorizontalExtensionButton;
        const QIcon made = style.baseStyle()->standardIcon(which);
        const QIcon deferred = style.standardIcon(which, nullptr, nullptr);
        QVERIFY(!made.availableSizes().isEmpty());
        QCOMPARE(deferred.availableSizes(), made.availableSizes());
        for (const QSize& size : made.availableSizes()) {
            QCOMPARE(deferred.pixmap(size).toImage(), made.pixmap(size).toImage());
        }
    }

    // The main window, menu bar and all, is drawn the same in the program style as in the
    // style it wraps.
    void theMainWindowLooksTheSame() {
        Session session;
        const QImage wrapped = session.main().grab().toImage();
        QApplication::setStyle(new ProgramStyle(QApplication::style()));
        QCOMPARE(session.main().grab().toImage(), wrapped);
    }
};

}  // namespace glyphwright::test

QTEST_MAIN(glyphwright::test::ProgramStyleTest)
#include "ProgramStyleTest.moc"
