#include "frame/DataFileWindow.h"
#include "frame/DataFileLine.h"
#include "frame/Trace.h"
#include "platform/AppInfo.h"
#include "platform/Dialogs.h"
#include "shell/TextBox.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QWidget>

namespace frame {

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

namespace {

// A document keeps its text as blocks, and every character that breaks a
// line when text is set (LF, CR LF, CR, the paragraph separator U+2029 and
// the two frame marks) becomes the same break between two blocks. The block
// after a break carries in its user state which one it was, so that the
// text reads back as it was set. (A block the person makes with Enter has
// none: a line break as typed.)
constexpr int kAfterLf = 0x2029000;
constexpr int kAfterCrLf = 0x2029001;
constexpr int kAfterCr = 0x2029002;
constexpr int kAfterParagraphSeparator = 0x2029003;
constexpr int kAfterFrameStart = 0x2029004;
constexpr int kAfterFrameEnd = 0x2029005;

QString breakBefore(const QTextBlock& block, const QString& typedBreak)
{
    switch (block.userState()) {
    case kAfterLf: return QStringLiteral("\n");
    case kAfterCrLf: return QStringLiteral("\r\n");
    case kAfterCr: return QStringLiteral("\r");
    case kAfterParagraphSeparator: return QString(QChar::ParagraphSeparator);
    case kAfterFrameStart: return QString(QChar(0xFDD0));
    case kAfterFrameEnd: return QString(QChar(0xFDD1));
    default: return typedBreak;
    }
}

} // namespace

void markLineBreaks(QTextDocument* document, const QString& text)
{
    if (!document)
        return;
    QTextBlock block = document->begin();
    for (qsizetype i = 0; i < text.size() && block.isValid(); ++i) {
        const char16_t c = text.at(i).unicode();
        int state = 0;
        if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n')) {
            state = kAfterCrLf;
            ++i;
        } else if (c == u'\r') {
            state = kAfterCr;
        } else if (c == QChar::ParagraphSeparator) {
            state = kAfterParagraphSeparator;
        } else if (c == 0xFDD0) {
            state = kAfterFrameStart;
        } else if (c == 0xFDD1) {
            state = kAfterFrameEnd;
        } else if (c == u'\n') {
            state = kAfterLf;
        } else {
            continue;
        }
        block = block.next();
        if (block.isValid())
            block.setUserState(state);
    }
}

QString documentText(const QTextDocument* document, const QString& typedBreak)
{
    if (!document)
        return {};
    QString text;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        if (block != document->begin())
            text += breakBefore(block, typedBreak);
        text += block.text();
    }
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
    else if (auto* p = qobject_cast<QPlainTextEdit*>(w)) {
        p->setPlainText(text);
        markLineBreaks(p->document(), text);
    }
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
        return shell::boxLimit(e);
    return -1;
}

int firstOverlongBox(QWidget* window, const QStringList& names, const QStringList& texts)
{
    for (qsizetype i = 0; i < names.size() && i < texts.size(); ++i) {
        const int capacity = boxCapacity(window, names[i]);
        if (capacity >= 0 && shell::characterCount(texts[i]) > capacity)
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
            // A Save As that failed without its own message wrote nothing
            // either: the open ends, as below.
            qCWarning(traceFrame) << "saving before opening:" << platform::currentErrorText();
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

} // namespace frame
