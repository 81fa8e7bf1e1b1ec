#include "wizards/WizardDrives.h"

#include "wizards/WizardBuilder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

#include <algorithm>

namespace sw {

namespace {

bool oneOf(const QString& text, std::initializer_list<const char*> names)
{
    return std::any_of(names.begin(), names.end(), [&](const char* name) { return text == QLatin1String(name); });
}

bool under(const QString& root, const char* folder)
{
    const QLatin1String prefix(folder);
    return root == prefix || root.startsWith(prefix + QLatin1Char('/'));
}

}  // namespace

int volumeKind(const VolumeFacts& volume)
{
    const QString type = volume.fileSystemType.toLower();
    const QString& root = volume.root;
    // The kernel's own views and the system's run-time folders are no drives.
    if (under(root, "/proc") || under(root, "/sys") || (under(root, "/dev") && !under(root, "/dev/shm")) ||
        under(root, "/boot/efi") || under(root, "/snap"))
        return -1;
    if (oneOf(type, {"tmpfs", "ramfs"}))
        return under(root, "/run") ? -1 : DriveRam;
    if (oneOf(type, {"iso9660", "udf", "cd9660"}) || volume.device.startsWith(QLatin1String("/dev/sr")))
        return DriveOptical;
    if (oneOf(type, {"nfs", "nfs4", "cifs", "smbfs", "smb3", "afs", "9p", "ceph", "glusterfs", "davfs",
                     "fuse.sshfs", "sshfs", "fuse.davfs", "fuse.glusterfs", "ncpfs"}))
        return DriveNetwork;
    if (!volume.device.startsWith(QLatin1String("/dev/")) && !(root.size() == 3 && root.at(1) == QLatin1Char(':')))
        return -1;  // overlays, squashfs images, fuse helpers ...
    if (oneOf(type, {"squashfs", "overlay", "devtmpfs"}))
        return -1;
    if (volume.removable || under(root, "/media") || under(root, "/run/media"))
        return DriveRemovable;
    return DriveFixed;
}

std::vector<DriveRow> driveRows(const std::vector<VolumeFacts>& volumes)
{
    std::vector<DriveRow> rows;
    for (const VolumeFacts& volume : volumes) {
        const int kind = volumeKind(volume);
        // A folder mounted over twice is one drive.
        if (kind < 0 || std::any_of(rows.begin(), rows.end(), [&](const DriveRow& row) { return row.root == volume.root; }))
            continue;
        // A drive letter reads as the engine's system writes it: "c:\".
        const QString& root = volume.root;
        const bool letter = root.size() == 3 && root.at(1) == QLatin1Char(':');
        const QString caption = letter ? root.left(2).toLower() + QLatin1Char('\\') : root;
        // The medium of a removable drive is not asked for its label.
        rows.push_back({caption, kind == DriveRemovable ? QStringLiteral("Removable") : volume.label, kind, root});
    }
    return rows;
}

VolumeFacts volumeFacts(const QStorageInfo& storage)
{
    VolumeFacts facts;
    facts.root = storage.rootPath();
    facts.fileSystemType = QString::fromLatin1(storage.fileSystemType());
    facts.device = QString::fromLocal8Bit(storage.device());
    facts.label = storage.name();
    if (facts.device.startsWith(QLatin1String("/dev/"))) {
        // /dev/sdb1 -> /sys/class/block/sdb1 -> its disk's "removable" flag.
        const QFileInfo node(QStringLiteral("/sys/class/block/") + QFileInfo(facts.device).fileName());
        QDir disk(node.canonicalFilePath());
        QFile flag(disk.filePath(QStringLiteral("removable")));
        if (!flag.exists() && disk.cdUp())
            flag.setFileName(disk.filePath(QStringLiteral("removable")));
        if (flag.open(QIODevice::ReadOnly))
            facts.removable = flag.read(1) == "1";
    }
    return facts;
}

std::vector<DriveRow> mountedDriveRows()
{
    std::vector<VolumeFacts> volumes;
    for (const QStorageInfo& storage : QStorageInfo::mountedVolumes())
        if (storage.isValid())
            volumes.push_back(volumeFacts(storage));
    std::sort(volumes.begin(), volumes.end(),
              [](const VolumeFacts& a, const VolumeFacts& b) { return a.root < b.root; });
    return driveRows(volumes);
}

}  // namespace sw
