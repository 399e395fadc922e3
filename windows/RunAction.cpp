#include "RunAction.h"

#include <exception>

#include "Messages.h"
#include "WindowQueries.h"

namespace glyphwright {
namespace {

void Report(WindowQueries& user, const QString& text) {
    try {
        user.ShowMessage(Messages::Title().toStdString(), text.toStdString(),
                         MessageIcon::Exclamation);
    } catch (...) {  // NOLINT(bugprone-empty-catch): with no box left to say it in, carry on
    }
}

}  // namespace

void RunAction(WindowQueries& user, const std::function<void()>& action) {
    try {
        action();
    } catch (const std::exception& failure) {
        Report(user, Messages::ActionFailed(failure.what()));
    } catch (...) {
        Report(user, Messages::ActionFailedUnknown());
    }
}

}  // namespace glyphwright
