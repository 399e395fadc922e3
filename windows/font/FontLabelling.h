#pragma once

#include <QObject>
#include <QString>

#include <cstddef>

class QLineEdit;
class QPushButton;
class QSpinBox;

namespace glyphwright {

class Document;
class DocumentHistory;
class FontPage;
class FontReading;
class WindowQueries;

// The Font window's labelling: the anchor, which ties the selected glyph to its code and so
// gives every glyph its code; the characters typed for the selected glyph, or a guess accepted,
// stored at its code as a single entry; and the best guesses of a range accepted at once, as one
// step. Every change goes to the document through the history.
class FontLabelling final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FontLabelling)

public:
    FontLabelling(DocumentHistory& history, WindowQueries& user, FontPage& page,
                  const FontReading& reading, QObject* parent = nullptr);
    ~FontLabelling() override;

    [[nodiscard]] QLineEdit& Anchor() const { return *anchor_; }
    [[nodiscard]] QLineEdit& Characters() const { return *characters_; }
    [[nodiscard]] QPushButton& AcceptAbove() const { return *acceptAbove_; }
    [[nodiscard]] QSpinBox& Confidence() const { return *confidence_; }

    // Shows how sure a guess must be to be accepted with the rest.
    void Take(int acceptAbove);
    // Stores the guess of `rank` for the selected glyph; whether it was stored.
    bool Accept(std::size_t rank);
    // Characters typed in the grid go to the Characters box.
    void TypeFromGrid(const QString& text);

signals:
    // An entry was stored and the next glyph selected: the page is read and drawn again.
    void stored();
    // Guesses were stored at once: the game text reads differently now.
    void accepted();

private:
    void AnchorTyped();
    void CharactersTyped();
    // Stores the characters at the selected glyph's code as a single entry and selects the next.
    bool Store(const QString& characters);
    void AcceptAll();
    void ConfidenceChosen();

    DocumentHistory& history_;
    Document& document_;
    WindowQueries& user_;
    FontPage& page_;
    const FontReading& reading_;
    QLineEdit* anchor_;
    QLineEdit* characters_;
    QPushButton* acceptAbove_;
    QSpinBox* confidence_;
};

}  // namespace glyphwright
