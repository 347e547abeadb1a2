#ifndef ZUVO_EDITOR_DIALOGS_PRINTERSETTINGSDIALOG_H
#define ZUVO_EDITOR_DIALOGS_PRINTERSETTINGSDIALOG_H

#include <QDialog>
#include <QString>

class QEvent;
class QPrinter;
namespace Ui {
class PrinterSettingsDialog;
}

// Asks for the PDF file name, the page orientation and the margins before a
// document is exported. The caller prints; this dialog only collects values.
class PrinterSettingsDialog : public QDialog
{
    Q_OBJECT

public:
    explicit PrinterSettingsDialog(QWidget *parent = nullptr);
    ~PrinterSettingsDialog() override;

    void setFilename(const QString &name);
    QString filename() const;
    // 0 for portrait, 1 for landscape (the values of QPageLayout::Orientation).
    int pageOrientation() const;
    double leftMargin() const;
    double topMargin() const;
    double rightMargin() const;
    double bottomMargin() const;
    // Gives the printer the orientation and margins chosen.
    void applyPageLayout(QPrinter &printer) const;

public slots:
    void accept() override;

private slots:
    void on_chooseFileNameBtn_clicked();

protected:
    void changeEvent(QEvent *event) override;

private:
    Ui::PrinterSettingsDialog *ui;
};

#endif
