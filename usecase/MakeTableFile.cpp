#include "MakeTableFile.h"

namespace glyphwright {

namespace {

// Passes the questions on and keeps the answer about the file, which the warning depends on.
class RememberTarget final : public UserQueries {
public:
    explicit RememberTarget(UserQueries& user) : user_(user) {}

    std::optional<std::string> AskStartCode() override { return user_.AskStartCode(); }
    std::optional<SaveTarget> AskSaveTarget() override {
        target = user_.AskSaveTarget();
        return target;
    }

    std::optional<SaveTarget> target;

private:
    UserQueries& user_;
};

}  // namespace

Result<MadeTable, TableFailure> MakeTableFile(Workspace& table, const TableOrder& order,
                                              std::string_view startCode, UserQueries& user,
                                              CodeOrder order16, const TableWriter& write) {
    RememberTarget asked(user);
    const auto made = MakeTable(table, order, startCode, asked, order16, write);
    if (!made) return made.error();
    MadeTable result;
    result.outcome = made.value();
    if (result.outcome != MakeTableOutcome::Written || !asked.target) return result;
    result.target = asked.target;
    const TableEntries& held = table.TableText;
    if (asked.target->format != TableFormat::Classic) {
        result.duplicates = DuplicateEntries(held.Texts(), held.Kinds(), held.TwoByte());
    }
    result.angleBrackets =
        AngleBracketCodes(held, table.CurrentCode, table.LastCode, asked.target->format);
    return result;
}

}  // namespace glyphwright
