#pragma once
// The recent-file list of a main window's File menu: at most four paths,
// newest first, shown as the menu entries mnuMRU(0) .. mnuMRU(3) between two
// separators, kept between runs under "MRUFiles"/"0".."3".
#include <QList>
#include <QString>
#include <functional>

class QAction;
class QMenu;

namespace frame {

class RecentFileList {
public:
    static constexpr int MaxEntries = 4;

    // entry0: the menu's element 0 (exists from the start); before: the
    // separator below the list, before which new elements are placed.
    RecentFileList(QMenu* menu, QAction* entry0, QAction* before, std::function<void(int)> chosen);

    // Highest index in use, -1 while the list is empty.
    int MRULastIndex() const { return lastIndex_; }
    void resetMRULastIndex() { lastIndex_ = -1; }
    // Caption (full path) of entry i; "" when there is no such entry.
    QString caption(int i) const;
    QAction* entry(int i) const { return i >= 0 && i < entries_.size() ? entries_[i] : nullptr; }

    void AddToMRU(const QString& path);
    int FindMRUIndex(const QString& path) const;
    void InsertMRU(const QString& path);
    void MoveMRUToTop(const QString& path, int index);
    void LoadMRUList();
    void SaveMRUList() const;

private:
    void setCaption(int i, const QString& path);
    QAction* createEntry(int i);

    QMenu* menu_;
    QAction* before_;
    std::function<void(int)> chosen_;
    QList<QAction*> entries_;
    int lastIndex_ = -1;
};

} // namespace frame
