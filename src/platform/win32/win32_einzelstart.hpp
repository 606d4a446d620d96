// One program at a time: a named mutex held for the program's life, and bringing the running one to the front.
#pragma once

namespace karmo::win32 {

// Takes the named mutex `name` for as long as the object lives. The first
// process to take it is the program; a later start sees it taken.
class Einzelstart {
public:
    explicit Einzelstart(const wchar_t* name);
    ~Einzelstart();
    Einzelstart(const Einzelstart&) = delete;
    Einzelstart& operator=(const Einzelstart&) = delete;

    // False when another process already holds the mutex.
    bool erster() const { return erster_; }

private:
    void* mutex_ = nullptr;
    bool erster_ = true;
};

// Brings another process's visible top-level window of class `klasse` to the
// front, and with it what it shows on top (an open message box). False when
// there is none (the running program has no window on screen yet).
bool nach_vorne(const wchar_t* klasse);

} // namespace karmo::win32
