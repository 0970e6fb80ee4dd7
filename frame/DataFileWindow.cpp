#include "frame/DataFileWindow.h"
#include "frame/DataFileLine.h"
#include "platform/AppInfo.h"
#include "platform/Dialogs.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QTextEdit>
#include <QWidget>

namespace meandiff {

namespace {

QWidget* findBox(QWidget* window, const QString& name)
{
    if (!window)
        return nullptr;
    if (window->objectName() == name)
        return window;
    return window->findChild<QWidget*>(name);
}

} // namespace

QString CommonDialogState::start() const
{
    if (fileName.isEmpty())
        return initDir;
    return initDir.isEmpty() ? fileName : QDir(initDir).filePath(fileName);
}

QString programFolderPath()
{
    QString dir = platform::appPath();
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    return dir;
}

QString folderOfPath(const QString& path)
{
    const qsizetype cut = path.lastIndexOf(QLatin1Char('/'));
    return cut < 0 ? QString() : path.left(cut + 1);
}

QString documentText(const QTextDocument* document)
{
    if (!document)
        return {};
    QString text = document->toRawText();
    // The document ends each line with a paragraph separator (U+2029); the
    // two frame marks occur only in rich text.
    for (QChar& c : text)
        if (c == QChar::ParagraphSeparator || c == QChar(0xFDD0) || c == QChar(0xFDD1))
            c = QLatin1Char('\n');
    return text;
}

QString windowBoxText(QWidget* window, const QString& name)
{
    QWidget* w = findBox(window, name);
    if (auto* e = qobject_cast<QLineEdit*>(w))
        return e->text();
    if (auto* p = qobject_cast<QPlainTextEdit*>(w))
        return documentText(p->document());
    if (auto* l = qobject_cast<QLabel*>(w))
        return l->text();
    if (auto* c = qobject_cast<QComboBox*>(w))
        return c->currentText();
    if (auto* b = qobject_cast<QAbstractButton*>(w))
        return b->text();
    return {};
}

void setWindowBoxText(QWidget* window, const QString& name, const QString& text)
{
    QWidget* w = findBox(window, name);
    if (auto* e = qobject_cast<QLineEdit*>(w))
        e->setText(text);
    else if (auto* p = qobject_cast<QPlainTextEdit*>(w))
        p->setPlainText(text);
}

QStringList windowBoxTexts(QWidget* window, const QStringList& names)
{
    QStringList texts;
    for (const QString& name : names)
        texts << windowBoxText(window, name);
    return texts;
}

void setWindowBoxTexts(QWidget* window, const QStringList& names, const QStringList& texts)
{
    for (qsizetype i = 0; i < names.size(); ++i)
        setWindowBoxText(window, names[i], texts.value(i));
}

void clearWindowTextBoxes(QWidget* window)
{
    if (!window)
        return;
    for (auto* e : window->findChildren<QLineEdit*>())
        if (!qobject_cast<QComboBox*>(e->parentWidget()))   // a combo box keeps its text
            e->setText(QString());
    for (auto* p : window->findChildren<QPlainTextEdit*>())
        p->setPlainText(QString());
    for (auto* t : window->findChildren<QTextEdit*>())
        t->setPlainText(QString());
}

int boxCapacity(QWidget* window, const QString& name)
{
    if (auto* e = qobject_cast<QLineEdit*>(findBox(window, name)))
        return e->maxLength();
    return -1;
}

int firstOverlongBox(QWidget* window, const QStringList& names, const QStringList& texts)
{
    for (qsizetype i = 0; i < names.size() && i < texts.size(); ++i) {
        const int capacity = boxCapacity(window, names[i]);
        if (capacity >= 0 && texts[i].size() > capacity)
            return static_cast<int>(i);
    }
    return -1;
}

QString overlongTextRefusal(const QString& boxLabel, qsizetype length, int capacity)
{
    return QStringLiteral("This file holds a text of %1 characters for the box \"%2\", which holds at most %3 "
                          "characters. The file was not opened.")
        .arg(length)
        .arg(boxLabel)
        .arg(capacity);
}

const char* const kMsgUnsavedBeforeOpen =
    "Data appears to have changed, do you wish to save these changes before opening a new file?";

bool askToSaveBeforeOpening(QWidget* window, const std::function<bool(bool)>& recordChanged,
                            const std::function<bool()>& saveAs)
{
    if (!recordChanged(false))
        return true;
    const platform::MsgResult answer =
        platform::msgBox(QString::fromUtf8(kMsgUnsavedBeforeOpen), platform::MsgButtons::YesNoCancel,
                         platform::MsgIcon::Question, {}, window);
    if (answer == platform::MsgResult::Cancel)
        return false;
    if (answer == platform::MsgResult::Yes) {
        bool saved = false;
        try {
            saved = saveAs();
        } catch (...) {
            saved = false;
        }
        if (!saved)
            return false;   // nothing was written: keep the data
        recordChanged(true);
    }
    return true;
}

void showFailure(QWidget* window, const char* sentence, const QString& description)
{
    platform::msgBox(failureMessage(sentence, description), platform::MsgButtons::OK, platform::MsgIcon::None, {},
                     window);
}

} // namespace meandiff
