#include "shell/frmAbout.h"
#include "platform/Maker.h"

#include "platform/AppInfo.h"
#include "platform/Desktop.h"
#include "platform/Dialogs.h"
#include "platform/Settings.h"
#include "shell/ProgramShell.h"
#include "shell/Resize.h"
#include "shell/ScriptFont.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>

namespace shell {

namespace {

// The maker's support mail address and web-site address.

bool isExecutableFile(const QString& path)
{
    const QFileInfo fi(path);
    return !path.isEmpty() && fi.isFile() && fi.isExecutable();
}

} // namespace

QString frmAbout::SupportAddress() { return platform::makerSupportAddress(); }
QString frmAbout::WebAddress() { return platform::makerWebsite(); }

frmAbout::frmAbout(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("frmAbout"));
    const QString title = platform::appInfo().title;
    const AboutTexts own = programShell() ? programShell()->about : AboutTexts();
    setWindowTitle(QStringLiteral("About The ") + title);
    setModal(true);

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("picIcon"));
    icon->setGeometry(px(240), px(240), px(720), px(720));
    QIcon appIcon = QApplication::windowIcon();
    if (appIcon.isNull())
        appIcon = style()->standardIcon(QStyle::SP_MessageBoxInformation);
    icon->setPixmap(appIcon.pixmap(px(720), px(720)));

    auto label = [this](const QString& name, const QString& text, int left, int top, int width, int height,
                        int points) {
        auto* l = new QLabel(text, this);
        l->setObjectName(name);
        l->setWordWrap(true);
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        l->setFont(scriptFont(points));
        l->setGeometry(px(left), px(top), px(width), px(height));
        return l;
    };
    label(own.titleLabelName, title, 1200, 180, 5520, 660, 24);
    label(QStringLiteral("lblVersion"), QStringLiteral("Version 5.0"), 1200, 840, 3000, 360, 12);
    label(QStringLiteral("lblContact"),
          QStringLiteral("Varnholt Software\nSupport: %1\nUpdates: %2").arg(SupportAddress(), WebAddress()), 1200,
          1230, 5520, 900, 11);

    const QString citation = QStringLiteral("%1, Version 5.0 [Computer software]. Varnholt Software. %2")
                                 .arg(title, WebAddress());
    QString notice =
        QStringLiteral("Terms of use: this program may be used free of charge for teaching, research and clinical "
                       "work. It comes as it is, without warranty of any kind; please check results that matter "
                       "by a second means. If you report results obtained with it, please cite it as:\n\n") +
        citation;
    int top = 2220;
    if (!own.purpose.isEmpty()) {
        auto* purpose = new QPlainTextEdit(this);
        purpose->setObjectName(QStringLiteral("txtPurpose"));
        purpose->setReadOnly(true);
        purpose->setPlainText(own.purpose);
        purpose->setGeometry(px(240), px(top), px(6480), px(1320));
        top += 1440;
    }
    auto* txtNotice = new QPlainTextEdit(this);
    txtNotice->setObjectName(QStringLiteral("txtNotice"));
    txtNotice->setReadOnly(true);
    txtNotice->setPlainText(notice);
    txtNotice->setGeometry(px(240), px(top), px(6480), px(1320));
    top += 1440;
    label(QStringLiteral("lblDedication"), QStringLiteral("For Helen, Jakob and Mira, with love."), 240, top, 6480,
          330, 11);
    top += 390;
    label(QStringLiteral("lblRights"),
          QStringLiteral("Copyright (c) Varnholt Software. All rights reserved. This program is protected by "
                         "copyright law; it may not be sold or changed without the maker's permission."),
          240, top, 6480, 720, 10);
    top += 840;

    auto button = [this](const QString& name, const QString& caption, int left, int top) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setGeometry(px(left), px(top), px(1545), px(420));
        b->setAutoDefault(false);
        return b;
    };
    auto* mail = button(QStringLiteral("CmdEmail"), QStringLiteral("&Email Varnholt"), 240, top);
    auto* visit = button(QStringLiteral("CmdVisit"), QStringLiteral("&Visit Website"), 1890, top);
    auto* sys = button(QStringLiteral("cmdSysInfo"), QStringLiteral("&System Info..."), 3540, top);
    auto* ok = button(QStringLiteral("cmdOK"), QStringLiteral("&OK"), 5175, top);
    ok->setDefault(true);
    connect(mail, &QPushButton::clicked, this, [this] { CmdEmail_Click(); });
    connect(visit, &QPushButton::clicked, this, [this] { CmdVisit_Click(); });
    connect(sys, &QPushButton::clicked, this, [this] { cmdSysInfo_Click(); });
    connect(ok, &QPushButton::clicked, this, [this] { cmdOK_Click(); });

    setFixedSize(px(6960), px(top + 420 + 240));

    if (own.versionAtLoad)
        Form_Load();
}

void frmAbout::Form_Load()
{
    const auto& info = platform::appInfo();
    if (auto* v = findChild<QLabel*>(QStringLiteral("lblVersion")))
        v->setText(QStringLiteral("Version %1.%2.%3").arg(info.major).arg(info.minor).arg(info.revision));
    if (auto* t = findChild<QLabel*>(QStringLiteral("lblTitle")))
        t->setText(info.title);
}

void frmAbout::CmdEmail_Click()
{
    platform::openUrl(QStringLiteral("mailto:") + SupportAddress() + QStringLiteral("?Subject=") +
                      platform::appInfo().title);
}

void frmAbout::CmdVisit_Click() { platform::openUrl(WebAddress()); }

void frmAbout::cmdSysInfo_Click() { StartSysInfo(); }

void frmAbout::cmdOK_Click() { accept(); }

bool frmAbout::GetKeyValue(const QString& section, const QString& key, QString& value)
{
    value = platform::getSetting(section, key).trimmed();
    return !value.isEmpty();
}

void frmAbout::StartSysInfo()
{
    const QString section = QString::fromLatin1(SysInfoSection);
    QString path;
    bool started = false;
    if (GetKeyValue(section, QString::fromLatin1(SysInfoPathKey), path)) {
        started = isExecutableFile(path) && platform::startProgram(path);
    } else {
        QString folder;
        if (!GetKeyValue(section, QString::fromLatin1(SysInfoFolderKey), folder))
            folder = QString::fromLatin1(SysInfoDefaultFolder);
        const QString tool = QDir(folder).filePath(QString::fromLatin1(SysInfoTool));
        started = isExecutableFile(tool) && platform::startProgram(tool);
    }
    if (!started)
        platform::msgBox(QStringLiteral("System Information Is Unavailable At This Time"), platform::MsgButtons::OK,
                         platform::MsgIcon::None, {}, this);
}

} // namespace shell
