#pragma once
// One hidden window shared by every object of a kind (all light timers, all tray icons),
// made with the first user and freed with the last. Objects are registered under ids that only
// grow and are looked up by id, never taken from a message as pointers: a message for an
// object that is gone, or one another process posts, finds nothing. When the last user goes
// while a message of the window is being handled, the window goes once that message is over.
#include <windows.h>

#include <map>
#include <utility>

#include "apphooks.h"
#include "messages.h"
#include "objinstance.h"
#include "object.h"

template <class Handler, class Item, class Id>
class TSharedWindow : public TObject {
public:
    int RefCount() const { return FRefCount; }
    HWND Handle() const { return FWindow.Handle(); }
    Item* Find(Id id) const
    {
        auto it = FItems.find(id);
        return it == FItems.end() ? nullptr : it->second;
    }

    // The process's handler (null when nobody uses one).
    static Handler* Instance() { return FInstance; }

    // Creates the handler when there is none and counts one more user.
    static Handler& Acquire()
    {
        static TFinalizer finalizer;  // users never freed leave the handler to the module's end
        if (!FInstance)
            FInstance = new Handler();
        ++FInstance->FRefCount;
        FInstance->FFreePending = false;
        return *FInstance;
    }

    // Counts one user less (never below 0); at 0 the handler and its window go.
    static void Release()
    {
        Handler* h = FInstance;
        if (!h)
            return;
        if (h->FRefCount > 0)
            --h->FRefCount;
        if (h->FRefCount != 0)
            return;
        if (h->FDispatching > 0)
            h->FFreePending = true;
        else
            FreeInstance();
    }

    // Registers an item under a new id.
    Id Add(Item* item)
    {
        Id id;
        do {
            id = FNextId++;
            if (FNextId == 0)
                FNextId = 1;
        } while (id == 0 || Find(id));
        FItems[id] = item;
        return id;
    }
    void Remove(Id id) { FItems.erase(id); }

protected:
    TSharedWindow() : FWindow(TWndMethod(this, &TSharedWindow::WindowProc)) {}

    // Handles one message of the shared window; sets m.Result.
    virtual void Dispatch(TMessage& m) = 0;

private:
    struct TFinalizer {
        ~TFinalizer() { FreeInstance(); }
    };

    static void FreeInstance() noexcept
    {
        Handler* h = std::exchange(FInstance, nullptr);
        try {
            delete h;
        } catch (...) {
            HandleCurrentException(nullptr);
        }
    }

    void WindowProc(TMessage& m)
    {
        ++FDispatching;
        try {
            Dispatch(m);
        } catch (...) {
            HandleCurrentException(this);
        }
        if (--FDispatching == 0 && FFreePending && FRefCount == 0 && FInstance == this)
            FreeInstance();  // nothing of this object after this
    }

    TUtilWindow FWindow;
    int FRefCount = 0;
    int FDispatching = 0;       // messages being handled right now (nested through modal loops)
    bool FFreePending = false;  // the last user went during a message: free once it is over
    std::map<Id, Item*> FItems;
    static inline Handler* FInstance = nullptr;
    static inline Id FNextId = 1;  // ids only grow, so a stale id never names a newer object
};
