#include "sheet_document.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextObjectInterface>
#include <QTextTable>
#include <vector>

#include "chart.h"
#include "chart_painter.h"

namespace milfo {

namespace {

QString qs(const std::string& s)
{
    return QString::fromStdString(s);
}

constexpr int kChartObject = QTextFormat::UserObject + 1;
constexpr int kPlotIndex = QTextFormat::UserProperty + 1;

// The charts of a document, drawn where its text stands them.
class ChartObjects : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)

public:
    std::vector<ChartPlot> plots;

    QSizeF intrinsicSize(QTextDocument* doc, int, const QTextFormat&) override
    {
        // The chart's pixels are a screen's, 96 to the inch.
        const QPaintDevice* device = doc->documentLayout()->paintDevice();
        const QSizeF size = chartSize() * (device != nullptr ? device->logicalDpiX() / 96.0 : 1.0);
        const double room = doc->pageSize().width() > 0 ? doc->pageSize().width() : doc->textWidth();
        const double width = room > 0 ? std::min(size.width(), room * 0.95) : size.width();
        return size * (width / size.width());
    }
    void drawObject(QPainter* painter, const QRectF& rect, QTextDocument*, int,
                    const QTextFormat& format) override
    {
        const auto k = static_cast<size_t>(format.property(kPlotIndex).toInt());
        if (k < plots.size())
            paintChart(*painter, rect, plots[k]);
    }
};

QTextCharFormat charFormat(double points)
{
    QTextCharFormat f;
    f.setFontPointSize(points);
    return f;
}

void paragraph(QTextCursor& c, const QString& text, double points, Qt::Alignment align = Qt::AlignLeft,
               double spaceBefore = 0)
{
    QTextBlockFormat block;
    block.setAlignment(align);
    block.setTopMargin(spaceBefore);
    c.insertBlock(block, charFormat(points));
    c.insertText(text);
}

QTextTableFormat gridFormat(int headerRows)
{
    QTextTableFormat f;
    f.setBorderCollapse(true);
    f.setBorder(0.5);
    f.setBorderBrush(QColor(0x77, 0x77, 0x77));
    f.setCellPadding(3);
    f.setCellSpacing(0);
    f.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    f.setHeaderRowCount(headerRows);
    return f;
}

void cellText(QTextTable* table, int row, int column, const QString& text, const QColor& shade = QColor(),
              double points = 10.5)
{
    QTextTableCell cell = table->cellAt(row, column);
    if (shade.isValid()) {
        QTextCharFormat f = cell.format();
        f.setBackground(shade);
        cell.setFormat(f);
    }
    QTextCursor c = cell.firstCursorPosition();
    c.insertText(text, charFormat(points));
}

// The suite and the date over the heading, the caption and a rule.
void heading(QTextCursor& c, const CalculationSheet& sheet)
{
    QTextTableFormat plain;
    plain.setBorderStyle(QTextFrameFormat::BorderStyle_None);
    plain.setCellPadding(0);
    plain.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    QTextTable* top = c.insertTable(1, 2, plain);
    cellText(top, 0, 0, qs(sheet.suite));
    QTextCursor when = top->cellAt(0, 1).firstCursorPosition();
    QTextBlockFormat right;
    right.setAlignment(Qt::AlignRight);
    when.setBlockFormat(right);
    when.insertText(qs(sheet.whenTitle) + QLatin1Char(' ') + qs(sheet.when));
    c.movePosition(QTextCursor::End);
    paragraph(c, qs(sheet.heading), 15, Qt::AlignLeft, 10);
    paragraph(c, qs(sheet.caption), 10.5);
    QTextBlockFormat rule;
    rule.setProperty(QTextFormat::BlockTrailingHorizontalRulerWidth,
                     QTextLength(QTextLength::PercentageLength, 100));
    c.insertBlock(rule);
}

// An input or result section: each caption beside its text (and the note of
// a box not read as typed).
void section(QTextCursor& c, const SheetSection& s)
{
    paragraph(c, qs(s.title), 12, Qt::AlignLeft, 12);
    QTextTableFormat f = gridFormat(0);
    f.setColumnWidthConstraints(
        {QTextLength(QTextLength::PercentageLength, 62), QTextLength(QTextLength::PercentageLength, 38)});
    QTextTable* table = c.insertTable(static_cast<int>(s.rows.size()), 2, f);
    for (size_t r = 0; r < s.rows.size(); ++r) {
        const SheetRow& row = s.rows[r];
        cellText(table, static_cast<int>(r), 0, qs(row.caption), QColor(0xf0, 0xf0, 0xf0));
        cellText(table, static_cast<int>(r), 1, qs(row.text));
        if (!row.note.empty()) {
            QTextCursor note = table->cellAt(static_cast<int>(r), 1).lastCursorPosition();
            note.insertText(QStringLiteral("　") + qs(row.note), charFormat(9));
        }
    }
    c.movePosition(QTextCursor::End);
}

// How wide a text's longest line is, and its longest run of half-width
// characters (a number, which does not break), in half-width characters.
std::pair<int, int> textWidths(const QString& text)
{
    int line = 0, widestLine = 0, run = 0, widestRun = 0;
    for (const QChar ch : text) {
        if (ch == QLatin1Char('\n')) {
            line = run = 0;
            continue;
        }
        const bool wide = ch.unicode() >= 0x1100;
        line += wide ? 2 : 1;
        run = wide || ch == QLatin1Char(' ') ? 0 : run + 1;
        widestLine = std::max(widestLine, line);
        widestRun = std::max(widestRun, run);
    }
    return {widestLine, widestRun};
}

// The columns' widths: each at least as wide as its longest number (which
// does not break) and, where the page has room, as wide as its longest line
// asks, up to a bound; the room left over is shared by what each still
// asks for. The page holds about kLineRoom half-width characters of a side
// table's text beside the cells' padding.
constexpr int kLineRoom = 100;
constexpr double kSideTablePoints = 8;

QVector<QTextLength> columnWidths(const SideTable& t)
{
    std::vector<double> least(t.columns.size(), 4), asks(t.columns.size(), 4);
    for (size_t k = 0; k < t.columns.size(); ++k) {
        asks[k] = std::max(asks[k], static_cast<double>(std::min(textWidths(qs(t.columns[k])).first, 10)));
        for (const std::vector<std::string>& row : t.rows)
            if (k < row.size()) {
                const auto [line, run] = textWidths(qs(row[k]));
                least[k] = std::max(least[k], static_cast<double>(run));
                asks[k] = std::max({asks[k], static_cast<double>(std::min(line, 28)), least[k]});
            }
    }
    double leastTotal = 0, asksTotal = 0;
    for (size_t k = 0; k < least.size(); ++k) {
        leastTotal += least[k];
        asksTotal += asks[k];
    }
    std::vector<double> widths = asks;
    if (asksTotal > kLineRoom && leastTotal < kLineRoom)
        for (size_t k = 0; k < widths.size(); ++k)
            widths[k] = least[k] + (asks[k] - least[k]) * (kLineRoom - leastTotal) / (asksTotal - leastTotal);
    else if (asksTotal > kLineRoom)
        widths = least;
    double total = 0;
    for (const double w : widths)
        total += w;
    QVector<QTextLength> out;
    for (const double w : widths)
        out.push_back(QTextLength(QTextLength::PercentageLength, 100 * w / total));
    return out;
}

// A side table: its title, its chart, its heads and rows.
void sideTable(QTextCursor& c, const SideTable& t, ChartObjects& charts)
{
    paragraph(c, qs(t.title), 12, Qt::AlignLeft, 12);
    if (t.chart.x >= 0) {
        QTextCharFormat chart;
        chart.setObjectType(kChartObject);
        chart.setProperty(kPlotIndex, static_cast<int>(charts.plots.size()));
        charts.plots.push_back(plotOf(t));
        c.insertBlock();
        c.insertText(QString(QChar::ObjectReplacementCharacter), chart);
    }
    QTextTableFormat grid = gridFormat(1);
    grid.setColumnWidthConstraints(columnWidths(t));
    QTextTable* table =
        c.insertTable(static_cast<int>(t.rows.size()) + 1, static_cast<int>(t.columns.size()), grid);
    for (size_t k = 0; k < t.columns.size(); ++k)
        cellText(table, 0, static_cast<int>(k), qs(t.columns[k]), QColor(0xe8, 0xeb, 0xf0), kSideTablePoints);
    for (size_t r = 0; r < t.rows.size(); ++r) {
        const bool marked = t.chart.x >= 0 && static_cast<int>(r) == t.chart.marked;
        for (size_t k = 0; k < t.rows[r].size() && k < t.columns.size(); ++k)
            cellText(table, static_cast<int>(r) + 1, static_cast<int>(k), qs(t.rows[r][k]),
                     marked ? QColor(0xe3, 0xf1, 0xe3) : QColor(), kSideTablePoints);
    }
    c.movePosition(QTextCursor::End);
}

// The sheet as a document, its charts drawn by charts.
void layOut(QTextDocument& doc, const CalculationSheet& sheet, ChartObjects& charts)
{
    QFont font(QStringLiteral("IPAPGothic"));
    font.setPointSizeF(10.5);
    doc.setDefaultFont(font);
    doc.documentLayout()->registerHandler(kChartObject, &charts);
    QTextCursor c(&doc);
    heading(c, sheet);
    for (const SheetSection& s : sheet.sections)
        section(c, s);
    for (const SideTable& t : sheet.tables)
        sideTable(c, t, charts);
}

}  // namespace

void printSheet(const CalculationSheet& sheet, QPrinter& printer)
{
    QTextDocument doc;
    ChartObjects charts;
    layOut(doc, sheet, charts);
    doc.print(&printer);
}

bool writeSheetPdf(const CalculationSheet& sheet, const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QPdfWriter pdf(&file);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    pdf.setTitle(qs(sheet.heading));
    pdf.setCreator(qs(sheet.suite));
    QTextDocument doc;
    ChartObjects charts;
    layOut(doc, sheet, charts);
    doc.print(&pdf);
    file.close();
    return file.error() == QFileDevice::NoError;
}

}  // namespace milfo

#include "sheet_document.moc"
