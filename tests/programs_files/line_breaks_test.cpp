// Each program's data file keeps every line break inside a field as it was
// read: a file opened and saved again under another name is the same, byte
// for byte, whichever characters break its lines (LF, CR, CR LF, the line
// and paragraph separators, NEL, VT, FF), in a line box and in a multi-line
// box alike.
#include "ProgramFiles.h"
#include "frame/DataFileLine.h"
#include "meandiff/StudyFile.h"
#include "meandiff/frmMain.h"
#include "outcometable/OutcomeFile.h"
#include "outcometable/frmMain.h"
#include "personchange/ChangeFile.h"
#include "personchange/frmMain.h"

#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

struct Program {
    const char* title;
    const char* exe;
    const char* file;
    std::function<std::unique_ptr<frame::MainFrame>()> make;
    int fields;
};

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

} // namespace

TEST(LineBreaks, OpenThenSaveAsKeepsEveryLineBreakAsRead)
{
    const std::vector<Program> programs = {
        {"Tarvoss", "Tarvoss5", "study.tvq", [] { return std::make_unique<tarvoss::frmMain>(); },
         static_cast<int>(meandiff::kStudyFieldBoxes.size())},
        {"Quellin", "Quellin5", "trial.qln", [] { return std::make_unique<quellin::frmMain>(); },
         static_cast<int>(quellin::kOutcomeFieldBoxes.size())},
        {"Morvane", "Morvane5", "client.mrv", [] { return std::make_unique<morvane::frmMain>(); },
         morvane::kChangeFieldCount},
    };
    const QStringList texts = {
        QStringLiteral("one\ntwo\n\nthree"),
        QStringLiteral("one\rtwo\r\rthree"),
        QStringLiteral("one\r\ntwo\r\n\r\nthree\r\n"),
        QStringLiteral("\nmixed\r\rbreaks\r\n\n\r"),
        QString::fromUtf8("line\u2028paragraph\u2029next\u0085vertical\vform\ffeed"),
    };
    for (const Program& p : programs) {
        programfiles::useProgram(p.title, p.exe);
        std::unique_ptr<frame::MainFrame> w = p.make();
        w->show();
        testkit::settle();
        QTemporaryDir dir;
        for (const QString& text : texts) {
            SCOPED_TRACE(std::string(p.title) + " " + text.toUtf8().toPercentEncoding().toStdString());
            // The first box is a line box; Morvane's last is a multi-line box.
            QStringList fields(p.fields, QStringLiteral("1"));
            fields.first() = text;
            fields.last() = text;
            const QString path = dir.filePath(QString::fromLatin1(p.file));
            const QByteArray bytes = frame::encodeDataLine(fields);
            {
                QFile f(path);
                ASSERT_TRUE(f.open(QIODevice::WriteOnly));
                f.write(bytes);
            }
            const QString again = dir.filePath(QStringLiteral("again-") + QString::fromLatin1(p.file));
            testkit::FileDialogScript files({path, again});
            testkit::MsgBoxScript msgs;
            programfiles::trigger(w.get(), "mnuFileOpen");
            programfiles::trigger(w.get(), "mnuFileSaveAs");
            EXPECT_EQ(msgs.count(), 0) << msgs.texts().join('|').toStdString();
            EXPECT_EQ(readAll(again), bytes);
        }
        w->RecordChanged(true);
    }
}
