#include "WindowManager.h"

#include <algorithm>

#include "dialogs/IncludeChooser.h"
#include "dialogs/RelativeStartDialog.h"
#include "dialogs/SingleEntryDialog.h"
#include "main/MainWindow.h"

namespace glyphwright {

WindowManager::WindowManager(Workspace& workspace, WindowQueries& queries)
    : workspace_(workspace), queries_(queries) {}

WindowManager::~WindowManager() {
    for (QWidget* window : ExistingWindowsNewestFirst()) delete window;
}

void WindowManager::Start() {
    Show(Main());
}

template <class Window>
Window& WindowManager::Obtain(QPointer<Window>& slot) {
    if (slot.isNull()) {
        slot = new Window(*this);
        created_.emplace_back(slot.data());
    }
    return *slot;
}

MainWindow& WindowManager::Main() {
    return Obtain(main_);
}
IncludeChooser& WindowManager::Pick() {
    return Obtain(pick_);
}
SingleEntryDialog& WindowManager::InsertDte() {
    return Obtain(insertDte_);
}
RelativeStartDialog& WindowManager::EnterHexNum() {
    return Obtain(enterHexNum_);
}

void WindowManager::Show(QWidget& window) {
    window.show();
}

void WindowManager::Forget(QWidget& window) {
    if (main_.data() == &window) main_ = nullptr;
    if (pick_.data() == &window) pick_ = nullptr;
    if (insertDte_.data() == &window) insertDte_ = nullptr;
    if (enterHexNum_.data() == &window) enterHexNum_ = nullptr;
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

void WindowManager::End() {
    for (QWidget* window : ExistingWindowsNewestFirst()) Destroy(*window);
    emit ended();
}

}  // namespace glyphwright
