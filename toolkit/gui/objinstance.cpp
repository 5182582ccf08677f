#include "objinstance.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <utility>

#include "apphooks.h"
#include "busycount.h"
#include "object.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;  // this module's base, for its own window class

static_assert(sizeof(void*) == 4, "the object-instance thunks are i686 machine code");

namespace {

// What a thunk needs at run time. It lives apart from the thunk's code, in ordinary memory:
// the code pages are executable and never writable once written.
struct TInstanceData {
    TWndMethod Method;
    TInstanceData* NextFree = nullptr;
    bool InUse = false;
    TBusyCount Busy;  // calls running through the thunk; the slot is reused only after them
};

// A thunk turns the stdcall WNDPROC call into a call of StdWndProc with its data record as an
// extra first argument:
//   pop eax; push data; push eax; jmp StdWndProc
// StdWndProc is stdcall with five arguments, so its return pops the caller's four and ours.
constexpr size_t kThunkSize = 16;  // 12 bytes of code, padded
constexpr size_t kCodeSize = 4096;
constexpr int kThunksPerBlock = static_cast<int>(kCodeSize / kThunkSize);

// One page of thunks and their data records, thunk i serving Data[i].
struct TInstanceBlock {
    TInstanceBlock* Next = nullptr;
    unsigned char* Code = nullptr;
    TInstanceData Data[kThunksPerBlock];
    TInstanceData* FreeList = nullptr;
    int Used = 0;

    TInstanceBlock() = default;
    TInstanceBlock(const TInstanceBlock&) = delete;
    TInstanceBlock& operator=(const TInstanceBlock&) = delete;
    ~TInstanceBlock()
    {
        if (Code)
            VirtualFree(Code, 0, MEM_RELEASE);
    }
};

// The blocks of this module; one GUI thread uses them.
TInstanceBlock* gBlocks = nullptr;

LRESULT __stdcall StdWndProc(TInstanceData* data, HWND wnd, UINT msg, WPARAM wp, LPARAM lp)
{
    TMessage m{msg, wp, lp, 0};
    // A copy: the method may free this very instance (a window destroyed from its own message).
    TWndMethod method = data->Method;
    if (!method)  // a freed slot still reachable from a stale procedure pointer
        return DefWindowProcA(wnd, msg, wp, lp);
    TBusyCount::TCall call(data->Busy);
    try {
        method(m);
    } catch (...) {
        HandleCurrentException(method.Data());
    }
    return m.Result;
}

void WriteThunk(unsigned char* code, TInstanceData* data)
{
    auto self = reinterpret_cast<uint32_t>(data);
    auto next = reinterpret_cast<uint32_t>(code + 12);
    auto target = reinterpret_cast<uint32_t>(&StdWndProc);
    int32_t rel = static_cast<int32_t>(target - next);
    code[0] = 0x58;  // pop eax
    code[1] = 0x68;  // push imm32
    std::memcpy(code + 2, &self, 4);
    code[6] = 0x50;  // push eax
    code[7] = 0xE9;  // jmp rel32
    std::memcpy(code + 8, &rel, 4);
    std::memset(code + 12, 0xCC, kThunkSize - 12);  // int3
}

// Writes the page's thunks, then takes the write access away.
unsigned char* NewCodePage(TInstanceBlock& block)
{
    void* mem = VirtualAlloc(nullptr, kCodeSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!mem)
        return nullptr;
    auto* code = static_cast<unsigned char*>(mem);
    for (int i = 0; i < kThunksPerBlock; ++i)
        WriteThunk(code + i * kThunkSize, &block.Data[i]);
    DWORD old = 0;
    if (!VirtualProtect(mem, kCodeSize, PAGE_EXECUTE_READ, &old)) {
        VirtualFree(mem, 0, MEM_RELEASE);
        return nullptr;
    }
    FlushInstructionCache(GetCurrentProcess(), mem, kCodeSize);
    return code;
}

TInstanceBlock* NewBlock()
{
    std::unique_ptr<TInstanceBlock> block(new (std::nothrow) TInstanceBlock);
    if (block)
        block->Code = NewCodePage(*block);
    if (!block || !block->Code)
        throw EOutOfResources("Not enough memory for window procedure thunks");
    for (int i = kThunksPerBlock - 1; i >= 0; --i) {
        block->Data[i].NextFree = block->FreeList;
        block->FreeList = &block->Data[i];
    }
    block->Next = gBlocks;
    gBlocks = block.release();
    return gBlocks;
}

TInstanceBlock* BlockWithRoom()
{
    for (TInstanceBlock* b = gBlocks; b; b = b->Next)
        if (b->FreeList)
            return b;
    return NewBlock();
}

// The live record an instance pointer stands for, with its block; null when it is none.
TInstanceData* FindData(WNDPROC instance, TInstanceBlock** owner) noexcept
{
    auto p = reinterpret_cast<uintptr_t>(instance);
    for (TInstanceBlock* b = gBlocks; b; b = b->Next) {
        auto first = reinterpret_cast<uintptr_t>(b->Code);
        if (p < first || p >= first + kCodeSize || (p - first) % kThunkSize != 0)
            continue;
        TInstanceData* data = &b->Data[(p - first) / kThunkSize];
        if (!data->InUse)
            return nullptr;
        *owner = b;
        return data;
    }
    return nullptr;
}

void ReleaseBlockIfEmpty(TInstanceBlock* block) noexcept
{
    // The last block stays, so a window that comes and goes doesn't allocate each time.
    if (block->Used != 0 || (block == gBlocks && !block->Next))
        return;
    for (TInstanceBlock** p = &gBlocks; *p; p = &(*p)->Next)
        if (*p == block) {
            *p = block->Next;
            break;
        }
    delete block;
}

void ReturnSlot(TInstanceBlock* block, TInstanceData* data) noexcept
{
    data->NextFree = block->FreeList;
    block->FreeList = data;
    --block->Used;
    ReleaseBlockIfEmpty(block);
}

// Gives a live instance back; false (and nothing done) for anything else. A call still running
// through it (its window freed from inside its own message) keeps the slot, and so its code
// page, until it has returned; meanwhile the thunk answers as a bare window.
bool ReleaseInstance(WNDPROC instance) noexcept
{
    TInstanceBlock* block = nullptr;
    TInstanceData* data = FindData(instance, &block);
    if (!data)
        return false;
    data->Method = TWndMethod();
    data->InUse = false;
    data->Busy.Release([block, data] { ReturnSlot(block, data); });
    return true;
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

bool IsUtilWindow(HWND wnd) noexcept
{
    char name[sizeof kUtilClass + 1] = {};
    if (GetClassNameA(wnd, name, sizeof name) != static_cast<int>(sizeof kUtilClass - 1))
        return false;
    return std::strcmp(name, kUtilClass) == 0 &&
           reinterpret_cast<HINSTANCE>(GetClassLongPtrA(wnd, GCLP_HMODULE)) == ModuleInstance();
}

// Destroys a window made by AllocateHWnd and frees its instance; false for any other window.
bool DestroyUtilWindow(HWND wnd) noexcept
{
    if (!IsUtilWindow(wnd))
        return false;
    auto instance = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(wnd, 0));
    SetWindowLongPtrA(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DefWindowProcA));
    DestroyWindow(wnd);
    ReleaseInstance(instance);
    return true;
}

}  // namespace

WNDPROC MakeObjectInstance(TWndMethod method)
{
    if (!method)
        throw EInvalidOperation("MakeObjectInstance needs a method");
    TInstanceBlock* block = BlockWithRoom();
    TInstanceData* data = block->FreeList;
    block->FreeList = data->NextFree;
    ++block->Used;
    data->NextFree = nullptr;
    data->InUse = true;
    data->Method = method;
    return reinterpret_cast<WNDPROC>(static_cast<void*>(block->Code + (data - block->Data) * kThunkSize));
}

void FreeObjectInstance(WNDPROC instance)
{
    if (instance && !ReleaseInstance(instance))
        throw EInvalidOperation("Invalid object instance: not a live window procedure thunk");
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
    if (!DestroyUtilWindow(wnd))
        throw EInvalidOperation("DeallocateHWnd: the window was not made by AllocateHWnd");
}

// ---- owners ----

// Made by MakeObjectInstance, so live: nothing to report.
void TObjectInstance::TFree::operator()(WNDPROC instance) const noexcept { ReleaseInstance(instance); }

// Made by AllocateHWnd; one the system destroyed already has nothing left to give back.
void TUtilWindow::TFree::operator()(HWND wnd) const noexcept
{
    if (IsWindow(wnd))
        DestroyUtilWindow(wnd);
}
