#pragma once
// What a running clean keeps for itself: nothing that runs while it yields (another
// window, a timer tick, a closed report window) can redirect it or cut its report short.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>
#include "common/clean_rule.h"
#include "engine/folder_walk.h"
#include "runtime/filesys.h"

namespace pellmaris {

// What the engine shows while it works. During a clean it reaches the windows at most
// every few tens of milliseconds (each update of a window costs a repaint), and in full
// when each engine routine ends.
struct CleanDisplay {
    std::string caption;                    // Form1.Label2
    long progress_max = 0, progress_value = 0;   // Form1.ProgressBar1 (minimum 0)
    std::vector<std::string> names, sizes;  // Form4.List1 and List2
    std::vector<std::string> exceptions;    // not yet added to Form4.List3
    bool caption_changed = false, progress_changed = false, files_changed = false;
    uint64_t shown_at = 0;                  // tick count of the last update
};

struct CleanWork {
    bool running = false;               // one clean at a time: full, single-area, at load, by the timer
    std::vector<std::string> report;    // the report; Form2.List1 shows it when the clean ends
    FolderList folders;                 // the last walk; Form4.List4 shows it
    // The folder being emptied, opened and checked; kill_file deletes its files through it.
    std::optional<rt::FolderHandle> folder;
    CleanRule rule;                     // what this clean may touch; each clean routine renews it
    CleanDisplay display;
};

// Marks a clean as running while it lives; inside a running clean it acquires nothing.
class CleanGuard {
public:
    explicit CleanGuard(CleanWork& work) : work_(work), acquired_(!work.running) { work_.running = true; }
    ~CleanGuard()
    {
        if (acquired_)
            work_.running = false;
    }
    CleanGuard(const CleanGuard&) = delete;
    CleanGuard& operator=(const CleanGuard&) = delete;
    bool acquired() const { return acquired_; }

private:
    CleanWork& work_;
    bool acquired_;
};

} // namespace pellmaris
