#include "shell/frmOptions.h"

#include "platform/AppInfo.h"
#include "platform/FileTypeKeys.h"
#include "platform/Settings.h"
#include "platform/WindowLife.h"
#include "shell/ShellWindows.h"
#include "shell/associateExtension.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace shell {

frmOptions::frmOptions(const OptionsTexts& texts, QWidget* owner, const QString& programFolder)
    : QDialog(owner), texts_(texts), folder_(programFolder.isEmpty() ? platform::appPath() : programFolder)
{
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(texts_.caption);
    setModal(true);

    chkAssoc = new QCheckBox(texts_.checkCaption, this);
    chkAssoc->setObjectName(QStringLiteral("chkAssoc"));
    chkAssoc->setGeometry(16, 20, 340, 24);

    picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setGeometry(364, 8, 48, 48);
    const QString iconPath = folder_ + QLatin1Char('/') + texts_.iconFile;
    if (!texts_.iconFile.isEmpty() && QFileInfo::exists(iconPath))
        picIcon->setPixmap(QIcon(iconPath).pixmap(32, 32));

    int height = 68;
    if (texts_.startTabChoice) {
        Frame1 = new QGroupBox(QStringLiteral("Which Tab should automatically open when the programme is run?"), this);
        Frame1->setObjectName(QStringLiteral("Frame1"));
        Frame1->setGeometry(12, 64, 400, 148);
        static const char* const captions[4] = {"Reliable Change Tab", "Clinical Change Tab",
                                                "Exact Confidence Rates Tab", "Extra Info Tab"};
        for (int i = 0; i < 4; ++i) {
            op[i] = new QRadioButton(QString::fromLatin1(captions[i]), Frame1);
            op[i]->setObjectName(QStringLiteral("op%1").arg(i));
            op[i]->setGeometry(16, 28 + 28 * i, 260, 24);
        }
        cmdApply = new QPushButton(QStringLiteral("Apply"), Frame1);
        cmdApply->setObjectName(QStringLiteral("cmdApply"));
        cmdApply->setGeometry(300, 108, 84, 28);
        cmdApply->setAutoDefault(false);
        connect(cmdApply, &QPushButton::clicked, this, &frmOptions::cmdApply_Click);
        height = 224;
    }
    setFixedSize(424, height);

    // Setting the box in code raises this too; Loaded keeps that from acting.
    connect(chkAssoc, &QCheckBox::toggled, this, &frmOptions::chkAssoc_Click);
    Form_Load();
}

frmOptions::~frmOptions() = default;

void frmOptions::Form_Load()
{
    // What the class's open command says now (a command longer than 254
    // characters is not read).
    QString command = platform::filetypes::classOpenCommand(texts_.className);
    if (command.size() > 254)
        command.clear();

    ExePath = folder_;
    if (!ExePath.endsWith(QLatin1Char('/')))
        ExePath += QLatin1Char('/');
    ExePath += QFileInfo(QCoreApplication::applicationFilePath()).fileName();

    if (command.contains(ExePath, Qt::CaseSensitive))
        chkAssoc->setChecked(true);
    Loaded = true;
    picIcon->setVisible(chkAssoc->isChecked());
}

void frmOptions::chkAssoc_Click()
{
    if (!Loaded)
        return;
    if (chkAssoc->isChecked()) {
        associateExtension::AssociateFileType(texts_.extension, ExePath, texts_.className,
                                              folder_ + QLatin1Char('/') + texts_.iconFile);
        picIcon->setVisible(true);
    } else {
        associateExtension::RemoveFileType(texts_.extension, texts_.className);
        picIcon->setVisible(false);
    }
}

void frmOptions::cmdApply_Click()
{
    for (int i = 0; i < 4; ++i) {
        if (op[i] && op[i]->isChecked()) {
            platform::saveSetting(QStringLiteral("Settings"), QStringLiteral("Tab"), op[i]->objectName());
            return;
        }
    }
}

void showOptions(QWidget* owner)
{
    const ProgramShell* program = programShell();
    if (!program)
        return;
    frmOptions dlg(program->options, owner);
    platform::execDialog(dlg);
}

} // namespace shell
