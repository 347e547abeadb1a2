#ifndef ZUVO_TEXTLIB_UNICODECOMBOBOX_H
#define ZUVO_TEXTLIB_UNICODECOMBOBOX_H

#include <QWidget>

class UnicodeComboBoxPrivate;
class UnicodeLineEdit;

// A transliterating box with a drop-down arrow that opens its completer list.
class UnicodeComboBox : public QWidget
{
    Q_OBJECT

public:
    explicit UnicodeComboBox(QWidget *parent = nullptr);
    ~UnicodeComboBox() override;

    UnicodeLineEdit *lineEdit() const;

private:
    UnicodeComboBoxPrivate *const d;
};

#endif
