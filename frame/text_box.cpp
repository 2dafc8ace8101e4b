#include "text_box.h"

#include <QEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

namespace milfo {

namespace {

// The mark's red: at least 4.5 : 1 against the box's white and the window's
// grey, so that it can be told from the box's own frame.
const QColor kMarkColour(0xc0, 0x00, 0x00);

// The width a line edit has for its text.
int textRoom(const QLineEdit* box)
{
    QStyleOptionFrame option;
    option.initFrom(box);
    option.rect = box->contentsRect();
    option.lineWidth =
        box->hasFrame() ? box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box) : 0;
    option.midLineWidth = 0;
    option.state |= QStyle::State_Sunken;
    const QRect contents = box->style()->subElementRect(QStyle::SE_LineEditContents, &option, box);
    const QMargins margins = box->textMargins();
    // QLineEdit keeps 2 pixels free on either side of its text.
    return contents.width() - margins.left() - margins.right() - 4;
}

}  // namespace

TextBox::TextBox(const QString& text, QWidget* parent) : QLineEdit(text, parent)
{
    setCursorPosition(0);
    connect(this, &QLineEdit::textChanged, this, [this] { updateToolTip(); });
}

void TextBox::setNote(const QString& note)
{
    if (note == note_)
        return;
    note_ = note;
    setAccessibleDescription(note_);
    updateToolTip();
    update();
}

// The tooltip: the whole text when it is wider than the box, and the note
// when the box is marked, one under the other.
void TextBox::updateToolTip()
{
    QStringList lines;
    if (fontMetrics().horizontalAdvance(text()) > textRoom(this))
        lines << text();
    if (!note_.isEmpty())
        lines << note_;
    setToolTip(lines.join(QLatin1Char('\n')));
}

// Whether the text fits changes with the box's size and font too.
void TextBox::resizeEvent(QResizeEvent* event)
{
    QLineEdit::resizeEvent(event);
    updateToolTip();
}

void TextBox::changeEvent(QEvent* event)
{
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        updateToolTip();
}

// The box as the style draws it, then the mark: a frame two pixels wide just
// inside the box's own border, which stays (and with it the focus's colour).
void TextBox::paintEvent(QPaintEvent* event)
{
    QLineEdit::paintEvent(event);
    if (note_.isEmpty())
        return;
    QPainter painter(this);
    QPen pen(kMarkColour, 2);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(rect()).adjusted(2, 2, -2, -2));
}

}  // namespace milfo
