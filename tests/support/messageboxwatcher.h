#ifndef ZUVO_TESTS_SUPPORT_MESSAGEBOXWATCHER_H
#define ZUVO_TESTS_SUPPORT_MESSAGEBOXWATCHER_H

#include <QList>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>
#include <QTimer>
#include <functional>

class QDialog;

namespace ZuvoTest {

// While it lives, answers every modal dialog that opens (message boxes
// included) and records what each showed, so that code which runs exec()
// can be tested without a user. It polls from the event loop, which keeps
// running inside exec().
//
// A message box is answered with the button given to setAnswer() when it has
// one, else with its escape button, else its default button. Any other dialog
// goes to the handler when one is set (which must close it, or it is
// rejected afterwards), else it is rejected.
//
// A progress dialog asks nothing: it shows up only when the work is slow,
// which depends on the machine. It is handed to the handler once (which may
// cancel it or wait for it), but never recorded and never rejected.
class MessageBoxWatcher : public QObject
{
    Q_OBJECT

public:
    struct Seen
    {
        QString className; // e.g. "QMessageBox", "DictInfo"
        QString objectName;
        QString title; // the window title
        QString text; // a message box's text, else its visible labels, one per line
        QString informativeText;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
    };

    explicit MessageBoxWatcher(QObject *parent = nullptr);
    ~MessageBoxWatcher() override;

    void setAnswer(QMessageBox::StandardButton button) { m_answer = button; }
    // Called for each modal dialog that is no message box, while it is shown.
    void setDialogHandler(std::function<void(QDialog *)> handler)
    {
        m_handler = std::move(handler);
    }

    const QList<Seen> &seen() const { return m_seen; }
    QStringList titles() const;
    QStringList texts() const;
    void clear() { m_seen.clear(); }

private:
    void poll();
    void answer(QDialog *dialog);

    QTimer m_timer;
    QMessageBox::StandardButton m_answer = QMessageBox::NoButton;
    std::function<void(QDialog *)> m_handler;
    QList<Seen> m_seen;
    QSet<QDialog *> m_answering;
    QList<QPointer<QDialog>> m_progress; // progress dialogs handed over
};

} // namespace ZuvoTest

#endif
