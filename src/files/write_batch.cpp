#include "files/files.h"

#include <cstdio>
#include <fcntl.h>
#include <map>
#include <unistd.h>

namespace
{
struct HeldFile {
    std::string temporary; // written, not yet synced
    std::string path;      // where it goes, links followed
    std::string target;    // as the writer named it
};

bool batch_open = false;
std::vector<HeldFile> held;

// One sync per folder holding a written file (the sync covers its whole file
// system); whether each folder's sync succeeded.
std::map<std::string, bool> sync_held_files()
{
    std::map<std::string, bool> synced;
    for (const HeldFile &file : held) {
        const std::string folder = folder_of(file.temporary);
        if (synced.count(folder)) {
            continue;
        }
        const int fd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
        synced[folder] = fd >= 0 && syncfs(fd) == 0;
        if (fd >= 0) {
            close(fd);
        }
    }
    return synced;
}
} // namespace

void begin_write_batch()
{
    batch_open = true;
}

bool write_batch_open()
{
    return batch_open;
}

void hold_until_batch_ends(const std::string &temporary, const std::string &path, const std::string &target)
{
    held.push_back({temporary, path, target});
}

std::vector<std::string> finish_write_batch()
{
    batch_open = false;
    std::map<std::string, bool> synced = sync_held_files();
    std::vector<std::string> failed;
    for (const HeldFile &file : held) {
        if (!synced[folder_of(file.temporary)] ||
            std::rename(file.temporary.c_str(), file.path.c_str()) != 0) {
            std::remove(file.temporary.c_str());
            failed.push_back(file.target);
        }
    }
    held.clear();
    return failed;
}
