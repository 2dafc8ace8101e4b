// For the GUI tests: a modal dialog that a test does not expect is closed as
// soon as it shows, and remembered, so that the test fails at once (in its
// cleanup) instead of waiting for input that never comes.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>
#include <QWidget>

namespace milfo::test {

class ModalGuard : public QObject {
public:
    ModalGuard() { QApplication::instance()->installEventFilter(this); }

    // Whether the running test expects a modal dialog (an error report).
    void allow(bool allowed) { allowed_ = allowed; }

    // What unexpected dialogs showed since the last call, and forgets them.
    QStringList take()
    {
        QStringList seen;
        seen.swap(seen_);
        return seen;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && watched->isWidgetType()) {
            auto* w = static_cast<QWidget*>(watched);
            if (!allowed_ && w->isWindow() && w->windowModality() != Qt::NonModal) {
                QString what = w->metaObject()->className() + QStringLiteral(" \"") + w->windowTitle() + '"';
                if (auto* box = qobject_cast<QMessageBox*>(w))
                    what += QStringLiteral(": ") + box->text();
                seen_ << what;
                // Closed once it is up, which also ends the event loop of a
                // dialog that blocks (exec).
                QTimer::singleShot(0, w, [w] {
                    if (auto* dialog = qobject_cast<QDialog*>(w))
                        dialog->reject();
                    else
                        w->close();
                });
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool allowed_ = false;
    QStringList seen_;
};

}  // namespace milfo::test
