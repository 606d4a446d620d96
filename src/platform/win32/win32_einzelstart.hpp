// One program at a time: a named mutex held for the program's life, and bringing the running one to the front.
#pragma once

namespace karmo::win32 {

// The named mutex `name`, owned by the program for as long as the object
// lives. The first process to create it owns it and is the program; a later
// start sees it exist and is not, until it takes the mutex over (nehmen):
// that works once the owner released it or ended, a killed one included
// (Windows then marks the mutex abandoned).
class Einzelstart {
public:
    explicit Einzelstart(const wchar_t* name);
    ~Einzelstart();
    Einzelstart(const Einzelstart&) = delete;
    Einzelstart& operator=(const Einzelstart&) = delete;

    // False when another process already holds the mutex.
    bool erster() const { return erster_; }
    // Takes the mutex if its owner has let it go, without waiting; true when
    // this object owns it now (erster() is then true as well).
    bool nehmen();

private:
    void* mutex_ = nullptr;
    bool erster_ = true;
    bool besitzt_ = false;
};

// Brings another process's visible top-level window of class `klasse` to the
// front, and with it what it shows on top (an open message box). False when
// there is none (the running program has no window on screen yet).
bool nach_vorne(const wchar_t* klasse);

} // namespace karmo::win32
