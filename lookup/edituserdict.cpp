#include "edituserdict.h"
#include "makersite.h"

#include "getunicodetext.h"
#include "ui_edituserdict.h"
#include "userdict.h"
#include "utils.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFont>
#include <QListWidget>
#include <QMessageBox>
#include <QShowEvent>

namespace {

const QString UserWordFile = QStringLiteral("usr.dct");
const QString UserWordsTable = QStringLiteral("UnicodeWords");

QString trEdit(const char *text)
{
    return QCoreApplication::translate("EditUserDict", text);
}

// The stored user dictionary followed by the words of the old word file,
// each word once.
QStringList storedUserWords()
{
    UserDict store;
    QStringList words = store.read(UserWordsTable).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    words += Utils::wordsFromUnicodeFile(UserWordFile);
    words.removeDuplicates();
    return words;
}

} // namespace

// The resources live in a static library: without this call the linker may
// drop them.
static void initDialogResources()
{
    Q_INIT_RESOURCE(dialogs_wiki);
}

class EditUserDictPrivate
{
public:
    explicit EditUserDictPrivate(EditUserDict *owner)
        : owner(owner)
    {
    }

    void init() { }
    void handleAdd();
    void handleRemove();
    void handleMoveLeft();
    void handleMoveRight();
    void handleBrowse();
    void handleItemDoubleClick(QListWidgetItem *item);
    void loadInputFile();
    void loadUserDict();
    bool save();

    Ui_EditUserDict *ui() const { return owner->ui; }

    EditUserDict *owner;
    int language = 0;
    int keyboard = 0;
    QStringList inputWords;
    QStringList userWords;
    bool userDictLoaded = false;
    bool inputFilePending = false;
};

void EditUserDictPrivate::handleAdd()
{
    GetUnicodeText entry(language, keyboard, owner);
    if (entry.exec() != QDialog::Accepted)
        return;
    const QString word = entry.text();
    if (word.isEmpty())
        return;
    if (inputWords.contains(word)) {
        QMessageBox::information(
            owner, Utils::appName(),
            trEdit(QT_TRANSLATE_NOOP("EditUserDict", "Duplicate, Its already present!")),
            QMessageBox::Ok);
        return;
    }
    inputWords.append(word);
    auto *item = new QListWidgetItem(word);
    ui()->leftList->addItem(item);
    item->setSelected(true);
}

void EditUserDictPrivate::handleRemove()
{
    const QList<QListWidgetItem *> selected = ui()->leftList->selectedItems();
    for (QListWidgetItem *item : selected) {
        inputWords.removeOne(item->text());
        delete item;
    }
}

void EditUserDictPrivate::handleMoveRight()
{
    QStringList moved;
    const QList<QListWidgetItem *> selected = ui()->leftList->selectedItems();
    for (QListWidgetItem *item : selected) {
        const QString word = item->text();
        // A word shown twice on the left goes over once.
        if (!userWords.contains(word) && !moved.contains(word))
            moved.append(word);
    }
    handleRemove();
    userWords += moved;
    ui()->rightList->addItems(moved);
}

void EditUserDictPrivate::handleMoveLeft()
{
    QStringList moved;
    const QList<QListWidgetItem *> selected = ui()->rightList->selectedItems();
    for (QListWidgetItem *item : selected) {
        const QString word = item->text();
        if (!inputWords.contains(word) && !moved.contains(word))
            moved.append(word);
        userWords.removeOne(word);
        delete item;
    }
    inputWords += moved;
    ui()->leftList->addItems(moved);
}

void EditUserDictPrivate::handleBrowse()
{
    const QString previous = ui()->fileNameLine->text();
    const QString chosen =
        QFileDialog::getOpenFileName(owner, Utils::appName(), QDir::homePath(), QString());
    ui()->fileNameLine->setText(chosen);
    if (ui()->editWordsCheckBox->isChecked())
        loadInputFile();
    else if (chosen != previous)
        inputFilePending = true;
}

void EditUserDictPrivate::handleItemDoubleClick(QListWidgetItem *item)
{
    if (!item || item->text().isEmpty())
        return;
    GetUnicodeText entry(language, keyboard, item->text(), owner);
    entry.selectAll();
    if (entry.exec() == QDialog::Accepted)
        item->setText(entry.text());
}

void EditUserDictPrivate::loadInputFile()
{
    const QString path = ui()->fileNameLine->text();
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return;
    inputWords += Utils::wordsFromUnicodeFile(path);
    inputWords.removeDuplicates();
    ui()->leftList->addItems(inputWords);
    ui()->leftList->setFocus();
    inputFilePending = false;
}

void EditUserDictPrivate::loadUserDict()
{
    // Words moved right before the load stay among the user words; the right
    // list shows them already.
    const QStringList stored = storedUserWords();
    QStringList shown;
    for (const QString &word : stored) {
        if (!userWords.contains(word))
            shown.append(word);
    }
    userWords = stored + userWords;
    userWords.removeDuplicates();
    ui()->rightList->addItems(shown);
    ui()->loadUserDictBtn->setEnabled(false);
    userDictLoaded = true;
}

bool EditUserDictPrivate::save()
{
    QStringList final;
    if (ui()->editWordsCheckBox->isChecked()) {
        for (int i = 0; i < ui()->rightList->count(); ++i) {
            const QString word = ui()->rightList->item(i)->text();
            if (!word.isEmpty() && !final.contains(word))
                final.append(word);
        }
    } else {
        final = Utils::wordsFromUnicodeFile(ui()->fileNameLine->text());
    }
    // Without "Load User Dict" the stored words were never read: they join
    // the words moved right in this run, which are kept whether or not word
    // editing is still on.
    QStringList user = userWords;
    if (!userDictLoaded) {
        user = storedUserWords() + user;
        user.removeDuplicates();
    }
    final += user;
    final.removeDuplicates();

    bool written = false;
    {
        UserDict store;
        written = store.write(final.join(QLatin1Char('\n')), UserWordsTable);
    }
    if (written) {
        // Its words are in the store now; should it stay, they are only
        // merged again next time.
        QFile::remove(UserWordFile);
        QMessageBox::information(
            owner, Utils::appName(),
            trEdit(QT_TRANSLATE_NOOP("EditUserDict", "User Dictionary updated successfully!")),
            QMessageBox::Ok);
        return true;
    }
    QMessageBox::information(
        owner, Utils::appName(),
        trEdit(QT_TRANSLATE_NOOP(
            "EditUserDict", "Unable to save the user dictionary\nPleae inform the error to ")) +
            MakerSite::base(),
        QMessageBox::Ok);
    return false;
}

EditUserDict::EditUserDict(QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowSystemMenuHint)
    , ui(new Ui_EditUserDict)
    , d(new EditUserDictPrivate(this))
{
    initDialogResources();
    ui->setupUi(this);
    d->init();

    connect(ui->addBtn, &QToolButton::clicked, this, &EditUserDict::onAddClicked);
    connect(ui->removeBtn, &QToolButton::clicked, this, &EditUserDict::onRemoveClicked);
    connect(ui->browseFile, &QToolButton::clicked, this, &EditUserDict::onBrowseFileClicked);
    connect(ui->moveLeftBtn, &QToolButton::clicked, this, &EditUserDict::onMoveLeftBtnClicked);
    connect(ui->moveRightBtn, &QToolButton::clicked, this, &EditUserDict::onMoveRighBtnClicked);
    connect(ui->loadUserDictBtn, &QPushButton::clicked, this, &EditUserDict::onLoadUserDictClicked);
    connect(ui->leftList, &QListWidget::itemDoubleClicked, this,
            &EditUserDict::onItemDoubleClicked);
    connect(ui->leftList, &QListWidget::itemSelectionChanged, this,
            &EditUserDict::onItemSelectionChanged);
    connect(ui->rightList, &QListWidget::itemSelectionChanged, this,
            &EditUserDict::onItemSelectionChanged);
    connect(ui->editWordsCheckBox, &QCheckBox::clicked, this,
            &EditUserDict::onEditWordsCheckBoxClicked);

    onItemSelectionChanged();
    ui->editParent->hide();
}

EditUserDict::~EditUserDict()
{
    delete d;
    delete ui;
}

void EditUserDict::setLanguageAndKeyboard(int language, int keyboard)
{
    d->language = language;
    d->keyboard = keyboard;
    const QFont font(Utils::languageDefaultFont(language), 11);
    ui->leftList->setFont(font);
    ui->rightList->setFont(font);
}

void EditUserDict::accept()
{
    if (d->save())
        QDialog::accept();
}

void EditUserDict::showEvent(QShowEvent *event)
{
    activateWindow();
    QDialog::showEvent(event);
}

void EditUserDict::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
    QDialog::changeEvent(event);
}

void EditUserDict::onBrowseFileClicked()
{
    d->handleBrowse();
}

void EditUserDict::onAddClicked()
{
    d->handleAdd();
}

void EditUserDict::onRemoveClicked()
{
    d->handleRemove();
}

void EditUserDict::onClearClicked()
{
    ui->leftList->clear();
}

void EditUserDict::onSelectAllClicked()
{
    ui->leftList->selectAll();
}

void EditUserDict::onDeselectAllClicked()
{
    ui->leftList->clearSelection();
    ui->rightList->clearSelection();
}

void EditUserDict::onLoadUserDictClicked()
{
    d->loadUserDict();
}

void EditUserDict::onMoveRighBtnClicked()
{
    d->handleMoveRight();
}

void EditUserDict::onMoveLeftBtnClicked()
{
    d->handleMoveLeft();
}

void EditUserDict::onItemDoubleClicked(QListWidgetItem *item)
{
    d->handleItemDoubleClick(item);
}

void EditUserDict::onItemSelectionChanged()
{
    ui->moveRightBtn->setEnabled(!ui->leftList->selectedItems().isEmpty());
    ui->moveLeftBtn->setEnabled(!ui->rightList->selectedItems().isEmpty());
}

void EditUserDict::onEditWordsCheckBoxClicked(bool checked)
{
    if (checked && d->inputFilePending)
        d->loadInputFile();
    ui->editParent->setVisible(checked);
}
