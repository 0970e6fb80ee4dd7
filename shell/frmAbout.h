#pragma once
// The About box: the program's name and version, the maker's contact
// details, and buttons to mail the maker, visit the web site and start the
// desktop's system-information tool.
#include <QDialog>
#include <QString>

namespace shell {

class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* owner = nullptr);

    void CmdEmail_Click();
    void CmdVisit_Click();
    void cmdSysInfo_Click();
    void cmdOK_Click();

    void StartSysInfo();
    // Reads a value of the settings store; false (and an empty value) when
    // there is none.
    static bool GetKeyValue(const QString& section, const QString& key, QString& value);

    // The maker's addresses (one place for each).
    static QString SupportAddress();
    static QString WebAddress();

    // Where the system-information tool is looked up: a configured path,
    // then a folder (configured, else the usual program folder) holding it.
    static constexpr const char* SysInfoSection = "System Information";
    static constexpr const char* SysInfoPathKey = "Path";
    static constexpr const char* SysInfoFolderKey = "Folder";
    static constexpr const char* SysInfoDefaultFolder = "/usr/bin";
    static constexpr const char* SysInfoTool = "hardinfo";

private:
    void Form_Load();
};

} // namespace shell
