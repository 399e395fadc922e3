#include "PutSingleEntry.h"

#include "DocumentHistory.h"
#include "Messages.h"
#include "WindowQueries.h"
#include "core/EucJp.h"

namespace glyphwright {

bool PutSingleEntry(DocumentHistory& history, WindowQueries& user, TableCode code,
                    const QString& characters) {
    const auto refuse = [&user](const QString& text) {
        user.ShowMessage(Messages::Title().toStdString(), text.toStdString(),
                         MessageIcon::Exclamation);
        return false;
    };
    const auto bytes = EncodeEucJp(characters.toStdString());
    if (!bytes.ok())
        return refuse(Messages::NotEucJp(QString::fromStdString(bytes.error().character)));
    if (history.Doc().Order().IsFull()) return refuse(Messages::OrderFull());

    history.Run(
        DocumentCommand::PutEntry(history.Doc(), code, {bytes.value()}, characters.toStdString()),
        Messages::SingleEntryAction(code));
    return true;
}

}  // namespace glyphwright
