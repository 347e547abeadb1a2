#ifndef ZUVO_EDITOR_TABS_RECENTFILES_H
#define ZUVO_EDITOR_TABS_RECENTFILES_H

#include <QObject>
#include <QStringList>

class QAction;
class QMenu;

// The files opened or saved last, newest first, as a menu of their paths
// and in the settings ("RecentFiles", one key per place).
class RecentFiles : public QObject
{
    Q_OBJECT

public:
    static constexpr int MaxFiles = 9;

    explicit RecentFiles(QObject *parent = nullptr);
    ~RecentFiles() override;

    QMenu *menu() const { return m_menu; }
    QStringList files() const { return m_files; }

    // Puts an existing file first; a file not there is not listed.
    void add(const QString &path);
    // The list the settings hold; false when they hold none.
    bool load();
    void save() const;

signals:
    void chosen(const QString &path);

private:
    QAction *newAction(const QString &path);

    // The menu has no parent: the window's action shows it.
    QMenu *m_menu;
    QStringList m_files;
};

#endif
