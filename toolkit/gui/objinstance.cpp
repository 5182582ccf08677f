#include "objinstance.h"

#include <cstdint>
#include <cstring>
#include <new>
#include <utility>

#include "apphooks.h"
#include "object.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;  // this module's base, for its own window class

static_assert(sizeof(void*) == 4, "the object-instance thunks are i686 machine code");

namespace {

// One thunk and the method it calls. The code turns the stdcall WNDPROC call into a call of
// StdWndProc with the record as an extra first argument:
//   pop eax; push rec; push eax; jmp StdWndProc
// StdWndProc is stdcall with five arguments, so its return pops the caller's four and ours.
struct TInstanceRec {
    unsigned char Code[12];
    TWndMethod Method;
    TInstanceRec* NextFree;
    bool InUse;
};

constexpr size_t kBlockSize = 4096;

// A block is this header followed by as many records as fit.
struct TInstanceBlock {
    TInstanceBlock* Next;
    TInstanceRec* FreeList;
    int Used;
    TInstanceRec* Recs() { return reinterpret_cast<TInstanceRec*>(this + 1); }
};
static_assert(sizeof(TInstanceBlock) % alignof(TInstanceRec) == 0);

constexpr int kRecsPerBlock = static_cast<int>((kBlockSize - sizeof(TInstanceBlock)) / sizeof(TInstanceRec));

// The executable blocks of this module; one GUI thread uses them.
TInstanceBlock* gBlocks = nullptr;

LRESULT __stdcall StdWndProc(TInstanceRec* rec, HWND wnd, UINT msg, WPARAM wp, LPARAM lp)
{
    TMessage m{msg, wp, lp, 0};
    // A copy: the method may free this very instance (a window destroyed from its own message).
    TWndMethod method = rec->Method;
    if (!method)  // a freed slot still reachable from a stale procedure pointer
        return DefWindowProcA(wnd, msg, wp, lp);
    try {
        method(m);
    } catch (...) {
        HandleCurrentException(method.Data());
    }
    return m.Result;
}

void WriteThunk(TInstanceRec* rec)
{
    auto* code = rec->Code;
    auto self = reinterpret_cast<uint32_t>(rec);
    auto next = reinterpret_cast<uint32_t>(code + sizeof rec->Code);
    auto target = reinterpret_cast<uint32_t>(&StdWndProc);
    int32_t rel = static_cast<int32_t>(target - next);
    code[0] = 0x58;  // pop eax
    code[1] = 0x68;  // push imm32
    std::memcpy(code + 2, &self, 4);
    code[6] = 0x50;  // push eax
    code[7] = 0xE9;  // jmp rel32
    std::memcpy(code + 8, &rel, 4);
}

TInstanceBlock* NewBlock()
{
    void* mem = VirtualAlloc(nullptr, kBlockSize, MEM_COMMIT | MEM_RESERVE, PAGE_EXECUTE_READWRITE);
    if (!mem)
        throw EOutOfResources("Not enough memory for window procedure thunks");
    auto* block = static_cast<TInstanceBlock*>(mem);
    block->Next = gBlocks;
    block->FreeList = nullptr;
    block->Used = 0;
    for (int i = kRecsPerBlock - 1; i >= 0; --i) {
        TInstanceRec* rec = &block->Recs()[i];
        new (&rec->Method) TWndMethod();
        WriteThunk(rec);
        rec->InUse = false;
        rec->NextFree = block->FreeList;
        block->FreeList = rec;
    }
    FlushInstructionCache(GetCurrentProcess(), mem, kBlockSize);
    gBlocks = block;
    return block;
}

TInstanceBlock* BlockWithRoom()
{
    for (TInstanceBlock* b = gBlocks; b; b = b->Next)
        if (b->FreeList)
            return b;
    return NewBlock();
}

// The live record an instance pointer stands for, with its block; null when it is none.
TInstanceRec* FindRec(WNDPROC instance, TInstanceBlock** owner)
{
    auto p = reinterpret_cast<uintptr_t>(instance);
    for (TInstanceBlock* b = gBlocks; b; b = b->Next) {
        auto first = reinterpret_cast<uintptr_t>(b->Recs());
        auto end = first + kRecsPerBlock * sizeof(TInstanceRec);
        if (p < first || p >= end || (p - first) % sizeof(TInstanceRec) != 0)
            continue;
        auto* rec = reinterpret_cast<TInstanceRec*>(p);
        if (!rec->InUse)
            return nullptr;
        *owner = b;
        return rec;
    }
    return nullptr;
}

TInstanceRec* LiveRec(WNDPROC instance, TInstanceBlock** owner)
{
    TInstanceRec* rec = FindRec(instance, owner);
    if (!rec)
        throw EInvalidOperation("Invalid object instance: not a live window procedure thunk");
    return rec;
}

void ReleaseBlockIfEmpty(TInstanceBlock* block)
{
    // The last block stays, so a window that comes and goes doesn't allocate each time.
    if (block->Used != 0 || (block == gBlocks && !block->Next))
        return;
    for (TInstanceBlock** p = &gBlocks; *p; p = &(*p)->Next)
        if (*p == block) {
            *p = block->Next;
            break;
        }
    VirtualFree(block, 0, MEM_RELEASE);
}

HINSTANCE ModuleInstance() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

constexpr char kUtilClass[] = "TPUtilWindow";

void EnsureUtilClass()
{
    WNDCLASSA wc{};
    if (GetClassInfoA(ModuleInstance(), kUtilClass, &wc))
        return;
    wc.lpfnWndProc = DefWindowProcA;
    wc.cbWndExtra = sizeof(LONG_PTR);  // the window's object instance, for DeallocateHWnd
    wc.hInstance = ModuleInstance();
    wc.lpszClassName = kUtilClass;
    if (!RegisterClassA(&wc))
        throw EOutOfResources("Cannot register the utility window class");
}

bool IsUtilWindow(HWND wnd)
{
    char name[sizeof kUtilClass + 1] = {};
    if (GetClassNameA(wnd, name, sizeof name) != static_cast<int>(sizeof kUtilClass - 1))
        return false;
    return std::strcmp(name, kUtilClass) == 0 &&
           reinterpret_cast<HINSTANCE>(GetClassLongPtrA(wnd, GCLP_HMODULE)) == ModuleInstance();
}

}  // namespace

WNDPROC MakeObjectInstance(TWndMethod method)
{
    if (!method)
        throw EInvalidOperation("MakeObjectInstance needs a method");
    TInstanceBlock* block = BlockWithRoom();
    TInstanceRec* rec = block->FreeList;
    block->FreeList = rec->NextFree;
    ++block->Used;
    rec->NextFree = nullptr;
    rec->InUse = true;
    rec->Method = method;
    return reinterpret_cast<WNDPROC>(static_cast<void*>(rec->Code));
}

void FreeObjectInstance(WNDPROC instance)
{
    if (!instance)
        return;
    TInstanceBlock* block = nullptr;
    TInstanceRec* rec = LiveRec(instance, &block);
    rec->Method = TWndMethod();
    rec->InUse = false;
    rec->NextFree = block->FreeList;
    block->FreeList = rec;
    --block->Used;
    ReleaseBlockIfEmpty(block);
}

HWND AllocateHWnd(TWndMethod method)
{
    EnsureUtilClass();
    TObjectInstance instance(method);
    // WS_EX_TOOLWINDOW keeps it off the taskbar and the task switcher; no WS_VISIBLE.
    HWND wnd = CreateWindowExA(WS_EX_TOOLWINDOW, kUtilClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                               ModuleInstance(), nullptr);
    if (!wnd)
        throw EOutOfResources("Cannot create a utility window");
    SetWindowLongPtrA(wnd, 0, reinterpret_cast<LONG_PTR>(instance.Proc()));
    SetWindowLongPtrA(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(instance.Release()));
    return wnd;
}

void DeallocateHWnd(HWND wnd)
{
    // A window the system already destroyed (thread ending) has nothing left to give back.
    if (!wnd || !IsWindow(wnd))
        return;
    if (!IsUtilWindow(wnd))
        throw EInvalidOperation("DeallocateHWnd: the window was not made by AllocateHWnd");
    auto instance = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(wnd, 0));
    SetWindowLongPtrA(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DefWindowProcA));
    DestroyWindow(wnd);
    FreeObjectInstance(instance);
}

// ---- owners ----

TObjectInstance& TObjectInstance::operator=(TObjectInstance&& o) noexcept
{
    if (this != &o) {
        Reset();
        FProc = o.Release();
    }
    return *this;
}

WNDPROC TObjectInstance::Release() noexcept { return std::exchange(FProc, nullptr); }

void TObjectInstance::Reset() noexcept
{
    if (FProc)
        FreeObjectInstance(std::exchange(FProc, nullptr));
}

TUtilWindow& TUtilWindow::operator=(TUtilWindow&& o) noexcept
{
    if (this != &o) {
        Reset();
        FHandle = std::exchange(o.FHandle, nullptr);
    }
    return *this;
}

void TUtilWindow::Reset() noexcept
{
    if (FHandle)
        DeallocateHWnd(std::exchange(FHandle, nullptr));
}
