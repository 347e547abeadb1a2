#include "messageboxwatcher.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>

namespace ZuvoTest {

MessageBoxWatcher::MessageBoxWatcher(QObject *parent)
    : QObject(parent)
{
    m_timer.setInterval(10);
    connect(&m_timer, &QTimer::timeout, this, &MessageBoxWatcher::poll);
    m_timer.start();
}

MessageBoxWatcher::~MessageBoxWatcher() = default;

QStringList MessageBoxWatcher::titles() const
{
    QStringList out;
    for (const Seen &s : m_seen)
        out << s.title;
    return out;
}

QStringList MessageBoxWatcher::texts() const
{
    QStringList out;
    for (const Seen &s : m_seen)
        out << s.text;
    return out;
}

void MessageBoxWatcher::poll()
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *w : windows) {
        auto *dialog = qobject_cast<QDialog *>(w);
        if (!dialog || !dialog->isVisible() || dialog->windowModality() == Qt::NonModal)
            continue;
        if (m_answering.contains(dialog))
            continue;
        if (qobject_cast<QProgressDialog *>(dialog)) {
            m_progress.removeAll(nullptr);
            if (m_progress.contains(dialog))
                continue;
            m_progress << dialog;
            if (m_handler) {
                m_answering.insert(dialog);
                m_handler(dialog);
                m_answering.remove(dialog);
            }
            return;
        }
        answer(dialog);
        // One at a time: answering may have opened or closed others.
        return;
    }
}

void MessageBoxWatcher::answer(QDialog *dialog)
{
    Seen seen;
    seen.className = QString::fromLatin1(dialog->metaObject()->className());
    seen.objectName = dialog->objectName();
    seen.title = dialog->windowTitle();

    QPointer<QDialog> guard(dialog);
    m_answering.insert(dialog);
    if (auto *box = qobject_cast<QMessageBox *>(dialog)) {
        seen.text = box->text();
        seen.informativeText = box->informativeText();
        seen.icon = box->icon();
        m_seen << seen;
        QAbstractButton *button = nullptr;
        if (m_answer != QMessageBox::NoButton)
            button = box->button(m_answer);
        if (!button)
            button = box->escapeButton();
        if (!button)
            button = box->defaultButton();
        if (button)
            button->click();
        else
            box->reject();
    } else {
        QStringList lines;
        const QList<QLabel *> labels = dialog->findChildren<QLabel *>();
        for (QLabel *label : labels) {
            if (label->isVisibleTo(dialog) && !label->text().isEmpty())
                lines << label->text();
        }
        seen.text = lines.join(QLatin1Char('\n'));
        m_seen << seen;
        if (m_handler)
            m_handler(dialog);
        if (guard && guard->isVisible())
            guard->reject();
    }
    m_answering.remove(dialog);
}

} // namespace ZuvoTest
