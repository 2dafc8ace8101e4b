// Every registered program through its real window on the offscreen
// platform: the layout against its table, the Tab key's path, the cases.
#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QTest>

#include "drive.h"
#include "gui_harness.h"
#include "registry.h"

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

private slots:
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
        QFile file(QStringLiteral(MILFO_TEST_DATA "/layout/") + program + QStringLiteral(".tsv"));
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
        QString expected = QString::fromUtf8(file.readAll());
        while (expected.endsWith('\n'))
            expected.chop(1);
        Session s(program.toStdString());
        QCOMPARE(joined(s.driver.dump()), expected);
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
    // The commands of a case, then every expected text. A fault line must be
    // the last thing printed, and the window must stay and answer.
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
