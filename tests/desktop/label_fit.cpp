// Every label of every program holds its caption inside the rectangle it was
// placed in, at the device pixel ratio the environment asks for
// (QT_SCALE_FACTOR; ctest runs this at 1, 1.5 and 2), with the UI font the
// set-up installs (IPAPGothic): the text wrapped in the label's width is no
// taller and no wider than the label, and a label one line high does not
// wrap at all. A failure names the label with the room it needs and has, and
// how far the drawn text (its ink) reaches.
#include <QApplication>
#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QTest>
#include <algorithm>
#include <cmath>

#include "catalogue.h"
#include "window.h"

using namespace milfo;

namespace {

// As the label draws its text: top-left, wrapped at word boundaries (in
// Japanese, between most characters).
constexpr int kLabelFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
constexpr int kRoomy = 1 << 16;

double requestedScale()
{
    bool ok = false;
    const double factor = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble(&ok);
    return ok ? factor : 1.0;
}

// How far the ink of the text reaches, in logical pixels, when it is drawn
// as the label draws it (wrapped in the label's width) on an image of the
// label's pixel ratio with room to spare, nothing clipped.
QSizeF inkExtent(const QLabel& label, qreal ratio)
{
    const QRect box = label.contentsRect();
    QImage image(QSize(box.width() * 3, box.height() * 4) * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        QFont font = label.font();
        font.setPixelSize(QFontInfo(label.font()).pixelSize());
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(QRect(0, 0, box.width(), box.height()), kLabelFlags | Qt::TextDontClip,
                         label.text());
    }
    int right = -1;
    int bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (qGray(row[x]) < 224) {
                right = std::max(right, x);
                bottom = y;
            }
    }
    return QSizeF((right + 1) / ratio, (bottom + 1) / ratio);
}

}  // namespace

class LabelFit : public QObject {
    Q_OBJECT

private slots:
    // What the measurements stand on: the UI font resolves to IPAPGothic
    // itself (not a fallback) and windows take the requested pixel ratio.
    void setting()
    {
        QCOMPARE(QFontInfo(QApplication::font()).family(), QStringLiteral("IPAPGothic"));
        for (const ProgramDescription* p : allPrograms()) {
            CalculatorWindow window(*p);
            window.load();
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            QVERIFY2(std::abs(window.devicePixelRatio() - requestedScale()) < 1e-9,
                     qPrintable(QStringLiteral("%1: pixel ratio %2, asked for %3")
                                    .arg(QString::fromUtf8(p->name))
                                    .arg(window.devicePixelRatio())
                                    .arg(requestedScale())));
        }
    }

    // One row per label of every program; a program that has no controls
    // yet adds none.
    void fits_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("label");
        for (const ProgramDescription* p : allPrograms())
            for (const Control& c : p->controls)
                if (c.kind == ControlKind::Label)
                    QTest::addRow("%s %s", p->name, c.name)
                        << QString::fromUtf8(p->name) << QString::fromLatin1(c.name);
    }

    void fits()
    {
        QFETCH(QString, program);
        QFETCH(QString, label);
        const ProgramDescription* description = findProgram(program.toStdString());
        QVERIFY(description != nullptr);
        CalculatorWindow window(*description);
        window.load();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto* widget = qobject_cast<QLabel*>(window.control(label.toStdString()));
        QVERIFY(widget != nullptr);
        QVERIFY(widget->wordWrap());
        QCOMPARE(QFontInfo(widget->font()).family(), QStringLiteral("IPAPGothic"));

        const QFontMetrics fm = widget->fontMetrics();
        const QRect box = widget->contentsRect();
        const QString text = widget->text();
        const QRect wrapped = fm.boundingRect(QRect(0, 0, box.width(), kRoomy), kLabelFlags, text);
        const QRect unwrapped = fm.boundingRect(QRect(0, 0, kRoomy, kRoomy), kLabelFlags, text);
        const int lineSpacing = fm.lineSpacing();
        const int lines = std::max(1, (wrapped.height() + lineSpacing / 2) / lineSpacing);
        const int twoLines =
            fm.boundingRect(QRect(0, 0, kRoomy, kRoomy), kLabelFlags, QStringLiteral("X\nX")).height();
        const int asked = widget->heightForWidth(widget->width());

        QStringList problems;
        if (box.height() < twoLines) {
            // Room for one line: the caption must stand on it, unwrapped.
            if (unwrapped.width() > box.width())
                problems << QStringLiteral(
                                "room for one line (two need %1 px in height, it has %2); the text needs "
                                "%3 px in width on one line, has %4")
                                .arg(twoLines)
                                .arg(box.height())
                                .arg(unwrapped.width())
                                .arg(box.width());
            if (lines > 1)
                problems << QStringLiteral("it wraps onto %1 lines").arg(lines);
        }
        if (wrapped.height() > box.height() || asked > widget->height())
            problems << QStringLiteral(
                            "wrapped in its width it needs %1 px in height (the label asks for %2), has %3")
                            .arg(wrapped.height())
                            .arg(asked)
                            .arg(box.height());
        if (wrapped.width() > box.width())
            problems << QStringLiteral("a line it cannot break needs %1 px in width, has %2")
                            .arg(wrapped.width())
                            .arg(box.width());

        QString report;
        if (!problems.isEmpty()) {
            const QSizeF ink = inkExtent(*widget, window.devicePixelRatio());
            report = QStringLiteral("%1 %2 「%3」 at scale %4: %5; its ink reaches %6 × %7 px of %8 × %9")
                         .arg(program, label, text)
                         .arg(requestedScale())
                         .arg(problems.join(QStringLiteral("; ")))
                         .arg(ink.width())
                         .arg(ink.height())
                         .arg(box.width())
                         .arg(box.height());
        }
        QVERIFY2(problems.isEmpty(), qPrintable(report));
    }
};

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    setUpApplication(app);
    LabelFit test;
    return QTest::qExec(&test, argc, argv);
}

#include "label_fit.moc"
