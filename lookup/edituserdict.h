#ifndef ZUVO_LOOKUP_EDITUSERDICT_H
#define ZUVO_LOOKUP_EDITUSERDICT_H

#include <QDialog>

class EditUserDictPrivate;
class QListWidgetItem;
class QShowEvent;
class Ui_EditUserDict;

// Builds the user dictionary from word files and typed words. The left list
// holds input words (from a chosen file or typed in), the right list the
// final user dictionary; Save merges it into the user-dictionary store and
// retires the old plain word file "usr.dct". Made for one exec().
class EditUserDict : public QDialog
{
    Q_OBJECT

public:
    explicit EditUserDict(QWidget *parent = nullptr);
    ~EditUserDict() override;

    // For the word-entry dialog; both lists get the language's font.
    void setLanguageAndKeyboard(int language, int keyboard);

public slots:
    // Closes as accepted only when the store was written.
    void accept() override;

protected:
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;

private slots:
    void onBrowseFileClicked();
    void onAddClicked();
    void onRemoveClicked();
    void onClearClicked();
    void onSelectAllClicked();
    void onDeselectAllClicked();
    void onLoadUserDictClicked();
    void onMoveRighBtnClicked();
    void onMoveLeftBtnClicked();
    void onItemDoubleClicked(QListWidgetItem *item);
    void onItemSelectionChanged();
    void onEditWordsCheckBoxClicked(bool checked);

private:
    friend class EditUserDictPrivate;
    Ui_EditUserDict *ui;
    EditUserDictPrivate *d;
};

#endif
