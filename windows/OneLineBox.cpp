#include "OneLineBox.h"

#include <QLineEdit>

#include <algorithm>

namespace glyphwright {

namespace {

bool IsLineBreak(QChar c) {
    return c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QChar::LineSeparator ||
           c == QChar::ParagraphSeparator;
}

}  // namespace

void OneLineBox::Keep(QLineEdit& box) { new OneLineBox(box); }

OneLineBox::OneLineBox(QLineEdit& box) : QObject(&box), box_(box), previous_(box.text()) {
    connect(&box, &QLineEdit::textChanged, this, &OneLineBox::TextChanged);
}

QString OneLineBox::FirstLineOfInsertion(const QString& before, const QString& now, int* caret) {
    const qsizetype limit = std::min(before.size(), now.size());
    qsizetype head = 0;
    while (head < limit && before[head] == now[head]) ++head;
    qsizetype tail = 0;
    while (tail < limit - head && before[before.size() - 1 - tail] == now[now.size() - 1 - tail]) {
        ++tail;
    }
    QString inserted = now.mid(head, now.size() - head - tail);
    const auto lineEnd = std::find_if(inserted.cbegin(), inserted.cend(), IsLineBreak);
    inserted.truncate(lineEnd - inserted.cbegin());
    // A line break that was there already (none can be) or in what stayed is dropped as well.
    QString kept = now.left(head) + inserted + now.right(tail);
    kept.erase(std::remove_if(kept.begin(), kept.end(), IsLineBreak), kept.end());
    if (caret != nullptr) *caret = static_cast<int>(head + inserted.size());
    return kept;
}

void OneLineBox::TextChanged(const QString& text) {
    if (std::none_of(text.cbegin(), text.cend(), IsLineBreak)) {
        previous_ = text;
        return;
    }
    int caret = 0;
    const QString kept = FirstLineOfInsertion(previous_, text, &caret);
    previous_ = kept;
    box_.setText(kept);  // comes back here once, with no line break left
    box_.setCursorPosition(caret);
}

}  // namespace glyphwright
