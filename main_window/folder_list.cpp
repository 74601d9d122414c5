#include "main_window/folder_list.h"

#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QSignalBlocker>
#include <QStyle>

#include "platform/error.h"

namespace corvanta {

FolderList::FolderList(QWidget* parent) : QTreeWidget(parent), path_(QDir::rootPath()) {
    setHeaderHidden(true);
    setColumnCount(1);
    setIndentation(12);
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    // Deep folders scroll sideways rather than lose the end of their names.
    header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    header()->setStretchLastSection(false);
    connect(this, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        try {
            setPath(item->data(0, Qt::UserRole).toString());
        } catch (const Error&) {
            refresh();  // the folder went away meanwhile
        }
    });
}

void FolderList::setPath(const QString& folder) {
    const QFileInfo info(folder);
    if (folder.isEmpty() || !info.isDir()) {
        throw Error(kPathNotFound, "Corvanta", ("Path not found: '" + folder + "'.").toStdString());
    }
    path_ = QDir::cleanPath(info.absoluteFilePath());
    refresh();
}

void FolderList::keyPressEvent(QKeyEvent* event) {
    QTreeWidget::keyPressEvent(event);
    // The view opens the folder on Enter, then passes the key on to the window, whose
    // default button would take the folder and close: opening it is all Enter does here.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        event->accept();
}

void FolderList::refresh() {
    const QSignalBlocker bloque(this);
    clear();
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
    auto* line = new QTreeWidgetItem(this, {QDir::rootPath()});
    line->setIcon(0, open);
    line->setData(0, Qt::UserRole, QDir::rootPath());
    QString above = QDir::rootPath();
    for (const QString& part : path_.split(u'/', Qt::SkipEmptyParts)) {
        above = QDir(above).filePath(part);
        line = new QTreeWidgetItem(line, {part});
        line->setIcon(0, open);
        line->setData(0, Qt::UserRole, above);
    }
    const QFileInfoList subfolders =
        QDir(path_).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& subfolder : subfolders) {
        auto* below = new QTreeWidgetItem(line, {subfolder.fileName()});
        below->setIcon(0, closed);
        below->setData(0, Qt::UserRole, subfolder.absoluteFilePath());
    }
    expandAll();
    setCurrentItem(line);
    scrollToItem(line);
}

}  // namespace corvanta
