#include "WindowManager.h"

#include <algorithm>

#include "OpenGameFile.h"
#include "RunAction.h"
#include "codemap/CodeMapWindow.h"
#include "dialogs/ControlCodeDialog.h"
#include "dictionary/FindDictionaryWindow.h"
#include "fontfind/FindFontWindow.h"
#include "dialogs/IncludeChooser.h"
#include "dialogs/RelativeStartDialog.h"
#include "dialogs/SingleEntryDialog.h"
#include "font/FontWindow.h"
#include "gametext/GameTextWindow.h"
#include "main/ConfirmExit.h"
#include "main/MainWindow.h"
#include "search/RelativeSearchWindow.h"
#include "sets/CharacterSetsWindow.h"

namespace glyphwright {

namespace {

// Shows a modeless window, or brings it to the front when it is shown already.
void BringToFront(QWidget& window) {
    window.show();
    window.raise();
    window.activateWindow();
}

}  // namespace

WindowManager::WindowManager(WindowServices services) : services_(services) {}

WindowManager::~WindowManager() {
    for (QWidget* window : ExistingWindowsNewestFirst()) delete window;
}

template <class Window, class... Arguments>
Window* WindowManager::Make(QPointer<Window>& slot, Arguments&&... arguments) {
    if (slot.isNull() && !ending_) {
        slot = new Window(std::forward<Arguments>(arguments)...);
        created_.emplace_back(slot.data());
        // A window without that signal handles its own close box (the code map hides itself).
        if constexpr (requires { &Window::closeBoxPressed; }) {
            connect(slot.data(), &Window::closeBoxPressed, this,
                    [this, window = slot.data()] { Discard(*window); });
        }
    }
    return slot.data();
}

void WindowManager::Start() {
    auto* main = Make(main_, services_.history, services_.project, services_.lines,
                      services_.selection, services_.rules, services_.user);
    if (main == nullptr) return;
    // The close box ends the program; it is handled once the close event is over.
    disconnect(main, &MainWindow::closeBoxPressed, this, nullptr);
    connect(main, &MainWindow::closeBoxPressed, this, &WindowManager::End, Qt::QueuedConnection);
    connect(main, &MainWindow::includeRequested, this, &WindowManager::ShowPick);
    connect(main, &MainWindow::orderLineChosen, this, &WindowManager::ShowEnterHexNum);
    connect(main, &MainWindow::codeMapRequested, this, &WindowManager::ShowCodeMap);
    connect(main, &MainWindow::exitRequested, this, [this] {
        RunAction(services_.user,
                  [this] { ConfirmExit(*this, services_.user, services_.project); });
    });
    connect(main, &MainWindow::openGameFileRequested, this, &WindowManager::OpenGameFileFromUser);
    connect(main, &MainWindow::relativeSearchRequested, this, &WindowManager::ShowRelativeSearch);
    connect(main, &MainWindow::gameTextRequested, this, &WindowManager::ShowGameText);
    connect(main, &MainWindow::fontRequested, this, &WindowManager::ShowFont);
    connect(main, &MainWindow::characterSetsRequested, this, &WindowManager::ShowCharacterSets);
    connect(main, &MainWindow::controlCodeRequested, this, &WindowManager::ShowControlCode);
    connect(main, &MainWindow::findDictionaryRequested, this, &WindowManager::ShowFindDictionary);
    connect(main, &MainWindow::findFontRequested, this, &WindowManager::ShowFindFont);
    main->show();
}

MainWindow* WindowManager::Main() const {
    return main_.data();
}
RelativeSearchWindow* WindowManager::Search() const {
    return search_.data();
}
GameTextWindow* WindowManager::Text() const {
    return gameText_.data();
}
IncludeChooser* WindowManager::PickDialog() const {
    return pick_.data();
}
SingleEntryDialog* WindowManager::InsertDteDialog() const {
    return insertDte_.data();
}
RelativeStartDialog* WindowManager::EnterHexNum() const {
    return enterHexNum_.data();
}

CodeMapWindow* WindowManager::Map() const {
    return codeMap_.data();
}

FontWindow* WindowManager::Font() const {
    return font_.data();
}

void WindowManager::ShowPick() {
    const bool isNew = pick_.isNull();
    IncludeChooser* pick = Make(pick_, services_.history, *main_, services_.rules, services_.user);
    if (pick == nullptr) return;
    if (isNew) {
        connect(pick, &IncludeChooser::singleEntryRequested, this, &WindowManager::ShowInsertDte);
    }
    pick->show();
}

void WindowManager::ShowRelativeSearch() {
    if (main_.isNull()) return;
    const bool isNew = search_.isNull();
    RelativeSearchWindow* search = Make(search_, services_.history, services_.selection,
                                        services_.gameFile, services_.rules, services_.user);
    if (search == nullptr) return;
    if (isNew) {
        connect(search, &RelativeSearchWindow::openRequested, this,
                &WindowManager::OpenGameFileFromUser);
        connect(search, &RelativeSearchWindow::showTextRequested, this,
                [this](std::uint64_t offset) {
                    ShowGameText();
                    if (!gameText_.isNull()) gameText_->ShowOffset(offset);
                });
    }
    BringToFront(*search);
}

void WindowManager::ShowGameText() {
    const bool isNew = gameText_.isNull();
    if (auto* text = Make(gameText_, services_.history, services_.gameFile, services_.user)) {
        if (isNew) {
            connect(text, &GameTextWindow::openRequested, this,
                    &WindowManager::OpenGameFileFromUser);
        }
        BringToFront(*text);
    }
}

void WindowManager::OpenGameFileFromUser() {
    RunAction(services_.user, [this] {
        if (!glyphwright::OpenGameFileFromUser(services_.gameFile, services_.user)) return;
        const bool shown = (!search_.isNull() && search_->isVisible()) ||
                           (!gameText_.isNull() && gameText_->isVisible()) ||
                           (!font_.isNull() && font_->isVisible());
        if (!shown) ShowRelativeSearch();
    });
}

void WindowManager::ShowInsertDte() {
    if (auto* dialog = Make(insertDte_, services_.history, services_.user)) {
        dialog->show();
    }
}

void WindowManager::ShowEnterHexNum() {
    if (auto* dialog = Make(enterHexNum_, services_.history, services_.selection, services_.user)) {
        dialog->show();
    }
}

ControlCodeDialog* WindowManager::ControlCode() const {
    return controlCode_.data();
}

void WindowManager::ShowControlCode() {
    if (auto* dialog = Make(controlCode_, services_.history, services_.user)) {
        BringToFront(*dialog);
    }
}

FindDictionaryWindow* WindowManager::Dictionary() const {
    return findDictionary_.data();
}

void WindowManager::ShowFindDictionary() {
    if (auto* window = Make(findDictionary_, services_.history, services_.gameFile)) {
        BringToFront(*window);
    }
}

FindFontWindow* WindowManager::FindFont() const {
    return findFont_.data();
}

void WindowManager::ShowFindFont() {
    const bool isNew = findFont_.isNull();
    if (auto* window = Make(findFont_, services_.history, services_.gameFile)) {
        if (isNew) connect(window, &FindFontWindow::fontOpened, this, &WindowManager::ShowFont);
        BringToFront(*window);
    }
}

CharacterSetsWindow* WindowManager::Sets() const {
    return characterSets_.data();
}

void WindowManager::ShowCharacterSets() {
    // The window announces a change of the sets through the document, which every view hears.
    if (auto* window = Make(characterSets_, services_.sets, services_.document, services_.setsPath,
                            services_.user)) {
        BringToFront(*window);
    }
}

void WindowManager::ShowCodeMap() {
    if (auto* map = Make(codeMap_, services_.document, services_.selection, services_.gameFile)) {
        map->Present();
    }
}

void WindowManager::ShowFont() {
    const bool isNew = font_.isNull();
    if (auto* font = Make(font_, services_.history, services_.gameFile, services_.user)) {
        if (isNew) {
            connect(font, &FontWindow::openRequested, this, &WindowManager::OpenGameFileFromUser);
        }
        font->Present();
    }
}

void WindowManager::Forget(QWidget& window) {
    if (main_.data() == &window) main_ = nullptr;
    if (pick_.data() == &window) pick_ = nullptr;
    if (search_.data() == &window) search_ = nullptr;
    if (gameText_.data() == &window) gameText_ = nullptr;
    if (insertDte_.data() == &window) insertDte_ = nullptr;
    if (enterHexNum_.data() == &window) enterHexNum_ = nullptr;
    if (codeMap_.data() == &window) codeMap_ = nullptr;
    if (font_.data() == &window) font_ = nullptr;
    if (characterSets_.data() == &window) characterSets_ = nullptr;
    std::erase_if(created_, [&window](const QPointer<QWidget>& known) {
        return known.isNull() || known.data() == &window;
    });
}

void WindowManager::Discard(QWidget& window) {
    Forget(window);
    window.hide();
    window.deleteLater();
}

void WindowManager::Destroy(QWidget& window) {
    Forget(window);
    delete &window;
}

std::vector<QWidget*> WindowManager::ExistingWindows() const {
    std::vector<QWidget*> existing;
    for (const QPointer<QWidget>& window : created_) {
        if (!window.isNull()) existing.push_back(window.data());
    }
    return existing;
}

std::vector<QWidget*> WindowManager::ExistingWindowsNewestFirst() const {
    std::vector<QWidget*> existing = ExistingWindows();
    std::reverse(existing.begin(), existing.end());
    return existing;
}

void WindowManager::CloseAll() {
    ending_ = true;
    for (QWidget* window : ExistingWindowsNewestFirst()) Destroy(*window);
}

void WindowManager::End() {
    CloseAll();
    emit ended();
}

}  // namespace glyphwright
