#pragma once

#include <QString>
#include <QTemporaryDir>
#include <memory>

namespace corvanta::test {

// A read-only view mounted over `folder` for its lifetime, as when a share turns read-only
// under a running program: files already open read on, and the next file made there (a
// journal) fails. ok() tells whether this machine let the test mount it.
class ReadOnlyView {
  public:
    explicit ReadOnlyView(const QString& folder);
    ~ReadOnlyView();
    ReadOnlyView(const ReadOnlyView&) = delete;
    ReadOnlyView& operator=(const ReadOnlyView&) = delete;

    bool ok() const { return readOnly_; }

  private:
    QString folder_;
    bool bound_ = false;
    bool readOnly_ = false;
};

// A tmpfs of `size` (as mount takes it: "160k") mounted on a folder of its own for the
// test's lifetime, where this machine lets a test mount one (ok() tells).
class SmallVolume {
  public:
    explicit SmallVolume(const char* size);
    ~SmallVolume();
    SmallVolume(const SmallVolume&) = delete;
    SmallVolume& operator=(const SmallVolume&) = delete;

    bool ok() const { return mounted_; }
    QString path() const { return folder_.path(); }
    // Makes it read-only: a file open for writing fails at its next write.
    bool makeReadOnly();

  private:
    QTemporaryDir folder_;
    bool mounted_ = false;
    std::unique_ptr<ReadOnlyView> readOnly_;
};

// Flips the cell-count bytes of every leaf page of `table` in the database `file`, as a
// failing disk would: the file still opens, and reading those rows fails.
void damageLeafPages(const QString& file, const QString& table);

}  // namespace corvanta::test
