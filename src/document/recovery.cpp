#include "app/app.h"
#include "document/document.h"
#include "files/files.h"

#include <cstdio>
#include <optional>

const char *const RECOVERY_FILE = "Recovery.moltwork";
std::chrono::milliseconds recovery_interval{3000};

namespace
{
using Clock = std::chrono::steady_clock;

const std::string SIGNATURE = "Moltwork recovery copy\n";
// Longer than any name the editor keeps: anything longer is no copy of ours.
constexpr std::size_t MAX_NAME_BYTES = 4096;
constexpr int MAX_SET_ASIDE = 1000;

bool copy_kept = false;      // this run wrote the copy, or restored it
bool writes_blocked = false; // an unreadable copy could not be moved aside
unsigned long kept_revision = 0;
std::string kept_name;
std::optional<Clock::time_point> last_write;

void mark_up_to_date()
{
    kept_revision = document_revision();
    kept_name = filename;
}

bool write_copy()
{
    frames_into_sheet();
    const std::string header = SIGNATURE + filename + "\n";
    return write_file_safely(RECOVERY_FILE, [&header](PACKFILE *file) {
        const long size = static_cast<long>(header.size());
        return pack_fwrite(header.data(), size, file) == size && save_bmp_pf(file, InOut, nullptr) == 0;
    });
}

FoundRecovery damaged()
{
    return {RecoveryCheck::Damaged, "", nullptr};
}
} // namespace

void keep_recovery_copy()
{
    const bool change_completed = mb == 0 && old_mb == 0;
    const bool behind = document_revision() != kept_revision || filename != kept_name;
    if (!change_completed || !behind || writes_blocked) {
        return;
    }
    if (!is_unsaved()) {
        drop_recovery_copy();
        return;
    }
    const Clock::time_point now = Clock::now();
    if (last_write && now - *last_write < recovery_interval) {
        return;
    }
    last_write = now;
    if (write_copy()) {
        copy_kept = true;
        mark_up_to_date();
    }
}

void drop_recovery_copy()
{
    if (copy_kept) {
        std::remove(RECOVERY_FILE);
    }
    copy_kept = false;
    mark_up_to_date();
}

FoundRecovery find_recovery_copy()
{
    if (!path_exists(RECOVERY_FILE)) {
        return {RecoveryCheck::None, "", nullptr};
    }
    const long limit = MAX_IMAGE_FILE_BYTES + static_cast<long>(SIGNATURE.size() + MAX_NAME_BYTES) + 1;
    std::string bytes;
    if (!read_regular_file(RECOVERY_FILE, limit, bytes) ||
        bytes.compare(0, SIGNATURE.size(), SIGNATURE) != 0) {
        return damaged();
    }
    const std::size_t name_end = bytes.find('\n', SIGNATURE.size());
    if (name_end == std::string::npos || name_end - SIGNATURE.size() > MAX_NAME_BYTES) {
        return damaged();
    }
    const std::string name = bytes.substr(SIGNATURE.size(), name_end - SIGNATURE.size());
    BITMAP *sheet = decode_checked_image(bytes.substr(name_end + 1), "bmp");
    if (!is_readable_sheet(sheet) || name.find('\0') != std::string::npos) {
        if (sheet) {
            destroy_bitmap(sheet);
        }
        return damaged();
    }
    return {RecoveryCheck::Found, name, sheet};
}

void restore_recovery_copy(const FoundRecovery &found)
{
    adopt_sheet(found.sheet);
    clear_undos();
    restored_unsaved = true;
    filename = found.name;
    copy_kept = true;
    mark_up_to_date();
}

void discard_recovery_copy(const FoundRecovery &found)
{
    destroy_bitmap(found.sheet);
    std::remove(RECOVERY_FILE);
}

std::string set_aside_recovery_copy()
{
    for (int n = 1; n <= MAX_SET_ASIDE; ++n) {
        const std::string name = "Recovery-damaged-" + std::to_string(n) + ".moltwork";
        if (path_exists(name)) {
            continue;
        }
        if (std::rename(RECOVERY_FILE, name.c_str()) == 0) {
            return name;
        }
        break;
    }
    writes_blocked = true;
    return "";
}
