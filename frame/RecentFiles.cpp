#include "frame/RecentFiles.h"

#include "platform/Settings.h"

#include <QAction>
#include <QMenu>

namespace frame {

namespace {
const QString kSection = QStringLiteral("MRUFiles");
}

RecentFileList::RecentFileList(QMenu* menu, QAction* entry0, QAction* before, std::function<void(int)> chosen)
    : menu_(menu), before_(before), chosen_(std::move(chosen))
{
    entries_.push_back(entry0);
    entry0->setObjectName(QStringLiteral("mnuMRU(0)"));
    entry0->setProperty("index", 0);
    QObject::connect(entry0, &QAction::triggered, menu_, [this] { chosen_(0); });
    setCaption(0, QString());
}

QAction* RecentFileList::createEntry(int i)
{
    auto* a = new QAction(menu_);
    a->setObjectName(QStringLiteral("mnuMRU(%1)").arg(i));
    a->setProperty("index", i);
    menu_->insertAction(before_, a);
    QObject::connect(a, &QAction::triggered, menu_, [this, i] { chosen_(i); });
    return a;
}

QString RecentFileList::caption(int i) const
{
    const QAction* a = entry(i);
    return a ? a->data().toString() : QString();
}

void RecentFileList::setCaption(int i, const QString& path)
{
    QAction* a = entries_[i];
    a->setData(path);
    // The path is shown as it is: an "&" in it is no access key.
    QString shown = path;
    shown.replace(QLatin1Char('&'), QLatin1String("&&"));
    a->setText(shown);
    a->setStatusTip(QString());
    // An entry with no path is never offered.
    a->setVisible(i <= lastIndex_ && !path.isEmpty());
}

int RecentFileList::FindMRUIndex(const QString& path) const
{
    const QString wanted = path.toUpper();
    for (int i = 0; i <= lastIndex_; ++i)
        if (caption(i).toUpper() == wanted)
            return i;
    return -1;
}

void RecentFileList::InsertMRU(const QString& path)
{
    if (lastIndex_ < MaxEntries - 1) {
        ++lastIndex_;
        if (lastIndex_ >= entries_.size())
            entries_.push_back(createEntry(lastIndex_));
    }
    for (int n = lastIndex_; n >= 1; --n)
        setCaption(n, caption(n - 1));
    setCaption(0, path);
}

void RecentFileList::MoveMRUToTop(const QString& path, int index)
{
    if (index < 0 || index > lastIndex_)
        return;
    for (int n = index; n >= 1; --n)
        setCaption(n, caption(n - 1));
    setCaption(0, path);
}

void RecentFileList::AddToMRU(const QString& path)
{
    if (path.isEmpty())
        return;
    const int i = FindMRUIndex(path);
    if (i == -1)
        InsertMRU(path);
    else
        MoveMRUToTop(path, i);
}

void RecentFileList::LoadMRUList()
{
    QStringList stored;
    for (int i = 0;; ++i) {
        const QString p = platform::getSetting(kSection, QString::number(i), QString());
        if (p.isEmpty())
            break;
        stored << p;
    }
    for (int i = stored.size() - 1; i >= 0; --i)
        AddToMRU(stored[i]);
}

void RecentFileList::SaveMRUList() const
{
    for (int i = 0; i <= lastIndex_; ++i)
        platform::saveSetting(kSection, QString::number(i), caption(i));
}

} // namespace frame
