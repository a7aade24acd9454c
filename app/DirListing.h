#pragma once

// What the folder selection dialog lists: the file-system roots and mount
// points (its "drives"), the folders of a folder and its files.

#include <string>
#include <vector>

// "/" and every mount point of a real file system, in path order.
std::vector<std::string> DriveRoots();
// The same from the text of a mounts table (/proc/self/mounts layout).
std::vector<std::string> DriveRootsFromMounts(const std::string& mountsText);

// The drive (longest matching mount point of `drives`) a folder lies on.
std::string DriveOf(const std::string& folder, const std::vector<std::string>& drives);

// Visible sub-folders and files of `folder`, sorted by name without regard to
// case. An unreadable folder lists nothing.
std::vector<std::string> SubFolders(const std::string& folder);
std::vector<std::string> FilesOf(const std::string& folder);

// A name a new folder may take: not empty, not "." or "..", no path
// separator, no control character, at most 255 bytes.
bool IsValidNewDirName(const std::string& name);
