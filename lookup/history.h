#ifndef ZUVO_LOOKUP_HISTORY_H
#define ZUVO_LOOKUP_HISTORY_H

#include <QObject>
#include <QString>

class HistoryPrivate;

// The find and replace histories, in "./dat/history.dat" (tables Find and
// Replace). Callers make one on the stack for one read or one write.
class History : public QObject
{
public:
    explicit History(QObject *parent = nullptr);
    ~History() override;

    // The table's list text; null when the store or the table is missing.
    QString readHistory(const QString &table);
    // Replaces the table's text; false (and the old text kept) on failure.
    bool writeHistory(const QString &table, const QString &text);

private:
    HistoryPrivate *const d;
};

#endif
