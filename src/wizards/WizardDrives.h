// The drive list of the new skin wizard: the mounted volumes sorted into the five
// kinds a drive bar knows. Volumes of any other kind (system and pseudo file systems)
// are left out.
#pragma once

#include <QString>

#include <vector>

class QStorageInfo;

namespace sw {

// What the sorting needs to know about one mounted volume.
struct VolumeFacts {
    QString root;            // mount point
    QString fileSystemType;  // "ext4", "vfat", "nfs4", "tmpfs", ...
    QString device;          // "/dev/sda1", "server:/export", ...
    QString label;           // volume label, may be empty
    bool removable = false;  // the device says its medium can be taken out
};

// The DriveKind of the volume, or -1 when it is none of the five.
int volumeKind(const VolumeFacts& volume);

// One row of the drive list.
struct DriveRow {
    QString caption;  // the root
    QString name;     // second column: "Removable", else the volume label
    int kind = -1;
    QString root;  // the mount point
};

// The rows for these volumes, in the order given, without the ones of no kind and
// without a second row for the same mount point.
std::vector<DriveRow> driveRows(const std::vector<VolumeFacts>& volumes);

// The facts of a mounted volume, including whether its block device is removable.
VolumeFacts volumeFacts(const QStorageInfo& storage);

// The rows of the volumes mounted now, sorted by root.
std::vector<DriveRow> mountedDriveRows();

}  // namespace sw
