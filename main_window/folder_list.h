#pragma once

#include <QString>
#include <QTreeWidget>

namespace corvanta {

// The folder list: the current folder under the folders that lead to it from "/", then
// its subfolders (hidden ones left out). Double-clicking a line, or Enter, makes that
// folder current; Enter goes no further (a dialog's default button never sees it).
class FolderList : public QTreeWidget {
  public:
    // Error number of a folder that does not exist.
    static constexpr int kPathNotFound = 76;

    explicit FolderList(QWidget* parent);

    // The current folder: absolute, without a final "/" but for the root.
    const QString& path() const { return path_; }
    // Makes `folder` current and lists it. Error kPathNotFound, nothing changed, when it is
    // no folder.
    void setPath(const QString& folder);
    // Lists the current folder's subfolders again.
    void refresh();

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QString path_;
};

}  // namespace corvanta
