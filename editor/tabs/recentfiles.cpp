#include "recentfiles.h"

#include "ts.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QSettings>

namespace {
const QString group = QStringLiteral("RecentFiles");
}

RecentFiles::RecentFiles(QObject *parent)
    : QObject(parent)
    , m_menu(new QMenu)
{
    connect(m_menu, &QMenu::triggered, this, [this](QAction *action) {
        if (action)
            emit chosen(action->data().toString());
    });
}

RecentFiles::~RecentFiles()
{
    delete m_menu;
}

QAction *RecentFiles::newAction(const QString &path)
{
    auto *action = new QAction(path, m_menu);
    action->setData(path);
    action->setToolTip(path);
    return action;
}

void RecentFiles::add(const QString &path)
{
    if (!QFile::exists(path))
        return;
    QList<QAction *> actions = m_menu->actions();
    for (QAction *a : actions)
        m_menu->removeAction(a);

    QAction *first = nullptr;
    const int index = m_files.indexOf(path);
    if (index < 0) {
        m_files.prepend(path);
        first = newAction(path);
        if (m_files.size() > MaxFiles) {
            m_files.removeLast();
            if (!actions.isEmpty())
                delete actions.takeLast();
        }
    } else {
        first = index < actions.size() ? actions.takeAt(index) : nullptr;
        m_files.move(index, 0);
        if (!first)
            first = newAction(path);
    }
    m_menu->addAction(first);
    for (QAction *a : actions)
        m_menu->addAction(a);
}

bool RecentFiles::load()
{
    QSettings settings(Ts::ORG_NAME, Ts::APP_NAME);
    settings.beginGroup(group);
    const QStringList keys = settings.childKeys();
    // The oldest first, so that the newest ends up on top.
    for (int n = int(keys.size()) - 1; n >= 0; --n)
        add(settings.value(QString::number(n)).toString());
    settings.endGroup();
    return !keys.isEmpty();
}

void RecentFiles::save() const
{
    QSettings settings(Ts::ORG_NAME, Ts::APP_NAME);
    settings.remove(group);
    settings.beginGroup(group);
    for (int i = 0; i < m_files.size(); ++i)
        settings.setValue(QString::number(i), m_files.at(i));
    settings.endGroup();
}
