#pragma once

#include <QObject>
#include <QString>

namespace glyphwright {

// What the windows tell one another about the table beyond the Table Order's own changes: the
// start code as it stands in txtTblStartCode, and that slots of the code table changed (a single
// entry, a MAKE TABLE run). The code map and the game text follow these.
class TableEvents final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TableEvents)

public:
    explicit TableEvents(QObject* parent = nullptr) : QObject(parent) {}
    ~TableEvents() override = default;

    [[nodiscard]] const QString& StartCodeText() const { return startCodeText_; }
    void SetStartCodeText(const QString& text) {
        if (text == startCodeText_) return;
        startCodeText_ = text;
        emit startCodeChanged();
    }
    void AnnounceTableText() { emit tableTextChanged(); }

signals:
    void startCodeChanged();
    void tableTextChanged();

private:
    QString startCodeText_;
};

}  // namespace glyphwright
