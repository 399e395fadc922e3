// The four windows as their definitions draw them: captions, client sizes, every control's kind,
// text and place (in twips, 15 to a pixel), tab order, fonts and initial flags, and the keys
// that press nothing.
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFrame>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <vector>

#include "QtQueries.h"
#include "Session.h"

namespace glyphwright::test {
namespace {

constexpr int kTwipsPerPixel = 15;

// Runs `answer` once the event loop turns, that is inside the modal dialog's exec(). A check that
// fails there returns from `answer` only; the dialog is then closed, so that exec() returns and
// the test fails at once instead of waiting for a dialog nobody answers.
template <typename Answer>
void AnswerModal(QObject& context, Answer answer) {
    QTimer::singleShot(0, &context, [answer] {
        answer();
        if (!QTest::currentTestFailed()) return;
        if (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            modal->reject();
        }
    });
}

struct ControlDefinition {
    const char* name;
    const char* kind;              // Qt class
    QString text;                  // caption or initial text
    int left, top, width, height;  // twips
};

struct LineDefinition {
    const char* name;
    int x1, y1, x2, y2;  // twips
};

struct WindowDefinition {
    QString caption;
    int width, height;  // client area, twips
    std::vector<ControlDefinition> controls;
    std::vector<LineDefinition> lines;
    QStringList tabOrder;  // controls that take the focus, by ascending tab index
};

const WindowDefinition kMain{
    "Glyphwright Relative VERSION 1.0",
    4080,
    2670,
    {
        {"Label2", "QLabel", "Table Order:", 75, 0, 1575, 255},
        {"lstTblInfo", "QListView", "", 75, 240, 2220, 1815},
        {"lblRelTxt", "QLabel", "Select Table Set:", 75, 2070, 1605, 255},
        {"cmbSelection", "QComboBox", "", 45, 2280, 2250, 315},
        {"Label1", "QLabel", "Commands:", 2520, 0, 1095, 255},
        {"cmdInclude", "QPushButton", "INCLUDE", 2520, 240, 1500, 375},
        {"cmdRemove", "QPushButton", "REMOVE", 2520, 720, 1500, 375},
        {"cmdSave", "QPushButton", "MAKE TABLE", 2520, 1200, 1485, 375},
        {"cmdExit", "QPushButton", "EXIT", 2520, 1680, 1485, 375},
        {"cmdEdit", "QPushButton", "Edit", 2520, 2280, 465, 300},
        {"lblDuh", "QLabel", "$00-$FF?", 3000, 2325, 675, 255},
        {"txtTblStartCode", "QLineEdit", "", 3720, 2280, 285, 285},
    },
    {{"Line1", 2400, 0, 2400, 2760}, {"Line2", 2400, 2160, 4080, 2160}},
    {"lstTblInfo", "cmbSelection", "cmdInclude", "cmdRemove", "cmdExit", "cmdSave",
     "txtTblStartCode", "cmdEdit"},
};

const WindowDefinition kPick{
    "What would you like to include?",
    3375,
    585,
    {
        {"cmdRelText", "QPushButton", "Relative  Entry", 120, 120, 1455, 375},
        {"cmdSpecChar", "QPushButton", "Single Entry", 1800, 120, 1455, 375},
    },
    {},
    {"cmdSpecChar", "cmdRelText"},
};

const WindowDefinition kInsertDte{
    "Insert character/dte/kanjii into font table",
    6255,
    555,
    {
        {"Label1", "QLabel", "Hex Code(s):", 75, 165, 975, 255},
        {"txtHexCode", "QLineEdit", " ", 1080, 135, 465, 285},
        {"Label2", "QLabel", "Characters:", 1620, 165, 855, 255},
        {"txtText", "QLineEdit", "", 2520, 120, 1695, 285},
        {"cmdInsert", "QPushButton", "Insert", 4320, 120, 855, 285},
        {"cmdCancel", "QPushButton", "Cancel", 5280, 120, 855, 285},
    },
    {},
    {"txtHexCode", "txtText", "cmdInsert", "cmdCancel"},
};

const WindowDefinition kEnterHexNum{
    "Enter hex number ( i.e. 42, 04, 20 )",
    4605,
    810,
    {
        {"Label1", "QLabel",
         "Enter hex number to begin relative entry at that point in the font table.", 105, 90, 2175,
         600},
        {"Text1", "QLineEdit", "", 2550, 105, 720, 600},
        {"cmdOK", "QPushButton", "OK", 3420, 75, 1035, 255},
        {"cmdCancel", "QPushButton", "Cancel", 3420, 420, 1050, 285},
    },
    {},
    {"Text1", "cmdOK", "cmdCancel"},
};

QRect Pixels(int left, int top, int width, int height) {
    return {left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel,
            height / kTwipsPerPixel};
}

QString TextOf(QWidget& control) {
    if (auto* button = qobject_cast<QPushButton*>(&control)) return button->text();
    if (auto* label = qobject_cast<QLabel*>(&control)) return label->text();
    if (auto* box = qobject_cast<QLineEdit*>(&control)) return box->text();
    if (auto* combo = qobject_cast<QComboBox*>(&control)) return combo->currentText();
    return {};
}

// The focus chain of `window` restricted to the named controls, starting at the first of them.
QStringList TabChain(QWidget& window, const QStringList& names) {
    QStringList chain;
    for (QWidget* w = window.nextInFocusChain(); w != &window; w = w->nextInFocusChain()) {
        if (names.contains(w->objectName()) && !chain.contains(w->objectName()) &&
            (w->focusPolicy() & Qt::TabFocus) != 0) {
            chain << w->objectName();
        }
    }
    const auto first = chain.indexOf(names.front());
    if (first > 0) chain = chain.mid(first) + chain.mid(0, first);
    return chain;
}

void CheckWindow(QWidget& window, const WindowDefinition& definition) {
    QCOMPARE(window.windowTitle(), definition.caption);
    QVERIFY(window.parentWidget() == nullptr);
    // The main window's client area is its central widget; its menu bar stands above it.
    auto* mainWindow = qobject_cast<QMainWindow*>(&window);
    QWidget& clientArea = mainWindow != nullptr ? *mainWindow->centralWidget() : window;
    const int menuHeight = mainWindow != nullptr ? clientArea.geometry().top() : 0;
    QVERIFY(mainWindow == nullptr || menuHeight >= mainWindow->menuBar()->sizeHint().height());
    const QSize client(definition.width / kTwipsPerPixel, definition.height / kTwipsPerPixel);
    QCOMPARE(clientArea.size(), client);
    if (mainWindow != nullptr) QCOMPARE(clientArea.geometry().left(), 0);
    QCOMPARE(window.size(), client + QSize(0, menuHeight));
    QCOMPARE(window.minimumSize(), window.size());  // a fixed frame: the user cannot resize it
    QCOMPARE(window.maximumSize(), window.size());

    const Qt::WindowFlags flags = window.windowFlags();
    QVERIFY(flags.testFlag(Qt::Window));
    QVERIFY(flags.testFlag(Qt::WindowTitleHint));
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));

    const QObjectList stacking = clientArea.children();
    int topmostLabelOrLine = -1;
    int lowestOther = static_cast<int>(stacking.size());

    for (const ControlDefinition& expected : definition.controls) {
        QWidget& control = Find(window, expected.name);
        QCOMPARE(control.metaObject()->className(), expected.kind);
        QCOMPARE(control.parentWidget(), &clientArea);
        QCOMPARE(control.geometry(),
                 Pixels(expected.left, expected.top, expected.width, expected.height));
        QCOMPARE(TextOf(control), expected.text);
        QVERIFY(control.isVisibleTo(&window));
        QCOMPARE(control.font().family(), QStringLiteral("MS Sans Serif"));
        // The face actually used: the condensed stand-in where "MS Sans Serif" is missing.
        if (!QFontDatabase::families().contains(QStringLiteral("MS Sans Serif"))) {
            QCOMPARE(QFontInfo(control.font()).family(), QStringLiteral("DejaVu Sans Condensed"));
        }

        const int place = static_cast<int>(stacking.indexOf(&control));
        if (auto* label = qobject_cast<QLabel*>(&control)) {
            QCOMPARE(label->focusPolicy(), Qt::NoFocus);
            // Labels wrap at blanks only; one without a blank stays on its line rather than
            // breaking at a hyphen ("$00-$FF?").
            QVERIFY(label->wordWrap() || !label->text().contains(QLatin1Char(' ')));
            topmostLabelOrLine = std::max(topmostLabelOrLine, place);
        } else {
            lowestOther = std::min(lowestOther, place);
        }
        if (auto* button = qobject_cast<QPushButton*>(&control)) {
            QVERIFY(!button->isDefault());
            QVERIFY(!button->autoDefault());
        }
    }
    for (const LineDefinition& expected : definition.lines) {
        auto& line = Find<QFrame>(window, expected.name);
        const bool vertical = expected.x1 == expected.x2;
        QCOMPARE(line.frameShape(), vertical ? QFrame::VLine : QFrame::HLine);
        QCOMPARE(line.frameShadow(), QFrame::Plain);
        const QRect geometry = line.geometry();
        if (vertical) {
            QCOMPARE(geometry.x(), expected.x1 / kTwipsPerPixel);
            QCOMPARE(geometry.top(), expected.y1 / kTwipsPerPixel);
            QCOMPARE(geometry.height(), (expected.y2 - expected.y1) / kTwipsPerPixel);
        } else {
            QCOMPARE(geometry.y(), expected.y1 / kTwipsPerPixel);
            QCOMPARE(geometry.left(), expected.x1 / kTwipsPerPixel);
            QCOMPARE(geometry.width(), (expected.x2 - expected.x1) / kTwipsPerPixel);
        }
        topmostLabelOrLine =
            std::max(topmostLabelOrLine, static_cast<int>(stacking.indexOf(&line)));
    }
    QVERIFY2(topmostLabelOrLine < lowestOther, "labels and lines lie beneath the other controls");

    QCOMPARE(TabChain(window, definition.tabOrder), definition.tabOrder);
    QCOMPARE(window.focusWidget(), &Find(window, qPrintable(definition.tabOrder.front())));
}

// Enter and Escape typed into any text box press no button and close nothing.
void CheckNoWindowWideKeys(QWidget& window) {
    std::vector<std::unique_ptr<QSignalSpy>> spies;
    for (QPushButton* button : window.findChildren<QPushButton*>()) {
        spies.push_back(std::make_unique<QSignalSpy>(button, &QPushButton::clicked));
    }
    for (QLineEdit* box : window.findChildren<QLineEdit*>()) {
        QTest::keyClick(box, Qt::Key_Return);
        QTest::keyClick(box, Qt::Key_Enter, Qt::KeypadModifier);
        QTest::keyClick(box, Qt::Key_Escape);
    }
    QTest::keyClick(&window, Qt::Key_Escape);
    for (const auto& spy : spies) QCOMPARE(spy->count(), 0);
    QVERIFY(window.isVisible());
}

}  // namespace

class WindowDefinitionsTest final : public QObject {
    Q_OBJECT

private slots:
    void mainWindow() {
        Session session;
        MainWindow& main = session.main();
        CheckWindow(main, kMain);
        if (QTest::currentTestFailed()) return;

        for (const char* bold : {"Label2", "lblRelTxt", "Label1"}) {
            QVERIFY(Find(main, bold).font().bold());
            QCOMPARE(Find(main, bold).font().pointSizeF(), 8.25);
        }
        QVERIFY(!Find(main, "lblDuh").font().bold());
        QCOMPARE(Find(main, "cmdInclude").font().pointSizeF(), 8.25);

        QVERIFY(session.button("cmdInclude").isEnabled());
        QVERIFY(!session.button("cmdRemove").isEnabled());
        QVERIFY(!session.button("cmdSave").isEnabled());
        QVERIFY(session.button("cmdExit").isEnabled());
        QVERIFY(!session.button("cmdEdit").isEnabled());
        QCOMPARE(session.list().model()->rowCount(), 0);
        QCOMPARE(session.list().selectionMode(), QAbstractItemView::SingleSelection);
        QVERIFY(session.selector().isEditable());
        QCOMPARE(session.selector().insertPolicy(), QComboBox::NoInsert);

        auto& startCode = Find<QLineEdit>(main, "txtTblStartCode");
        QCOMPARE(startCode.maxLength(), 2);
        Type(startCode, "1F7");
        QCOMPARE(startCode.text(), QStringLiteral("1F"));  // the third character is refused
    }

    // The real Save dialog: made when first needed and then kept, the classic file type first
    // and chosen by default, and the file name and type chosen last offered again.
    void saveDialog() {
        Session session;
        QtQueries real;
        real.SetSaveDialogOwner(session.main());
        QVERIFY(session.main().findChild<QFileDialog*>() == nullptr);
        QFileDialog* made = real.SaveDialog();
        QCOMPARE(real.SaveDialog(), made);
        auto& dialog = Find<QFileDialog>(session.main(), "cdgSaveFile");
        QCOMPARE(dialog.parentWidget(), &session.main());
        QCOMPARE(dialog.acceptMode(), QFileDialog::AcceptSave);
        QVERIFY(dialog.defaultSuffix().isEmpty());
        QVERIFY(!dialog.isVisible());

        const QTemporaryDir folder;
        const std::vector<std::string> filters{
            ".tbl files (*.tbl)", "Table File Standard, UTF-8 (*.tbl)", "Shift-JIS (*.tbl)"};
        QStringList offeredFilters;
        QString offeredFilter, offeredFile;
        // Answers the dialog once it is up: notes what it offers, then chooses `file` as `filter`.
        const auto answerWith = [&](const QString& file, int filter) {
            AnswerModal(dialog, [&, file, filter] {
                QTRY_VERIFY(dialog.isVisible());
                offeredFilters = dialog.nameFilters();
                offeredFilter = dialog.selectedNameFilter();
                offeredFile = dialog.selectedFiles().value(0);
                dialog.selectNameFilter(dialog.nameFilters().value(filter));
                auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
                QVERIFY(name != nullptr);
                name->setText(file);
                QTest::keyClick(name, Qt::Key_Return);
            });
        };
        answerWith(folder.filePath(QStringLiteral("first.tbl")), 2);
        const auto first = real.AskSavePath(filters, {});
        QVERIFY(first.has_value());
        QCOMPARE(QString::fromStdString(first->path), folder.filePath(QStringLiteral("first.tbl")));
        QCOMPARE(first->filter, std::string("Shift-JIS (*.tbl)"));
        QCOMPARE(offeredFilters, (QStringList{QStringLiteral(".tbl files (*.tbl)"),
                                              QStringLiteral("Table File Standard, UTF-8 (*.tbl)"),
                                              QStringLiteral("Shift-JIS (*.tbl)")}));
        QCOMPARE(offeredFilter, QStringLiteral(".tbl files (*.tbl)"));

        answerWith(folder.filePath(QStringLiteral("second.tbl")), 1);
        const auto second = real.AskSavePath(filters, {});
        QVERIFY(second.has_value());
        QCOMPARE(offeredFile, folder.filePath(QStringLiteral("first.tbl")));
        QCOMPARE(offeredFilter, QStringLiteral("Shift-JIS (*.tbl)"));
        QCOMPARE(second->filter, std::string("Table File Standard, UTF-8 (*.tbl)"));

        answerWith(folder.filePath(QStringLiteral("third.tbl")), 0);
        const auto third = real.AskSavePath(filters, {});
        QVERIFY(third.has_value());
        QCOMPARE(offeredFilter, QStringLiteral("Table File Standard, UTF-8 (*.tbl)"));
        QCOMPARE(third->filter, std::string(".tbl files (*.tbl)"));

        // The file written is the one the dialog accepted (and would have asked about had it
        // existed), even when the dialog's file list picks another file before exec() returns,
        // as it was seen to do on a slow, loaded machine.
        const QString existing = folder.filePath(QStringLiteral("existing.tbl"));
        QVERIFY(QFile(existing).open(QIODevice::WriteOnly));
        const QMetaObject::Connection late =
            connect(&dialog, &QDialog::accepted, &dialog, [&] { dialog.selectFile(existing); });
        answerWith(folder.filePath(QStringLiteral("fourth.tbl")), 0);
        const auto fourth = real.AskSavePath(filters, {});
        disconnect(late);
        QVERIFY(fourth.has_value());
        QCOMPARE(QString::fromStdString(fourth->path),
                 folder.filePath(QStringLiteral("fourth.tbl")));

        // A name the toolkit could not read as UTF-8 comes with U+FFFD in place of its bytes:
        // saved, it would be another file. It is refused, and told.
        QString told;
        AnswerModal(dialog, [&] {
            auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            QVERIFY(name != nullptr);
            name->setText(folder.filePath(QStringLiteral("\uFFFD.tbl")));
            QTest::keyClick(name, Qt::Key_Return);
            AnswerModal(dialog, [&] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                QVERIFY(box != nullptr);
                told = box->text();
                box->accept();
            });
        });
        QVERIFY(!real.AskSavePath(filters, {}).has_value());
        QVERIFY2(told.contains(QStringLiteral("not UTF-8")), qPrintable(told));
        QVERIFY(!QFile::exists(folder.filePath(QStringLiteral("\uFFFD.tbl"))));
    }

    // The real open dialog: the game file it accepted, even if its list moves on as it closes,
    // and the next time it starts in that file's folder.
    void openDialog() {
        Session session;
        QtQueries real;
        real.SetSaveDialogOwner(session.main());
        const QTemporaryDir folder;
        const QString chosen = folder.filePath(QStringLiteral("game.bin"));
        const QString other = folder.filePath(QStringLiteral("other.bin"));
        QVERIFY(QFile(chosen).open(QIODevice::WriteOnly));
        QVERIFY(QFile(other).open(QIODevice::WriteOnly));
        QString startedIn;
        const auto answerWith = [&](const QString& file) {
            AnswerModal(session.main(), [&, file] {
                QFileDialog* dialog = nullptr;
                QTRY_VERIFY((dialog = qobject_cast<QFileDialog*>(
                                 QApplication::activeModalWidget())) != nullptr);
                startedIn = dialog->directory().absolutePath();
                connect(dialog, &QDialog::accepted, dialog,
                        [dialog, &other] { dialog->selectFile(other); });
                auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
                QVERIFY(name != nullptr);
                name->setText(file);
                QTest::keyClick(name, Qt::Key_Return);
            });
        };
        answerWith(chosen);
        QCOMPARE(real.AskOpenPath("Open"), std::optional<std::string>(chosen.toStdString()));
        answerWith(chosen);
        QCOMPARE(real.AskOpenPath("Open"), std::optional<std::string>(chosen.toStdString()));
        QCOMPARE(startedIn, folder.path());
    }

    void includeChooser() {
        Session session;
        session.windows.ShowPick();
        CheckWindow(session.PickDialog(), kPick);
    }

    void singleEntryDialog() {
        Session session;
        session.windows.ShowInsertDte();
        SingleEntryDialog& dialog = session.InsertDteDialog();
        CheckWindow(dialog, kInsertDte);
        if (QTest::currentTestFailed()) return;

        auto& code = Find<QLineEdit>(dialog, "txtHexCode");
        QCOMPARE(code.maxLength(), 5);
        QCOMPARE(code.cursorPosition(), 0);  // before the blank
        Type(code, "123456");
        QCOMPARE(code.text(), QStringLiteral("1234 "));

        auto& characters = Find<QLineEdit>(dialog, "txtText");
        const QString many(300, QLatin1Char('x'));
        Type(characters, many);
        QCOMPARE(characters.text(), many);
    }

    void relativeStartDialog() {
        Session session;
        session.windows.ShowEnterHexNum();
        RelativeStartDialog& dialog = session.EnterHexNum();
        CheckWindow(dialog, kEnterHexNum);
        if (QTest::currentTestFailed()) return;

        auto& label = Find<QLabel>(dialog, "Label1");
        QVERIFY(label.alignment().testFlag(Qt::AlignHCenter));
        auto& number = Find<QLineEdit>(dialog, "Text1");
        QCOMPARE(number.font().pointSizeF(), 24.0);
        QVERIFY(!number.font().bold());
        QCOMPARE(number.font().family(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(QFontInfo(number.font()).pointSizeF(), 24.0);
        const QString many(300, QLatin1Char('7'));
        Type(number, many);
        QCOMPARE(number.text(), many);
    }

    void enterAndEscapePressNothingWindowWide() {
        Session session;
        session.IncludeSet("Hiragana");  // enables REMOVE and MAKE TABLE, so their clicks count
        session.windows.ShowInsertDte();
        session.windows.ShowEnterHexNum();
        for (QWidget* window :
             std::initializer_list<QWidget*>{&session.main(), &session.PickDialog(),
                                             &session.InsertDteDialog(), &session.EnterHexNum()}) {
            window->show();
            CheckNoWindowWideKeys(*window);
            if (QTest::currentTestFailed()) return;
        }
        QVERIFY(session.user.messages.empty());
    }

    void enterOrSpacePressesTheFocusedButton() {
        Session session;
        auto& include = session.button("cmdInclude");
        QSignalSpy clicks(&include, &QPushButton::clicked);
        QTest::keyClick(&include, Qt::Key_Return);
        QCOMPARE(clicks.count(), 1);
        QTest::keyClick(&include, Qt::Key_Space);
        QCOMPARE(clicks.count(), 2);
        QVERIFY(session.PickDialog().isVisible());

        auto& remove = session.button("cmdRemove");  // disabled: no click
        QSignalSpy removes(&remove, &QPushButton::clicked);
        QTest::keyClick(&remove, Qt::Key_Return);
        QCOMPARE(removes.count(), 0);
    }
};

}  // namespace glyphwright::test

QTEST_MAIN(glyphwright::test::WindowDefinitionsTest)
#include "WindowDefinitionsTest.moc"
