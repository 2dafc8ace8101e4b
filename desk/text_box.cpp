#include "text_box.h"

#include <QEvent>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QToolTip>

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

// A tooltip's line, and a box's description, hold at most this many
// characters (code points): a text longer is cut, its last character "…".
constexpr qsizetype kMostCharacters = 200;

QString cutShort(const QString& text)
{
    const QList<uint> points = text.toUcs4();
    if (points.size() <= kMostCharacters)
        return text;
    return QString::fromUcs4(reinterpret_cast<const char32_t*>(points.constData()), kMostCharacters - 1) +
           QChar(0x2026);
}

// A line broken where it would be wider than width in these metrics (a
// text with no blanks, such as a long number, between any two characters).
QString wrapped(const QString& line, const QFontMetrics& metrics, int width)
{
    QString out, current;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const qsizetype n = line.at(i).isHighSurrogate() && i + 1 < line.size() ? 2 : 1;
        const QString ch = line.mid(i, n);
        i += n - 1;
        if (!current.isEmpty() && metrics.horizontalAdvance(current + ch) > width) {
            out += current + QLatin1Char('\n');
            current.clear();
        }
        current += ch;
    }
    return out + current;
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
    setAccessibleDescription(cutShort(note_));
    updateToolTip();
    update();
}

// The tooltip: the whole text when it is wider than the box, and the note
// when the box is marked, one under the other; each cut to its most
// characters and broken into lines no wider than the screen.
void TextBox::updateToolTip()
{
    QStringList lines;
    if (fontMetrics().horizontalAdvance(text()) > textRoom(this))
        lines << text();
    if (!note_.isEmpty())
        lines << note_;
    if (lines.isEmpty()) {
        setToolTip(QString());
        return;
    }
    const int width = screen() != nullptr ? screen()->availableGeometry().width() - 32 : 640;
    const QFontMetrics metrics(QToolTip::font());
    for (QString& line : lines)
        line = wrapped(cutShort(line), metrics, width);
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
