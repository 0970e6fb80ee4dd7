#include "frame/DataFileCommands.h"
#include "frame/DataFileLine.h"
#include "platform/Settings.h"
#include "shell/TextBox.h"

#include <QFileInfo>
#include <QWidget>

namespace frame {

namespace {

const QString kFilesSection = QStringLiteral("Files");
const QString kInitDirKey = QStringLiteral("InitDir");

} // namespace

QString fileNameOfPath(const QString& path) { return QFileInfo(path).fileName(); }

DataFileCommandsBase::DataFileCommandsBase(QWidget* window, StudyFileHooks hooks)
    : window_(window), hooks_(std::move(hooks))
{
    dialog_.initDir = programFolderPath();
}

bool DataFileCommandsBase::recordChanged(bool reset) const
{
    return hooks_.recordChanged ? hooks_.recordChanged(reset) : false;
}

void DataFileCommandsBase::clearAll() const
{
    if (hooks_.clearAll)
        hooks_.clearAll();
    else
        clearWindowTextBoxes(window_);
}

void DataFileCommandsBase::addToMRU(const QString& path) const
{
    if (hooks_.addToMRU)
        hooks_.addToMRU(path);
}

void DataFileCommandsBase::moveMRUToTop(const QString& path, int index) const
{
    if (hooks_.moveMRUToTop)
        hooks_.moveMRUToTop(path, index);
}

void DataFileCommandsBase::rememberFolder(const QString& path)
{
    dialog_.initDir = folderOfPath(path);
    platform::saveSetting(kFilesSection, kInitDirKey, dialog_.initDir);
}

void DataFileCommandsBase::loadInitDir()
{
    dialog_.initDir = platform::getSetting(kFilesSection, kInitDirKey, programFolderPath());
}

bool DataFileCommandsBase::askToSaveBeforeOpening(const std::function<bool()>& saveAs)
{
    if (!hooks_.askBeforeOpening)
        return true;
    return frame::askToSaveBeforeOpening(
        window_, [this](bool reset) { return recordChanged(reset); }, saveAs);
}

void DataFileCommandsBase::showMessage(const QString& text, platform::MsgIcon icon) const
{
    platform::msgBox(text, platform::MsgButtons::OK, icon, {}, window_);
}

bool DataFileCommandsBase::refuseTooLarge(const QString& path) const
{
    try {
        checkDataFileSize(path);
    } catch (const platform::RuntimeError& e) {
        showMessage(e.description(), platform::MsgIcon::Exclamation);
        return true;
    }
    return false;
}

bool DataFileCommandsBase::refuseOverlong(const QStringList& texts, const QStringList& boxNames,
                                          const QStringList& boxLabels) const
{
    const int bad = firstOverlongBox(window_, boxNames, texts);
    if (bad < 0)
        return false;
    showMessage(overlongTextRefusal(boxLabels.value(bad), shell::characterCount(texts[bad]),
                                    boxCapacity(window_, boxNames[bad])),
                platform::MsgIcon::Exclamation);
    return true;
}

} // namespace frame
