#include "drive.h"

#include "catalogue.h"
#include "record_window.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <iostream>
#include <map>

namespace milfo {

namespace {

QString qs(std::string_view s)
{
    return QString::fromUtf8(s.data(), static_cast<int>(s.size()));
}

// The widget that takes typed text: a text box, or the list's edit field.
QLineEdit* editField(QWidget* w)
{
    if (auto* box = qobject_cast<QLineEdit*>(w))
        return box;
    if (auto* list = qobject_cast<QComboBox*>(w))
        return list->lineEdit();
    return nullptr;
}

}  // namespace

void typeText(QWidget* w, const QString& text)
{
    for (int i = 0; i < text.size(); ++i) {
        QString unit = text.mid(i, 1);
        if (text.at(i).isHighSurrogate() && i + 1 < text.size())
            unit = text.mid(i++, 2);
        const ushort c = unit.at(0).unicode();
        if (unit.size() == 1 && c >= 0x20 && c < 0x7F)
            QTest::keyClick(w, static_cast<char>(c));
        else
            QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, unit, Qt::NoModifier);
    }
}

Driver::Driver(CalculatorWindow& window) : window_(window)
{
    window_.setErrorReporter([this](const Failure& failure) { faults_.push_back("! " + failure.message); });
    window_.setEndHandler([this] {
        ended_ = true;
        window_.close();
    });
}

QWidget* Driver::find(std::string_view name, std::vector<std::string>& out) const
{
    QWidget* w = window_.control(name);
    if (w == nullptr)
        out.push_back("? no control " + std::string(name));
    return w;
}

std::vector<std::string> Driver::execute(std::string_view line)
{
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    const size_t space = line.find(' ');
    const std::string_view command = line.substr(0, space);
    const std::string_view rest =
        space == std::string_view::npos ? std::string_view() : line.substr(space + 1);
    faults_.clear();
    std::vector<std::string> out = run(command, rest);
    out.insert(out.end(), faults_.begin(), faults_.end());
    if (ended_)
        out.emplace_back("ended");
    return out;
}

// Focuses the box (or the list's edit field), selects all and types.
void Driver::set(std::string_view name, std::string_view text, std::vector<std::string>& out)
{
    QWidget* w = find(name, out);
    QLineEdit* field = editField(w);
    if (w != nullptr && field == nullptr)
        out.push_back("? " + std::string(name) + " takes no text");
    if (field == nullptr)
        return;
    field->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    if (text.empty())
        QTest::keyClick(field, Qt::Key_Delete);
    else
        typeText(field, qs(text));
}

// Opens the list and clicks the entry, as a person does.
void Driver::pick(std::string_view name, std::string_view text, std::vector<std::string>& out)
{
    auto* list = qobject_cast<QComboBox*>(find(name, out));
    if (list == nullptr) {
        if (out.empty())
            out.push_back("? " + std::string(name) + " is not a list");
        return;
    }
    const int index = list->findText(qs(text), Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0) {
        out.emplace_back("? no entry");
        return;
    }
    list->setFocus(Qt::MouseFocusReason);
    list->showPopup();
    QAbstractItemView* view = list->view();
    const QModelIndex item = list->model()->index(index, list->modelColumn(), list->rootModelIndex());
    view->scrollTo(item);
    const QPoint at = view->visualRect(item).center();
    QTest::mouseMove(view->viewport(), at);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    if (list->view()->isVisible())
        list->hidePopup();
}

void Driver::key(std::string_view name, std::vector<std::string>& out)
{
    static const std::map<std::string_view, std::pair<Qt::Key, Qt::KeyboardModifiers>> keys = {
        {"Tab", {Qt::Key_Tab, Qt::NoModifier}},       {"Backtab", {Qt::Key_Backtab, Qt::ShiftModifier}},
        {"Return", {Qt::Key_Return, Qt::NoModifier}}, {"Enter", {Qt::Key_Enter, Qt::KeypadModifier}},
        {"Escape", {Qt::Key_Escape, Qt::NoModifier}}, {"Space", {Qt::Key_Space, Qt::NoModifier}},
    };
    const auto found = keys.find(name);
    if (found == keys.end()) {
        out.push_back("? unknown key " + std::string(name));
        return;
    }
    QWidget* target = QApplication::focusWidget();
    if (target == nullptr)
        target = &window_;
    QTest::keyClick(target, found->second.first, found->second.second);
}

// save, open and print PATH: the case written or read, the calculation
// sheet written as PDF; what the window would report, reported.
void Driver::file(std::string_view command, std::string_view path, std::vector<std::string>& out)
{
    const QString file = qs(path);
    QString error;
    if (command == "open")
        window_.openCase(file);
    else if (command == "save" ? !window_.saveCase(file, &error) : !window_.writeSheetPdf(file, &error))
        out.push_back("! " + error.toStdString());
}

std::vector<std::string> Driver::run(std::string_view command, std::string_view rest)
{
    std::vector<std::string> out;
    const size_t space = rest.find(' ');
    const std::string_view name = rest.substr(0, space);
    const std::string_view text =
        space == std::string_view::npos ? std::string_view() : rest.substr(space + 1);

    if (command == "set") {
        set(name, text, out);
    } else if (command == "pick") {
        pick(name, text, out);
    } else if (command == "click") {
        auto* button = qobject_cast<QPushButton*>(find(name, out));
        if (button != nullptr)
            QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->rect().center());
        else if (out.empty())
            out.push_back("? " + std::string(name) + " is not a button");
    } else if (command == "key") {
        key(rest, out);
    } else if (command == "get") {
        if (find(name, out) != nullptr)
            out.push_back(window_.controlText(name));
    } else if (command == "mark") {
        if (find(name, out) != nullptr)
            out.push_back(window_.noteOf(name));
    } else if (command == "focus") {
        const Control* c = window_.controlOf(QApplication::focusWidget());
        out.emplace_back(c != nullptr ? c->name : "");
    } else if (command == "dump") {
        out = dump();
    } else if (command == "save" || command == "open" || command == "print") {
        file(command, rest, out);
    } else if (command == "record") {
        if (!window_.showRecord())
            out.push_back("? " + std::string(window_.program().name) + " keeps no record beyond its boxes");
    } else {
        out.push_back("? unknown command " + std::string(command));
    }
    return out;
}

std::vector<std::string> Driver::dump() const
{
    std::vector<std::string> out;
    out.push_back(std::string("caption\t") + window_.windowTitle().toStdString());
    const QWidget* client = window_.clientArea();
    out.push_back("client\t" + std::to_string(client->width() * 15) + "\t" +
                  std::to_string(client->height() * 15));
    for (const Control* c : window_.rules().byTabIndex()) {
        const QRect r = window_.control(c->name)->geometry();
        const std::string font =
            c->font == FontChoice::MsPGothic
                ? std::string(kMsPGothicFamily) + " " + QString::number(kMsPGothicPoints).toStdString()
                : std::string("default");
        out.push_back("control\t" + std::string(c->name) + "\t" + kindName(c->kind) + "\t" +
                      std::to_string(r.x() * 15) + "\t" + std::to_string(r.y() * 15) + "\t" +
                      std::to_string(r.width() * 15) + "\t" + std::to_string(r.height() * 15) + "\t" +
                      std::to_string(c->tabIndex) + "\t" + font + "\t" + window_.controlText(c->name));
    }
    // The entries of the first list as they are, then those of every other
    // list, named (a window may have another list before it in its table).
    const Control* first = window_.rules().firstList();
    std::vector<const Control*> lists;
    if (first != nullptr)
        lists.push_back(first);
    for (const Control* c : window_.rules().lists())
        if (c != first)
            lists.push_back(c);
    for (size_t k = 0; k < lists.size(); ++k) {
        auto* list = qobject_cast<QComboBox*>(window_.control(lists[k]->name));
        const std::string prefix =
            lists[k] == first ? "entry\t" : "entry\t" + std::string(lists[k]->name) + "\t";
        for (int i = 0; i < list->count(); ++i)
            out.push_back(prefix + list->itemText(i).toStdString());
    }
    return out;
}

int driveProgram(int argc, char** argv, int arguments, const char* usage,
                 const std::function<int(CalculatorWindow&, Driver&)>& body)
{
    if (argc != arguments) {
        std::cerr << "usage: " << usage << "\n";
        return 2;
    }
    const ProgramDescription* program = findProgram(argv[1]);
    if (program == nullptr) {
        std::cerr << argv[0] << ": no program " << argv[1] << "\n";
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    setUpApplication(app);
    CalculatorWindow window(*program);
    if (const CatalogueEntry* entry = findEntry(argv[1]))
        window.setSheetTitle({entry->menu, entry->title, entry->commentJa, MILFO_VERSION});
    Driver driver(window);
    window.load();
    window.show();
    window.activateWindow();
    QApplication::setActiveWindow(&window);
    if (!QTest::qWaitForWindowActive(&window, 5000))
        std::cerr << argv[0] << ": the window did not become active\n";
    return body(window, driver);
}

}  // namespace milfo
