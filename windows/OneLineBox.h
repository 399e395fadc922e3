#pragma once

#include <QObject>
#include <QString>

class QLineEdit;

namespace glyphwright {

// Keeps a one-line box to one line, as the desktop's native one-line boxes do: of text pasted,
// dropped or committed by an input method, only its first line is kept, so no line break ever
// reaches a code, an entry or the Table Order unseen.
class OneLineBox final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(OneLineBox)

public:
    // Watches `box` for as long as it lives.
    static void Keep(QLineEdit& box);

    // What is left of `now` when the text put between what it shares with `before` at its start
    // and at its end keeps only its first line.
    [[nodiscard]] static QString FirstLineOfInsertion(const QString& before, const QString& now,
                                                      int* caret);

private:
    explicit OneLineBox(QLineEdit& box);
    ~OneLineBox() override = default;
    void TextChanged(const QString& text);

    QLineEdit& box_;
    QString previous_;
};

}  // namespace glyphwright
