#pragma once

#include <QComboBox>
#include <QString>
#include <functional>
#include <vector>

namespace corvanta {

// A mounted volume, as the drive list shows it.
struct Volume {
    QString root;  // absolute, no final "/" but for "/" itself
    QString name;  // the volume's label, empty when it has none
    bool available = true;
};

using VolumeSource = std::function<std::vector<Volume>()>;

// The volumes of this machine that can hold a user's folder: the root file system, local
// disks, removable media and network shares, in root order; pseudo file systems are left
// out. A volume whose root cannot be listed is unavailable.
std::vector<Volume> mountedVolumes();

// The drive list: one line per volume, its root followed by its label in brackets. A line
// too long for the box is shortened in its middle; the open list is as wide as its lines.
class DriveList : public QComboBox {
  public:
    DriveList(const VolumeSource& source, QWidget* parent);
    void showPopup() override;

    const Volume& volume(int index) const;
    // The line of the volume holding `path` (the one with the longest root), -1 for none.
    int indexOfPath(const QString& path) const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::vector<Volume> volumes_;
};

}  // namespace corvanta
