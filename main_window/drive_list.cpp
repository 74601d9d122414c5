#include "main_window/drive_list.h"

#include <QAbstractItemView>
#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QStorageInfo>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <algorithm>

namespace corvanta {
namespace {

bool isPseudo(const QStorageInfo& info) {
    static const QSet<QByteArray> pseudo{
        "proc",       "sysfs",           "devtmpfs",   "devpts",    "tmpfs",     "ramfs",
        "cgroup",     "cgroup2",         "securityfs", "debugfs",   "tracefs",   "pstore",
        "bpf",        "mqueue",          "nsfs",       "hugetlbfs", "configfs",  "fusectl",
        "autofs",     "efivarfs",        "squashfs",   "overlay",   "selinuxfs", "binfmt_misc",
        "rpc_pipefs", "fuse.gvfsd-fuse", "fuse.portal"};
    const QString root = info.rootPath();
    for (const char* system : {"/proc", "/sys", "/dev", "/run"}) {
        const QString prefix = QLatin1String(system);
        if ((root == prefix || root.startsWith(prefix + u'/')) &&
            !root.startsWith(QStringLiteral("/run/media/"))) {
            return true;
        }
    }
    return pseudo.contains(info.fileSystemType());
}

bool holds(const QString& root, const QString& path) {
    return root == QStringLiteral("/") || path == root || path.startsWith(root + u'/');
}

}  // namespace

std::vector<Volume> mountedVolumes() {
    std::vector<Volume> volumes;
    for (const QStorageInfo& info : QStorageInfo::mountedVolumes()) {
        const QString root = QDir::cleanPath(info.rootPath());
        // Files mounted over files (a container's /etc/hosts, say) are no volumes.
        if (root != QStringLiteral("/") && (isPseudo(info) || !QFileInfo(root).isDir()))
            continue;
        const QFileInfo folder(root);
        volumes.push_back(
            {root, info.name(), info.isReady() && folder.isReadable() && folder.isExecutable()});
    }
    std::sort(volumes.begin(), volumes.end(),
              [](const Volume& a, const Volume& b) { return a.root < b.root; });
    volumes.erase(std::unique(volumes.begin(), volumes.end(),
                              [](const Volume& a, const Volume& b) { return a.root == b.root; }),
                  volumes.end());
    return volumes;
}

DriveList::DriveList(const VolumeSource& source, QWidget* parent)
    : QComboBox(parent), volumes_(source()) {
    const QIcon icon = style()->standardIcon(QStyle::SP_DriveHDIcon);
    for (const Volume& v : volumes_) {
        addItem(icon, v.name.isEmpty() ? v.root : v.root + QStringLiteral(" [") + v.name + u']');
    }
}

void DriveList::showPopup() {
    view()->setMinimumWidth(view()->sizeHintForColumn(0) + 8);
    QComboBox::showPopup();
}

void DriveList::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    const QRect texte =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    const int place = texte.width() - (option.currentIcon.isNull() ? 0 : iconSize().width() + 4);
    option.currentText = fontMetrics().elidedText(option.currentText, Qt::ElideMiddle, place);
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

const Volume& DriveList::volume(int index) const {
    return volumes_.at(static_cast<std::size_t>(index));
}

int DriveList::indexOfPath(const QString& path) const {
    const QString clean = QDir::cleanPath(path);
    int best = -1;
    for (int i = 0; i < static_cast<int>(volumes_.size()); ++i) {
        const QString& root = volumes_[static_cast<std::size_t>(i)].root;
        if (QDir::isAbsolutePath(clean) && holds(root, clean) &&
            (best < 0 || root.size() > volume(best).root.size())) {
            best = i;
        }
    }
    return best;
}

}  // namespace corvanta
