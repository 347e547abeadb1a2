#include "zuvodialog.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>

namespace {

const char stateFileName[] = "ZuvoFD";

// The extension a save adds for a filter: the text between "*." and ")".
// The wildcard patterns of the OpenDocument and HTML filters stand for the
// suffixes the save command writes by default; "*.*" adds nothing.
QString filterExtension(const QString &filter)
{
    const int start = filter.indexOf(QLatin1String("*."));
    if (start < 0)
        return QString();
    const int end = filter.indexOf(QLatin1Char(')'), start);
    if (end < 0)
        return QString();
    const QString ext = filter.mid(start + 2, end - start - 2);
    if (ext == QLatin1String("od*"))
        return QStringLiteral("odt");
    if (ext == QLatin1String("htm*"))
        return QStringLiteral("html");
    if (ext.isEmpty() || ext.contains(QLatin1Char('*')) || ext.contains(QLatin1Char(' ')))
        return QString();
    return ext;
}

} // namespace

struct ZuvoDialog::Private
{
    int mode = 0;
    QString selectedFilter;
    // The file name box's text just before the user switched filters: the
    // toolkit rewrites a typed extension on a filter change, which would turn
    // "notes.rtf" into "notes.*" under "All files (*.*)".
    QString nameBeforeFilterChange;
    bool filterChanging = false;
};

ZuvoDialog::ZuvoDialog(int mode, QWidget *parent)
    : QFileDialog(parent, QString(), QString(), QString())
    , d(new Private)
{
    d->mode = mode;
    // The chooser's state and its close event belong to the toolkit's own
    // dialog; a desktop's native chooser would bypass both.
    setOption(QFileDialog::DontUseNativeDialog, true);

    if (mode == 0) {
        setFileMode(QFileDialog::ExistingFile);
        setAcceptMode(QFileDialog::AcceptOpen);
        setWindowTitle(tr("Zuvo - Open file"));
    } else if (mode == 1) {
        setFileMode(QFileDialog::AnyFile);
        setAcceptMode(QFileDialog::AcceptSave);
        setOption(QFileDialog::DontConfirmOverwrite, false);
        setWindowTitle(tr("Zuvo - Save file"));
        connect(this, &QFileDialog::filterSelected, this, &ZuvoDialog::onFilterSelected);

        auto *combo = findChild<QComboBox *>(QStringLiteral("fileTypeCombo"));
        auto *nameEdit = findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        if (combo && nameEdit) {
            // Emitted before the toolkit handles the activation.
            connect(combo, &QComboBox::currentIndexChanged, this, [this, nameEdit] {
                d->nameBeforeFilterChange = nameEdit->text();
                d->filterChanging = true;
            });
        }
    }

    setNameFilter(tr("All files (*.*);;Text files (*.txt);;ODF file (*.od*);;HTML files "
                     "(*.htm*);;RTF files (*.rtf);;Nudi files (*.nudi);;BRH files (*.BRH)"));

    QFile state(QString::fromLatin1(stateFileName));
    if (state.open(QIODevice::ReadOnly))
        restoreState(state.readAll());
}

ZuvoDialog::~ZuvoDialog()
{
    delete d;
}

void ZuvoDialog::onFilterSelected(const QString &filter)
{
    if (d->mode != 1)
        return;
    d->selectedFilter = filter;
    // The chooser adds the extension itself before it asks whether to
    // overwrite, so that "notes" under "Text files" is checked as notes.txt.
    setDefaultSuffix(filterExtension(filter));
    if (d->filterChanging) {
        d->filterChanging = false;
        if (auto *nameEdit = findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))) {
            if (nameEdit->text() != d->nameBeforeFilterChange)
                nameEdit->setText(d->nameBeforeFilterChange);
        }
    }
}

void ZuvoDialog::closeEvent(QCloseEvent *e)
{
    QFile state(QString::fromLatin1(stateFileName));
    if (state.open(QIODevice::WriteOnly | QIODevice::Truncate))
        state.write(saveState());
    QFileDialog::closeEvent(e);
}

QString ZuvoDialog::openFileName(QWidget *parent)
{
    ZuvoDialog dialog(0, parent);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    const QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? QString() : files.first();
}

QString ZuvoDialog::saveFileName(const QString &title, QWidget *parent)
{
    ZuvoDialog dialog(1, parent);
    dialog.setWindowTitle(title);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty())
        return QString();
    QString name = files.first();
    if (QFileInfo(name).suffix().isEmpty() && !dialog.d->selectedFilter.isEmpty()) {
        const QString ext = filterExtension(dialog.d->selectedFilter);
        if (!ext.isEmpty())
            name += QLatin1Char('.') + ext;
    }
    return name;
}
