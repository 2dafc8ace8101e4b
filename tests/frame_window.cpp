// The frame's window behaviours on a small test program, through real key
// and mouse events on the offscreen platform: the run-time error policy, the
// classic list and the wheel, buttons that are never default, the load step,
// the first box selected, a fixed size, the icon, Qt's texts in Japanese,
// tooltips of cut texts, a box marked as read otherwise than as typed, fonts.
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QToolTip>
#include <QWheelEvent>
#include <memory>

#include "modal_guard.h"
#include "probe_program.h"
#include "window.h"

using namespace milfo;

namespace {

using test::probePicks;
using test::probePresses;

template <typename T>
T* child(CalculatorWindow& w, const char* name)
{
    return qobject_cast<T*>(w.control(name));
}

}  // namespace

class FrameWindowTests : public QObject {
    Q_OBJECT

    std::unique_ptr<CalculatorWindow> window;
    test::ModalGuard guard;

    // Wheel steps over the list (negative: towards the user). A wheel event
    // from the window system reaches the list from its edit field, which
    // passes it on; one sent here goes to the list itself.
    void wheel(int steps)
    {
        auto* list = child<QComboBox>(*window, "Combo1");
        const QPointF at = list->rect().center();
        QWheelEvent event(at, list->mapToGlobal(at), QPoint(), QPoint(0, 120 * steps), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(list, &event);
    }

private slots:
    void init()
    {
        probePresses = probePicks = 0;
        window = std::make_unique<CalculatorWindow>(test::probeProgram());
        window->load();
        window->show();
        QApplication::setActiveWindow(window.get());
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }
    void cleanup()
    {
        window.reset();
        guard.allow(false);
        const QStringList unexpected = guard.take();
        QVERIFY2(unexpected.isEmpty(), qPrintable("unexpected modal dialog: " + unexpected.join('\n')));
    }

    void loadRunsBeforeTheWindowShows()
    {
        CalculatorWindow w(test::probeProgram());
        w.load();
        QVERIFY(!w.isVisible());
        QCOMPARE(QString::fromStdString(w.controlText("Text2")), QStringLiteral("loaded"));
        auto* list = child<QComboBox>(w, "Combo1");
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->currentIndex(), -1);
        QCOMPARE(list->currentText(), QString());
    }

    void focusStartsOnTheLowestTabIndex() { QCOMPARE(QApplication::focusWidget(), window->control("Text1")); }

    // Its text is selected as if the box were reached by Tab: typing
    // replaces the initial text.
    void typingAtStartReplacesTheFirstBox()
    {
        auto* text1 = child<QLineEdit>(*window, "Text1");
        QCOMPARE(text1->selectedText(), QStringLiteral("1"));
        QTest::keyClicks(QApplication::focusWidget(), "40");
        QCOMPARE(text1->text(), QStringLiteral("40"));
    }

    // The handler stops at the error: the box it wrote keeps its new text,
    // the one it had still to write is emptied, the input stays as typed and
    // a window-modal message box names the error.
    void runTimeErrorKeepsTheWindowAndTheInputs()
    {
        guard.allow(true);
        // A caption as long as the suite's longest.
        window->setWindowTitle(QStringLiteral("ミルフォ－１．１．８"));
        auto* text1 = child<QLineEdit>(*window, "Text1");
        text1->selectAll();
        QTest::keyClicks(text1, "0abc");
        QTest::mouseClick(child<QPushButton>(*window, "Command1"), Qt::LeftButton);
        QCOMPARE(probePresses, 1);
        QVERIFY(window->lastFailure());
        QCOMPARE(window->lastFailure()->kind, std::optional<ErrorKind>(ErrorKind::DivisionByZero));
        QCOMPARE(text1->text(), QStringLiteral("0abc"));
        QCOMPARE(child<QLineEdit>(*window, "Text2")->text(), QStringLiteral("written"));
        QCOMPARE(child<QLineEdit>(*window, "Text3")->text(), QString());

        auto* box = window->findChild<QMessageBox*>();
        QVERIFY(box != nullptr);
        QTRY_VERIFY(box->isVisible());
        QCOMPARE(box->text(), QStringLiteral("0 で除算しました。"));
        QCOMPARE(box->windowModality(), Qt::WindowModal);
        QCOMPARE(box->windowTitle(), QStringLiteral("ミルフォ－１．１．８"));
        QVERIFY(box->width() >= errorReportWidth(box->windowTitle()));
        QCOMPARE(box->windowIcon().cacheKey(), QApplication::windowIcon().cacheKey());
        box->accept();
        QTRY_VERIFY(window->findChild<QMessageBox*>() == nullptr);
        QVERIFY(window->isVisible());

        // The next press computes again.
        text1->selectAll();
        QTest::keyClicks(text1, "4");
        QTest::mouseClick(child<QPushButton>(*window, "Command1"), Qt::LeftButton);
        QCOMPARE(child<QLineEdit>(*window, "Text3")->text(), QStringLiteral("0.25"));
        QVERIFY(!window->lastFailure());
    }

    void buttonsAreNeverDefault()
    {
        auto* button = child<QPushButton>(*window, "Command1");
        QTest::keyClick(child<QLineEdit>(*window, "Text1"), Qt::Key_Return);
        QTest::keyClick(child<QLineEdit>(*window, "Text1"), Qt::Key_Enter, Qt::KeypadModifier);
        button->setFocus();
        QTest::keyClick(button, Qt::Key_Return);
        QTest::keyClick(button, Qt::Key_Enter, Qt::KeypadModifier);
        QTest::keyClick(button, Qt::Key_Escape);
        QCOMPARE(probePresses, 0);
        QTest::keyClick(button, Qt::Key_Space);
        QCOMPARE(probePresses, 1);
    }

    // Typing neither completes nor inserts; arrow keys pick and raise the
    // list's click event.
    void theListBehavesLikeTheClassicControl()
    {
        auto* list = child<QComboBox>(*window, "Combo1");
        list->setFocus();
        QTest::keyClicks(list->lineEdit(), "ab");
        QCOMPARE(list->currentText(), QStringLiteral("ab"));
        QTest::keyClick(list->lineEdit(), Qt::Key_Return);
        QTest::keyClick(list->lineEdit(), Qt::Key_Escape);
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->currentText(), QStringLiteral("ab"));
        QCOMPARE(probePicks, 0);
        // An entry's exact text typed, then the focus moved on: no pick.
        QTest::keyClick(list->lineEdit(), Qt::Key_C);
        QTest::keyClick(list->lineEdit(), Qt::Key_Tab);
        QVERIFY(!list->hasFocus());
        QCOMPARE(list->currentText(), QStringLiteral("abc"));
        QCOMPARE(probePicks, 0);
        list->setFocus();
        list->lineEdit()->selectAll();
        QTest::keyClicks(list->lineEdit(), "ab");
        QTest::keyClick(list->lineEdit(), Qt::Key_Down);
        QCOMPARE(probePicks, 1);
        QCOMPARE(list->currentText(), QStringLiteral("abc"));
        QCOMPARE(child<QLineEdit>(*window, "Text3")->text(), QStringLiteral("abc"));
        QTest::keyClick(list->lineEdit(), Qt::Key_Down);
        QCOMPARE(probePicks, 2);
        QCOMPARE(child<QLineEdit>(*window, "Text3")->text(), QStringLiteral("abd"));
    }

    // A pick from the first list empties the second and fills it anew; the
    // second's own picks raise its own click. Refilled, the second list has
    // nothing chosen and an empty text, so Down picks its first entry.
    void aListRefilledByAnothersPick()
    {
        auto* first = child<QComboBox>(*window, "Combo1");
        auto* second = child<QComboBox>(*window, "Combo2");
        auto* text3 = child<QLineEdit>(*window, "Text3");
        QCOMPARE(second->count(), 0);
        const char* rows[][4] = {
            // Down presses on Combo1, the entries Combo2 then holds, Text3 after a Down on Combo2
            {"1", "abc-1", "abc-2", "abc-1"},
            {"1", "abd-1", "abd-2", "abd-1"},
            {"0", "abd-1", "abd-2", "abd-2"},
        };
        for (const auto& row : rows) {
            first->setFocus();
            for (int i = 0; i < row[0][0] - '0'; ++i)
                QTest::keyClick(first->lineEdit(), Qt::Key_Down);
            if (row[0][0] != '0') {
                QCOMPARE(second->count(), 2);
                QCOMPARE(second->itemText(0), QString::fromUtf8(row[1]));
                QCOMPARE(second->itemText(1), QString::fromUtf8(row[2]));
                QCOMPARE(second->currentIndex(), -1);
                QCOMPARE(second->currentText(), QString());
            }
            second->setFocus();
            QTest::keyClick(second->lineEdit(), Qt::Key_Down);
            QCOMPARE(second->currentText(), QString::fromUtf8(row[3]));
            QCOMPARE(text3->text(), QString::fromUtf8(row[3]));
        }
    }

    // Any other exception of a handler ends as the frame's message, like a
    // run-time error: the box written stays, the other result box is
    // emptied, the input stays as typed, and the window goes on.
    void anyOtherExceptionIsTheFramesMessage()
    {
        guard.allow(true);
        auto* text1 = child<QLineEdit>(*window, "Text1");
        text1->selectAll();
        QTest::keyClicks(text1, "fault");
        QTest::mouseClick(child<QPushButton>(*window, "Command1"), Qt::LeftButton);
        QVERIFY(window->lastFailure() && window->lastFailure()->unexpected);
        auto* box = window->findChild<QMessageBox*>();
        QVERIFY(box != nullptr);
        QTRY_VERIFY(box->isVisible());
        QCOMPARE(box->text(), QStringLiteral("予期しないエラーが発生しました。（probe fault）"));
        QCOMPARE(text1->text(), QStringLiteral("fault"));
        QCOMPARE(child<QLineEdit>(*window, "Text2")->text(), QStringLiteral("written"));
        QCOMPARE(child<QLineEdit>(*window, "Text3")->text(), QString());
        box->accept();
        QTRY_VERIFY(window->findChild<QMessageBox*>() == nullptr);
        text1->selectAll();
        QTest::keyClicks(text1, "4");
        QTest::mouseClick(child<QPushButton>(*window, "Command1"), Qt::LeftButton);
        QCOMPARE(child<QLineEdit>(*window, "Text3")->text(), QStringLiteral("0.25"));
    }

    // The wheel over the list picks only while the list has the keyboard
    // focus, one entry a step like an arrow key, raising the list's click.
    void theWheelPicksOnlyWithTheFocus()
    {
        auto* list = child<QComboBox>(*window, "Combo1");
        auto* text3 = child<QLineEdit>(*window, "Text3");
        wheel(-1);
        wheel(1);
        QCOMPARE(QApplication::focusWidget(), window->control("Text1"));
        QCOMPARE(list->currentIndex(), -1);
        QCOMPARE(probePicks, 0);
        QCOMPARE(text3->text(), QStringLiteral("old"));

        QTest::mouseClick(list->lineEdit(), Qt::LeftButton);
        QVERIFY(list->hasFocus());
        QCOMPARE(probePicks, 0);
        const char* shown[] = {"abc", "abd", "abd", "abc"};
        const int steps[] = {-1, -1, -1, 1};
        for (int i = 0; i < 4; ++i) {
            wheel(steps[i]);
            QCOMPARE(list->currentText(), QString::fromUtf8(shown[i]));
            QCOMPARE(text3->text(), QString::fromUtf8(shown[i]));
        }
        QCOMPARE(probePicks, 3);  // the step past the last entry probePicks nothing
    }

    // The client area keeps its designed size, with no maximise button; the
    // window is that and the menu bar above it.
    void theWindowKeepsItsSize()
    {
        const QSize designed(twipsToPixels(4800), twipsToPixels(3000));
        const QSize whole = designed + QSize(0, window->menuBar()->height());
        QCOMPARE(window->clientArea()->size(), designed);
        QCOMPARE(window->size(), whole);
        window->resize(designed + QSize(200, 100));
        QCOMPARE(window->size(), whole);
        QCOMPARE(window->clientArea()->size(), designed);
        QCOMPARE(window->minimumSize(), whole);
        QCOMPARE(window->maximumSize(), whole);
        QVERIFY(!(window->windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(window->windowFlags() & Qt::WindowCloseButtonHint);
    }

    // The suite's icon (red fluid in the middle of the pipe), and Qt's own
    // texts in Japanese: the context menu of a box.
    void iconAndQtTexts()
    {
        const QImage icon = window->windowIcon().pixmap(64).toImage();
        QVERIFY(!icon.isNull());
        const QColor middle = icon.pixelColor(32, 32);
        QVERIFY2(middle.red() > 200 && middle.green() < 170 && middle.blue() < 130,
                 qPrintable(middle.name()));
        std::unique_ptr<QMenu> menu(child<QLineEdit>(*window, "Text1")->createStandardContextMenu());
        QStringList texts;
        for (QAction* a : menu->actions())
            if (!a->isSeparator())
                texts << a->text().section('\t', 0, 0);
        QCOMPARE(texts.first(), QStringLiteral("元に戻す(&U)"));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("キャンセル"));
    }

    // A box whose text does not fit shows the whole text as its tooltip,
    // whether typed or written by a handler.
    void aCutTextIsItsTooltip()
    {
        auto* text1 = child<QLineEdit>(*window, "Text1");
        auto* text3 = child<QLineEdit>(*window, "Text3");
        QCOMPARE(text1->toolTip(), QString());
        QTest::keyClicks(text1, "3.00000000000000000000001");
        QCOMPARE(text1->toolTip(), QStringLiteral("3.00000000000000000000001"));
        QTest::mouseClick(child<QPushButton>(*window, "Command1"), Qt::LeftButton);
        QCOMPARE(text3->text(), QStringLiteral("0.333333333333333"));
        QCOMPARE(text3->toolTip(), QStringLiteral("0.333333333333333"));
        text1->selectAll();
        QTest::keyClicks(text1, "4");
        QCOMPARE(text1->toolTip(), QString());
        QTest::mouseClick(child<QPushButton>(*window, "Command1"), Qt::LeftButton);
        QCOMPARE(text3->text(), QStringLiteral("0.25"));
        QCOMPARE(text3->toolTip(), QString());
    }

    // A box the last act reading it read otherwise than as typed, as the
    // window shows it: a red frame over the box, the note as its tooltip
    // (under the whole text when that is cut) and as its accessible
    // description. Each row starts from a fresh window; "type" selects the
    // box's text and types, "press" clicks 計算, "pick" picks from Combo1
    // with Down (its handler reads no number).
    void aBoxReadOtherwiseThanTypedIsMarked_data()
    {
        QTest::addColumn<QStringList>("acts");
        QTest::addColumn<QString>("note");
        QTest::addColumn<QString>("tooltip");
        const QString note = QStringLiteral("「4abc」を 4 として計算しました");
        const QString longText = QStringLiteral("3.00000000000000000000001x");
        const QString longNote = QStringLiteral("「3.00000000000000000000001x」を 3 として計算しました");
        QTest::newRow("typed 4abc and pressed") << QStringList{"type 4abc", "press"} << note << note;
        QTest::newRow("typing alone keeps the mark")
            << QStringList{"type 4abc", "press", "type 4"} << note << note;
        QTest::newRow("a pick keeps the mark") << QStringList{"type 4abc", "press", "pick"} << note << note;
        QTest::newRow("mended and pressed, the mark goes")
            << QStringList{"type 4abc", "press", "type 4", "press"} << QString() << QString();
        QTest::newRow("typed, not pressed: no mark") << QStringList{"type 4abc"} << QString() << QString();
        QTest::newRow("a cut text over its note")
            << QStringList{"type " + longText, "press"} << longNote << longText + "\n" + longNote;
    }
    void aBoxReadOtherwiseThanTypedIsMarked()
    {
        QFETCH(QStringList, acts);
        QFETCH(QString, note);
        QFETCH(QString, tooltip);
        auto* text1 = child<QLineEdit>(*window, "Text1");
        for (const QString& act : acts) {
            if (act.startsWith("type ")) {
                text1->setFocus();
                text1->selectAll();
                QTest::keyClicks(text1, act.mid(5));
            } else if (act == "press") {
                QTest::mouseClick(child<QPushButton>(*window, "Command1"), Qt::LeftButton);
            } else if (act == "pick") {
                auto* list = child<QComboBox>(*window, "Combo1");
                list->setFocus();
                QTest::keyClick(list->lineEdit(), Qt::Key_Down);
                QCOMPARE(probePicks, 1);
            }
        }
        QCOMPARE(QString::fromStdString(window->noteOf("Text1")), note);
        QCOMPARE(text1->toolTip(), tooltip);
        QAccessibleInterface* box = QAccessible::queryAccessibleInterface(text1);
        QCOMPARE(box->text(QAccessible::Description), tooltip.isEmpty() ? QString() : note);
        // The frame: just inside the box's own border, red where marked.
        const QImage picture = text1->grab().toImage();
        for (const QPoint at : {QPoint(2, text1->height() / 2), QPoint(text1->width() / 2, 1)}) {
            const QColor c = picture.pixelColor(at);
            const bool red = c.red() > 150 && c.green() < 60 && c.blue() < 60;
            QVERIFY2(red == !note.isEmpty(), qPrintable(c.name()));
        }
    }

    // A long text not read as typed: its tooltip's lines (the whole text and
    // the note) cut to 200 characters and broken to the screen's width, the
    // description cut alike.
    void aLongMarkIsCutAndWrapped()
    {
        auto* text1 = child<QLineEdit>(*window, "Text1");
        const QString typed = QStringLiteral("1") + QString(399, QLatin1Char('x'));
        text1->setFocus();
        text1->selectAll();
        QTest::keyClicks(text1, typed);
        QTest::mouseClick(child<QPushButton>(*window, "Command1"), Qt::LeftButton);
        const QString note = QStringLiteral("「") + typed + QStringLiteral("」を 1 として計算しました");
        QCOMPARE(QString::fromStdString(window->noteOf("Text1")), note);
        const QChar dots(0x2026);
        const QString cutNote = note.left(199) + dots;
        QCOMPARE(QAccessible::queryAccessibleInterface(text1)->text(QAccessible::Description), cutNote);
        QCOMPARE(QString(text1->toolTip()).remove(QLatin1Char('\n')), typed.left(199) + dots + cutNote);
        const QFontMetrics metrics(QToolTip::font());
        const QStringList lines = text1->toolTip().split(QLatin1Char('\n'));
        QVERIFY(lines.size() > 2);
        for (const QString& line : lines)
            QVERIFY2(metrics.horizontalAdvance(line) <= text1->screen()->availableGeometry().width(),
                     qPrintable(line));
    }

    // A modal dialog that a test does not expect is closed at once and
    // reported, a blocking one included.
    void anUnexpectedDialogIsClosedAndReported()
    {
        QMessageBox::information(window.get(), QStringLiteral("probe"), QStringLiteral("blocking"));
        QCOMPARE(guard.take(), QStringList{QStringLiteral("QMessageBox \"probe\": blocking")});
        auto* text1 = child<QLineEdit>(*window, "Text1");
        QTest::keyClicks(text1, "0");
        QTest::mouseClick(child<QPushButton>(*window, "Command1"), Qt::LeftButton);
        QCOMPARE(guard.take(),
                 QStringList{QStringLiteral("QMessageBox \"ミルフォ－９\": 0 で除算しました。")});
        QTRY_VERIFY(window->findChild<QMessageBox*>() == nullptr);
    }

    void labelsArePlainWrappingText()
    {
        auto* label = child<QLabel>(*window, "Label1");
        QCOMPARE(label->textFormat(), Qt::PlainText);
        QVERIFY(label->wordWrap());
        QCOMPARE(label->text(), QStringLiteral("<b>太字</b>ではない"));
        QCOMPARE(label->focusPolicy(), Qt::NoFocus);
    }

    void fonts()
    {
        const QFont box = child<QLineEdit>(*window, "Text1")->font();
        QCOMPARE(box.family(), QStringLiteral("ＭＳ Ｐゴシック"));
        QCOMPARE(box.pointSizeF(), 9.75);
        QCOMPARE(QFontInfo(box).family(), QStringLiteral("IPAPGothic"));
        const QFont ui = child<QPushButton>(*window, "Command1")->font();
        QCOMPARE(QFontInfo(ui).family(), QStringLiteral("IPAPGothic"));
        QCOMPARE(ui.pixelSize(), 11);
    }

    // A handler that ends the program closes the window; nothing runs after.
    void endingTheProgram()
    {
        bool ended = false;
        window->setEndHandler([&] {
            ended = true;
            window->close();
        });
        QTest::mouseClick(child<QPushButton>(*window, "Command2"), Qt::LeftButton);
        QVERIFY(ended);
        QVERIFY(window->hasEnded());
        QVERIFY(!window->isVisible());
        QTest::mouseClick(child<QPushButton>(*window, "Command1"), Qt::LeftButton);
        QCOMPARE(probePresses, 0);
    }
};

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    setUpApplication(app);
    FrameWindowTests tests;
    return QTest::qExec(&tests, argc, argv);
}

#include "frame_window.moc"
