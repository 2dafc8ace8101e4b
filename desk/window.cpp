#include "window.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QSpacerItem>
#include <QTranslator>
#include <algorithm>
#include <vector>

#include "text_box.h"

namespace milfo {

void setUpApplication(QApplication& app)
{
    QFont::insertSubstitution(QString::fromUtf8(kMsPGothicFamily), QString::fromUtf8(kUiFontFamily));
    // Pixels, not points: the geometry is in pixels too. (IPAPGothic at 9 pt
    // runs 12.9 px a line and 7.2 px a digit, and captions would overrun
    // their rectangles, "2003/01/01" by 8 px.)
    QFont ui(QString::fromUtf8(kUiFontFamily));
    ui.setPixelSize(kUiFontPixels);
    ui.setStretch(kUiFontStretch);
    app.setFont(ui);

    // Qt's own texts (a box's context menu, dialog buttons) in Japanese like
    // the rest of the window, whatever the locale.
    auto* qtTexts = new QTranslator(&app);
    if (qtTexts->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qtTexts);

    // Every window, the error report included, carries the suite's icon.
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/milfo/io.github.milfo.svg")));

    // Assistive technology sees the calculator as a window (a frame) with
    // its controls, not as an anonymous piece of one.
    QAccessible::installFactory([](const QString&, QObject* object) -> QAccessibleInterface* {
        auto* w = qobject_cast<QWidget*>(object);
        if (w != nullptr && w->isWindow() && w->objectName() == QLatin1String("Form1"))
            return new QAccessibleWidget(w, QAccessible::Window);
        return nullptr;
    });
}

namespace {

QString qs(std::string_view s)
{
    return QString::fromUtf8(s.data(), static_cast<int>(s.size()));
}

// The classic editable list takes no action on Enter or Escape in its edit
// field: nothing is inserted into the list and no entry is chosen.
class SwallowEnter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape)
                return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

// The mouse wheel over the list picks an entry only while the list has the
// keyboard focus; otherwise it would change the entry behind the user's back
// while the focus, and the eye, are elsewhere.
class WheelOnlyWithFocus : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Wheel) {
            auto* list = static_cast<QComboBox*>(watched);
            if (!list->hasFocus() && !list->lineEdit()->hasFocus())
                return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

CalculatorWindow::CalculatorWindow(const ProgramDescription& program, QWidget* parent)
    : QMainWindow(parent), model_(program)
{
    build();
    buildMenus();
    fitScreen();
    model_.setObserver(this);
}

CalculatorWindow::~CalculatorWindow()
{
    model_.setObserver(nullptr);
}

// The window: the designed client area, in a scroll area that shows it whole
// where it fits; every control at its rectangle; the captions, the tab order
// and the first box's focus.
void CalculatorWindow::build()
{
    const ProgramDescription& program = model_.program();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(qs(program.caption));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    client_ = new QWidget;
    client_->setObjectName(QStringLiteral("client"));
    client_->setFixedSize(twipsToPixels(program.clientWidth), twipsToPixels(program.clientHeight));
    scroll_ = new QScrollArea(this);
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setFocusPolicy(Qt::NoFocus);
    scroll_->viewport()->setBackgroundRole(QPalette::Window);
    scroll_->setWidget(client_);
    setCentralWidget(scroll_);

    QFont boxFont(qs(kMsPGothicFamily));
    boxFont.setPointSizeF(kMsPGothicPoints);
    boxFont.setWeight(QFont::Normal);
    for (const Control& c : program.controls) {
        QWidget* w = buildControl(c);
        w->setObjectName(QString::fromLatin1(c.name));
        if (c.font == FontChoice::MsPGothic)
            w->setFont(boxFont);
        const PixelRect r = pixelRect(c);
        w->setGeometry(r.left, r.top, r.width, r.height);
        widgets_.push_back(w);
    }
    nameControls();
    setFocusOrder();
}

// One control of the table, with the classic behaviours of its kind.
QWidget* CalculatorWindow::buildControl(const Control& c)
{
    switch (c.kind) {
        case ControlKind::Label: {
            auto* label = new QLabel(qs(c.text), client_);
            label->setTextFormat(Qt::PlainText);
            label->setWordWrap(true);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            label->setFocusPolicy(Qt::NoFocus);
            return label;
        }
        case ControlKind::TextBox:
            return new TextBox(qs(c.text), client_);
        case ControlKind::ComboBox: {
            auto* list = new QComboBox(client_);
            list->setEditable(true);
            list->setInsertPolicy(QComboBox::NoInsert);
            list->setCompleter(nullptr);
            list->setMaxVisibleItems(30);
            list->lineEdit()->installEventFilter(new SwallowEnter(list));
            // The wheel neither takes the focus nor, without it, picks.
            list->setFocusPolicy(Qt::StrongFocus);
            list->installEventFilter(new WheelOnlyWithFocus(list));
            // Qt also chooses the entry whose text was typed exactly when
            // the edit field loses the focus, and reports that as a pick.
            // Only a pick from the list (mouse, arrow keys, the wheel) is
            // a click here.
            QObject::disconnect(list->lineEdit(), &QLineEdit::editingFinished, list, nullptr);
            connect(list, &QComboBox::activated, this,
                    [this, &c](int index) { act([this, &c, index] { return model_.pick(c, index); }); });
            return list;
        }
        case ControlKind::CommandButton: {
            auto* button = new QPushButton(qs(c.text), client_);
            button->setAutoDefault(false);
            button->setDefault(false);
            button->setAccessibleName(qs(c.text));
            connect(button, &QPushButton::clicked, this, [this, &c] {
                act([this, &c] { return model_.press(c); });
                updateRecord();
            });
            return button;
        }
    }
    return nullptr;
}

// Each box and list named by its caption, its label its buddy.
void CalculatorWindow::nameControls()
{
    const FormRules& rules = model_.rules();
    for (const Control& c : model_.program().controls) {
        if (c.kind != ControlKind::TextBox && c.kind != ControlKind::ComboBox)
            continue;
        const Control* label = rules.captionLabel(c);
        if (label == nullptr)
            continue;
        if (auto* buddy = qobject_cast<QLabel*>(control(label->name)))
            buddy->setBuddy(control(c.name));
        control(c.name)->setAccessibleName(qs(rules.caption(c)));
    }
}

void CalculatorWindow::setFocusOrder()
{
    const FormRules& rules = model_.rules();
    const std::vector<const Control*>& order = rules.tabOrder();
    for (size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(control(order[i - 1]->name), control(order[i]->name));
    if (const Control* firstControl = rules.firstFocus()) {
        // The first box has its text selected, as if reached by Tab, so that
        // typing replaces its initial "0" instead of adding to it.
        QWidget* first = control(firstControl->name);
        first->setFocus(Qt::OtherFocusReason);
        if (auto* box = qobject_cast<QLineEdit*>(first))
            box->selectAll();
        else if (auto* list = qobject_cast<QComboBox*>(first))
            list->lineEdit()->selectAll();
    }
}

void CalculatorWindow::load()
{
    if (const std::optional<Failure> failure = model_.load()) {
        lastFailure_ = failure;
        reportError(*failure);
    }
}

QWidget* CalculatorWindow::control(std::string_view name) const
{
    const Control* c = model_.rules().find(name);
    return c != nullptr ? widgets_[model_.rules().indexOf(*c)] : nullptr;
}

const Control* CalculatorWindow::controlOf(const QWidget* w) const
{
    for (; w != nullptr && w != client_; w = w->parentWidget())
        for (size_t i = 0; i < widgets_.size(); ++i)
            if (widgets_[i] == w)
                return &model_.rules().controls()[i];
    return nullptr;
}

std::string CalculatorWindow::controlText(std::string_view name) const
{
    QWidget* w = control(name);
    if (auto* box = qobject_cast<QLineEdit*>(w))
        return box->text().toStdString();
    if (auto* list = qobject_cast<QComboBox*>(w))
        return list->currentText().toStdString();
    if (auto* label = qobject_cast<QLabel*>(w))
        return label->text().toStdString();
    if (auto* button = qobject_cast<QPushButton*>(w))
        return button->text().toStdString();
    return {};
}

std::string CalculatorWindow::noteOf(std::string_view name) const
{
    const auto* box = dynamic_cast<const TextBox*>(control(name));
    return box != nullptr ? box->note().toStdString() : std::string();
}

void CalculatorWindow::textChanged(const Control& c, const std::string& text)
{
    QWidget* w = widgets_[model_.rules().indexOf(c)];
    const QString t = qs(text);
    if (auto* box = qobject_cast<QLineEdit*>(w)) {
        box->setText(t);
        box->setCursorPosition(0);
    } else if (auto* list = qobject_cast<QComboBox*>(w)) {
        if (list->currentText() != t)
            list->setEditText(t);
    } else if (auto* label = qobject_cast<QLabel*>(w)) {
        label->setText(t);
    } else if (auto* button = qobject_cast<QPushButton*>(w)) {
        button->setText(t);
    }
}

void CalculatorWindow::itemAdded(const Control& c, const std::string& text)
{
    auto* list = static_cast<QComboBox*>(widgets_[model_.rules().indexOf(c)]);
    const bool first = list->count() == 0;
    list->addItem(qs(text));
    // Adding to an empty list chooses the entry and shows its text; the
    // classic list keeps nothing chosen and the text it had.
    if (first) {
        list->setCurrentIndex(-1);
        list->setEditText(qs(model_.textOf(c)));
    }
}

void CalculatorWindow::itemsCleared(const Control& c)
{
    auto* list = static_cast<QComboBox*>(widgets_[model_.rules().indexOf(c)]);
    list->clear();
    list->setEditText(QString());
}

void CalculatorWindow::markChanged(const Control& c, const std::string& note)
{
    if (auto* box = dynamic_cast<TextBox*>(widgets_[model_.rules().indexOf(c)]))
        box->setNote(qs(note));
}

// The texts as the person left them: the model hears every change the
// handlers make, but typing goes to the widgets.
void CalculatorWindow::takeTyped()
{
    for (const Control& c : model_.rules().controls())
        if (c.kind == ControlKind::TextBox || c.kind == ControlKind::ComboBox)
            model_.type(c, controlText(c.name));
}

void CalculatorWindow::act(const std::function<std::optional<Failure>()>& event)
{
    if (model_.ended())
        return;
    takeTyped();
    lastFailure_ = event();
    if (lastFailure_)
        reportError(*lastFailure_);
    if (model_.ended()) {
        if (onEnd_) {
            onEnd_();
        } else {
            close();
            QApplication::quit();
        }
    }
}

void CalculatorWindow::reportError(const Failure& failure)
{
    if (reporter_) {
        reporter_(failure);
        return;
    }
    auto* box =
        new QMessageBox(QMessageBox::Critical, windowTitle(), qs(failure.message), QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setTextFormat(Qt::PlainText);
    box->setWindowModality(Qt::WindowModal);
    // Wide enough for the whole caption in a window manager's title bar,
    // beside its icon and buttons: the message alone is shorter.
    if (auto* grid = qobject_cast<QGridLayout*>(box->layout()))
        grid->addItem(new QSpacerItem(errorReportWidth(windowTitle()), 0, QSizePolicy::Minimum),
                      grid->rowCount(), 0, 1, grid->columnCount());
    box->open();
}

int errorReportWidth(const QString& caption)
{
    // Title bars commonly use a bold face of about 14 pixels; the window
    // manager's icon and its buttons take about 120 pixels beside it.
    QFont title = QApplication::font();
    title.setPixelSize(14);
    title.setBold(true);
    return QFontMetrics(title).horizontalAdvance(caption) + 120;
}

int runProgram(const ProgramDescription& program, int argc, char** argv, const char* desktopFileName,
               const SheetTitle& sheetTitle)
{
    QApplication app(argc, argv);
    setUpApplication(app);
    // The menu entry of this program, so that a desktop matches its window
    // to the entry (name, icon).
    if (desktopFileName != nullptr)
        QGuiApplication::setDesktopFileName(QString::fromUtf8(desktopFileName));
    CalculatorWindow window(program);
    window.setSheetTitle(sheetTitle);
    window.load();
    window.show();
    return QApplication::exec();
}

}  // namespace milfo
