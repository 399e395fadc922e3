#include "RunAction.h"

#include <exception>

#include "ProgramMessages.h"
#include "WindowQueries.h"

namespace glyphwright {
namespace {

void Report(WindowQueries& user, const QString& text) {
    try {
        user.ShowMessage(ProgramMessages::Title().toStdString(), text.toStdString(),
                         MessageIcon::Exclamation);
    } catch (...) {  // NOLINT(bugprone-empty-catch): with no box left to say it in, carry on
    }
}

}  // namespace

void RunAction(WindowQueries& user, const std::function<void()>& action) {
    try {
        action();
    } catch (const std::exception& failure) {
        Report(user, ProgramMessages::ActionFailed(failure.what()));
    } catch (...) {
        Report(user, ProgramMessages::ActionFailedUnknown());
    }
}

}  // namespace glyphwright
