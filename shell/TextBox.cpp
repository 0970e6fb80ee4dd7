#include "shell/TextBox.h"

#include <QComboBox>
#include <QLineEdit>
#include <QString>

namespace shell {

void keepWholeText(QLineEdit* box)
{
    if (box)
        box->setMaxLength(kLongestBoxText);
}

void keepWholeText(QComboBox* combo)
{
    if (combo)
        keepWholeText(combo->lineEdit());
}

QLineEdit* newLineBox(QWidget* parent)
{
    auto* box = new QLineEdit(parent);
    keepWholeText(box);
    return box;
}

QLineEdit* newLineBox(const QString& text, QWidget* parent)
{
    auto* box = newLineBox(parent);
    box->setText(text);
    return box;
}

} // namespace shell
