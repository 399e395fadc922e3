// The four windows as their definitions draw them: captions, client sizes, every control's kind,
// text and place (in twips, 15 to a pixel), tab order, fonts and initial flags, and the keys
// that press nothing.
#include <QFileDialog>
#include <QFrame>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>

#include <vector>

#include "Session.h"

namespace glyphwright::test {
namespace {

constexpr int kTwipsPerPixel = 15;

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
        {"lstTblInfo", "QListWidget", "", 75, 240, 2220, 1815},
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
    const QSize client(definition.width / kTwipsPerPixel, definition.height / kTwipsPerPixel);
    QCOMPARE(window.size(), client);
    QCOMPARE(window.minimumSize(), client);  // a fixed frame: the user cannot resize it
    QCOMPARE(window.maximumSize(), client);

    const Qt::WindowFlags flags = window.windowFlags();
    QVERIFY(flags.testFlag(Qt::Window));
    QVERIFY(flags.testFlag(Qt::WindowTitleHint));
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));

    const QObjectList stacking = window.children();
    int topmostLabelOrLine = -1;
    int lowestOther = static_cast<int>(stacking.size());

    for (const ControlDefinition& expected : definition.controls) {
        QWidget& control = Find(window, expected.name);
        QCOMPARE(control.metaObject()->className(), expected.kind);
        QCOMPARE(control.parentWidget(), &window);
        QCOMPARE(control.geometry(),
                 Pixels(expected.left, expected.top, expected.width, expected.height));
        QCOMPARE(TextOf(control), expected.text);
        QVERIFY(control.isVisibleTo(&window));
        QCOMPARE(control.font().family(), QStringLiteral("MS Sans Serif"));

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
        QCOMPARE(session.list().count(), 0);
        QCOMPARE(session.list().selectionMode(), QAbstractItemView::SingleSelection);
        QVERIFY(!session.list().isSortingEnabled());
        QVERIFY(session.selector().isEditable());
        QCOMPARE(session.selector().insertPolicy(), QComboBox::NoInsert);

        auto& startCode = Find<QLineEdit>(main, "txtTblStartCode");
        QCOMPARE(startCode.maxLength(), 2);
        Type(startCode, "1F7");
        QCOMPARE(startCode.text(), QStringLiteral("1F"));  // the third character is refused
    }

    void saveDialog() {
        Session session;
        QVERIFY(session.main().findChild<QFileDialog*>() == nullptr);  // made when first needed
        QFileDialog& made = session.main().SaveDialog();
        QCOMPARE(&session.main().SaveDialog(), &made);  // and then kept
        auto& dialog = Find<QFileDialog>(session.main(), "cdgSaveFile");
        QCOMPARE(dialog.parentWidget(), &session.main());
        QCOMPARE(dialog.acceptMode(), QFileDialog::AcceptSave);
        QVERIFY(dialog.defaultSuffix().isEmpty());
        QVERIFY(!dialog.isVisible());
    }

    void includeChooser() {
        Session session;
        CheckWindow(session.windows.Pick(), kPick);
    }

    void singleEntryDialog() {
        Session session;
        SingleEntryDialog& dialog = session.windows.InsertDte();
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
        RelativeStartDialog& dialog = session.windows.EnterHexNum();
        CheckWindow(dialog, kEnterHexNum);
        if (QTest::currentTestFailed()) return;

        auto& label = Find<QLabel>(dialog, "Label1");
        QVERIFY(label.alignment().testFlag(Qt::AlignHCenter));
        auto& number = Find<QLineEdit>(dialog, "Text1");
        QCOMPARE(number.font().pointSizeF(), 24.0);
        QVERIFY(!number.font().bold());
        QCOMPARE(number.font().family(), QStringLiteral("MS Sans Serif"));
        const QString many(300, QLatin1Char('7'));
        Type(number, many);
        QCOMPARE(number.text(), many);
    }

    void enterAndEscapePressNothingWindowWide() {
        Session session;
        session.IncludeSet("Hiragana");  // enables REMOVE and MAKE TABLE, so their clicks count
        for (QWidget* window : std::initializer_list<QWidget*>{
                 &session.main(), &session.windows.Pick(), &session.windows.InsertDte(),
                 &session.windows.EnterHexNum()}) {
            WindowManager::Show(*window);
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
        QVERIFY(session.windows.Pick().isVisible());

        auto& remove = session.button("cmdRemove");  // disabled: no click
        QSignalSpy removes(&remove, &QPushButton::clicked);
        QTest::keyClick(&remove, Qt::Key_Return);
        QCOMPARE(removes.count(), 0);
    }
};

}  // namespace glyphwright::test

QTEST_MAIN(glyphwright::test::WindowDefinitionsTest)
#include "WindowDefinitionsTest.moc"
