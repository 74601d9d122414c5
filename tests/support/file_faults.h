#pragma once

#include <QString>
#include <QTemporaryDir>

namespace corvanta::test {

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
    int mounts_ = 0;
};

// Flips the cell-count bytes of every leaf page of `table` in the database `file`, as a
// failing disk would: the file still opens, and reading those rows fails.
void damageLeafPages(const QString& file, const QString& table);

}  // namespace corvanta::test
