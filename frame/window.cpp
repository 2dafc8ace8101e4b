#include "window.h"

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
#include <QSpacerItem>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTranslator>
#include <algorithm>
#include <vector>

#include "event.h"

namespace milfo {

int twipsToPixels(int twips)
{
    return (twips + 7) / 15;
}

void setUpApplication(QApplication& app)
{
    QFont::insertSubstitution(QString::fromUtf8(kMsPGothicFamily), QStringLiteral("IPAPGothic"));
    // The captions were laid out for a 9 pt face whose lines are 12 px apart
    // and whose half-width digits are 6 px wide. IPAPGothic at 9 pt runs
    // 12.9 px a line and 7.2 px a digit, so captions would overrun their
    // rectangles ("2003/01/01" by 8 px, two-line captions by a pixel row).
    // At 11 px, slightly condensed, it keeps the planned line height and
    // widths. Pixels, not points: the geometry is in pixels too.
    QFont ui(QStringLiteral("IPAPGothic"));
    ui.setPixelSize(11);
    ui.setStretch(95);
    app.setFont(ui);

    // Qt's own texts (a box's context menu, dialog buttons) in Japanese like
    // the rest of the window, whatever the locale.
    auto* qtTexts = new QTranslator(&app);
    if (qtTexts->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qtTexts);

    // Every window, the error report included, carries the suite's icon.
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/milfo/io.github.milfo.svg")));
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

// A box whose text is wider than the box shows the whole text as its tooltip.
void showWholeTextWhenCut(QLineEdit* box)
{
    const QString text = box->text();
    const bool cut = box->fontMetrics().horizontalAdvance(text) > textRoom(box);
    box->setToolTip(cut ? text : QString());
}

}  // namespace

CalculatorWindow::CalculatorWindow(const ProgramDescription& program, QWidget* parent)
    : QWidget(parent), program_(program)
{
    build();
}

void CalculatorWindow::build()
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(qs(program_.caption));
    // The client area keeps its designed size: no resizing, no maximise.
    setFixedSize(twipsToPixels(program_.clientWidth), twipsToPixels(program_.clientHeight));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    QFont boxFont(qs(kMsPGothicFamily));
    boxFont.setPointSizeF(kMsPGothicPoints);
    boxFont.setWeight(QFont::Normal);

    std::vector<const Control*> focusable;
    for (const Control& c : program_.controls) {
        QWidget* w = nullptr;
        switch (c.kind) {
            case ControlKind::Label: {
                auto* label = new QLabel(qs(c.text), this);
                label->setTextFormat(Qt::PlainText);
                label->setWordWrap(true);
                label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
                label->setFocusPolicy(Qt::NoFocus);
                w = label;
                break;
            }
            case ControlKind::TextBox: {
                auto* box = new QLineEdit(qs(c.text), this);
                box->setCursorPosition(0);
                connect(box, &QLineEdit::textChanged, box, [box] { showWholeTextWhenCut(box); });
                w = box;
                break;
            }
            case ControlKind::ComboBox: {
                auto* list = new QComboBox(this);
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
                const std::string event = std::string(c.name) + "_Click";
                connect(list, &QComboBox::activated, this, [this, event](int) { raiseEvent(event); });
                w = list;
                break;
            }
            case ControlKind::CommandButton: {
                auto* button = new QPushButton(qs(c.text), this);
                button->setAutoDefault(false);
                button->setDefault(false);
                const std::string event = std::string(c.name) + "_Click";
                connect(button, &QPushButton::clicked, this, [this, event] { raiseEvent(event); });
                w = button;
                break;
            }
        }
        w->setObjectName(QString::fromLatin1(c.name));
        if (c.kind == ControlKind::CommandButton)
            w->setAccessibleName(qs(c.text));
        if (c.font == FontChoice::MsPGothic)
            w->setFont(boxFont);
        w->setGeometry(twipsToPixels(c.left), twipsToPixels(c.top), twipsToPixels(c.width),
                       twipsToPixels(c.height));
        if (auto* box = qobject_cast<QLineEdit*>(w))
            showWholeTextWhenCut(box);
        if (c.kind != ControlKind::Label)
            focusable.push_back(&c);
    }

    for (const Caption& caption : program_.captions) {
        QWidget* target = control(caption.control);
        auto* label = qobject_cast<QLabel*>(control(caption.label));
        if (target == nullptr)
            continue;
        if (label != nullptr)
            label->setBuddy(target);
        target->setAccessibleName(caption.name != nullptr ? qs(caption.name)
                                  : label != nullptr      ? label->text()
                                                          : QString());
    }

    std::stable_sort(focusable.begin(), focusable.end(),
                     [](const Control* a, const Control* b) { return a->tabIndex < b->tabIndex; });
    for (size_t i = 1; i < focusable.size(); ++i)
        QWidget::setTabOrder(control(focusable[i - 1]->name), control(focusable[i]->name));
    if (!focusable.empty()) {
        // The first box has its text selected, as if reached by Tab, so that
        // typing replaces its initial "0" instead of adding to it.
        QWidget* first = control(focusable.front()->name);
        first->setFocus(Qt::OtherFocusReason);
        if (auto* box = qobject_cast<QLineEdit*>(first))
            box->selectAll();
        else if (auto* list = qobject_cast<QComboBox*>(first))
            list->lineEdit()->selectAll();
    }
}

void CalculatorWindow::load()
{
    if (loaded_)
        return;
    loaded_ = true;
    if (auto* list = qobject_cast<QComboBox*>(control("Combo1"))) {
        for (const std::string& entry : program_.listEntries)
            list->addItem(qs(entry));
        // Adding the first entry selects it; the classic list starts with
        // nothing chosen and an empty edit field.
        list->setCurrentIndex(-1);
        list->setEditText(QString());
    }
    raiseEvent("form_load");
}

QWidget* CalculatorWindow::control(std::string_view name) const
{
    return findChild<QWidget*>(qs(name), Qt::FindDirectChildrenOnly);
}

const Control* CalculatorWindow::controlOf(const QWidget* w) const
{
    for (; w != nullptr && w != this; w = w->parentWidget())
        if (w->parentWidget() == this)
            for (const Control& c : program_.controls)
                if (w->objectName() == QLatin1String(c.name))
                    return &c;
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

std::string CalculatorWindow::text(std::string_view control) const
{
    return controlText(control);
}

void CalculatorWindow::setText(std::string_view name, std::string_view text)
{
    QWidget* w = control(name);
    if (auto* box = qobject_cast<QLineEdit*>(w)) {
        box->setText(qs(text));
        box->setCursorPosition(0);
    } else if (auto* list = qobject_cast<QComboBox*>(w)) {
        list->setEditText(qs(text));
    } else if (auto* label = qobject_cast<QLabel*>(w)) {
        label->setText(qs(text));
    }
}

void CalculatorWindow::addItem(std::string_view name, std::string_view text)
{
    if (auto* list = qobject_cast<QComboBox*>(control(name)))
        list->addItem(qs(text));
}

void CalculatorWindow::end()
{
    ended_ = true;
}

void CalculatorWindow::raiseEvent(std::string_view event)
{
    const Handler* handler = program_.handler(event);
    if (handler == nullptr || running_ || ended_)
        return;
    running_ = true;
    lastError_ = runHandler(*handler, *this);
    running_ = false;
    if (lastError_)
        reportError(*lastError_);
    if (ended_) {
        if (onEnd_) {
            onEnd_();
        } else {
            close();
            QApplication::quit();
        }
    }
}

void CalculatorWindow::reportError(ErrorKind kind)
{
    if (reporter_) {
        reporter_(kind);
        return;
    }
    auto* box = new QMessageBox(QMessageBox::Critical, windowTitle(), QString::fromUtf8(errorMessage(kind)),
                                QMessageBox::Ok, this);
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

int runProgram(const ProgramDescription& program, int argc, char** argv, const char* desktopFileName)
{
    QApplication app(argc, argv);
    setUpApplication(app);
    // The menu entry of this program, so that a desktop matches its window
    // to the entry (name, icon).
    if (desktopFileName != nullptr)
        QGuiApplication::setDesktopFileName(QString::fromUtf8(desktopFileName));
    CalculatorWindow window(program);
    window.load();
    window.show();
    return QApplication::exec();
}

}  // namespace milfo
