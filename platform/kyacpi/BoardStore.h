#pragma once
// The board file is the board's NVRAM. A BoardSession is one call's view of
// it: it holds the named mutex that every process of the prefix shares,
// sees the file as it is now (a change made by another process or by hand
// is seen; the file is read again whenever its size, its time of last write
// or the prefix-wide count of this library's writes moved), and writes
// changed values back atomically.

#include <string>

#include "platform/kyacpi/BoardModel.h"

namespace kyacpi {

// Set once by DllMain: the folder the DLL was loaded from.
void SetLibraryFolder(const std::string& folder);

class BoardSession {
public:
    BoardSession();
    ~BoardSession();
    BoardSession(const BoardSession&) = delete;
    BoardSession& operator=(const BoardSession&) = delete;

    // False when there is no usable board: no file, an unreadable or
    // malformed one, or the lock could not be taken. The log says why.
    bool Ready() const { return m_board != nullptr; }
    Board& Current() { return *m_board; }

    // Puts the changed item's value= (and cores= when per-core) into the
    // file; the caller puts it into the board only when this succeeds.
    bool Save(const BoardItem& item);

private:
    void Load();

    void* m_mutex = nullptr;
    bool m_locked = false;
    Board* m_board = nullptr;
};

}  // namespace kyacpi
