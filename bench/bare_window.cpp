// A bare Qt 6 Widgets window: a main window with the calculators' menu bar
// (ファイル: 開く, 保存) over one QWidget with the given numbers of labels,
// line edits, editable combo boxes and push buttons at fixed positions, and
// nothing else (no program description, no handlers, no list entries).
// startup.sh measures it beside the real calculators as the baseline. It
// uses the calculators' font, IPAPGothic at 11 px slightly condensed, so that both load the same
// font files and the comparison shows the frame's own cost; Qt's default
// font would have to fall back to another font for the Japanese captions.
//
//   bare_window CAPTION WIDTH HEIGHT LABELS EDITS COMBOS BUTTONS
#include <QApplication>
#include <QComboBox>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QWidget>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QFont font(QStringLiteral("IPAPGothic"));
    font.setPixelSize(11);
    font.setStretch(95);
    QApplication::setFont(font);
    if (argc != 8) {
        std::fprintf(stderr, "usage: bare_window CAPTION WIDTH HEIGHT LABELS EDITS COMBOS BUTTONS\n");
        return 2;
    }
    const int width = std::atoi(argv[2]);
    const int height = std::atoi(argv[3]);
    const int labels = std::atoi(argv[4]);
    const int edits = std::atoi(argv[5]);
    const int combos = std::atoi(argv[6]);
    const int buttons = std::atoi(argv[7]);

    QMainWindow main;
    main.setWindowTitle(QString::fromUtf8(argv[1]));
    QMenu* file = main.menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    file->addAction(QStringLiteral("開く(&O)…"), QKeySequence::Open, [] {});
    file->addAction(QStringLiteral("保存(&S)…"), QKeySequence::Save, [] {});
    auto* client = new QWidget;
    client->setFixedSize(width, height);
    main.setCentralWidget(client);
    QWidget& window = *client;

    // Three columns of 24-pixel rows, in creation order.
    int slot = 0;
    const auto place = [&slot](QWidget* w) {
        w->setGeometry(8 + (slot % 3) * 140, 8 + (slot / 3) * 24, 130, 20);
        ++slot;
    };
    for (int i = 0; i < labels; ++i)
        place(new QLabel(QStringLiteral("ラベル%1（℃）").arg(i + 1), &window));
    for (int i = 0; i < edits; ++i)
        place(new QLineEdit(QStringLiteral("0"), &window));
    for (int i = 0; i < combos; ++i) {
        auto* combo = new QComboBox(&window);
        combo->setEditable(true);
        place(combo);
    }
    for (int i = 0; i < buttons; ++i)
        place(new QPushButton(QStringLiteral("計算"), &window));

    main.show();
    return QApplication::exec();
}
