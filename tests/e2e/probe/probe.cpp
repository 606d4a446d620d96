// Reads Karmo's windows from outside for the end-to-end runner: runs under Wine in the same prefix.
//
// The runner drives the program only with real X input (xdotool); this helper is its eyes. It lists
// top-level windows, reads message boxes, edit and list box contents, check states and the focus, and
// tells where a control lies on the screen so that the runner can click it. Output is UTF-8; CR LF and
// lone CR in texts are written as LF.
//
//   probe windows                         visible top-level windows: hwnd, class, title, pid, rect
//   probe active                          title of the foreground window
//   probe wait-window TITLE [ms]          until a visible top-level window with that title exists
//   probe wait-gone TITLE [ms]            until no visible top-level window with that title exists
//   probe wait-msgbox [ms]                until a message box is visible; prints its title, then its text
//   probe msgbox                          the same without waiting
//   probe msgbox-ok [ms]                  presses OK (IDOK) of the visible message box, waits until it is gone
//   probe text WIN SEL                    text of a control (WM_GETTEXT, so edits of other processes work)
//   probe wait-text WIN SEL TEXT [ms]     until the control's text equals TEXT
//   probe lines WIN SEL                   lines of a list box, one per output line
//   probe selected WIN SEL                selected line's index of a list box (-1 for none)
//   probe checked WIN SEL                 1 or 0
//   probe enabled WIN SEL                 1 or 0
//   probe point WIN SEL                   screen coordinates of the control's centre: "x y"
//   probe item-point WIN SEL N            screen coordinates of the centre of list box line N (scrolled into view)
//   probe rect WIN                        screen rectangle of the window: "x y w h"
//   probe settle WIN                      lets the window finish painting (before a screenshot)
//   probe focus                           the focused control: "WINDOW-TITLE<TAB>class<TAB>selector<TAB>text"
//   probe wait-focus WIN SEL [ms]         until that control has the focus
//   probe controls WIN                    every child control: selector, class, id, rect, text
//   probe close WIN                       asks a window to close (WM_CLOSE), as for a helper program's
//                                         window that is in the way; Karmo's own are closed by input
//   probe view-selected WIN [ms]          until the window's list view (another program's, such as the
//                                         file manager's) has a selected item; prints the selected items' names
//   probe serve                           reads commands from stdin (see serve()) so that one Wine
//                                         process answers them all: a Wine start costs a good part
//                                         of a second on a busy machine
//
// WIN is a top-level window's exact title (also an Open or Save As dialog's), or "msgbox" for the visible
// message box (class #32770).
// SEL picks a child control:
//   @Caption     the first visible child whose text equals Caption (buttons, check boxes, labels, frames)
//   Class#N      the N-th (from 0) visible child of that window class, in reading order: top to bottom,
//                rows left to right (controls whose tops differ by less than 4 pixels share a row)
//   id=N         the child with control id N
//   focus        the control that has the input focus
// Exit status: 0 done, 1 not found / timed out, 2 usage.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <fcntl.h>
#include <io.h>
#include <string>
#include <vector>

namespace {

std::string utf8(const std::wstring& w) {
    if (w.empty()) return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
    std::string s(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr, nullptr);
    return s;
}

std::wstring lf(std::wstring t) {
    std::wstring r;
    for (size_t i = 0; i < t.size(); ++i) {
        if (t[i] == L'\r') {
            r.push_back(L'\n');
            if (i + 1 < t.size() && t[i + 1] == L'\n') ++i;
        } else {
            r.push_back(t[i]);
        }
    }
    return r;
}

void out(const std::wstring& w) {
    const std::string s = utf8(w);
    fwrite(s.data(), 1, s.size(), stdout);
}

void outln(const std::wstring& w) {
    out(w);
    fputc('\n', stdout);
}

std::wstring class_of(HWND h) {
    wchar_t buf[256] = {};
    GetClassNameW(h, buf, 256);
    return buf;
}

std::wstring title_of(HWND h) {
    wchar_t buf[1024] = {};
    GetWindowTextW(h, buf, 1024);
    return buf;
}

// WM_GETTEXT is marshalled across processes; GetWindowText would return the caption of an edit only.
std::wstring text_of(HWND h) {
    DWORD_PTR len = 0;
    if (!SendMessageTimeoutW(h, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 3000, &len)) return {};
    std::wstring buf(static_cast<size_t>(len) + 1, L'\0');
    DWORD_PTR got = 0;
    SendMessageTimeoutW(h, WM_GETTEXT, static_cast<WPARAM>(len + 1), reinterpret_cast<LPARAM>(buf.data()),
                        SMTO_ABORTIFHUNG, 3000, &got);
    buf.resize(static_cast<size_t>(got));
    return buf;
}

bool same_class(const std::wstring& a, const std::wstring& b) { return _wcsicmp(a.c_str(), b.c_str()) == 0; }

std::vector<HWND> top_windows() {
    std::vector<HWND> v;
    EnumWindows(
        [](HWND h, LPARAM p) -> BOOL {
            if (IsWindowVisible(h)) reinterpret_cast<std::vector<HWND>*>(p)->push_back(h);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&v));
    return v;
}

// The common Open and Save As dialogs (the classic ones, GetOpenFileNameW) are of the dialog class too;
// their file-name box (id 0x47c) tells them from a message box. (Not 0x480: the print dialog's page box
// has that id, and it is found as "msgbox" on purpose.)
bool file_dialog(HWND h) { return GetDlgItem(h, 0x47c) != nullptr; }

HWND find_msgbox() {
    for (HWND h : top_windows())
        if (class_of(h) == L"#32770" && !file_dialog(h)) return h;
    return nullptr;
}

// A program window first; a file dialog is found by its title too.
HWND find_top(const std::wstring& title) {
    if (title == L"msgbox") return find_msgbox();
    for (HWND h : top_windows())
        if (title_of(h) == title && class_of(h) != L"#32770") return h;
    for (HWND h : top_windows())
        if (title_of(h) == title && file_dialog(h)) return h;
    return nullptr;
}

std::vector<HWND> children(HWND top) {
    std::vector<HWND> v;
    EnumChildWindows(
        top,
        [](HWND h, LPARAM p) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(p)->push_back(h);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&v));
    return v;
}

bool visible(HWND h) { return IsWindowVisible(h) != FALSE; }

// Reading order: rows by top edge (4-pixel tolerance), then left to right.
std::vector<HWND> in_reading_order(std::vector<HWND> v) {
    std::vector<RECT> r(v.size());
    for (size_t i = 0; i < v.size(); ++i) GetWindowRect(v[i], &r[i]);
    std::vector<size_t> idx(v.size());
    for (size_t i = 0; i < idx.size(); ++i) idx[i] = i;
    std::stable_sort(idx.begin(), idx.end(), [&](size_t a, size_t b) {
        if (std::abs(r[a].top - r[b].top) >= 4) return r[a].top < r[b].top;
        return r[a].left < r[b].left;
    });
    std::vector<HWND> s;
    for (size_t i : idx) s.push_back(v[i]);
    return s;
}

std::wstring selector_of(HWND top, HWND ctl) {
    const std::wstring cls = class_of(ctl);
    std::vector<HWND> same;
    for (HWND c : children(top))
        if (visible(c) && same_class(class_of(c), cls)) same.push_back(c);
    same = in_reading_order(same);
    for (size_t i = 0; i < same.size(); ++i)
        if (same[i] == ctl) return cls + L"#" + std::to_wstring(i);
    return cls + L"#?";
}

HWND focus_of(HWND top) {
    GUITHREADINFO gti{};
    gti.cbSize = sizeof(gti);
    const DWORD tid = GetWindowThreadProcessId(top, nullptr);
    if (!GetGUIThreadInfo(tid, &gti)) return nullptr;
    return gti.hwndFocus;
}

HWND find_child(HWND top, const std::wstring& sel) {
    if (!top) return nullptr;
    if (sel == L"focus") {
        HWND f = focus_of(top);
        return (f && IsChild(top, f)) ? f : nullptr;
    }
    if (sel.rfind(L"id=", 0) == 0) {
        const int id = _wtoi(sel.c_str() + 3);
        for (HWND c : children(top))
            if (GetDlgCtrlID(c) == id) return c;
        return nullptr;
    }
    if (!sel.empty() && sel[0] == L'@') {
        const std::wstring cap = sel.substr(1);
        for (HWND c : in_reading_order(children(top)))
            if (visible(c) && title_of(c) == cap) return c;
        return nullptr;
    }
    const size_t hash = sel.find(L'#');
    if (hash == std::wstring::npos) return nullptr;
    const std::wstring cls = sel.substr(0, hash);
    const int n = _wtoi(sel.c_str() + hash + 1);
    std::vector<HWND> same;
    for (HWND c : children(top))
        if (visible(c) && same_class(class_of(c), cls)) same.push_back(c);
    same = in_reading_order(same);
    return (n >= 0 && static_cast<size_t>(n) < same.size()) ? same[static_cast<size_t>(n)] : nullptr;
}

HWND find_control(const std::wstring& win, const std::wstring& sel) { return find_child(find_top(win), sel); }

// Polls cond every 50 ms until it holds or ms have passed.
template <class F> bool poll(int ms, F cond) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (cond()) return true;
        if (static_cast<int>(GetTickCount() - start) >= ms) return false;
        Sleep(50);
    }
}

std::vector<std::wstring> list_lines(HWND lb) {
    std::vector<std::wstring> v;
    DWORD_PTR count = 0;
    if (!SendMessageTimeoutW(lb, LB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 3000, &count)) return v;
    for (int i = 0; i < static_cast<int>(count); ++i) {
        DWORD_PTR len = 0;
        SendMessageTimeoutW(lb, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0, SMTO_ABORTIFHUNG, 3000, &len);
        std::wstring buf(static_cast<size_t>(len) + 1, L'\0');
        DWORD_PTR got = 0;
        SendMessageTimeoutW(lb, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buf.data()),
                            SMTO_ABORTIFHUNG, 3000, &got);
        if (static_cast<LONG_PTR>(got) < 0) got = 0;
        buf.resize(static_cast<size_t>(got));
        v.push_back(buf);
    }
    return v;
}

// Names of the selected items of a list view in another process: the item structure and the text
// buffer must live in that process's memory for LVM_GETITEMTEXTW.
std::vector<std::wstring> view_selected(HWND lv) {
    std::vector<std::wstring> v;
    DWORD pid = 0;
    GetWindowThreadProcessId(lv, &pid);
    HANDLE p = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (!p) return v;
    constexpr int k_len = 512;
    char* fremd = static_cast<char*>(VirtualAllocEx(p, nullptr, sizeof(LVITEMW) + k_len * sizeof(wchar_t),
                                                    MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    if (fremd) {
        DWORD_PTR i = static_cast<DWORD_PTR>(-1);
        for (;;) {
            DWORD_PTR next = 0;
            if (!SendMessageTimeoutW(lv, LVM_GETNEXTITEM, i, LVNI_SELECTED, SMTO_ABORTIFHUNG, 3000, &next)) break;
            if (static_cast<LONG_PTR>(next) < 0) break;
            i = next;
            LVITEMW item{};
            item.iSubItem = 0;
            item.pszText = reinterpret_cast<LPWSTR>(fremd + sizeof(LVITEMW));
            item.cchTextMax = k_len;
            wchar_t text[k_len] = {};
            if (!WriteProcessMemory(p, fremd, &item, sizeof item, nullptr)) break;
            SendMessageTimeoutW(lv, LVM_GETITEMTEXTW, i, reinterpret_cast<LPARAM>(fremd), SMTO_ABORTIFHUNG, 3000,
                                nullptr);
            if (!ReadProcessMemory(p, fremd + sizeof(LVITEMW), text, sizeof text - sizeof(wchar_t), nullptr)) break;
            v.emplace_back(text);
        }
        VirtualFreeEx(p, fremd, 0, MEM_RELEASE);
    }
    CloseHandle(p);
    return v;
}

void print_msgbox(HWND box) {
    outln(lf(title_of(box)));
    HWND st = GetDlgItem(box, 0xFFFF);
    out(lf(st ? text_of(st) : std::wstring{}));
    fputc('\n', stdout);
}

int arg_ms(int argc, wchar_t** argv, int i, int fallback) { return argc > i ? _wtoi(argv[i]) : fallback; }

int usage() {
    fputs("usage: probe windows|active|wait-window|wait-gone|wait-msgbox|msgbox|msgbox-ok|text|wait-text|lines|"
          "selected|checked|enabled|point|rect|focus|wait-focus|controls|close|view-selected ...\n",
          stderr);
    return 2;
}

int run(int argc, wchar_t** argv) {
    if (argc < 2) return usage();
    const std::wstring cmd = argv[1];

    if (cmd == L"windows") {
        for (HWND h : top_windows()) {
            DWORD pid = 0;
            GetWindowThreadProcessId(h, &pid);
            RECT r{};
            GetWindowRect(h, &r);
            wchar_t line[128];
            swprintf(line, 128, L"%p\t", static_cast<void*>(h));
            out(line);
            out(class_of(h) + L"\t" + lf(title_of(h)));
            swprintf(line, 128, L"\t%lu\t%ld,%ld,%ld,%ld", pid, r.left, r.top, r.right - r.left, r.bottom - r.top);
            outln(line);
        }
        return 0;
    }
    if (cmd == L"active") {
        HWND h = GetForegroundWindow();
        if (!h) return 1;
        outln(lf(title_of(h)));
        return 0;
    }
    if (cmd == L"wait-window" && argc >= 3) {
        const std::wstring t = argv[2];
        return poll(arg_ms(argc, argv, 3, 10000), [&] { return find_top(t) != nullptr; }) ? 0 : 1;
    }
    if (cmd == L"wait-gone" && argc >= 3) {
        const std::wstring t = argv[2];
        return poll(arg_ms(argc, argv, 3, 10000), [&] { return find_top(t) == nullptr; }) ? 0 : 1;
    }
    if (cmd == L"wait-msgbox" || cmd == L"msgbox") {
        const int ms = cmd == L"msgbox" ? 0 : arg_ms(argc, argv, 2, 10000);
        HWND box = nullptr;
        // The box is found as soon as it is created; its text control may follow a moment later.
        if (!poll(ms, [&] {
                box = find_msgbox();
                return box && GetDlgItem(box, 0xFFFF) && IsWindowVisible(box);
            }))
            return 1;
        print_msgbox(box);
        return 0;
    }
    if (cmd == L"msgbox-ok") {
        HWND box = nullptr;
        if (!poll(arg_ms(argc, argv, 2, 10000), [&] { return (box = find_msgbox()) != nullptr; })) return 1;
        HWND ok = GetDlgItem(box, IDOK);
        if (ok)
            SendMessageTimeoutW(ok, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 3000, nullptr);
        else
            PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        return poll(5000, [&] { return !IsWindow(box) || !IsWindowVisible(box); }) ? 0 : 1;
    }
    if (cmd == L"settle" && argc >= 3) {
        // Lets pending paints happen before a screenshot: a window that has just appeared is shown
        // before its controls have painted themselves.
        HWND h = find_top(argv[2]);
        if (!h) return 1;
        SendMessageTimeoutW(h, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 3000, nullptr);
        RedrawWindow(h, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        SendMessageTimeoutW(h, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 3000, nullptr);
        Sleep(300);
        return 0;
    }
    if (cmd == L"rect" && argc >= 3) {
        HWND h = find_top(argv[2]);
        if (!h) return 1;
        RECT r{};
        GetWindowRect(h, &r);
        wchar_t line[96];
        swprintf(line, 96, L"%ld %ld %ld %ld", r.left, r.top, r.right - r.left, r.bottom - r.top);
        outln(line);
        return 0;
    }
    if (cmd == L"focus") {
        HWND fg = GetForegroundWindow();
        HWND f = fg ? focus_of(fg) : nullptr;
        if (!f) return 1;
        HWND top = GetAncestor(f, GA_ROOT);
        outln(lf(title_of(top)) + L"\t" + class_of(f) + L"\t" + selector_of(top, f) + L"\t" + lf(text_of(f)));
        return 0;
    }
    if (cmd == L"wait-focus" && argc >= 4) {
        const std::wstring win = argv[2], sel = argv[3];
        return poll(arg_ms(argc, argv, 4, 10000),
                    [&] {
                        HWND top = find_top(win);
                        HWND c = find_child(top, sel);
                        return c && focus_of(top) == c && GetForegroundWindow() == top;
                    })
                   ? 0
                   : 1;
    }
    if (cmd == L"controls" && argc >= 3) {
        HWND top = find_top(argv[2]);
        if (!top) return 1;
        for (HWND c : in_reading_order(children(top))) {
            if (!visible(c)) continue;
            RECT r{};
            GetWindowRect(c, &r);
            wchar_t line[128];
            swprintf(line, 128, L"\t%d\t%ld,%ld,%ld,%ld\t", GetDlgCtrlID(c), r.left, r.top, r.right - r.left,
                     r.bottom - r.top);
            outln(selector_of(top, c) + line + lf(text_of(c)));
        }
        return 0;
    }
    if (cmd == L"close" && argc >= 3) {
        HWND top = find_top(argv[2]);
        if (!top) return 1;
        PostMessageW(top, WM_CLOSE, 0, 0);
        return 0;
    }
    if (cmd == L"view-selected" && argc >= 3) {
        std::vector<std::wstring> names;
        const bool ok = poll(arg_ms(argc, argv, 3, 10000), [&] {
            HWND top = find_top(argv[2]);
            if (!top) return false;
            for (HWND c : children(top)) {
                if (visible(c) && same_class(class_of(c), L"SysListView32")) {
                    names = view_selected(c);
                    return !names.empty();
                }
            }
            return false;
        });
        for (const auto& n : names) outln(n);
        return ok ? 0 : 1;
    }
    if (argc < 4) return usage();
    const std::wstring win = argv[2], sel = argv[3];

    if (cmd == L"wait-text" && argc >= 5) {
        const std::wstring want = argv[4];
        std::wstring last;
        const bool ok = poll(arg_ms(argc, argv, 5, 10000), [&] {
            HWND c = find_control(win, sel);
            if (!c) return false;
            last = lf(text_of(c));
            return last == want;
        });
        if (!ok) outln(last);
        return ok ? 0 : 1;
    }
    HWND c = find_control(win, sel);
    if (!c) return 1;
    if (cmd == L"text") {
        outln(lf(text_of(c)));
        return 0;
    }
    if (cmd == L"lines") {
        for (const auto& l : list_lines(c)) outln(lf(l));
        return 0;
    }
    if (cmd == L"selected") {
        DWORD_PTR sel_index = 0;
        SendMessageTimeoutW(c, LB_GETCURSEL, 0, 0, SMTO_ABORTIFHUNG, 3000, &sel_index);
        outln(std::to_wstring(static_cast<int>(static_cast<LONG_PTR>(sel_index))));
        return 0;
    }
    if (cmd == L"checked") {
        DWORD_PTR st = 0;
        SendMessageTimeoutW(c, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 3000, &st);
        outln(st == BST_CHECKED ? L"1" : L"0");
        return 0;
    }
    if (cmd == L"enabled") {
        outln(IsWindowEnabled(c) ? L"1" : L"0");
        return 0;
    }
    if (cmd == L"point") {
        RECT r{};
        GetWindowRect(c, &r);
        wchar_t line[64];
        swprintf(line, 64, L"%ld %ld", (r.left + r.right) / 2, (r.top + r.bottom) / 2);
        outln(line);
        return 0;
    }
    if (cmd == L"item-point" && argc >= 5) {
        const int n = _wtoi(argv[4]);
        DWORD_PTR count = 0, top = 0, height = 0;
        SendMessageTimeoutW(c, LB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 3000, &count);
        if (n < 0 || n >= static_cast<int>(count)) return 1;
        RECT client{};
        GetClientRect(c, &client);
        SendMessageTimeoutW(c, LB_GETITEMHEIGHT, 0, 0, SMTO_ABORTIFHUNG, 3000, &height);
        SendMessageTimeoutW(c, LB_GETTOPINDEX, 0, 0, SMTO_ABORTIFHUNG, 3000, &top);
        const int per_page = height ? static_cast<int>(client.bottom / static_cast<LONG>(height)) : 1;
        // Scrolling is not user input the program reacts to; it only brings the line under the pointer.
        if (n < static_cast<int>(top) || n >= static_cast<int>(top) + per_page) {
            SendMessageTimeoutW(c, LB_SETTOPINDEX, static_cast<WPARAM>(n), 0, SMTO_ABORTIFHUNG, 3000, nullptr);
            SendMessageTimeoutW(c, LB_GETTOPINDEX, 0, 0, SMTO_ABORTIFHUNG, 3000, &top);
        }
        POINT pt{client.right / 2, static_cast<LONG>((n - static_cast<int>(top)) * static_cast<int>(height) +
                                                     static_cast<int>(height) / 2)};
        ClientToScreen(c, &pt);
        wchar_t line[64];
        swprintf(line, 64, L"%ld %ld", pt.x, pt.y);
        outln(line);
        return 0;
    }
    return usage();
}

std::wstring from_utf8(const std::string& s) {
    if (s.empty()) return {};
    const int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring w(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
    return w;
}

// One command per record: UTF-8 arguments separated by 0x1F, the record ended by 0x1E (arguments may
// hold line breaks). After its output each command writes a line of 0x04 and its exit status.
int serve() {
    _setmode(_fileno(stdin), _O_BINARY);
    std::string record;
    int ch;
    while ((ch = fgetc(stdin)) != EOF) {
        if (ch != 0x1E) {
            record.push_back(static_cast<char>(ch));
            continue;
        }
        std::vector<std::wstring> args{L"probe"};
        size_t start = 0;
        for (;;) {
            const size_t end = record.find('\x1f', start);
            args.push_back(from_utf8(record.substr(start, end == std::string::npos ? std::string::npos : end - start)));
            if (end == std::string::npos) break;
            start = end + 1;
        }
        record.clear();
        std::vector<wchar_t*> argv;
        for (auto& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        const int rc = run(static_cast<int>(args.size()), argv.data());
        fprintf(stdout, "\x04%d\n", rc);
        fflush(stdout);
    }
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    _setmode(_fileno(stdout), _O_BINARY);
    if (argc == 2 && std::wstring(argv[1]) == L"serve") return serve();
    const int rc = run(argc, argv);
    fflush(stdout);
    return rc;
}
