// A text box of the Qt window: the classic single-line box, which shows its
// whole text as its tooltip when the text is wider than the box, and which
// carries the model's reading note when an act read it otherwise than as
// typed ("12abc" read as 12): a red frame over the box's own look, the note
// in its tooltip, and the note as its accessible description, which a screen
// reader speaks with the box. (Qt has no state of an invalid entry to report
// beside it: QAccessible::State lacks one, and its AT-SPI bridge sets none.)
#pragma once

#include <QLineEdit>
#include <QString>

namespace milfo {

class TextBox : public QLineEdit {
public:
    explicit TextBox(const QString& text, QWidget* parent = nullptr);

    // The reading note shown on the box; empty: the box is not marked.
    const QString& note() const { return note_; }
    void setNote(const QString& note);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void updateToolTip();

    QString note_;
};

}  // namespace milfo
