// Every registered program through its real window on the offscreen
// platform: the layout against its table, the Tab key's path, the cases.
#include <QAccessible>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QTest>
#include <set>

#include "catalogue.h"
#include "drive.h"
#include "gui_harness.h"
#include "modal_guard.h"
#include "test_paths.h"

using namespace milfo;

namespace {

// A window of the program, loaded, shown and active, with its driver.
struct Session {
    explicit Session(const std::string& name) : window(*findProgram(name)), driver(window)
    {
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
