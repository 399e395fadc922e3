#include "RunAction.h"

#include <exception>
#include <string>

#include "MakeTable.h"

namespace glyphwright {
namespace {

void Report(UserQueries& user, const std::string& text) {
    try {
        user.ShowMessage(std::string(kMessageTitle), text, MessageIcon::Exclamation);
    } catch (...) {  // NOLINT(bugprone-empty-catch): with no box left to say it in, carry on
    }
}

}  // namespace

void RunAction(UserQueries& user, const std::function<void()>& action) {
    try {
        action();
    } catch (const std::exception& failure) {
        Report(user, std::string("This command failed: ") + failure.what());
    } catch (...) {
        Report(user, "This command failed for a reason the program does not know.");
    }
}

}  // namespace glyphwright
