// Every registered program through its real window on the offscreen
// platform: the layout against its table, the Tab key's path, the cases.
#include <QAccessible>
#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QScrollArea>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <set>

#include "catalogue.h"
#include "chart_painter.h"
#include "drive.h"
#include "gui_harness.h"
#include "modal_guard.h"
#include "record_window.h"
#include "sheet.h"
#include "test_paths.h"

using namespace milfo;

namespace {

// A window of the program, loaded, shown and active, with its driver.
struct Session {
    explicit Session(const std::string& name) : window(*findProgram(name)), driver(window)
    {
        const CatalogueEntry* e = findEntry(name);
        window.setSheetTitle({e->menu, e->title, e->commentJa, "0.1.0"});
        window.load();
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }
    std::vector<std::string> run(const std::vector<std::string>& commands)
    {
        std::vector<std::string> out;
        for (const std::string& c : commands)
            for (std::string& line : driver.execute(c))
                out.push_back(std::move(line));
        return out;
    }
    CalculatorWindow window;
    Driver driver;
};

std::vector<test::ProgramCases> allCases()
{
    std::vector<test::ProgramCases> all;
    for (auto make : test::registeredCases())
        all.push_back(make());
    return all;
}

// The README's example: rock wool, 300 °C inside, 20 °C ambient, still air,
// aluminium sheet, a vertical plane, the surface at most 60 °C.
const std::vector<std::string> kDesignExample = {"pick Combo1 ロックウール",
                                                 "pick Combo2 保温板１号",
                                                 "set Text1 300",
                                                 "set Text2 20",
                                                 "pick Combo3 アルミニウム板",
                                                 "pick Combo4 垂直平面",
                                                 "set Text4 0",
                                                 "pick Combo6 表面温度上限",
                                                 "click Command1"};

// The texts of a table widget: its heads, then its rows, a line each, cells
// separated by " | ".
QStringList tableTexts(const QTableWidget* table)
{
    QStringList lines, heads;
    for (int k = 0; k < table->columnCount(); ++k)
        heads << table->horizontalHeaderItem(k)->text();
    lines << heads.join(QStringLiteral(" | "));
    for (int r = 0; r < table->rowCount(); ++r) {
        QStringList cells;
        for (int k = 0; k < table->columnCount(); ++k)
            cells << (table->item(r, k) != nullptr ? table->item(r, k)->text() : QStringLiteral("?"));
        lines << cells.join(QStringLiteral(" | "));
    }
    return lines;
}

QString joined(const std::vector<std::string>& lines)
{
    QStringList out;
    for (const std::string& l : lines)
        out << QString::fromStdString(l);
    return out.join('\n');
}

}  // namespace

Q_DECLARE_METATYPE(test::GuiCase)

class GuiTests : public QObject {
    Q_OBJECT

    // The driver reports run-time errors without a dialog: any modal dialog
    // is unexpected, and fails the test instead of waiting for input.
    test::ModalGuard guard;

private slots:
    void cleanup()
    {
        const QStringList unexpected = guard.take();
        QVERIFY2(unexpected.isEmpty(), qPrintable("unexpected modal dialog: " + unexpected.join('\n')));
    }

    void everyProgramHasCases()
    {
        for (const ProgramDescription* p : allPrograms()) {
            bool found = false;
            for (const test::ProgramCases& pc : allCases())
                found = found || pc.program == p->name;
            QVERIFY2(found, p->name);
        }
    }

    void layout_data()
    {
        QTest::addColumn<QString>("program");
        for (const ProgramDescription* p : allPrograms())
            QTest::newRow(p->name) << QString::fromUtf8(p->name);
    }
    // The window as built, held against the table in tests/layout/NAME.tsv:
    // caption, client size, every control's twip rectangle, tab index, font,
    // text, and the list entries.
    void layout()
    {
        QFETCH(QString, program);
        QFile file(QString::fromUtf8(test_paths::testData) + QStringLiteral("/layout/") + program +
                   QStringLiteral(".tsv"));
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
        QString expected = QString::fromUtf8(file.readAll());
        while (expected.endsWith('\n'))
            expected.chop(1);
        Session s(program.toStdString());
        QCOMPARE(joined(s.driver.dump()), expected);
    }

    void accessibleNames_data()
    {
        QTest::addColumn<QString>("program");
        for (const ProgramDescription* p : allPrograms())
            QTest::newRow(p->name) << QString::fromUtf8(p->name);
    }
    // Every box and the list carry a name for assistive technology, each
    // different within its window; the boxes with a label beside them are its
    // buddy; buttons carry their captions.
    void accessibleNames()
    {
        QFETCH(QString, program);
        Session s(program.toStdString());
        std::set<QString> seen;
        for (const Control& c : s.window.program().controls) {
            QWidget* w = s.window.control(c.name);
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
            QVERIFY(a != nullptr);
            const QString name = a->text(QAccessible::Name);
            if (c.kind == ControlKind::CommandButton)
                QCOMPARE(name, QString::fromUtf8(c.text));
            if (c.kind == ControlKind::TextBox || c.kind == ControlKind::ComboBox) {
                QVERIFY2(!name.isEmpty(), c.name);
                QVERIFY2(seen.insert(name).second, qPrintable(QString::fromUtf8(c.name) + " " + name));
            }
        }
        for (const Caption& caption : s.window.program().captions)
            if (auto* label = qobject_cast<QLabel*>(s.window.control(caption.label)))
                QCOMPARE(label->buddy(), s.window.control(caption.control));
    }

    void accessibleNameRows_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("name");
        const char* rows[][3] = {
            {"fennick", "Text1", "低温側温度（℃）"},
            {"fennick", "Text3", "平均熱伝導率（Ｗ／ｍｋ）"},
            {"fennick", "Combo1", "ポリエチレンフォームの種類"},
            {"halcott", "Text2", "高温側温度（℃）"},
            {"熱伝達率", "Text1", "環境温度（℃）"},
            {"熱伝達率", "Combo1", "放射率"},
            {"熱伝達率", "Text12", "ε＝"},
            {"熱伝達率", "Text7", "対流による熱伝達率（Ｗ／ｍ2/Ｋ） 上向き平面"},
            {"熱伝達率", "Text10", "対流による熱伝達率（Ｗ／ｍ2/Ｋ） 垂直平面及び管 Δθ＜１０Ｋ"},
            {"放散熱量", "Text10", "２．配管 放散熱量(W/m2)"},
            {"表面温度", "Text2", "放散熱量(W/m2)"},
            {"lorvast", "Text4", "相対湿度（％）"},
        };
        for (const auto& r : rows)
            QTest::newRow((std::string(r[0]) + " " + r[1]).c_str())
                << QString::fromUtf8(r[0]) << QString::fromUtf8(r[1]) << QString::fromUtf8(r[2]);
    }
    void accessibleNameRows()
    {
        QFETCH(QString, program);
        QFETCH(QString, control);
        QFETCH(QString, name);
        Session s(program.toStdString());
        QWidget* w = s.window.control(control.toStdString());
        QCOMPARE(QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name), name);
    }

    void tabPath_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("path");
        for (const test::ProgramCases& pc : allCases()) {
            QStringList path;
            for (const std::string& c : pc.tabPath)
                path << QString::fromStdString(c);
            QTest::newRow(pc.program.c_str()) << QString::fromStdString(pc.program) << path;
        }
    }
    // The focus starts on the first control of the path and Tab visits the
    // rest in order; Backtab walks back.
    void tabPath()
    {
        QFETCH(QString, program);
        QFETCH(QStringList, path);
        Session s(program.toStdString());
        QStringList seen;
        for (int i = 0; i < path.size(); ++i) {
            seen << QString::fromStdString(s.run({"focus"}).at(0));
            s.run({"key Tab"});
        }
        QCOMPARE(seen, path);
        s.run({"key Backtab", "key Backtab"});
        QCOMPARE(QString::fromStdString(s.run({"focus"}).at(0)), path.at(path.size() - 2));
    }

    // The menus above the client area: every program opens and saves a
    // case; a program with a record prints its calculation sheet, writes it
    // as PDF and shows the record in a window of its own.
    void menus_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("menus");
        QTest::newRow("fennick") << QStringLiteral("fennick")
                                 << QStringList{
                                        QStringLiteral("ファイル(&F): 開く(&O)… Ctrl+O, 保存(&S)… Ctrl+S")};
        QTest::newRow("保温設計") << QStringLiteral("保温設計")
                                  << QStringList{
                                         QStringLiteral("ファイル(&F): 開く(&O)… Ctrl+O, 保存(&S)… Ctrl+S, "
                                                        "印刷(&P)… Ctrl+P, 計算書を PDF で保存(&D)… "),
                                         QStringLiteral("表示(&V): 計算の記録(&R) Ctrl+R")};
    }
    void menus()
    {
        QFETCH(QString, program);
        QFETCH(QStringList, menus);
        Session s(program.toStdString());
        QStringList seen;
        for (QAction* menu : s.window.menuBar()->actions()) {
            QStringList items;
            for (QAction* a : menu->menu()->actions())
                if (!a->isSeparator())
                    items << a->text() + QLatin1Char(' ') + a->shortcut().toString();
            seen << menu->text() + QStringLiteral(": ") + items.join(QStringLiteral(", "));
        }
        QCOMPARE(seen, menus);
    }

    // Where the screen has room the window is its designed client area and
    // the menu bar, fixed; where it has not (the offscreen screen is 800 ×
    // 600), the window fits the screen and the client area scrolls, its
    // size kept.
    void largerThanTheScreenScrolls_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<bool>("fits");
        QTest::newRow("fennick") << QStringLiteral("fennick") << true;
        QTest::newRow("保温設計") << QStringLiteral("保温設計") << false;
    }
    void largerThanTheScreenScrolls()
    {
        QFETCH(QString, program);
        QFETCH(bool, fits);
        Session s(program.toStdString());
        const ProgramDescription& p = s.window.program();
        const QSize designed(twipsToPixels(p.clientWidth), twipsToPixels(p.clientHeight));
        QCOMPARE(s.window.clientArea()->size(), designed);
        const QSize screen = s.window.screen()->availableGeometry().size();
        auto* scroll = s.window.findChild<QScrollArea*>();
        if (fits) {
            QCOMPARE(s.window.size(), designed + QSize(0, s.window.menuBar()->height()));
            QCOMPARE(s.window.minimumSize(), s.window.maximumSize());
            return;
        }
        QVERIFY(designed.width() > screen.width());
        QVERIFY(s.window.width() <= screen.width() && s.window.height() <= screen.height());
        QVERIFY(scroll->horizontalScrollBar()->isVisible() && scroll->horizontalScrollBar()->maximum() > 0);
        // The focus on a box out of sight brings it (its caret) into view.
        s.run({"set Text37 1"});
        QWidget* far = s.window.control("Text37");
        const QPoint at = far->mapTo(scroll->viewport(), QPoint(0, 0));
        QVERIFY2(scroll->viewport()->rect().contains(QRect(at, QSize(8, far->height()))),
                 "Text37 is not in view");
    }

    // 保温設計's record in its window (表示 → 計算の記録, Ctrl+R), after the
    // README's example and after a design that stops (the rows worked out
    // before it stopped): a tab per table with rows, under the table's title;
    // each a table widget with its heads and rows, the adopted row shaded,
    // and the chart above it where the table asks for one; none once a case
    // is opened.
    void record_data()
    {
        QTest::addColumn<QStringList>("commands");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QStringList>("sweep");
        QTest::addColumn<int>("marked");
        QStringList example;
        for (const std::string& c : kDesignExample)
            example << QString::fromStdString(c);
        const QString heads = QStringLiteral(
            "標準厚さ（ｍｍ） | 表面温度（℃） | 放散熱量（Ｗ／ｍ２・Ｗ／ｍ） | 平均熱伝導率（Ｗ／ｍＫ） | "
            "表面熱伝達率（Ｗ／ｍ２Ｋ） | 境界温度（℃） | 備考");
        QTest::newRow("the example")
            << example << QString()
            << QStringList{heads,
                           "20 | 96.2010885196936 | 716.381501901973 | 0.07030278 | 9.40119774951547 |  | ",
                           "25 | 85.6588801300068 | 593.106056358593 | 0.06917782 | 9.03314304453903 |  | ",
                           "30 | 77.897590275795 | 506.168208293591 | 0.06836957 | 8.7424745292932 |  | ",
                           "40 | 67.1646237412617 | 391.607449177205 | 0.06727628 | 8.30299105799097 |  | ",
                           "50 | 60.0399347937997 | 319.456531192388 | 0.06656452 | 7.97844783807832 |  | ",
                           "65 | 52.8808677708482 | 250.386465358829 | 0.06585941 | 7.61495916421094 |  | ",
                           "75 | 49.479696401132 | 218.880324113888 | 0.06552772 | 7.4247821665315 |  | ",
                           "100 | 43.5944032911893 | 166.557178256974 | 0.06495848 | 7.05918162885563 |  | "}
            << 5;
        QStringList stops = example;
        stops.insert(stops.size() - 1, QStringLiteral("set Text10 20,25"));
        QTest::newRow("a design that stops")
            << stops
            << QStringLiteral("! 設計条件を満たす標準厚さがありません。より厚い標準厚さを加えてください。")
            << QStringList{heads,
                           "20 | 96.2010885196936 | 716.381501901973 | 0.07030278 | 9.40119774951547 |  | ",
                           "25 | 85.6588801300068 | 593.106056358593 | 0.06917782 | 9.03314304453903 |  | "}
            << -1;
    }
    void record()
    {
        QFETCH(QStringList, commands);
        QFETCH(QString, fault);
        QFETCH(QStringList, sweep);
        QFETCH(int, marked);
        Session s("保温設計");
        std::vector<std::string> lines;
        for (const QString& c : commands)
            lines.push_back(c.toStdString());
        const std::vector<std::string> out = s.run(lines);
        QCOMPARE(out.empty() ? QString() : QString::fromStdString(out.back()), fault);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_R, Qt::ControlModifier);
        RecordWindow* record = s.window.recordWindow();
        QTRY_VERIFY(record->isVisible());
        QTabWidget* tabs = record->tabs();
        QStringList titles;
        for (int i = 0; i < tabs->count(); ++i)
            titles << tabs->tabText(i);
        QCOMPARE(titles, (QStringList{QStringLiteral("標準厚さごとの表面温度と放散熱量"),
                                      QStringLiteral("計算の過程（各プログラムに入力した値と結果）")}));
        auto* table = tabs->widget(0)->findChild<QTableWidget*>();
        QCOMPARE(tableTexts(table), sweep);
        for (int r = 0; r < table->rowCount(); ++r)
            QCOMPARE(table->item(r, 0)->background().color() == QColor(0xe3, 0xf1, 0xe3), r == marked);
        QCOMPARE(table->accessibleName(), titles[0]);
        auto* chart = tabs->widget(0)->findChild<ChartView*>();
        QVERIFY(chart != nullptr);
        QCOMPARE(chart->plot().mark.has_value(), marked >= 0);
        QCOMPARE(chart->plot().lines.at(0).points.size(), static_cast<size_t>(sweep.size() - 1));
        // The steps from 1, each a row, no chart.
        auto* steps = tabs->widget(1)->findChild<QTableWidget*>();
        QVERIFY(steps->rowCount() >= 3);
        for (int r = 0; r < steps->rowCount(); ++r)
            QCOMPARE(steps->item(r, 0)->text(), QString::number(r + 1));
        QVERIFY(tabs->widget(1)->findChild<ChartView*>() == nullptr);
        // A case opened starts the window again: no record of a press.
        QTemporaryDir dir;
        const std::string path = dir.filePath(QStringLiteral("case.csv")).toStdString();
        QCOMPARE(s.run({"save " + path, "open " + path}), std::vector<std::string>{});
        QCOMPARE(tabs->count(), 0);
        record->close();
    }

    // The calculation sheet written as PDF (milfo-drive's print, what
    // 計算書を PDF で保存 writes), read back with poppler's pdftotext: the
    // heading, every caption of the sheet with its value and unit on its
    // line, the adopted thickness, the tables' titles and the steps of the
    // calculation numbered from 1.
    void printedSheet()
    {
        const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        if (pdftotext.isEmpty())
            QSKIP("poppler's pdftotext is not installed");
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("計算書.pdf"));
        Session s("保温設計");
        s.run(kDesignExample);
        QCOMPARE(s.run({"print " + pdf.toStdString()}), std::vector<std::string>{});
        QProcess reader;
        reader.start(pdftotext, {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        QVERIFY(reader.waitForFinished(20000));
        const QStringList lines = QString::fromUtf8(reader.readAllStandardOutput()).split(QLatin1Char('\n'));
        const auto lineWith = [&](const QStringList& parts) {
            for (const QString& line : lines) {
                qsizetype at = 0;
                bool all = true;
                for (const QString& part : parts) {
                    at = line.indexOf(part, at);
                    all = all && at >= 0;
                }
                if (all)
                    return true;
            }
            return false;
        };
        QVERIFY(lineWith({QStringLiteral("ミルフォ 0.1.0"), QStringLiteral("計算日時")}));
        QVERIFY(lineWith({QStringLiteral("計算書"), QStringLiteral("7"), QStringLiteral("保温厚さの設計")}));
        const CalculationSheet sheet = s.window.sheet();
        for (const SheetSection& section : sheet.sections) {
            QVERIFY(lineWith({QString::fromStdString(section.title)}));
            for (const SheetRow& row : section.rows)
                QVERIFY2(lineWith({QString::fromStdString(row.caption), QString::fromStdString(row.text)}),
                         row.caption.c_str());
        }
        QVERIFY(lineWith({QStringLiteral("採用厚さ（ｍｍ）"), QStringLiteral("65")}));
        QVERIFY(lineWith({QStringLiteral("採用厚さ 65")}));  // the chart's mark
        QVERIFY(lineWith({QStringLiteral("標準厚さごとの表面温度と放散熱量")}));
        QVERIFY(lineWith({QStringLiteral("計算の過程（各プログラムに入力した値と結果）")}));
        // The steps: their numbers in order at the start of lines.
        int step = 0;
        for (const QString& line : lines)
            if (line.trimmed().startsWith(QString::number(step + 1) + QLatin1Char(' ')) && step + 1 < 100)
                ++step;
        QVERIFY2(step >= 9, qPrintable(QString::number(step)));
    }

    // Every program's first case of entries and presses: the inputs saved,
    // opened into a window of the same program where other texts were typed:
    // the same inputs, nothing pressed (the results as the window starts),
    // the file's name in the title; the same press then writes the same
    // texts.
    void saveAndOpen_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<test::GuiCase>("c");
        for (const test::ProgramCases& pc : allCases())
            for (const test::GuiCase& c : pc.cases) {
                bool entries = c.commands.size() > 1 && c.commands.back().rfind("click ", 0) == 0;
                for (size_t i = 0; i + 1 < c.commands.size(); ++i)
                    entries = entries &&
                              (c.commands[i].rfind("set ", 0) == 0 || c.commands[i].rfind("pick ", 0) == 0 ||
                               c.commands[i].rfind("click ", 0) == 0);
                if (entries) {
                    QTest::newRow((pc.program + ": " + c.title).c_str())
                        << QString::fromStdString(pc.program) << c;
                    break;
                }
            }
    }
    void saveAndOpen()
    {
        QFETCH(QString, program);
        QFETCH(test::GuiCase, c);
        QTemporaryDir dir;
        const std::string path = dir.filePath(QStringLiteral("L-101.csv")).toStdString();
        Session typed(program.toStdString());
        typed.run(std::vector<std::string>(c.commands.begin(), c.commands.end() - 1));
        QCOMPARE(typed.run({"save " + path}), std::vector<std::string>{});
        QCOMPARE(typed.window.windowTitle(),
                 QString::fromUtf8(typed.window.program().caption) + QStringLiteral(" — L-101.csv"));
        Session opened(program.toStdString());
        std::vector<std::string> other;
        for (const Control* input : opened.window.rules().inputs())
            if (input->kind == ControlKind::TextBox)
                other.push_back(std::string("set ") + input->name + " 7");
        opened.run(other);
        QCOMPARE(opened.run({"open " + path}), std::vector<std::string>{});
        QCOMPARE(opened.window.windowTitle(), typed.window.windowTitle());
        for (const Control* input : opened.window.rules().inputs())
            QCOMPARE(QString::fromStdString(opened.window.controlText(input->name)),
                     QString::fromStdString(typed.window.controlText(input->name)));
        for (const Control* result : opened.window.rules().results())
            QCOMPARE(QString::fromStdString(opened.window.controlText(result->name)),
                     QString::fromUtf8(result->text));
        typed.run({c.commands.back()});
        opened.run({c.commands.back()});
        const Control* button = opened.window.rules().find(c.commands.back().substr(6));
        for (const char* result : opened.window.rules().clickHandler(*button)->results)
            QCOMPARE(QString::fromStdString(opened.window.controlText(result)),
                     QString::fromStdString(typed.window.controlText(result)));
    }

    // A file that is no case of the program is refused with the window's
    // message, and what was typed stays.
    void openRefused()
    {
        QTemporaryDir dir;
        const std::string path = dir.filePath(QStringLiteral("design.csv")).toStdString();
        Session design("保温設計");
        design.run({"set Text1 300", "save " + path});
        Session s("fennick");
        s.run({"set Text1 12"});
        QCOMPARE(
            s.run({"open " + path}),
            std::vector<std::string>{"! このファイルは 保温設計 の入力です。fennick の入力ではありません。"});
        QCOMPARE(s.run({"get Text1"}), std::vector<std::string>{"12"});
        QCOMPARE(s.window.windowTitle(), QStringLiteral("ミルフォ－１．１．８"));
    }

    void cases_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<test::GuiCase>("c");
        for (const test::ProgramCases& pc : allCases())
            for (const test::GuiCase& c : pc.cases)
                QTest::newRow((pc.program + ": " + c.title).c_str())
                    << QString::fromStdString(pc.program) << c;
    }
    // The commands of a case, then every expected text and mark. A fault
    // line must be the last thing printed, and the window must stay and
    // answer.
    void cases()
    {
        QFETCH(QString, program);
        QFETCH(test::GuiCase, c);
        Session s(program.toStdString());
        const std::vector<std::string> out = s.run(c.commands);
        QString fault;
        for (const std::string& line : out)
            if (line.rfind("! ", 0) == 0 || line == "ended")
                fault = QString::fromStdString(line);
        QCOMPARE(fault, QString::fromStdString(c.fault));
        for (const auto& [name, text] : c.expect)
            QCOMPARE(QString::fromStdString(s.run({"get " + name}).at(0)), QString::fromStdString(text));
        for (const auto& [name, note] : c.marks)
            QCOMPARE(QString::fromStdString(s.run({"mark " + name}).at(0)), QString::fromStdString(note));
        // The same press again gives the same text.
        if (c.fault.empty() && !c.expect.empty()) {
            const std::vector<std::string> again = s.run({c.commands.back()});
            for (const auto& [name, text] : c.expect)
                QCOMPARE(QString::fromStdString(s.run({"get " + name}).at(0)), QString::fromStdString(text));
        }
    }
};

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    setUpApplication(app);
    GuiTests tests;
    return QTest::qExec(&tests, argc, argv);
}

#include "gui_main.moc"
