#ifndef ZUVO_LEGACY_ANSIKAEDITOR_H
#define ZUVO_LEGACY_ANSIKAEDITOR_H

#include <QString>
#include <QTextEdit>

class QCompleter;
class QStringListModel;

// A rich-text box for typing the Latin romanisation of Kannada with word completion. After
// each typed or completed word the line under the cursor is converted to Unicode Kannada,
// word by word, and announced with wordAdded.
class AnsiKaEditor : public QTextEdit
{
    Q_OBJECT

public:
    AnsiKaEditor();
    ~AnsiKaEditor() override;

signals:
    void wordAdded(QString unikodeWord);

public slots:
    void insertCompletion(QString completion);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;

private:
    QStringListModel *modelFromFile(const QString &fileName);
    QString textUnderCursor() const;
    QString lineUnderCursor() const;
    void convertLine();

    QCompleter *m_completer = nullptr;
    QString m_convertedLine;
};

#endif
