// Drives a running Tessary.exe from outside, the way a user would, for the
// end-to-end tests. It runs as its own process, so everything it reads or does
// has to work across process boundaries under Wine as well as on Windows.

#undef UNICODE
#undef _UNICODE
#include <windows.h>
#include <commctrl.h>
#include <tlhelp32.h>

#include <fcntl.h>
#include <io.h>
#include <stdarg.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

namespace {

// Long enough for a slow Wine start-up, short enough that a wedged target
// turns into an error line instead of a hung test run.
const UINT kSendTimeoutMs = 20000;
const DWORD kRemoteThreadTimeoutMs = 20000;

struct Reply {
    bool ok;
    std::string payload;
};

Reply ok(const std::string& payload = std::string()) { return Reply{true, payload}; }
Reply err(const std::string& message) { return Reply{false, message}; }

std::string to_hex(const std::string& bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    out.reserve(bytes.size() * 2);
    for (unsigned char c : bytes) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

int hex_digit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool from_hex(const std::string& hex, std::string& out) {
    if (hex.size() % 2) return false;
    out.clear();
    for (size_t i = 0; i < hex.size(); i += 2) {
        int hi = hex_digit(hex[i]), lo = hex_digit(hex[i + 1]);
        if (hi < 0 || lo < 0) return false;
        out += static_cast<char>(hi * 16 + lo);
    }
    return true;
}

bool parse_long(const std::string& s, long long& out) {
    if (s.empty()) return false;
    char* end = nullptr;
    long long v = strtoll(s.c_str(), &end, 10);
    if (!end || *end) return false;
    out = v;
    return true;
}

std::string strf(const char* fmt, ...) {
    char buf[512];
    va_list ap;
    va_start(ap, fmt);
    vsnprintf(buf, sizeof buf, fmt, ap);
    va_end(ap);
    return buf;
}

std::string hex32(LONG_PTR v) { return strf("0x%08lx", static_cast<unsigned long>(v)); }

bool send(HWND h, UINT msg, WPARAM w, LPARAM l, LRESULT* result = nullptr,
          UINT timeout = kSendTimeoutMs) {
    DWORD_PTR r = 0;
    if (!SendMessageTimeoutA(h, msg, w, l, SMTO_NORMAL, timeout, &r)) return false;
    if (result) *result = static_cast<LRESULT>(r);
    return true;
}

// GetWindowTextA does not send WM_GETTEXT to top-level windows of other
// processes, so it cannot block on a busy target while we are polling.
std::string window_title(HWND h) {
    int n = GetWindowTextLengthA(h);
    if (n <= 0) return std::string();
    std::vector<char> buf(n * 2 + 16);
    int got = GetWindowTextA(h, buf.data(), static_cast<int>(buf.size()));
    return std::string(buf.data(), got > 0 ? got : 0);
}

std::string class_name(HWND h) {
    char buf[256];
    int n = GetClassNameA(h, buf, sizeof buf);
    return std::string(buf, n > 0 ? n : 0);
}

bool control_text(HWND h, std::string& out) {
    LRESULT len = 0;
    if (!send(h, WM_GETTEXTLENGTH, 0, 0, &len)) return false;
    if (len < 0) len = 0;
    // The ANSI length reported for a Unicode window can undershoot for
    // multi-byte code pages; leave room rather than truncate.
    std::vector<char> buf(static_cast<size_t>(len) * 2 + 16);
    LRESULT got = 0;
    if (!send(h, WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(buf.data()), &got)) return false;
    if (got < 0) got = 0;
    if (static_cast<size_t>(got) >= buf.size()) got = static_cast<LRESULT>(buf.size()) - 1;
    out.assign(buf.data(), static_cast<size_t>(got));
    return true;
}

struct TopSearch {
    const std::string* title;
    const char* cls;
    HWND found;
};

BOOL CALLBACK top_search_proc(HWND h, LPARAM lp) {
    TopSearch* s = reinterpret_cast<TopSearch*>(lp);
    if (!IsWindowVisible(h)) return TRUE;
    if (s->cls && class_name(h) != s->cls) return TRUE;
    if (window_title(h) != *s->title) return TRUE;
    s->found = h;
    return FALSE;
}

HWND find_top(const std::string& title, const char* cls = nullptr) {
    TopSearch s{&title, cls, nullptr};
    EnumWindows(top_search_proc, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

HWND wait_top(const std::string& title, long long timeout_ms, const char* cls = nullptr) {
    ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(timeout_ms < 0 ? 0 : timeout_ms);
    for (;;) {
        HWND h = find_top(title, cls);
        if (h || GetTickCount64() >= deadline) return h;
        Sleep(50);
    }
}

BOOL CALLBACK collect_proc(HWND h, LPARAM lp) {
    reinterpret_cast<std::vector<HWND>*>(lp)->push_back(h);
    return TRUE;
}

std::vector<HWND> descendants(HWND top) {
    std::vector<HWND> all;
    EnumChildWindows(top, collect_proc, reinterpret_cast<LPARAM>(&all));
    return all;
}

HWND find_control(HWND top, long long id) {
    if (id == 0) return top;
    for (HWND h : descendants(top))
        if (static_cast<long long>(GetDlgCtrlID(h)) == id) return h;
    return nullptr;
}

// Input to a child is refused when any window on its way up is disabled.
bool user_can_reach(HWND h) {
    for (HWND cur = h; cur; cur = GetAncestor(cur, GA_PARENT)) {
        if (!IsWindowEnabled(cur)) return false;
        if (!(GetWindowLongPtrA(cur, GWL_STYLE) & WS_CHILD)) break;
    }
    return true;
}

// Memory inside the target process, for messages whose lParam points at a
// structure the system does not marshal (ListView, menus via remote calls).
class Remote {
public:
    ~Remote() {
        if (!proc_) return;
        // Freeing a block a timed-out message may still use would crash the
        // target; a small leak there is the lesser harm.
        if (!keep_) {
            for (void* p : blocks_) VirtualFreeEx(proc_, p, 0, MEM_RELEASE);
        }
        CloseHandle(proc_);
    }

    bool open_for(HWND h) {
        DWORD pid = 0;
        GetWindowThreadProcessId(h, &pid);
        if (!pid) return false;
        pid_ = pid;
        proc_ = OpenProcess(PROCESS_CREATE_THREAD | PROCESS_QUERY_INFORMATION | PROCESS_VM_OPERATION |
                                PROCESS_VM_READ | PROCESS_VM_WRITE | SYNCHRONIZE,
                            FALSE, pid);
        return proc_ != nullptr;
    }

    char* alloc(size_t n, DWORD protect = PAGE_READWRITE) {
        void* p = VirtualAllocEx(proc_, nullptr, n, MEM_COMMIT | MEM_RESERVE, protect);
        if (p) blocks_.push_back(p);
        return static_cast<char*>(p);
    }

    bool write(void* dst, const void* src, size_t n) {
        SIZE_T done = 0;
        return WriteProcessMemory(proc_, dst, src, n, &done) && done == n;
    }

    bool read(const void* src, void* dst, size_t n) {
        SIZE_T done = 0;
        return ReadProcessMemory(proc_, src, dst, n, &done) && done == n;
    }

    void keep_blocks() { keep_ = true; }

    // Calls a function exported by a DLL that both processes have loaded,
    // with up to four pointer-sized arguments, on a fresh thread inside the
    // target. Wine keeps menus and icons private to the owning process, so
    // this is the only way to look at them from here.
    bool call(FARPROC local_fn, uint64_t a1, uint64_t a2, uint64_t a3, uint64_t a4, uint64_t* result) {
#if defined(_M_X64) || defined(__x86_64__)
        uint64_t target_fn = 0;
        if (!translate(local_fn, target_fn)) return false;
        if (!stub_) {
            // push rbx; mov rbx,rcx; sub rsp,32; load rcx,rdx,r8,r9 from the
            // block; call [rbx]; store rax; restore; ret
            static const unsigned char code[] = {
                0x53, 0x48, 0x89, 0xcb, 0x48, 0x83, 0xec, 0x20, 0x48, 0x8b, 0x4b, 0x08,
                0x48, 0x8b, 0x53, 0x10, 0x4c, 0x8b, 0x43, 0x18, 0x4c, 0x8b, 0x4b, 0x20,
                0xff, 0x13, 0x48, 0x89, 0x43, 0x28, 0x48, 0x83, 0xc4, 0x20, 0x5b, 0xc3,
            };
            stub_ = alloc(4096, PAGE_EXECUTE_READWRITE);
            if (!stub_ || !write(stub_, code, sizeof code)) {
                stub_ = nullptr;
                return false;
            }
            FlushInstructionCache(proc_, stub_, sizeof code);
        }
        uint64_t block[6] = {target_fn, a1, a2, a3, a4, 0};
        char* args = stub_ + 2048;
        if (!write(args, block, sizeof block)) return false;
        HANDLE t = CreateRemoteThread(proc_, nullptr, 0, reinterpret_cast<LPTHREAD_START_ROUTINE>(stub_), args,
                                      0, nullptr);
        if (!t) return false;
        DWORD w = WaitForSingleObject(t, kRemoteThreadTimeoutMs);
        CloseHandle(t);
        if (w != WAIT_OBJECT_0) {
            keep_blocks();
            return false;
        }
        if (!read(args + 40, result, sizeof *result)) return false;
        return true;
#else
        (void)local_fn; (void)a1; (void)a2; (void)a3; (void)a4; (void)result;
        return false;
#endif
    }

private:
    bool translate(FARPROC local_fn, uint64_t& out) {
        HMODULE mod = nullptr;
        if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                                reinterpret_cast<LPCSTR>(local_fn), &mod))
            return false;
        char path[MAX_PATH];
        DWORD n = GetModuleFileNameA(mod, path, sizeof path);
        if (!n) return false;
        const char* base_name = path;
        for (const char* p = path; *p; ++p)
            if (*p == '\\' || *p == '/') base_name = p + 1;
        uint64_t remote_base = 0;
        HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, pid_);
        if (snap == INVALID_HANDLE_VALUE) return false;
        MODULEENTRY32 me;
        me.dwSize = sizeof me;
        for (BOOL more = Module32First(snap, &me); more; more = Module32Next(snap, &me)) {
            if (lstrcmpiA(me.szModule, base_name) == 0) {
                remote_base = reinterpret_cast<uint64_t>(me.modBaseAddr);
                break;
            }
        }
        CloseHandle(snap);
        if (!remote_base) return false;
        out = remote_base + (reinterpret_cast<uint64_t>(local_fn) - reinterpret_cast<uint64_t>(mod));
        return true;
    }

    HANDLE proc_ = nullptr;
    DWORD pid_ = 0;
    std::vector<void*> blocks_;
    char* stub_ = nullptr;
    bool keep_ = false;
};

FARPROC user32_fn(const char* name) { return GetProcAddress(GetModuleHandleA("user32.dll"), name); }

// Reads a menu directly where the system allows it (Windows) and through
// calls inside the owning process where it does not (Wine).
class MenuReader {
public:
    explicit MenuReader(HWND owner) : owner_(owner) {}

    bool init(HMENU menu) {
        local_ = GetMenuItemCount(menu) >= 0;
        if (local_) return true;
        if (!remote_.open_for(owner_)) return false;
        data_ = remote_.alloc(8192);
        return data_ != nullptr;
    }

    int count(HMENU menu) {
        if (local_) return GetMenuItemCount(menu);
        uint64_t r = 0;
        if (!remote_.call(user32_fn("GetMenuItemCount"), reinterpret_cast<uint64_t>(menu), 0, 0, 0, &r)) return -1;
        return static_cast<int>(static_cast<int32_t>(r));
    }

    struct Item {
        UINT type = 0, state = 0, id = 0;
        HMENU sub = nullptr;
        std::string text;
    };

    bool item(HMENU menu, int pos, Item& out) {
        const UINT mask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_STRING | MIIM_SUBMENU;
        char text[4096];
        MENUITEMINFOA mii;
        memset(&mii, 0, sizeof mii);
        mii.cbSize = sizeof mii;
        mii.fMask = mask;
        mii.cch = sizeof text - 1;
        if (local_) {
            mii.dwTypeData = text;
            if (!GetMenuItemInfoA(menu, pos, TRUE, &mii)) return false;
        } else {
            char* rtext = data_ + 1024;
            mii.dwTypeData = rtext;
            if (!remote_.write(data_, &mii, sizeof mii)) return false;
            uint64_t r = 0;
            if (!remote_.call(user32_fn("GetMenuItemInfoA"), reinterpret_cast<uint64_t>(menu), pos, TRUE,
                              reinterpret_cast<uint64_t>(data_), &r) ||
                !r)
                return false;
            if (!remote_.read(data_, &mii, sizeof mii)) return false;
            if (mii.cch > sizeof text - 1) mii.cch = sizeof text - 1;
            if (mii.cch && !remote_.read(rtext, text, mii.cch)) return false;
        }
        out.type = mii.fType;
        out.state = mii.fState;
        out.id = mii.wID;
        out.sub = mii.hSubMenu;
        out.text.assign(text, (mii.fType & (MFT_SEPARATOR | MFT_BITMAP | MFT_OWNERDRAW)) ? 0 : mii.cch);
        return true;
    }

    // -1 when the command is nowhere in the menu tree.
    long long state_of_command(HMENU menu, UINT id) {
        if (local_) return static_cast<long long>(static_cast<int>(GetMenuState(menu, id, MF_BYCOMMAND)));
        uint64_t r = 0;
        if (!remote_.call(user32_fn("GetMenuState"), reinterpret_cast<uint64_t>(menu), id, MF_BYCOMMAND, 0, &r))
            return -2;
        return static_cast<long long>(static_cast<int32_t>(r));
    }

private:
    HWND owner_;
    bool local_ = true;
    Remote remote_;
    char* data_ = nullptr;
};

std::string describe_menu_bar(HWND top) {
    HMENU bar = GetMenu(top);
    if (!bar) return std::string();
    MenuReader mr(top);
    if (!mr.init(bar)) return std::string("?");
    std::string out;
    int n = mr.count(bar);
    for (int i = 0; i < n; ++i) {
        MenuReader::Item top_item;
        if (!mr.item(bar, i, top_item)) continue;
        if (!out.empty()) out += ';';
        out += top_item.text;
        if (!top_item.sub) continue;
        int m = mr.count(top_item.sub);
        for (int j = 0; j < m; ++j) {
            MenuReader::Item it;
            if (!mr.item(top_item.sub, j, it)) continue;
            if (it.type & MFT_SEPARATOR)
                out += "|-";
            else
                out += strf("|%u:", it.id) + it.text;
        }
    }
    return out;
}

Reply cmd_wait_window(const std::string& title, long long timeout) {
    HWND h = wait_top(title, timeout);
    if (!h) return err("timeout");
    return ok(strf("%llu", static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(h))));
}

Reply cmd_wait_gone(const std::string& title, long long timeout) {
    ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(timeout < 0 ? 0 : timeout);
    for (;;) {
        if (!find_top(title)) return ok();
        if (GetTickCount64() >= deadline) return err("timeout");
        Sleep(50);
    }
}

Reply cmd_window_info(const std::string& title) {
    HWND h = find_top(title);
    if (!h) return err("no window");
    RECT c = {}, w = {};
    GetClientRect(h, &c);
    GetWindowRect(h, &w);
    HWND owner = GetWindow(h, GW_OWNER);
    std::string s;
    s += strf("client_w=%ld\nclient_h=%ld\n", c.right - c.left, c.bottom - c.top);
    s += strf("outer_x=%ld\nouter_y=%ld\nouter_w=%ld\nouter_h=%ld\n", w.left, w.top, w.right - w.left,
              w.bottom - w.top);
    s += strf("screen_w=%d\nscreen_h=%d\n", GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    s += strf("enabled=%d\n", IsWindowEnabled(h) ? 1 : 0);
    s += "style=" + hex32(GetWindowLongPtrA(h, GWL_STYLE)) + "\n";
    s += "exstyle=" + hex32(GetWindowLongPtrA(h, GWL_EXSTYLE)) + "\n";
    s += "owner=" + (owner ? window_title(owner) : std::string()) + "\n";
    s += "menu=" + describe_menu_bar(h) + "\n";
    return ok(to_hex(s));
}

std::string flatten(std::string s) {
    for (char& ch : s)
        if (ch == '\t' || ch == '\r' || ch == '\n') ch = ' ';
    return s;
}

Reply cmd_controls(const std::string& title) {
    HWND top = find_top(title);
    if (!top) return err("no window");
    std::string s;
    for (HWND h : descendants(top)) {
        HWND parent = GetAncestor(h, GA_PARENT);
        int parent_id = (parent == top || !parent) ? 0 : GetDlgCtrlID(parent);
        RECT r = {};
        GetWindowRect(h, &r);
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
        std::string text;
        if (!control_text(h, text)) return err("busy");
        s += strf("%d\t%d\t", GetDlgCtrlID(h), parent_id) + class_name(h);
        s += strf("\t%ld\t%ld\t%ld\t%ld\t%d\t%d\t", r.left, r.top, r.right - r.left, r.bottom - r.top,
                  IsWindowEnabled(h) ? 1 : 0, IsWindowVisible(h) ? 1 : 0);
        s += hex32(GetWindowLongPtrA(h, GWL_STYLE)) + "\t" + hex32(GetWindowLongPtrA(h, GWL_EXSTYLE)) + "\t";
        s += flatten(text) + "\n";
    }
    return ok(to_hex(s));
}

// Resolves TITLE and ID, leaving an error reply in `fail` when either is missing.
HWND resolve(const std::string& title, const std::string& id_field, Reply& fail) {
    long long id = 0;
    if (!parse_long(id_field, id)) {
        fail = err("usage");
        return nullptr;
    }
    HWND top = find_top(title);
    if (!top) {
        fail = err("no window");
        return nullptr;
    }
    HWND h = find_control(top, id);
    if (!h) fail = err("no control");
    return h;
}

Reply cmd_enabled(const std::string& title, const std::string& id) {
    Reply fail = err("");
    HWND h = resolve(title, id, fail);
    if (!h) return fail;
    return ok(IsWindowEnabled(h) ? "1" : "0");
}

Reply cmd_text(const std::string& title, const std::string& id) {
    Reply fail = err("");
    HWND h = resolve(title, id, fail);
    if (!h) return fail;
    std::string text;
    if (!control_text(h, text)) return err("busy");
    return ok(to_hex(text));
}

Reply cmd_click(const std::string& title, const std::string& id) {
    Reply fail = err("");
    HWND h = resolve(title, id, fail);
    if (!h) return fail;
    if (!user_can_reach(h)) return err("disabled");
    if (!PostMessageA(h, BM_CLICK, 0, 0)) return err("post failed");
    return ok();
}

Reply cmd_check_state(const std::string& title, const std::string& id) {
    Reply fail = err("");
    HWND h = resolve(title, id, fail);
    if (!h) return fail;
    LRESULT r = 0;
    if (!send(h, BM_GETCHECK, 0, 0, &r)) return err("busy");
    return ok(strf("%ld", static_cast<long>(r)));
}

Reply cmd_menu(const std::string& title, const std::string& item_field) {
    long long item = 0;
    if (!parse_long(item_field, item) || item < 0 || item > 0xFFFF) return err("usage");
    HWND top = find_top(title);
    if (!top) return err("no window");
    if (!IsWindowEnabled(top)) return err("disabled");
    HMENU bar = GetMenu(top);
    if (!bar) return err("no menu");
    // A greyed item cannot be chosen; when the menu cannot be inspected at
    // all, fall through and let the window decide.
    MenuReader mr(top);
    if (mr.init(bar)) {
        long long st = mr.state_of_command(bar, static_cast<UINT>(item));
        if (st == -1) return err("no menu item");
        if (st >= 0 && (st & (MF_GRAYED | MF_DISABLED))) return err("disabled");
    }
    if (!PostMessageA(top, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(item), 0), 0)) return err("post failed");
    return ok();
}

Reply cmd_close(const std::string& title) {
    HWND top = find_top(title);
    if (!top) return err("no window");
    if (!IsWindowEnabled(top)) return err("disabled");
    if (!PostMessageA(top, WM_SYSCOMMAND, SC_CLOSE, 0)) return err("post failed");
    return ok();
}

Reply cmd_rows(const std::string& title, const std::string& id) {
    Reply fail = err("");
    HWND lv = resolve(title, id, fail);
    if (!lv) return fail;
    LRESULT count = 0, header = 0, cols = 1;
    if (!send(lv, LVM_GETITEMCOUNT, 0, 0, &count)) return err("busy");
    if (send(lv, LVM_GETHEADER, 0, 0, &header) && header) {
        LRESULT n = 0;
        if (send(reinterpret_cast<HWND>(header), HDM_GETITEMCOUNT, 0, 0, &n) && n > 0) cols = n;
    }
    Remote rm;
    if (!rm.open_for(lv)) return err("cannot open process");
    size_t cap = 4096;
    char* ritem = rm.alloc(sizeof(LVITEMA));
    char* rtext = rm.alloc(cap);
    if (!ritem || !rtext) return err("cannot allocate");
    std::string s;
    for (LRESULT row = 0; row < count; ++row) {
        LRESULT st = 0;
        if (!send(lv, LVM_GETITEMSTATE, row, LVIS_SELECTED | LVIS_STATEIMAGEMASK, &st)) {
            rm.keep_blocks();
            return err("busy");
        }
        int flags = ((st & LVIS_SELECTED) ? 1 : 0) | ((((st & LVIS_STATEIMAGEMASK) >> 12) == 2) ? 2 : 0);
        s += strf("%d", flags);
        for (LRESULT col = 0; col < cols; ++col) {
            std::string cell;
            for (;;) {
                LVITEMA it;
                memset(&it, 0, sizeof it);
                it.mask = LVIF_TEXT;
                it.iItem = static_cast<int>(row);
                it.iSubItem = static_cast<int>(col);
                it.pszText = rtext;
                it.cchTextMax = static_cast<int>(cap);
                if (!rm.write(ritem, &it, sizeof it)) return err("cannot write");
                LRESULT len = 0;
                if (!send(lv, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(ritem), &len)) {
                    rm.keep_blocks();
                    return err("busy");
                }
                if (len < 0) len = 0;
                // A full buffer may mean a cut-off cell; retry with more room.
                if (static_cast<size_t>(len) + 1 >= cap && cap < (1u << 20)) {
                    cap *= 4;
                    rtext = rm.alloc(cap);
                    if (!rtext) return err("cannot allocate");
                    continue;
                }
                cell.resize(static_cast<size_t>(len));
                if (len && !rm.read(rtext, &cell[0], cell.size())) return err("cannot read");
                break;
            }
            s += "\t" + flatten(cell);
        }
        s += "\n";
    }
    return ok(to_hex(s));
}

Reply cmd_set_row(const std::string& title, const std::string& id, const std::string& row_field,
                  const std::string& state_field) {
    long long row = 0, state = 0;
    if (!parse_long(row_field, row) || !parse_long(state_field, state) || state < 0 || state > 3)
        return err("usage");
    Reply fail = err("");
    HWND lv = resolve(title, id, fail);
    if (!lv) return fail;
    if (!user_can_reach(lv)) return err("disabled");
    LRESULT count = 0, ex = 0;
    if (!send(lv, LVM_GETITEMCOUNT, 0, 0, &count) || !send(lv, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0, &ex))
        return err("busy");
    if (row < 0 || row >= count) return err("no row");
    LVITEMA it;
    memset(&it, 0, sizeof it);
    it.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    if (state & 1) it.state = LVIS_SELECTED | LVIS_FOCUSED;
    if (ex & LVS_EX_CHECKBOXES) {
        it.stateMask |= LVIS_STATEIMAGEMASK;
        it.state |= INDEXTOSTATEIMAGEMASK((state & 2) ? 2 : 1);
    } else if (state & 2) {
        return err("no check boxes");
    }
    Remote rm;
    if (!rm.open_for(lv)) return err("cannot open process");
    char* ritem = rm.alloc(sizeof it);
    if (!ritem || !rm.write(ritem, &it, sizeof it)) return err("cannot write");
    LRESULT r = 0;
    if (!send(lv, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(ritem), &r)) {
        rm.keep_blocks();
        return err("busy");
    }
    return r ? ok() : err("refused");
}

struct BoxParts {
    HWND text_static = nullptr;
    HWND icon_static = nullptr;
    std::vector<HWND> buttons;
};

BoxParts box_parts(HWND dlg) {
    BoxParts p;
    HWND first_text = nullptr;
    for (HWND h : descendants(dlg)) {
        std::string cls = class_name(h);
        LONG_PTR style = GetWindowLongPtrA(h, GWL_STYLE);
        if (lstrcmpiA(cls.c_str(), "Static") == 0) {
            LONG_PTR kind = style & SS_TYPEMASK;
            if (kind == SS_ICON) {
                if (!p.icon_static) p.icon_static = h;
            } else if (GetDlgCtrlID(h) == 0xFFFF && !p.text_static) {
                p.text_static = h;
            } else if (!first_text && IsWindowVisible(h)) {
                first_text = h;
            }
        } else if (lstrcmpiA(cls.c_str(), "Button") == 0 && IsWindowVisible(h)) {
            LONG_PTR kind = style & BS_TYPEMASK;
            if (kind == BS_PUSHBUTTON || kind == BS_DEFPUSHBUTTON) p.buttons.push_back(h);
        }
    }
    if (!p.text_static) p.text_static = first_text;
    return p;
}

const char* icon_kind(HWND icon_static) {
    if (!icon_static || !IsWindowVisible(icon_static)) return "none";
    LRESULT shown = 0;
    if (!send(icon_static, STM_GETICON, 0, 0, &shown)) return "unknown";
    if (!shown && !send(icon_static, STM_GETIMAGE, IMAGE_ICON, 0, &shown)) return "unknown";
    if (!shown) return "none";
    struct Known {
        LPCSTR id;
        const char* name;
    } known[] = {{IDI_HAND, "error"}, {IDI_ASTERISK, "information"}, {IDI_EXCLAMATION, "warning"},
                 {IDI_QUESTION, "question"}};
    // Shared system icons have one handle system-wide on Windows but one per
    // process on Wine, so ask the box's own process which handle it uses.
    Remote rm;
    bool remote_ok = rm.open_for(icon_static);
    for (const Known& k : known) {
        uint64_t there = 0;
        if (remote_ok && rm.call(user32_fn("LoadIconA"), 0, reinterpret_cast<uint64_t>(k.id), 0, 0, &there) &&
            static_cast<uint32_t>(there) == static_cast<uint32_t>(shown))
            return k.name;
        HICON here = LoadIconA(nullptr, k.id);
        if (static_cast<uint32_t>(reinterpret_cast<uintptr_t>(here)) == static_cast<uint32_t>(shown)) return k.name;
    }
    return "unknown";
}

Reply cmd_msgbox(const std::string& title, long long timeout) {
    HWND dlg = wait_top(title, timeout, "#32770");
    if (!dlg) return err("timeout");
    BoxParts p = box_parts(dlg);
    std::string text;
    if (p.text_static && !control_text(p.text_static, text)) return err("busy");
    std::string buttons;
    for (HWND b : p.buttons) {
        if (!buttons.empty()) buttons += ',';
        buttons += strf("%d", GetDlgCtrlID(b));
    }
    std::string s = "text=" + text + "\nicon=" + icon_kind(p.icon_static) + "\nbuttons=" + buttons + "\n";
    return ok(to_hex(s));
}

Reply cmd_answer(const std::string& title, const std::string& button_field) {
    long long id = 0;
    if (!parse_long(button_field, id)) return err("usage");
    HWND dlg = find_top(title, "#32770");
    if (!dlg) return err("no message box");
    for (HWND b : box_parts(dlg).buttons) {
        if (GetDlgCtrlID(b) != id) continue;
        if (!IsWindowEnabled(b) || !IsWindowEnabled(dlg)) return err("disabled");
        // What the button itself tells the dialog when clicked; does not
        // depend on focus or capture, which a background box may not get.
        if (!PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED),
                          reinterpret_cast<LPARAM>(b)))
            return err("post failed");
        return ok();
    }
    return err("no button");
}

Reply cmd_set_text(const std::string& title, const std::string& id, const std::string& hex) {
    std::string text;
    if (!from_hex(hex, text)) return err("usage");
    Reply fail = err("");
    HWND h = resolve(title, id, fail);
    if (!h) return fail;
    if (!user_can_reach(h)) return err("disabled");
    if (lstrcmpiA(class_name(h).c_str(), "Edit") == 0 && (GetWindowLongPtrA(h, GWL_STYLE) & ES_READONLY))
        return err("read-only");
    LRESULT r = 0;
    if (!send(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), &r)) return err("busy");
    return r ? ok() : err("refused");
}

// Wine hands CB_GETLBTEXT across processes without the ANSI conversion
// (an ANSI caller gets UTF-16 back), so ask for Unicode and convert here.
bool combo_item_text(HWND cb, LRESULT index, std::string& out) {
    out.clear();
    DWORD_PTR len = 0;
    if (!SendMessageTimeoutW(cb, CB_GETLBTEXTLEN, index, 0, SMTO_NORMAL, kSendTimeoutMs, &len)) return false;
    if (static_cast<LRESULT>(len) == CB_ERR) return true;
    std::vector<wchar_t> buf(static_cast<size_t>(len) + 16);
    DWORD_PTR got = 0;
    if (!SendMessageTimeoutW(cb, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(buf.data()), SMTO_NORMAL,
                             kSendTimeoutMs, &got))
        return false;
    if (static_cast<LRESULT>(got) <= 0) return true;
    if (got >= buf.size()) got = buf.size() - 1;
    int n = WideCharToMultiByte(CP_ACP, 0, buf.data(), static_cast<int>(got), nullptr, 0, nullptr, nullptr);
    if (n <= 0) return true;
    out.resize(static_cast<size_t>(n));
    WideCharToMultiByte(CP_ACP, 0, buf.data(), static_cast<int>(got), &out[0], n, nullptr, nullptr);
    return true;
}

Reply cmd_combo(const std::string& title, const std::string& id) {
    Reply fail = err("");
    HWND cb = resolve(title, id, fail);
    if (!cb) return fail;
    LRESULT sel = 0;
    if (!send(cb, CB_GETCURSEL, 0, 0, &sel)) return err("busy");
    std::string text;
    if (sel >= 0 && !combo_item_text(cb, sel, text)) return err("busy");
    return ok(strf("%ld\t", static_cast<long>(sel)) + to_hex(text));
}

Reply cmd_combo_items(const std::string& title, const std::string& id) {
    Reply fail = err("");
    HWND cb = resolve(title, id, fail);
    if (!cb) return fail;
    LRESULT n = 0;
    if (!send(cb, CB_GETCOUNT, 0, 0, &n)) return err("busy");
    std::string s;
    for (LRESULT i = 0; i < n; ++i) {
        std::string t;
        if (!combo_item_text(cb, i, t)) return err("busy");
        s += flatten(t) + "\n";
    }
    return ok(to_hex(s));
}

Reply cmd_combo_select(const std::string& title, const std::string& id, const std::string& index_field) {
    long long index = 0;
    if (!parse_long(index_field, index)) return err("usage");
    Reply fail = err("");
    HWND cb = resolve(title, id, fail);
    if (!cb) return fail;
    if (!user_can_reach(cb)) return err("disabled");
    LRESULT n = 0, r = 0;
    if (!send(cb, CB_GETCOUNT, 0, 0, &n)) return err("busy");
    if (index < 0 || index >= n) return err("no item");
    if (!send(cb, CB_SETCURSEL, static_cast<WPARAM>(index), 0, &r)) return err("busy");
    HWND parent = GetAncestor(cb, GA_PARENT);
    // Queued as a sent message so it runs before anything posted later, but
    // without blocking us if the handler opens a modal box. The WM_NULL
    // round trip then returns once the handler is done or pumping messages.
    if (!SendNotifyMessageA(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(cb), CBN_SELCHANGE),
                            reinterpret_cast<LPARAM>(cb)))
        return err("send failed");
    send(parent, WM_NULL, 0, 0);
    return ok();
}

// Files held open without sharing, as a running program holds its own:
// nobody else may write or replace them until they are unlocked.
std::vector<HANDLE> locked_files;

Reply cmd_lock(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return err("cannot open");
    locked_files.push_back(file);
    return ok();
}

Reply cmd_unlock() {
    for (HANDLE file : locked_files) CloseHandle(file);
    locked_files.clear();
    return ok();
}

Reply dispatch(const std::vector<std::string>& f, bool& quit) {
    if (f.empty()) return err("usage");
    const std::string& c = f[0];
    size_t n = f.size();
    long long num = 0;
    if (c == "quit" && n == 1) {
        quit = true;
        return ok();
    }
    if (c == "wait-window" && n == 3) return parse_long(f[2], num) ? cmd_wait_window(f[1], num) : err("usage");
    if (c == "wait-gone" && n == 3) return parse_long(f[2], num) ? cmd_wait_gone(f[1], num) : err("usage");
    if (c == "window-info" && n == 2) return cmd_window_info(f[1]);
    if (c == "controls" && n == 2) return cmd_controls(f[1]);
    if (c == "enabled" && n == 3) return cmd_enabled(f[1], f[2]);
    if (c == "text" && n == 3) return cmd_text(f[1], f[2]);
    if (c == "click" && n == 3) return cmd_click(f[1], f[2]);
    if (c == "check-state" && n == 3) return cmd_check_state(f[1], f[2]);
    if (c == "menu" && n == 3) return cmd_menu(f[1], f[2]);
    if (c == "close" && n == 2) return cmd_close(f[1]);
    if (c == "rows" && n == 3) return cmd_rows(f[1], f[2]);
    if (c == "set-row" && n == 5) return cmd_set_row(f[1], f[2], f[3], f[4]);
    if (c == "msgbox" && n == 3) return parse_long(f[2], num) ? cmd_msgbox(f[1], num) : err("usage");
    if (c == "answer" && n == 3) return cmd_answer(f[1], f[2]);
    if (c == "set-text" && n == 4) return cmd_set_text(f[1], f[2], f[3]);
    if (c == "combo" && n == 3) return cmd_combo(f[1], f[2]);
    if (c == "combo-items" && n == 3) return cmd_combo_items(f[1], f[2]);
    if (c == "lock" && n == 2) return cmd_lock(f[1]);
    if (c == "unlock" && n == 1) return cmd_unlock();
    if (c == "combo-select" && n == 4) return cmd_combo_select(f[1], f[2], f[3]);
    return err("usage");
}

void emit(const Reply& r) {
    std::string line;
    if (r.ok)
        line = r.payload.empty() ? "ok" : "ok " + r.payload;
    else
        line = "err " + flatten(r.payload);
    line += '\n';
    fwrite(line.data(), 1, line.size(), stdout);
    fflush(stdout);
}

bool read_line(std::string& out) {
    out.clear();
    char buf[4096];
    bool any = false;
    while (fgets(buf, sizeof buf, stdin)) {
        any = true;
        size_t len = strlen(buf);
        out.append(buf, len);
        if (len && buf[len - 1] == '\n') break;
    }
    if (!any) return false;
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
    return true;
}

std::vector<std::string> split_tabs(const std::string& line) {
    std::vector<std::string> f;
    size_t start = 0;
    for (;;) {
        size_t tab = line.find('\t', start);
        f.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
        if (tab == std::string::npos) break;
        start = tab + 1;
    }
    return f;
}

}  // namespace

int main(int argc, char** argv) {
    // Text mode would turn our \n into \r\n and eat \r on the way in.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    setvbuf(stdout, nullptr, _IONBF, 0);

    bool quit = false;
    if (argc > 1) {
        std::vector<std::string> f(argv + 1, argv + argc);
        Reply r = dispatch(f, quit);
        emit(r);
        return r.ok ? 0 : 1;
    }
    std::string line;
    while (!quit && read_line(line)) emit(dispatch(split_tabs(line), quit));
    return 0;
}
