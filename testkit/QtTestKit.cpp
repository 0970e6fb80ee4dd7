#include "testkit/QtTestKit.h"
#include <vector>
#include <algorithm>
#include <QPixmap>
#include <QImage>

#include <QCheckBox>
#include <QRadioButton>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QSqlDatabase>
#include <QTest>
#include <QTextEdit>

namespace testkit {

QAction* findAction(QWidget* root, const QString& name)
{
    auto* a = root ? root->findChild<QAction*>(name) : nullptr;
    if (!a)
        ADD_FAILURE() << "no action named " << name.toStdString();
    return a;
}

void type(QWidget* w, const QString& text)
{
    if (!w)
        return;
    if (QWidget* win = w->window()) {
        if (!win->isVisible())
            win->show();
        QApplication::setActiveWindow(win);
    }
    w->setFocus(Qt::OtherFocusReason);
    QTest::keyClicks(w, text);
    settle();
}

void retype(QWidget* w, const QString& text)
{
    if (!w)
        return;
    w->setFocus(Qt::OtherFocusReason);
    if (auto* le = qobject_cast<QLineEdit*>(w))
        le->selectAll();
    else if (auto* cb = qobject_cast<QComboBox*>(w); cb && cb->lineEdit())
        cb->lineEdit()->selectAll();
    else if (auto* pe = qobject_cast<QPlainTextEdit*>(w))
        pe->selectAll();
    QWidget* target = w;
    if (auto* cb = qobject_cast<QComboBox*>(w); cb && cb->lineEdit())
        target = cb->lineEdit();
    QTest::keyClick(target, Qt::Key_Delete);
    type(target, text);
}

void click(QWidget* w)
{
    if (!w)
        return;
    if (QWidget* win = w->window(); win && !win->isVisible())
        win->show();
    // An option or check box takes clicks on its indicator and caption
    // only, not on the empty rest of a wide control: click its indicator.
    QPoint at = w->rect().center();
    if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w))
        at.setX(std::min(at.x(), 6));
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, at);
    settle();
}

QString text(QWidget* w)
{
    if (!w)
        return {};
    if (auto* le = qobject_cast<QLineEdit*>(w))
        return le->text();
    if (auto* pe = qobject_cast<QPlainTextEdit*>(w))
        return pe->toPlainText();
    if (auto* te = qobject_cast<QTextEdit*>(w))
        return te->toPlainText();
    if (auto* lb = qobject_cast<QLabel*>(w))
        return lb->text();
    if (auto* cb = qobject_cast<QComboBox*>(w))
        return cb->currentText();
    if (auto* b = qobject_cast<QAbstractButton*>(w))
        return b->text();
    return w->windowTitle();
}

QString text(QWidget* root, const QString& name) { return text(find(root, name)); }

void settle(int ms)
{
    QApplication::processEvents();
    if (ms > 0)
        QTest::qWait(ms);
}

MsgBoxScript::MsgBoxScript(std::initializer_list<platform::MsgResult> answers) : answers_(answers)
{
    platform::setMsgHandler([this](const platform::MsgRequest& r) {
        shown_.push_back(r);
        if (!answers_.empty()) {
            auto a = answers_.front();
            answers_.pop_front();
            return a;
        }
        switch (r.buttons) {
        case platform::MsgButtons::AbortRetryIgnore: return platform::MsgResult::Abort;
        case platform::MsgButtons::YesNo:
        case platform::MsgButtons::YesNoCancel: return platform::MsgResult::Yes;
        case platform::MsgButtons::RetryCancel: return platform::MsgResult::Retry;
        default: return platform::MsgResult::OK;
        }
    });
}

MsgBoxScript::~MsgBoxScript() { platform::setMsgHandler({}); }

QStringList MsgBoxScript::texts() const
{
    QStringList out;
    for (const auto& r : shown_)
        out << r.text;
    return out;
}

FileDialogScript::FileDialogScript(QStringList paths) : paths_(paths.begin(), paths.end())
{
    platform::setFileDialogHandler([this](const platform::FileDialogRequest& r) {
        shown_.push_back(r);
        if (paths_.empty())
            return QString();
        QString p = paths_.front();
        paths_.pop_front();
        return p;
    });
}

FileDialogScript::~FileDialogScript() { platform::setFileDialogHandler({}); }

PrintDialogScript::PrintDialogScript(const QString& pdfPath) : pdfPath_(pdfPath)
{
    platform::setPrintDialogHandler([this](QPrinter& printer) {
        ++count_;
        if (pdfPath_.isEmpty())
            return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfPath_);
        return true;
    });
}

PrintDialogScript::~PrintDialogScript() { platform::setPrintDialogHandler({}); }

DesktopScript::DesktopScript(bool succeed) : succeed_(succeed)
{
    platform::setDesktopHandler([this](const platform::DesktopRequest& r) {
        requests_.push_back(r);
        return succeed_;
    });
}

DesktopScript::~DesktopScript() { platform::setDesktopHandler({}); }

std::vector<FixtureRow> readFixtureTable(const QString& path, QStringList* headerOut)
{
    std::vector<FixtureRow> rows;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) {
        ADD_FAILURE() << "cannot read " << path.toStdString();
        return rows;
    }
    QTextStream in(&f);
    QStringList header;
    int line = 0;
    while (!in.atEnd()) {
        const QString l = in.readLine();
        ++line;
        if (l.startsWith(QLatin1Char('#')) || l.isEmpty())
            continue;
        const QStringList fields = l.split(QLatin1Char('\t'));
        if (header.isEmpty()) {
            header = fields;
            continue;
        }
        EXPECT_EQ(fields.size(), header.size()) << path.toStdString() << " line " << line;
        FixtureRow r;
        r.line = line;
        for (int i = 0; i < header.size() && i < fields.size(); ++i)
            r.values.insert(header[i], fields[i]);
        rows.push_back(r);
    }
    if (headerOut)
        *headerOut = header;
    return rows;
}

QString pdfText(const QString& pdfPath)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdfPath, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

CloseAllInBox::CloseAllInBox(QWidget* watched) : watched_(watched)
{
    platform::setMsgHandler([this](const platform::MsgRequest& r) {
        if (++boxes_ == 1) {
            QApplication::closeAllWindows();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            wholeInBox_ = !watched_.isNull();
            hiddenInBox_ = wholeInBox_ && watched_->isHidden();
        }
        switch (r.buttons) {
        case platform::MsgButtons::OK: return platform::MsgResult::OK;
        case platform::MsgButtons::AbortRetryIgnore: return platform::MsgResult::Abort;
        case platform::MsgButtons::YesNo:
        case platform::MsgButtons::YesNoCancel: return platform::MsgResult::No;
        default: return platform::MsgResult::Cancel;
        }
    });
}

CloseAllInBox::~CloseAllInBox() { platform::setMsgHandler({}); }

QStringList openConnectionsTo(const QString& file)
{
    QStringList names;
    for (const QString& name : QSqlDatabase::connectionNames()) {
        const QSqlDatabase db = QSqlDatabase::database(name, false);
        if (db.isOpen() && db.databaseName() == file)
            names << name;
    }
    return names;
}

bool leaveHotJournal(const QString& database, const QString& sql)
{
    QProcess writer;
    writer.setProgram(QStringLiteral("sqlite3"));
    writer.setArguments({database});
    writer.start();
    if (!writer.waitForStarted(10000)) {
        ADD_FAILURE() << "sqlite3 does not start";
        return false;
    }
    writer.write(QByteArrayLiteral("PRAGMA cache_size = 2;\nBEGIN;\n") + sql.toUtf8()
                 + QByteArrayLiteral(";\nSELECT 'written';\n"));
    QByteArray out;
    while (!out.contains("written") && writer.waitForReadyRead(30000))
        out += writer.readAllStandardOutput();
    writer.kill();   // SIGKILL, before any COMMIT
    writer.waitForFinished(10000);
    const QFileInfo journal(database + QStringLiteral("-journal"));
    if (!out.contains("written") || !journal.exists() || journal.size() == 0) {
        ADD_FAILURE() << "no hot journal was left: " << out.toStdString()
                      << writer.readAllStandardError().toStdString();
        return false;
    }
    return true;
}

QList<QRect> inkMarks(const QImage& img, double px)
{
    const int w = img.width(), h = img.height();
    std::vector<char> seen(size_t(w) * h, 0);
    const auto dark = [&](int x, int y) { return qGray(img.pixel(x, y)) < 160; };
    QList<QRect> out;
    for (int x0 = 0; x0 < w; ++x0)
        for (int y0 = 0; y0 < h; ++y0) {
            if (seen[size_t(y0) * w + x0] || !dark(x0, y0))
                continue;
            QRect box(x0, y0, 1, 1);
            QList<QPoint> todo{{x0, y0}};
            seen[size_t(y0) * w + x0] = 1;
            while (!todo.isEmpty()) {
                const QPoint p = todo.takeLast();
                box |= QRect(p, QSize(1, 1));
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int x = p.x() + dx, y = p.y() + dy;
                        if (x < 0 || y < 0 || x >= w || y >= h || seen[size_t(y) * w + x] || !dark(x, y))
                            continue;
                        seen[size_t(y) * w + x] = 1;
                        todo.append({x, y});
                    }
            }
            out.append(QRect(QPoint(int(box.left() / px), int(box.top() / px)),
                             QPoint(int((box.right() + 1) / px + 0.999) - 1, int((box.bottom() + 1) / px + 0.999) - 1)));
        }
    std::sort(out.begin(), out.end(),
              [](const QRect& a, const QRect& b) { return a.left() != b.left() ? a.left() < b.left() : a.top() < b.top(); });
    return out;
}

QList<QRect> inkMarks(QWidget* control, const QRect& part)
{
    const QPixmap grab = control->grab(part.isNull() ? QRect(QPoint(0, 0), control->size()) : part);
    return inkMarks(grab.toImage(), grab.devicePixelRatio());
}

} // namespace testkit
