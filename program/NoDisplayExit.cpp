#include "NoDisplayExit.h"

#include <QList>
#include <QString>

#include <cstdlib>

#include "CommandLine.h"
#include "CommandLineMessages.h"

namespace glyphwright {

namespace {

struct Held {
    std::FILE* err = nullptr;
    QtMessageHandler before = nullptr;
    QList<QString> said;  // the toolkit's messages, told once the display is open
};

// A message handler is a plain function; this is what the one in force holds.
Held*& Current() {
    static Held* current = nullptr;
    return current;
}

void Hold(QtMsgType type, const QMessageLogContext&, const QString& message) {
    Held& held = *Current();
    if (type != QtFatalMsg) {
        held.said << message;
        return;
    }
    const QByteArray text =
        QStringLiteral("glyphwright: %1\n").arg(CommandLineMessages::NoDisplay()).toLocal8Bit();
    std::fwrite(text.constData(), 1, static_cast<std::size_t>(text.size()), held.err);
    std::fflush(held.err);
    std::_Exit(kExitBadUsage);
}

}  // namespace

NoDisplayExit::NoDisplayExit(std::FILE* err) {
    Current() = new Held{err, nullptr, {}};
    Current()->before = qInstallMessageHandler(&Hold);
}

NoDisplayExit::~NoDisplayExit() {
    Held* held = Current();
    qInstallMessageHandler(held->before);
    Current() = nullptr;
    for (const QString& message : held->said) qWarning("%s", qUtf8Printable(message));
    delete held;
}

}  // namespace glyphwright
